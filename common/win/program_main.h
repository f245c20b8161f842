// The body of every program's WinMain until its main window takes over.
#pragma once

#include <string>

#include "common/win/startup.h"

// Runs the start-up sequence and, for the programs that run GnuPG, the closing
// rules. Returns the process exit code.
int RunProgram(Program program, const std::string& commandLine);
