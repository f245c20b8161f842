#include "common/win/key_transfer.h"

#include <windows.h>

#include "common/environment.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/wildcard.h"
#include "common/ui/message_box.h"
#include "common/ui/output_log_window.h"
#include "common/win/command_runner.h"
#include "common/win/file_error.h"
#include "common/win/file_system.h"
#include "common/win/key_listing_files.h"
#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "common/win/version_line_file.h"
#include "common/win/visible_run.h"

namespace {

constexpr char kSection[] = "Settings";

std::optional<uint64_t> FileTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool BothKeyringsExist() {
    return FileExists(Env().PubringPath) && FileExists(Env().SecringPath);
}

void ShowMissingOutputFile(const std::string& outFile) {
    ShowError(Translate("Error: Temporary file ") + "\"" + outFile + "\"" + Translate(" not found."));
}


}  // namespace

std::string ReadHideSetting(const std::string& key) {
    return Trim(ReadSetting(kSection, key, Env().OsFamily == "Win9x" ? "0" : "1"));
}

bool ExportKeys(const std::string& targetFile, bool secret, const std::string& keyIds) {
    const std::string hide = ReadHideSetting("HideKeyExp");
    if (hide != "0" && hide != "1") {
        ClearLastRunOk();
        return false;
    }
    const bool hidden = hide == "1";
    RunHiddenOrVisible(ExportCommand(Env().GnuPGExeName, targetFile, secret, keyIds, hidden), hidden, "Exporting key(s) ...",
                  true, false);
    if (!LastRunOk()) return false;
    if (FileExists(targetFile)) StampVersionLine(targetFile, false);
    return true;
}

KeyringTimes KeyringTimesBeforeImport() {
    KeyringTimes times;
    if (!BothKeyringsExist()) return times;
    times.pubring = FileTime(Env().PubringPath).value_or(0);
    times.secring = FileTime(Env().SecringPath).value_or(0);
    times.trustdb = FileTime(Env().TrustdbPath).value_or(0);
    return times;
}

std::optional<KeyringTimes> KeyringTimesAfterImport() {
    if (!BothKeyringsExist()) return std::nullopt;
    auto pubring = FileTime(Env().PubringPath);
    auto secring = FileTime(Env().SecringPath);
    auto trustdb = FileTime(Env().TrustdbPath);
    if (!pubring || !secring || !trustdb) return std::nullopt;
    return KeyringTimes{*pubring, *secring, *trustdb};
}

std::string StripStatusLines(const std::string& outputFile) {
    std::string text;
    if (!ReadWholeFile(outputFile, text)) return "";
    return StripStatusLinesFromText(text);
}

void ReportImportOutput(const std::string& sourceFile, const KeyringTimes& before) {
    const std::string outFile = OutputFilePath();
    std::string text;
    if (!ReadWholeFile(outFile, text)) {
        ShowFileError(GetLastError(), outFile);
        return;
    }
    DeleteFileIfPresent(outFile);

    OutputLogWindow& log = GuiOutputWindow();
    log.SetCaption(Env().ProgramName + Translate(" - Output of Import"));
    log.ShowFrames(true, "OK:", false);
    log.ResetLights();
    switch (ImportVerdictOf(text)) {
        case ImportVerdict::Ok:
            log.SetLight(Indicator::First, Light::Good);
            break;
        case ImportVerdict::Problem:
            log.SetLight(Indicator::First, Light::Alarm, true);
            break;
        case ImportVerdict::None:
            break;
    }

    // GnuPG's messages and status lines arrive through one stream and may share a
    // line; each gets its own before the status lines are dropped.
    if (MatchesPattern(text, "*gpg: *") || MatchesPattern(text, "*[[]GNUPG:] *"))
        text = SplitGluedLines(NormalizeLineEnds(text));
    std::string messages = StripStatusLinesFromText(text);
    if (!messages.empty())
        messages = CleanGnuPGMessages(messages, ReadBoolSetting(kSection, "RemoveGPG", "0"), ConvertFromDosCodepage);

    AppendToOutputLog(ImportEntryText(messages, KeyringNotices(before, KeyringTimesAfterImport())), sourceFile);
    ShowOutputLog();
}

bool ImportKeys(const std::string& sourceFile) {
    const KeyringTimes before = KeyringTimesBeforeImport();
    const bool guiOutput = ReadBoolSetting(kSection, "GuiOutput", "1");
    const std::string hide = ReadHideSetting("HideKeyImp");
    if (hide != "0" && hide != "1") {
        ClearLastRunOk();
        OutputModal() = false;
        return false;
    }
    const bool hidden = hide == "1";
    const std::string outFile = OutputFilePath();
    // A file left by an earlier run must not pass for this run's report.
    if (guiOutput) DeleteFileIfPresent(outFile);

    const std::string command = ImportCommand(Env().GnuPGExeName, sourceFile, hidden, guiOutput, outFile);
    // A console run without the log keeps its window open for the user to read.
    RunHiddenOrVisible(command, hidden, "Importing key(s) ...", guiOutput, !guiOutput);

    const bool ok = LastRunOk();
    if (ok) {
        if (guiOutput) {
            if (FileExists(outFile))
                ReportImportOutput(sourceFile, before);
            else
                ShowMissingOutputFile(outFile);
        }
        if (ReadBoolSetting(kSection, "WatchRingChange", "1"))
            InvalidateKeyCacheIfChanged();
        else
            DeleteKeyListing();
    }
    OutputModal() = false;
    return ok;
}
