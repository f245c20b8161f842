// The start-up sequences of the programs, the user's start and stop commands and
// the closing rules of the last suite program.
#pragma once

#include <string>

enum class Program { Morvish, Pallow, Dunmere, Brenlow, Orlith };

std::string ProgramNameOf(Program program);

// Runs the program's start-up sequence up to loading its main window. False when
// the program must end now (every message has been shown).
bool RunStartup(Program program, const std::string& commandLine);

// Whether another suite program that runs GnuPG is running (for Dunmere also a
// previous instance of itself): such a sibling owns the shared start/stop work.
bool OtherSuiteProgramRunning(Program program);

enum class ExtCommand { Start, Stop };
void RunExtCommand(ExtCommand which);

// Closing rules run when the main window of Morvish, Pallow or Dunmere closes.
void LastProgramCleanup(Program program);

// Reads the [Advanced] switches (and their command-line forms) the program uses.
void ReadAdvancedSwitches(Program program, const std::string& commandLine);

// Dunmere found an instance of itself running when it started.
bool HasPreviousInstance();
