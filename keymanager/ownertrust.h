// Owner trust brought back from an export file (dropped on the key list, or the
// Trust menu's import).
#pragma once

#include <string>

#include <windows.h>

// Runs GnuPG's owner-trust import and shows its report; the success flag is
// LastRunOk. `mainWindow` centres the report.
bool ImportOwnertrust(const std::string& file, HWND mainWindow);
