// How the suite's programs recognise each other's running windows.
#pragma once

#include <string>

#include <windows.h>

// First child window of `parent` (0 = the desktop) whose class matches the class
// pattern and whose lower-cased caption matches the lower-cased caption pattern.
HWND FWndLike(const std::string& classPattern, const std::string& captionPattern, HWND parent = nullptr);

// A top-level window of the suite's shared class whose caption begins with the
// program's name.
bool IsProgramRunning(const std::string& programName);
