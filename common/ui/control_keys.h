// Keys a window handles for its controls wherever the focus is, also when the
// window is not modal (its messages then never pass a PreTranslateMessage):
// Escape to close, Ctrl+A to select all. The control is subclassed; the handler
// goes with the control.
#pragma once

#include <functional>

#include <windows.h>

// Called for a key pressed in the control; true when it was used (the key then
// does nothing else). `control` is down when Ctrl is held.
using ControlKeyHandler = std::function<bool(UINT virtualKey, bool control)>;

bool HandleControlKeys(HWND control, ControlKeyHandler handler);
