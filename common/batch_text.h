// Composition of the batch files every GnuPG run goes through, and the escaping
// that makes text reach GnuPG literally.
//
// cmd.exe expands %NAME% even inside double quotes and treats & | < > ^ ( ) outside
// quotes as syntax. Any text that did not come from our own code (file names, user
// IDs, search texts, settings) must pass through BatchQuoted or BatchLiteral before
// it becomes part of a batch line.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// cmd.exe silently cuts longer lines, so we refuse to run them.
inline constexpr size_t kMaxBatchLineLength = 8191;

// Everything a batch preamble depends on (taken from the process environment).
struct BatchContext {
    bool forceDosCodepage = false;
    std::string oemCodepage;
    bool setGnuPGHome = false;
    std::string gnuPGHome;
    std::string gnuPGLanguage;
    std::string programDirShort;
};

// "echo." and "pause" are written once when the caller allows a pause and the user
// asked for them, or when the caller demands one.
bool BatchPauseWanted(bool allowPause, bool demandPause, bool addBatchPause);

// The lines of a batch file around `command` (already in the OEM code page; it may
// hold several lines separated by CR LF).
std::vector<std::string> ComposeBatchLines(const BatchContext& context, std::string_view command, bool pause);

// The file's bytes: every line ended by CR LF.
std::string JoinBatchLines(const std::vector<std::string>& lines);

// Length of the longest line of the batch text.
size_t LongestBatchLine(std::string_view batchText);

// A double-quoted argument: % is doubled so cmd.exe leaves it alone. Line breaks
// would start a new batch command and double quotes would end the quoting, so
// both are replaced (by a blank and an apostrophe); no file name holds either.
std::string BatchQuoted(std::string_view text);

// Text written outside quotes (echo lines, set values, bare search words): % is
// doubled, the characters cmd.exe would act on are escaped with ^, line breaks
// become blanks.
std::string BatchLiteral(std::string_view text);

// `TempDir` + "\" + name in quotes, the form every redirection uses.
std::string QuotedTempFile(std::string_view tempDir, std::string_view name);

// How the interpreter is started on a batch file. cmd.exe gets /d (no AutoRun
// command from the registry) and /v:off (no delayed expansion, so "!" stays plain)
// because both would change what our batch lines do.
std::string InterpreterCommandLine(std::string_view comSpecPath, std::string_view batchPath);
