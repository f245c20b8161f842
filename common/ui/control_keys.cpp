#include "common/ui/control_keys.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kSubclassId = 0x4B455953;  // "KEYS"

LRESULT CALLBACK KeyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* handler = reinterpret_cast<ControlKeyHandler*>(data);
    try {
        switch (message) {
            case WM_KEYDOWN: {
                bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
                if ((*handler)(static_cast<UINT>(wParam), control)) return 0;
                break;
            }
            case WM_CHAR:
                // The characters of keys a handler used (Ctrl+A gives 1, Escape 27)
                // would make the control beep.
                if (wParam == 1 || wParam == VK_ESCAPE) return 0;
                break;
            case WM_GETDLGCODE:
                // A multi-line edit asks for every key; Escape still belongs to the window.
                if (lParam && reinterpret_cast<MSG*>(lParam)->message == WM_KEYDOWN &&
                    reinterpret_cast<MSG*>(lParam)->wParam == VK_ESCAPE)
                    return DLGC_WANTMESSAGE;
                break;
            case WM_NCDESTROY:
                RemoveWindowSubclass(window, KeyProcedure, kSubclassId);
                delete handler;
                return DefSubclassProc(window, message, wParam, lParam);
            default:
                break;
        }
    } catch (...) {
        // The key is left to the control.
    }
    return DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

bool HandleControlKeys(HWND control, ControlKeyHandler handler) {
    if (!control) return false;
    auto* stored = new ControlKeyHandler(std::move(handler));
    if (!SetWindowSubclass(control, KeyProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(stored))) {
        delete stored;
        return false;
    }
    return true;
}
