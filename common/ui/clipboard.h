// Text on the clipboard, in the ANSI code page (CF_TEXT; the system offers the
// other text formats from it).
#pragma once

#include <optional>
#include <string>

#include <windows.h>

// Empties the clipboard and puts the text on it; false when the clipboard could
// not be opened or written (another program holds it).
bool PutClipboardText(HWND owner, const std::string& text);

// The clipboard's text; nothing when it holds none or cannot be opened.
std::optional<std::string> ClipboardText(HWND owner);
