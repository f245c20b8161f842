// The real input box window behind InputBox (message_box.h): prompt, one text
// field, OK and Cancel; modal with its own message loop.
#pragma once

#include <optional>
#include <string>

#include <windows.h>

// Names of the input box's controls (for tests and translations).
inline constexpr char kInputPromptLabel[] = "LabelPrompt";
inline constexpr char kInputTextBox[] = "TxtInput";
inline constexpr char kInputOkButton[] = "OkButton";
inline constexpr char kInputCancelButton[] = "CancelButton";

// Shows the box with the title as caption, the prompt (line breaks kept) and the
// default text selected. Enter or OK returns the text; Esc, Cancel or closing the
// window returns nothing. The owner (or, when it is null, the thread's active window)
// is disabled while the box is open.
std::optional<std::string> ShowInputDialog(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText, HWND owner);
