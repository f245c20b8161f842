// Finding the Corvane home directory (option sets, recipient lists, key cache
// files, backups), asking the user when it is not set or not usable.
#pragma once

#include <string>

// Sets Env().ShellHomeDir from [Settings] ShellHomeDir ("AppStart") or the given
// candidate; "" when the user gave up.
void ResolveShellHomeDir(const std::string& argument);
