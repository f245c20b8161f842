// The real input box window behind InputBox (message_box.h): prompt, one text
// field, OK and Cancel; modal with its own message loop.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

std::optional<std::string> ShowInputDialog(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText, HWND owner);
