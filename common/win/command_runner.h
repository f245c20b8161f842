// Runs GnuPG (and other programs) through a generated batch file and waits.
//
// A GnuPG operation composes one command line (with its own redirections, using
// BatchQuoted for every outside text), calls RunBatch, tests LastRunOk, then reads
// and deletes its output files. GnuPG's exit status is never looked at.
#pragma once

#include <string>
#include <string_view>

#include "common/batch_text.h"

enum WindowStyle { kWindowHidden = 0, kWindowNormal = 1 };

// True after a run whose process could be started and was waited for.
bool LastRunOk();
// A caller that decides to run nothing clears it, so no earlier success is read
// as this operation's.
void ClearLastRunOk();

// Writes the program's batch file around the command, runs it and deletes it.
void RunBatch(const std::string& commandLine, int windowStyle, bool allowPause, bool demandPause);

// Writes `batchText` as the program's batch file, runs it through the interpreter
// and deletes it; the common tail of RunBatch and of the version check. Returns
// false (after a message) when the file could not be written or is too long.
bool RunBatchText(const std::string& batchText, int windowStyle);

// The same for a batch file with a name of its own in TempDir (the key listing's
// "~gpglists.bat"); the result is also left in LastRunOk.
bool RunNamedBatchText(const std::string& batchFileName, const std::string& batchText, int windowStyle);

// Starts the command line with the window style and waits for its end.
bool SyncShell(const std::string& commandLine, int windowStyle);

// Starts a program and returns at once (siblings, the user's start command).
bool StartProgram(const std::string& commandLine, int windowStyle);

// The batch preamble as the process environment gives it.
BatchContext CurrentBatchContext();

// ANSI <-> OEM code page, only when the two differ.
std::string ConvertToDosCodepage(std::string_view text);
std::string ConvertFromDosCodepage(std::string_view text);

// TempDir + "\" + BatchFile.
std::string BatchFilePath();
std::string OutputFilePath();
