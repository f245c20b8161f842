// What every self-drawn child control (link labels, the "i" labels) handles
// alike: its state object from WM_NCCREATE to WM_NCDESTROY, its font and the
// variant drawn with it, the background it paints itself, and a mouse press.
#pragma once

#include <optional>

#include <windows.h>

template <typename State>
State* SelfDrawnState(HWND window) {
    return reinterpret_cast<State*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

// State needs `HFONT font` and `bool pressed`; `fontChanged` makes the variant
// font from state.font. Returns the result when the message was handled here.
template <typename State, typename FontChanged>
std::optional<LRESULT> HandleSelfDrawnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                              FontChanged fontChanged) {
    State* state = SelfDrawnState<State>(window);
    switch (message) {
        case WM_NCCREATE:
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new State));
            return std::nullopt;  // the default handling goes on
        case WM_NCDESTROY:
            delete state;
            SetWindowLongPtrA(window, GWLP_USERDATA, 0);
            return std::nullopt;
        case WM_SETFONT:
            if (state) {
                state->font = reinterpret_cast<HFONT>(wParam);
                fontChanged(*state);
                if (LOWORD(lParam)) InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case WM_GETFONT:
            return state ? reinterpret_cast<LRESULT>(state->font) : 0;
        case WM_ERASEBKGND:
            return 1;  // painted whole in WM_PAINT
        case WM_LBUTTONDOWN:
            // Captured, so a release away from the control ends the press too.
            if (state) state->pressed = true;
            SetCapture(window);
            return 0;
        case WM_CAPTURECHANGED:
            if (state) state->pressed = false;
            return 0;
        default:
            return std::nullopt;
    }
}

// Ends a press at WM_LBUTTONUP; true when there was one.
template <typename State>
bool EndSelfDrawnPress(HWND window, State* state) {
    if (!state || !state->pressed) return false;
    state->pressed = false;
    if (GetCapture() == window) ReleaseCapture();
    return true;
}
