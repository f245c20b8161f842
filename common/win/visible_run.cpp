#include "common/win/visible_run.h"

#include <windows.h>

namespace {

std::function<void()>& Hook() {
    static std::function<void()> hook;
    return hook;
}

BOOL CALLBACK RepaintWindow(HWND window, LPARAM) {
    if (IsWindowVisible(window))
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return TRUE;
}

}  // namespace

void PrepareVisibleRun() {
    if (auto& hook = Hook()) {
        hook();
        return;
    }
    EnumThreadWindows(GetCurrentThreadId(), RepaintWindow, 0);
}

void SetVisibleRunHook(std::function<void()> hook) {
    Hook() = std::move(hook);
}
