#include "common/win/key_listing_files.h"
#include "common/win/gnupg_discovery.h"

#include <windows.h>
#include <shlobj.h>

#include "common/batch_text.h"
#include "common/environment.h"
#include "common/gnupg_version.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/wait_window.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/registry.h"
#include "common/win/setting_paths.h"
#include "common/win/settings.h"
#include "common/win/system_info.h"

namespace {

const std::string kQuote = "\"";

std::string WithoutTrailingBackslash(std::string path) {
    if (path.size() > 1 && path.back() == '\\') path.pop_back();
    return path;
}

void StartBrenlow(const std::string& arguments) {
    std::string brenlow = Env().ProgramDir + "\\Brenlow.exe";
    if (!FileExists(brenlow)) return;
    StartProgram(kQuote + brenlow + kQuote + (arguments.empty() ? "" : " " + arguments), kWindowNormal);
}

}  // namespace

bool FolderIsOnSearchPath(const std::string& folder) {
    // Whole entries only: "c:\gnupg" must not pass because "c:\gnupg2" is on PATH,
    // and a folder name holding "[" or "#" is a name, not a pattern.
    const std::string wanted = WithoutTrailingBackslash(ToLower(folder));
    if (wanted.empty()) return false;
    for (const auto& entry : Split(ToLower(Env().ProgramDir + ";" + EnvironmentVariable("PATH")), ';')) {
        if (WithoutTrailingBackslash(Trim(entry)) == wanted) return true;
    }
    return false;
}

void FindGnuPGExe() {
    Environment& env = Env();
    std::string stored = ToLower(ReadSetting("Settings", "GnuPG_ExePath", ""));
    if (!stored.empty()) {
        std::string name = ToLower(LookupFileName(stored));
        if ((name == "gpg.exe" || name == "gpg2.exe") && EndsWith(stored, "\\" + name)) {
            std::string dir = stored.substr(0, stored.size() - name.size() - 1);
            if (FolderIsOnSearchPath(dir)) {
                env.GnuPGExePath = stored;
                env.GnuPGExeName = name;
                env.GnuPGExeDir = dir;
                return;
            }
        }
    }

    env.GnuPGExePath.clear();
    env.GnuPGExeName.clear();
    env.GnuPGExeDir.clear();
    std::string gpg = ToLower(WhichFile("gpg.exe", true));
    std::string gpg2 = ReadAdvancedSwitch("EnableGnuPG2") ? ToLower(WhichFile("gpg2.exe", true)) : "";
    bool useGpg2 = !gpg2.empty();
    if (!gpg.empty() && !gpg2.empty()) {
        useGpg2 = ShowMessage(JoinMessageLines({Translate("GnuPG and GnuPG-2 were found on your system."),
                                                Translate("Do you want to use GnuPG-2 instead of standard GnuPG?"), "",
                                                Translate("Corvane will not provide additional features with GnuPG-2.")}),
                              {.icon = MsgIcon::Question, .buttons = MsgButtons::YesNo, .defaultButton = 2}) ==
                  MsgAnswer::Yes;
    }
    if (useGpg2) {
        env.GnuPGExePath = gpg2;
        env.GnuPGExeName = "gpg2.exe";
        env.GnuPGExeDir = gpg2.substr(0, gpg2.size() - 9);
    } else if (!gpg.empty()) {
        env.GnuPGExePath = gpg;
        env.GnuPGExeName = "gpg.exe";
        env.GnuPGExeDir = gpg.substr(0, gpg.size() - 8);
    } else {
        ShowMessage(JoinMessageLines({Translate("GnuPG could not be found on your system."), "",
                                      Translate("Please make sure that the GnuPG-EXE is in your system's ") + kQuote +
                                          "PATH" + kQuote,
                                      Translate("or in ") + kQuote + ToLower(env.ProgramDir) + kQuote + "."}),
                    {.icon = MsgIcon::Information, .systemModal = true});
        StartBrenlow("/justpath");
    }
    WriteSetting("Settings", "GnuPG_ExePath", env.GnuPGExePath);
}

void CheckGnuPGVersion(bool otherProgramRunning) {
    Environment& env = Env();
    std::string stored = ReadSetting("Settings", "GnuPG_Version", "");
    std::string exeTime = FileDateTimeText(env.GnuPGExePath);
    if (!stored.empty() && ReadSetting("Settings", "GnuPG_DateTime", "") == exeTime) {
        env.GnuPGVersion = stored;
    } else {
        env.GnuPGVersion = kUnknownGnuPGVersion;
        // The version check runs before the GnuPG home is resolved: only a home
        // forced in [Advanced] applies to it.
        BatchContext context;
        context.forceDosCodepage = env.Switches.ForceDosCodepage;
        context.oemCodepage = env.OemCodepage;
        context.gnuPGHome = ExpandSettingPath(ReadSetting("Advanced", "GNUPGHOME", ""), kGnuPGHomeSteps);
        context.setGnuPGHome = !context.gnuPGHome.empty();
        context.programDirShort = env.ProgramDirShort;
        std::string command = ConvertToDosCodepage(
            ComposeVersionCheckCommand(env.GnuPGExeName, env.TempDir, env.OutputFile, env.Switches.Cygwin));
        const std::string outputPath = OutputFilePath();

        bool ran;
        {
            WaitWindow wait;
            wait.Show(Translate("Checking GnuPG version ..."));
            ran = RunBatchText(JoinBatchLines(ComposeBatchLines(context, command, false)), kWindowHidden);
        }
        if (!ran) {
            DeleteFileIfPresent(outputPath);
            return;
        }
        std::string output;
        if (ReadWholeFile(outputPath, output)) {
            std::string version = ParseListConfigVersion(SplitLines(output));
            if (!version.empty()) env.GnuPGVersion = version;
            DeleteFileIfPresent(outputPath);
            if (!version.empty() && version != kUnknownGnuPGVersion) {
                WriteSetting("Settings", "GnuPG_Version", env.GnuPGVersion);
                WriteSetting("Settings", "GnuPG_DateTime", exeTime);
            } else {
                WriteSetting("Settings", "GnuPG_Version", "");
            }
            // Another GnuPG may list keys differently: rebuild the key lists.
            DeleteKeyListing();
        } else {
            ShowError(JoinMessageLines({Translate("Error: File ") + kQuote + outputPath + kQuote + Translate(" not found."),
                                        Translate("Please check your GnuPG configuration (invalid options, etc.).")}));
        }
    }

    if (env.GnuPGVersion == kUnknownGnuPGVersion) {
        ShowWarning(JoinMessageLines({Translate("Corvane was not able to get GnuPG's version-number. This may be"),
                                      Translate("caused by a version < v1.2.5 or an invalid setting in your options-file,"),
                                      Translate("please check this.")}));
    } else if (IsGnuPGVersionTooOld(env.GnuPGVersion) && !env.Switches.NoVersionWarn && !otherProgramRunning) {
        ShowWarning(JoinMessageLines(
            {Translate("This version of Corvane requires at least GnuPG ") + env.MinGnuPGVersion + Translate(" or later."),
             "",
             Translate("Your version (") + env.GnuPGVersion + Translate(") does not fulfill this requirement, please update.")}));
    }
}

void ResolveGnuPGHome() {
    Environment& env = Env();
    env.GnuPGHome = ReadSetting("Settings", "GnuPG_HomeDir", "");
    env.SetGnuPGHome = ReadBoolSetting("Settings", "SetGnuPGHome", "False");
    if (env.GnuPGHome.empty()) {
        std::string home =
            ExpandSettingPath(ReadSetting("Advanced", "GNUPGHOME", ""), kPathSlashes | kPathEnvironment | kPathRelative);
        env.SetGnuPGHome = !home.empty();
        if (home.empty()) home = EnvironmentVariable("GNUPGHOME");
        if (home.empty()) home = RegistryReadString(HKEY_CURRENT_USER, "Software\\GNU\\GnuPG", "HomeDir");
        if (home.empty()) home = RegistryReadString(HKEY_LOCAL_MACHINE, "Software\\GNU\\GnuPG", "HomeDir");
        if (home.empty() && FileExists("C:\\GnuPG\\pubring.gpg")) {
            RegistryCreateKey(HKEY_CURRENT_USER, "Software\\GNU\\GnuPG");
            RegistryWriteString(HKEY_CURRENT_USER, "Software\\GNU\\GnuPG", "HomeDir", "C:\\GnuPG");
            home = "C:\\GnuPG";
        }
        if (home.empty()) {
            std::string appData = GetSysFolder(CSIDL_APPDATA, true);
            if (!appData.empty()) home = appData + "\\GnuPG";
        }
        if (home.empty()) home = "C:\\GnuPG";
        env.GnuPGHome = ToLower(home);
        WriteSetting("Settings", "GnuPG_HomeDir", env.GnuPGHome);
        WriteSetting("Settings", "SetGnuPGHome", env.SetGnuPGHome ? "1" : "0");
    }
    env.GnuPGHome = WithoutTrailingBackslash(StrgReplace(env.GnuPGHome, "/", "\\"));
}

void ReadGnuPGLanguage() {
    std::string language = ReadSetting("Advanced", "LANGUAGE", "");
    Env().GnuPGLanguage = language.empty() ? "" : ToUpper(ExpEnviron(language));
}

void FindPgpDump() {
    std::string stored = ToLower(ReadSetting("Settings", "PGPdump_ExePath", ""));
    if (ToLower(LookupFileName(stored)) == "pgpdump.exe" && stored.size() > 12 &&
        FolderIsOnSearchPath(stored.substr(0, stored.size() - 12))) {
        Env().PgpDumpPath = stored;
        return;
    }
    Env().PgpDumpPath = ToLower(WhichFile("pgpdump.exe", true));
    WriteSetting("Settings", "PGPdump_ExePath", Env().PgpDumpPath);
}

void FindUnzipSfx() {
    std::string stored = ToLower(ReadSetting("Settings", "InfoZip_ExePath", ""));
    if (!stored.empty() && ToLower(LookupFileName(stored)) == "unzipsfx.exe") {
        Env().UnzipSfxPath = stored;
        return;
    }
    std::string bundled = Env().ProgramDir + "\\_sfx\\unzipsfx.exe";
    Env().UnzipSfxPath = FileExists(bundled) ? ToLower(bundled) : "";
    WriteSetting("Settings", "InfoZip_ExePath", Env().UnzipSfxPath);
}
