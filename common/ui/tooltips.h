// Tooltips for a window's controls: one tooltip control per window, shown when
// the mouse rests on a control that has a text.
//
// A static label only sees the mouse with SS_NOTIFY; labels that carry a tooltip
// get it from AddTool.
#pragma once

#include <string>

#include <windows.h>

class Window;

class ToolTips {
public:
    ToolTips() = default;
    ToolTips(const ToolTips&) = delete;
    ToolTips& operator=(const ToolTips&) = delete;

    // The tooltip control belongs to the window and goes with it.
    bool Create(Window& owner);
    // Gives the control a tooltip text (shown as it is; callers translate).
    bool AddTool(HWND control, const std::string& text);
    // The control's tooltip text, "" when it has none.
    std::string Text(HWND control) const;
    HWND Handle() const { return handle_; }

private:
    HWND handle_ = nullptr;
    HWND owner_ = nullptr;
};
