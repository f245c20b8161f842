#include "common/win/key_listing_files.h"
#include "common/win/startup.h"

#include <windows.h>
#include <shlobj.h>

#include <cstdlib>
#include <ctime>

#include "common/environment.h"
#include "common/os_version.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/twips.h"
#include "common/wildcard.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/gnupg_discovery.h"
#include "common/win/handles.h"
#include "common/win/home_dir.h"
#include "common/win/program_windows.h"
#include "common/win/setting_paths.h"
#include "common/win/settings.h"
#include "common/win/system_info.h"
#include "common/win/translation_loader.h"

namespace {

bool previousInstance = false;

// Held for the life of the process: other programs and installers test for it.
void CreateProgramMutex(Program program) {
    static UniqueHandle mutex;
    mutex.reset(CreateMutexA(nullptr, FALSE, ("Mutex" + ProgramNameOf(program)).c_str()));
    previousInstance = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
}

bool RefuseDriveRoot() {
    if (!MatchesPattern(Env().ProgramDir, "?:\\")) return false;
    ShowMessage(Translate("Corvane will not run when installed in a drive's root-directory."),
                {.icon = MsgIcon::Information, .systemModal = true});
    return true;
}

void TakeOsVersion() {
    Environment& env = Env();
    env.OsVersion = GetOSVer();
    env.OsFamily = OsFamilyOf(env.OsVersion);
    env.Win2000OrLater = env.OsFamily == "WinNT" && env.OsVersion != "NT_3.51" && env.OsVersion != "NT_4.0";
}

void TakeProgramDirShort() {
    Env().ProgramDirShort = Env().OsFamily == "Win9x" ? ShortName(Env().ProgramDir) : Env().ProgramDir;
}

void TakeLocale(bool withOem) {
    Environment& env = Env();
    if (withOem) env.OemCodepage = GetLocInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTCODEPAGE);
    env.AnsiCodepage = GetLocInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE);
    env.SystemLanguage = GetLocInfo(LOCALE_SYSTEM_DEFAULT, LOCALE_SISO639LANGNAME);
}

void TakeWindowsFolders(bool withSystem) {
    Env().WindowsDir = GetSysFolder(CSIDL_WINDOWS, false);
    if (withSystem) Env().SystemDir = GetSysFolder(CSIDL_SYSTEM, false);
}

// A usable GnuPG home is a folder that exists (hidden ones included).
bool GnuPGHomeUsable() {
    return DirectoryExists(Env().GnuPGHome);
}

// One of the other two programs that run GnuPG is running (a previous instance of
// Dunmere does not count here): it has already shown the shared warnings.
bool OtherGnuPGProgramRunning(Program program) {
    switch (program) {
        case Program::Morvish: return IsProgramRunning("Dunmere") || IsProgramRunning("Pallow");
        case Program::Pallow: return IsProgramRunning("Morvish") || IsProgramRunning("Dunmere");
        default: return IsProgramRunning("Morvish") || IsProgramRunning("Pallow");
    }
}

std::string FileNameBase(Program program) {
    return "~" + ToLower(ProgramNameOf(program));
}

bool RunFullStartup(Program program, const std::string& commandLine) {
    Environment& env = Env();
    const std::string name = ProgramNameOf(program);

    CreateProgramMutex(program);
    if ((program == Program::Morvish || program == Program::Pallow) && IsProgramRunning(name)) {
        ShowMessage(name + Translate(" is already running."), {.icon = MsgIcon::Information, .systemModal = true});
        return false;
    }
    env.ProgramDir = ModuleDirectory();
    if (RefuseDriveRoot()) return false;
    TakeOsVersion();
    SelectSettingsBackend();
    if (program == Program::Dunmere) WriteSetting("Dunmere", "_ExePath", env.ProgramDir + "\\dunmere.exe");
    TakeProgramDirShort();
    if (program == Program::Morvish) TakeWindowsFolders(true);

    env.TempDir = ToLower(EnvironmentVariable("TEMP"));
    env.BatchFile = FileNameBase(program) + ".bat";
    env.OutputFile = FileNameBase(program) + ".out";

    env.ComSpecPath = ReadSetting("Settings", "ComSpec", "");
    if (env.ComSpecPath.empty() || !FileExists(env.ComSpecPath)) env.ComSpecPath = GetComSpec(true);

    TakeLocale(true);
    env.ProgramVersion = ModuleVersionText();
    LoadTranslation(ToLower(name) + ".lng", !OtherGnuPGProgramRunning(program));

    if (!OtherSuiteProgramRunning(program)) RunExtCommand(ExtCommand::Start);

    ResolveShellHomeDir("AppStart");
    if (env.ShellHomeDir.empty()) return false;
    FindGnuPGExe();
    if (env.GnuPGExePath.empty()) return false;
    FindPgpDump();
    if (program != Program::Morvish) FindUnzipSfx();
    ReadAdvancedSwitches(program, commandLine);

    CheckGnuPGVersion(OtherGnuPGProgramRunning(program));
    ResolveGnuPGHome();

    if (!GnuPGHomeUsable()) {
        if (!OtherSuiteProgramRunning(program)) {
            WriteSetting("Settings", "GnuPG_HomeDir", "");
            WriteSetting("Settings", "SetGnuPGHome", "0");
        }
        std::string brenlow = env.ProgramDir + "\\Brenlow.exe";
        if (FileExists(brenlow)) StartProgram("\"" + brenlow + "\"", kWindowNormal);
        return false;
    }

    ReadGnuPGLanguage();
    env.GpgConfPath = env.GnuPGHome + "\\gpg.conf";
    env.PubringPath = env.GnuPGHome + "\\pubring.gpg";
    env.SecringPath = env.GnuPGHome + "\\secring.gpg";
    env.TrustdbPath = env.GnuPGHome + "\\trustdb.gpg";
    srand(static_cast<unsigned>(time(nullptr)));
    env.CaptionHeight = CaptionHeightTwips();
    return true;
}

bool RunBrenlowStartup() {
    Environment& env = Env();
    CreateProgramMutex(Program::Brenlow);
    if (previousInstance) {
        ShowMessage(Translate("Brenlow is already running."), {.icon = MsgIcon::Information, .systemModal = true});
        return false;
    }
    env.ProgramDir = ModuleDirectory();
    if (RefuseDriveRoot()) return false;
    TakeOsVersion();
    SelectSettingsBackend();
    TakeProgramDirShort();
    TakeWindowsFolders(false);
    TakeLocale(false);
    ResolveShellHomeDir("AppStart");
    if (env.ShellHomeDir.empty()) return false;
    env.CaptionHeight = CaptionHeightTwips();
    return true;
}

bool RunOrlithStartup() {
    Environment& env = Env();
    CreateProgramMutex(Program::Orlith);
    env.ProgramDir = ModuleDirectory();
    if (RefuseDriveRoot()) return false;
    TakeOsVersion();
    SelectSettingsBackend();
    TakeLocale(false);
    ResolveShellHomeDir("AppStart");
    if (env.ShellHomeDir.empty()) return false;
    env.CaptionHeight = CaptionHeightTwips();
    return true;
}

struct SwitchRule {
    const char* key;
    const char* commandLinePattern;  // "" = no command-line form
    bool AdvancedSwitches::*flag;
    bool morvish, pallow, dunmere;
};

const SwitchRule kSwitchRules[] = {
    {"Cygwin", "*/cygwin*", &AdvancedSwitches::Cygwin, true, true, true},
    {"EncodedMailto", "*/encoded-mailto*", &AdvancedSwitches::EncodedMailto, true, true, true},
    {"NoIconChange", "*/no-icon-change*", &AdvancedSwitches::NoIconChange, false, true, true},
    {"NoGreyscale", "*/no-greyscale*", &AdvancedSwitches::NoGreyscale, true, false, false},
    {"NoOptWriteWarn", "*/no-opt-write-warn*", &AdvancedSwitches::NoOptWriteWarn, true, false, false},
    {"NoUpdateAllWarn", "*/no-update-all-warn*", &AdvancedSwitches::NoUpdateAllWarn, true, false, false},
    {"ForceDosCodepage", "", &AdvancedSwitches::ForceDosCodepage, true, true, true},
    {"NoVersionChange", "", &AdvancedSwitches::NoVersionChange, true, true, true},
    {"NoVersionWarn", "", &AdvancedSwitches::NoVersionWarn, true, true, true},
    {"NoOverwriteWarn", "", &AdvancedSwitches::NoOverwriteWarn, true, true, false},
    {"NoCloseOutput", "", &AdvancedSwitches::NoCloseOutput, false, true, false},
    {"NoMultiExt", "", &AdvancedSwitches::NoMultiExt, false, true, true},
};

}  // namespace

std::string ProgramNameOf(Program program) {
    switch (program) {
        case Program::Morvish: return "Morvish";
        case Program::Pallow: return "Pallow";
        case Program::Dunmere: return "Dunmere";
        case Program::Brenlow: return "Brenlow";
        case Program::Orlith: return "Orlith";
    }
    return "";
}

bool HasPreviousInstance() {
    return previousInstance;
}

bool RunStartup(Program program, const std::string& commandLine) {
    Env().ProgramName = ProgramNameOf(program);
    switch (program) {
        case Program::Brenlow: return RunBrenlowStartup();
        case Program::Orlith: return RunOrlithStartup();
        default: return RunFullStartup(program, commandLine);
    }
}

bool OtherSuiteProgramRunning(Program program) {
    switch (program) {
        case Program::Morvish: return IsProgramRunning("Dunmere") || IsProgramRunning("Pallow");
        case Program::Pallow: return IsProgramRunning("Morvish") || IsProgramRunning("Dunmere");
        case Program::Dunmere:
            return previousInstance || IsProgramRunning("Morvish") || IsProgramRunning("Pallow");
        default: return false;
    }
}

void ReadAdvancedSwitches(Program program, const std::string& commandLine) {
    for (const auto& rule : kSwitchRules) {
        bool used = program == Program::Morvish   ? rule.morvish
                    : program == Program::Pallow  ? rule.pallow
                    : program == Program::Dunmere ? rule.dunmere
                                                  : false;
        if (!used) continue;
        bool on = ReadAdvancedSwitch(rule.key) ||
                  (*rule.commandLinePattern && MatchesPattern(commandLine, rule.commandLinePattern));
        Env().Switches.*rule.flag = on;
    }
}

void RunExtCommand(ExtCommand which) {
    const std::string prefix = which == ExtCommand::Start ? "Ext_StartCommand" : "Ext_StopCommand";
    std::string command = ReadSetting("Advanced", prefix, "");
    if (command.empty()) return;
    command = ExpandSettingPath(command, kExtCommandSteps);
    std::string argument = ReadSetting("Advanced", prefix + "Arg", "");
    if (!argument.empty()) argument = " " + argument;
    if (!FileExists(command)) return;
    SetCurrentDirectoryA(Env().ProgramDir.c_str());
    std::string wait = ToLower(Trim(ReadSetting("Advanced", prefix + "Wait", "0")));
    // A path with blanks must be quoted, or the system would guess where it ends.
    std::string line = (command.find(' ') != std::string::npos ? "\"" + command + "\"" : command) + argument;
    if (wait == "1" || wait == "true")
        SyncShell(line, kWindowNormal);
    else if (wait == "0" || wait == "false")
        StartProgram(line, kWindowNormal);
    else
        return;
    Sleep(500);
}

void LastProgramCleanup(Program program) {
    if (OtherSuiteProgramRunning(program)) return;
    if (IsSwitchOn(ReadSetting("Settings", "RemDataFiles", "0")))
        DeleteKeyListing();
    WriteSetting("Settings", "GnuPG_HomeDir", "");
    WriteSetting("Settings", "SetGnuPGHome", "0");
    RunExtCommand(ExtCommand::Stop);
}
