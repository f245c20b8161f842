#include "common/ui/tooltips.h"

#include <commctrl.h>

#include "common/ui/window.h"

bool ToolTips::Create(Window& owner) {
    if (handle_ && IsWindow(handle_)) return true;
    owner_ = owner.Handle();
    handle_ =
        CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr, ToolkitInstance(), nullptr);
    if (!handle_) return false;
    // Long texts wrap instead of running across the screen; line breaks are kept.
    SendMessageA(handle_, TTM_SETMAXTIPWIDTH, 0, 480);
    return true;
}

bool ToolTips::AddTool(HWND control, const std::string& text) {
    if (!handle_ || !control) return false;
    LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && !(style & SS_NOTIFY))
        SetWindowLongPtrA(control, GWL_STYLE, style | SS_NOTIFY);
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    // A control has one text: a new one replaces the old.
    SendMessageA(handle_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    std::string copy = text;
    tool.lpszText = copy.data();
    return SendMessageA(handle_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

std::string ToolTips::Text(HWND control) const {
    if (!handle_ || !control) return "";
    char buffer[1024] = {};
    TTTOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = buffer;
    SendMessageA(handle_, TTM_GETTEXTA, sizeof buffer, reinterpret_cast<LPARAM>(&tool));
    return buffer;
}
