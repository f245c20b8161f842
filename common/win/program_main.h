// The body of every program's WinMain until its main window takes over.
#pragma once

#include <string>

#include "common/win/startup.h"

// The program's main window and its message loop, given the command line; it
// runs the closing rules itself when the window closes. Returns the exit code.
using MainWindowRunner = int (*)(const std::string& commandLine);

// Runs the start-up sequence, then the main window. A program without one yet
// ends after start-up and, when it runs GnuPG, runs the closing rules here.
// Returns the process exit code.
int RunProgram(Program program, const std::string& commandLine, MainWindowRunner mainWindow = nullptr);
