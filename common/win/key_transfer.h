// The two key operations every GnuPG program shares: exporting keys into an
// armored file and importing keys from a file, with the import's report in the
// output log window.
//
// Both follow the settings of the preferences: HideKeyExp / HideKeyImp choose a
// hidden run behind the wait window ("1") or a console window ("0"; any other
// value runs nothing), GuiOutput whether the import's messages go to the log
// window, RemoveGPG, OutputBeep and WatchRingChange how they are shown and what
// follows. Success is LastRunOk, as after every run; the functions return it too,
// and false when nothing ran.
#pragma once

#include <optional>
#include <string>

#include "common/gnupg_output.h"

// Exports the keys (" 0x..." items, each with its leading blank) armored into the
// file, public or secret; then stamps the suite's version into the file's
// "Version:" header (StampVersionLine).
bool ExportKeys(const std::string& targetFile, bool secret, const std::string& keyIds);

// Imports the keys of the file. With GuiOutput 1 GnuPG's messages, cleaned, go on
// top of the output log window ("<program> - Output of Import") with the file and
// the time, the first light says how the import went, and the log is shown
// (modally when OutputModal() is set). Afterwards the key cache files are deleted
// (WatchRingChange 0) or checked against the keyrings (1). Clears OutputModal().
// The tray program disables its compose window's GnuPG menu around the call.
bool ImportKeys(const std::string& sourceFile);

// ---- The steps of ImportKeys, for the tests and for other reports -------------

// The keyring times an import compares with afterwards: the three files' times
// when pubring.gpg and secring.gpg both exist (an unreadable time is 0),
// otherwise all 0.
KeyringTimes KeyringTimesBeforeImport();
// The times now: nothing unless both keyrings exist and all three times can be read.
std::optional<KeyringTimes> KeyringTimesAfterImport();

// Turns the import's output file (OutputFilePath(), which it deletes) into a log
// entry and shows the log window, as ImportKeys does after a run with GuiOutput 1.
void ReportImportOutput(const std::string& sourceFile, const KeyringTimes& before);

// The output file's lines without GnuPG's status lines, each with CR LF; "" when
// the file cannot be read.
std::string StripStatusLines(const std::string& outputFile);

// [Settings] HideKeyExp, HideKeyImp, HideGetPack...: "0", "1", or another value
// (which runs nothing). The default is "1", or "0" on Windows 95/98/ME.
std::string ReadHideSetting(const std::string& key);
