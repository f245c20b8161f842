#include "common/win/visible_run.h"

#include <windows.h>

#include "common/translation.h"
#include "common/ui/wait_window.h"
#include "common/win/command_runner.h"

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

void RunHiddenOrVisible(const std::string& command, bool hidden, const char* waitText, bool allowPause,
                        bool demandPause) {
    if (hidden) {
        WaitWindow wait;
        wait.Show(Translate(waitText));
        RunBatch(command, kWindowHidden, false, false);
        return;
    }
    PrepareVisibleRun();
    RunBatch(command, kWindowNormal, allowPause, demandPause);
}
