#include <gtest/gtest.h>

#include <windows.h>

#include "common/environment.h"
#include "common/ui/message_box.h"
#include "common/win/file_system.h"
#include "common/win/gnupg_discovery.h"
#include "common/win/home_dir.h"
#include "common/win/settings.h"
#include "common/win/startup.h"
#include "common/win/system_info.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

// An environment for the discovery steps: ini settings, a run folder, a program
// folder of our own.
struct StartupFixture {
    ScopedIniSettings settings;
    ScopedRunEnvironment run;
    TempFolder programDir{"prog"};
    StartupFixture() {
        Env().ProgramDir = programDir.Path();
        Env().ShellHomeDir = run.Folder().Path();
    }
};

void MakeFile(const std::string& path) {
    WriteTextFile(path, "x");
}

}  // namespace

TEST(Startup, WhichFileSearchesOnlyAbsoluteDrivePaths) {
    StartupFixture f;
    TempFolder a("a"), b("b");
    MakeFile(b / "tool.exe");
    MakeFile(f.programDir / "own.exe");
    ScopedEnvironmentVariable path("PATH", "\\\\server\\share;%SystemRoot%\\system32;" + a.Path() + ";" + b.Path() + "\\");
    EXPECT_EQ(WhichFile("tool.exe", false), b / "tool.exe");
    EXPECT_EQ(WhichFile("TOOL.EXE", false), b / "TOOL.EXE");
    EXPECT_EQ(WhichFile("cmd.exe", false), "");  // only behind the unexpanded %SystemRoot%
    EXPECT_EQ(WhichFile("own.exe", true), f.programDir / "own.exe");
    EXPECT_EQ(WhichFile("own.exe", false), "");
}

TEST(Startup, FindGnuPGExeSearchesAgainWhenTheStoredFolderIsNotOnPath) {
    StartupFixture f;
    ScriptedResponder responder;
    TempFolder stale("stale"), onPath("onpath");
    MakeFile(stale / "gpg.exe");
    MakeFile(onPath / "gpg.exe");
    MakeFile(onPath / "gpg2.exe");
    ScopedEnvironmentVariable path("PATH", onPath.Path());

    WriteSetting("Settings", "GnuPG_ExePath", stale / "gpg.exe");
    FindGnuPGExe();
    EXPECT_EQ(Env().GnuPGExePath, Lower(onPath / "gpg.exe"));
    EXPECT_EQ(Env().GnuPGExeDir, Lower(onPath.Path()));
    EXPECT_EQ(Env().GnuPGExeName, "gpg.exe");
    EXPECT_EQ(ReadSetting("Settings", "GnuPG_ExePath"), Lower(onPath / "gpg.exe"));
    EXPECT_TRUE(responder.Seen().empty());  // gpg2.exe is not looked for without EnableGnuPG2

    // A stored path on PATH stays; with EnableGnuPG2 both are found and the user chooses.
    FindGnuPGExe();
    EXPECT_EQ(Env().GnuPGExePath, Lower(onPath / "gpg.exe"));
    WriteSetting("Settings", "GnuPG_ExePath", "");
    WriteSetting("Advanced", "EnableGnuPG2", "1");
    responder.Answer(MsgAnswer::Yes);
    FindGnuPGExe();
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].options.defaultButton, 2);
    EXPECT_EQ(Env().GnuPGExeName, "gpg2.exe");
    EXPECT_EQ(Env().GnuPGExeDir, Lower(onPath.Path()));
}

TEST(Startup, GnuPGNotFoundIsReported) {
    StartupFixture f;
    ScriptedResponder responder;
    TempFolder empty("empty");
    ScopedEnvironmentVariable path("PATH", empty.Path());
    WriteSetting("Settings", "GnuPG_ExePath", "c:\\nowhere\\gpg.exe");
    FindGnuPGExe();
    EXPECT_EQ(Env().GnuPGExePath, "");
    EXPECT_EQ(ReadSetting("Settings", "GnuPG_ExePath", "?"), "");
    EXPECT_EQ(responder.Texts(), "GnuPG could not be found on your system.\r\n\nPlease make sure that the GnuPG-EXE "
                                 "is in your system's \"PATH\"\r\nor in \"" +
                                     Lower(f.programDir.Path()) + "\".\n");
    EXPECT_TRUE(responder.Seen()[0].options.systemModal);
}

TEST(Startup, VersionCheckRunsGnuPGAndCachesTheResult) {
    StartupFixture f;
    ScriptedResponder responder;
    Env().GnuPGExePath = GnuPGFolder() + "\\gpg.exe";
    MakeFile(f.run.Folder() / "~pubkeys.dat");
    MakeFile(f.run.Folder() / "~seckeys.dat");

    CheckGnuPGVersion(false);
    EXPECT_EQ(Env().GnuPGVersion, "v1.4.23");
    EXPECT_EQ(ReadSetting("Settings", "GnuPG_Version"), "v1.4.23");
    EXPECT_EQ(ReadSetting("Settings", "GnuPG_DateTime"), FileDateTimeText(Env().GnuPGExePath));
    EXPECT_FALSE(FileExists(f.run.Folder() / "~pubkeys.dat"));
    EXPECT_FALSE(FileExists(f.run.Folder() / "~seckeys.dat"));
    EXPECT_FALSE(FileExists(f.run.Folder() / "~test.out"));
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();

    // The cached version is used while the executable's time is unchanged.
    WriteSetting("Settings", "GnuPG_Version", "v1.4.99");
    CheckGnuPGVersion(false);
    EXPECT_EQ(Env().GnuPGVersion, "v1.4.99");
}

TEST(Startup, VersionCheckJudgesWhatGnuPGReports) {
    StartupFixture f;
    Env().ProgramDirShort = ProgramsFolder() + "\\fakes";
    Env().GnuPGExePath = Env().ProgramDirShort + "\\gpg.exe";
    const std::string tooOld =
        "This version of Corvane requires at least GnuPG v1.4.10 or later.\r\n\nYour version (v1.4.9a) does not "
        "fulfill this requirement, please update.\n";
    const std::string unknown =
        "Corvane was not able to get GnuPG's version-number. This may be\r\ncaused by a version < v1.2.5 or an invalid "
        "setting in your options-file,\r\nplease check this.\n";
    struct Case {
        const char* reported;
        bool noVersionWarn, siblingRunning;
        const char* version;
        std::string messages;
    } cases[] = {
        {"1.4.10", false, false, "v1.4.10", ""},
        {"1.4.9a", false, false, "v1.4.9a", tooOld},
        {"1.4.9a", true, false, "v1.4.9a", ""},
        {"1.4.9a", false, true, "v1.4.9a", ""},
        {"", false, false, "v0.0.0", unknown},
    };
    for (const auto& c : cases) {
        ScriptedResponder responder;
        ScopedEnvironmentVariable version("FAKE_GPG_VERSION", c.reported);
        WriteSetting("Settings", "GnuPG_Version", "");
        Env().Switches.NoVersionWarn = c.noVersionWarn;
        CheckGnuPGVersion(c.siblingRunning);
        EXPECT_EQ(Env().GnuPGVersion, c.version) << c.reported;
        EXPECT_EQ(responder.Texts(), c.messages) << c.reported;
        EXPECT_EQ(ReadSetting("Settings", "GnuPG_Version"), std::string(c.reported).empty() ? "" : c.version);
    }
}

TEST(Startup, GnuPGHomeSources) {
    StartupFixture f;
    ScopedEnvironmentVariable gnupgHome("GNUPGHOME", "C:\\From\\Environment\\");

    WriteSetting("Advanced", "GNUPGHOME", "d:/keys/");
    ResolveGnuPGHome();
    EXPECT_EQ(Env().GnuPGHome, "d:\\keys");
    EXPECT_TRUE(Env().SetGnuPGHome);
    EXPECT_EQ(ReadSetting("Settings", "SetGnuPGHome"), "1");

    // The stored answer of the first program is shared by the others.
    RemoveSetting("Advanced", "GNUPGHOME");
    ResolveGnuPGHome();
    EXPECT_EQ(Env().GnuPGHome, "d:\\keys");

    WriteSetting("Settings", "GnuPG_HomeDir", "");
    ResolveGnuPGHome();
    EXPECT_EQ(Env().GnuPGHome, "c:\\from\\environment");
    EXPECT_FALSE(Env().SetGnuPGHome);
    EXPECT_EQ(ReadSetting("Settings", "GnuPG_HomeDir"), "c:\\from\\environment\\");
    EXPECT_EQ(ReadSetting("Settings", "SetGnuPGHome"), "0");
}

TEST(Startup, HomeDirQuestions) {
    StartupFixture f;
    {
        // No, then an empty input box: the user gave up.
        ScriptedResponder responder;
        responder.Answer(MsgAnswer::No);
        responder.AnswerInput(std::nullopt);
        ResolveShellHomeDir("AppStart");
        EXPECT_EQ(Env().ShellHomeDir, "");
        ASSERT_EQ(responder.Seen().size(), 2u);
        EXPECT_TRUE(responder.Seen()[0].text.starts_with("Do you want to use:\r\n\n\""));
        EXPECT_TRUE(responder.Seen()[1].isInputBox);
        EXPECT_EQ(responder.Seen()[1].text,
                  "Please set your Corvane-HomeDir now.\r\n\nMake sure that you enter a valid path. Relative paths "
                  "below \"" + Lower(f.programDir.Path()) + "\" (like e.g. \".\\Corvane-Home\") are allowed.");
    }
    {
        // A typed relative path that does not exist yet is created on request.
        ScriptedResponder responder;
        responder.Answer(MsgAnswer::No);
        responder.AnswerInput(std::string("  .\\Home\\Keys  "));
        responder.Answer(MsgAnswer::Yes);
        ResolveShellHomeDir("AppStart");
        EXPECT_EQ(Env().ShellHomeDir, Lower(f.programDir / "Home\\Keys"));
        EXPECT_TRUE(DirectoryExists(f.programDir / "Home\\Keys"));
        EXPECT_EQ(ReadSetting("Settings", "ShellHomeDir"), ".\\Home\\Keys");
        EXPECT_EQ(responder.Seen().size(), 3u);
    }
    {
        // A stored value that is no absolute path is refused, then the user cancels.
        ScriptedResponder responder;
        WriteSetting("Settings", "ShellHomeDir", "relative\\home");
        responder.Answer(MsgAnswer::Ok);
        responder.Answer(MsgAnswer::Cancel);
        ResolveShellHomeDir("AppStart");
        EXPECT_EQ(Env().ShellHomeDir, "");
        EXPECT_EQ(responder.Seen()[0].text, "Invalid Corvane-HomeDir setting: \"relative\\home\"");
    }
}

TEST(Startup, ExtCommandWaitFlag) {
    StartupFixture f;
    const std::string marker = f.run.Folder() / "started.txt";
    WriteSetting("Advanced", "Ext_StartCommand", GetComSpec(true));
    WriteSetting("Advanced", "Ext_StartCommandArg", "/c echo x>\"" + marker + "\"");
    struct Case {
        const char* wait;
        bool runs;
    } cases[] = {{"yes", false}, {"2", false}, {"1", true}, {"True", true}};
    for (const auto& c : cases) {
        DeleteFileIfPresent(marker);
        WriteSetting("Advanced", "Ext_StartCommandWait", c.wait);
        RunExtCommand(ExtCommand::Start);
        EXPECT_EQ(FileExists(marker), c.runs) << c.wait;
    }
}

TEST(Startup, AdvancedSwitchesFromSettingsAndCommandLine) {
    StartupFixture f;
    struct Case {
        const char* cygwin;
        const char* commandLine;
        bool on;
    } cases[] = {{"1", "", true},          {"2", "", false},          {"0", "/cygwin", true},
                 {"", "/CYGWIN", false},   {"yes", "x /cygwin y", true}, {"1.0", "", true}};
    for (const auto& c : cases) {
        WriteSetting("Advanced", "Cygwin", c.cygwin);
        ReadAdvancedSwitches(Program::Morvish, c.commandLine);
        EXPECT_EQ(Env().Switches.Cygwin, c.on) << c.cygwin << " " << c.commandLine;
    }
    // Switches a program does not read stay off.
    WriteSetting("Advanced", "NoGreyscale", "1");
    Env().Switches.NoGreyscale = false;
    ReadAdvancedSwitches(Program::Pallow, "/no-greyscale");
    EXPECT_FALSE(Env().Switches.NoGreyscale);
    ReadAdvancedSwitches(Program::Morvish, "");
    EXPECT_TRUE(Env().Switches.NoGreyscale);
}
