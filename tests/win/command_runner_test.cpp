#include <gtest/gtest.h>

#include <windows.h>

#include "common/batch_text.h"
#include "common/ui/message_box.h"
#include "common/win/command_runner.h"
#include "common/win/file_error.h"
#include "common/win/file_system.h"
#include "support/test_env.h"

namespace {

// A command that copies the running batch file next to the output, then leaves the
// batch before any pause line could wait for a key.
std::string CopyBatchCommand(const std::string& target) {
    return "type \"%~f0\">" + BatchQuoted(target) + "&exit /b 0";
}

}  // namespace

TEST(CommandRunner, FileNamesAndSearchTextsReachGnuPGLiterally) {
    ScopedRunEnvironment run;
    const std::string names[] = {"100% sure.txt", "a%PATH%b.txt", "x & y (1)^.txt"};
    std::string command = "gpg.exe --batch --no-tty --print-md MD5";
    for (const auto& name : names) {
        WriteTextFile(run.Folder() / name, "hello\n");
        command += " " + BatchQuoted(run.Folder() / name);
    }
    const std::string out = run.Folder() / "~test.out";
    command += ">" + BatchQuoted(out);
    // A bare text with command characters, and an attempt to run a second command.
    command += "\r\necho Searching for " + BatchLiteral("Smith & Sons | <x> (%PATH%) ^") + " on server . . .>>" +
               BatchQuoted(out);
    command += "\r\necho " + BatchLiteral("x & echo INJECTED>" + (run.Folder() / "marker.txt")) + ">>" + BatchQuoted(out);

    RunBatch(command, kWindowHidden, false, false);

    ASSERT_TRUE(LastRunOk());
    std::string output = ReadTextFile(out);
    for (const auto& name : names) EXPECT_NE(output.find("\\" + name + ":"), std::string::npos) << output;
    EXPECT_NE(output.find("B1 94 6A C9 24 92 D2 34"), std::string::npos) << output;
    EXPECT_NE(output.find("Searching for Smith & Sons | <x> (%PATH%) ^ on server . . ."), std::string::npos) << output;
    EXPECT_FALSE(FileExists(run.Folder() / "marker.txt"));
    EXPECT_FALSE(FileExists(run.Folder() / "~test.bat"));
}

TEST(CommandRunner, BatchFileLayoutAndCodePage) {
    ScopedRunEnvironment run;
    const std::string copy = run.Folder() / "copy.txt";
    const std::string umlaut = "\xe4";  // a-umlaut in the ANSI code page

    // Default settings: exactly four lines.
    RunBatch(CopyBatchCommand(copy) + " " + umlaut, kWindowHidden, false, false);
    ASSERT_TRUE(LastRunOk());
    std::string oemUmlaut = umlaut;
    CharToOemBuffA(umlaut.c_str(), oemUmlaut.data(), 1);
    std::string expected = "@echo off\r\nset PATH=" + Env().ProgramDirShort + ";%PATH%\r\n" + CopyBatchCommand(copy) +
                           " " + (Env().OemCodepage != Env().AnsiCodepage ? oemUmlaut : umlaut) + "\r\ncls\r\n";
    EXPECT_EQ(ReadTextFile(copy), expected);
    if (Env().OemCodepage != Env().AnsiCodepage) {
        EXPECT_NE(oemUmlaut, umlaut);
    }
    // The test run uses a German locale: ANSI 1252, OEM 850.
    if (Env().OemCodepage == "850") {
        EXPECT_EQ(oemUmlaut, "\x84");
    }

    // Equal code pages leave the command alone; every preamble line and the pause,
    // asked for twice, written once.
    Env().OemCodepage = Env().AnsiCodepage;
    Env().AddBatchPause = true;
    Env().Switches.ForceDosCodepage = true;
    Env().SetGnuPGHome = true;
    Env().GnuPGHome = "d:\\keys";
    Env().GnuPGLanguage = "DE";
    RunBatch(CopyBatchCommand(copy) + " " + umlaut, kWindowHidden, true, true);
    EXPECT_EQ(ReadTextFile(copy), "@echo off\r\nchcp " + Env().OemCodepage +
                                      "\r\nset GNUPGHOME=d:\\keys\r\nset LANGUAGE=DE\r\nset PATH=" +
                                      Env().ProgramDirShort + ";%PATH%\r\n" + CopyBatchCommand(copy) + " " + umlaut +
                                      "\r\necho.\r\npause\r\ncls\r\n");
}

TEST(CommandRunner, HiddenRunWaitsForTheEnd) {
    ScopedRunEnvironment run;
    const std::string out = run.Folder() / "~test.out";
    RunBatch("gpg.exe --version>" + BatchQuoted(out) + "\r\ngpg.exe --gen-random 0 200000 >nul\r\necho done>>" +
                 BatchQuoted(out),
             kWindowHidden, false, false);
    ASSERT_TRUE(LastRunOk());
    std::string output = ReadTextFile(out);
    EXPECT_NE(output.find("gpg (GnuPG) 1.4.23"), std::string::npos);
    EXPECT_NE(output.find("done"), std::string::npos);
}

TEST(CommandRunner, FailuresAreReportedAndNothingRuns) {
    ScopedRunEnvironment run;
    ScriptedResponder responder;
    const std::string marker = run.Folder() / "marker.txt";

    // The name the lookup finds differs from the one written: the batch is missing.
    Env().BatchFile = "~test.bat.";
    RunBatch("echo x>" + BatchQuoted(marker), kWindowHidden, false, false);
    EXPECT_FALSE(LastRunOk());
    EXPECT_EQ(responder.Texts(), "Error: Temporary file \"" + run.Folder().Path() + "\\~test.bat.\" not found.\n");
    EXPECT_FALSE(FileExists(marker));

    // cmd.exe would cut a line this long and run the rest: refused.
    responder.Clear();
    Env().BatchFile = "~test.bat";
    RunBatch("echo " + std::string(9000, 'x') + ">" + BatchQuoted(marker), kWindowHidden, false, false);
    EXPECT_FALSE(LastRunOk());
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_NE(responder.Seen()[0].text.find("too long"), std::string::npos);
    EXPECT_FALSE(FileExists(marker));

    // A program that does not exist.
    responder.Clear();
    EXPECT_FALSE(SyncShell(run.Folder() / "missing.exe", kWindowHidden));
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_NE(responder.Seen()[0].text.find("Error #2: "), std::string::npos);
    EXPECT_NE(responder.Seen()[0].text.find(" - [Function SyncShell]"), std::string::npos);
    EXPECT_EQ(responder.Seen()[0].options.icon, MsgIcon::Error);

    // A command line longer than the system takes: the warning that explains it.
    responder.Clear();
    std::string tooLong = "cmd.exe /c echo " + std::string(40000 - 16, 'x');
    EXPECT_FALSE(SyncShell(tooLong, kWindowHidden));
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].options.icon, MsgIcon::Warning);
    EXPECT_NE(responder.Seen()[0].text.find("exceeds the maximum number of characters for a command.com command-line."),
              std::string::npos);
    EXPECT_NE(responder.Seen()[0].text.find("contained 40000 characters. So,"), std::string::npos);
}

TEST(FileError, MessagesByKindOfFailure) {
    struct Case {
        unsigned error;
        const char* message;
    } cases[] = {
        {ERROR_NOT_READY, "Error: Device with file \"a:\\keys.asc\" not available."},
        {ERROR_ACCESS_DENIED, "Error: Path or file \"a:\\keys.asc\" not accessible."},
        {ERROR_SHARING_VIOLATION, "Error: Path or file \"a:\\keys.asc\" not accessible."},
        {ERROR_PATH_NOT_FOUND, "Error: Path with file \"a:\\keys.asc\" not available."},
        {ERROR_DISK_FULL, "Error #112: \"Disk full\" when accessing \"a:\\keys.asc\"."},
    };
    for (const auto& c : cases) EXPECT_EQ(FileErrorMessage(c.error, "Disk full", "A:\\Keys.asc"), c.message);

    ScriptedResponder responder;
    ShowFileError(ERROR_DISK_FULL, "x");
    ShowFileError(ERROR_ACCESS_DENIED, "x");
    ASSERT_EQ(responder.Seen().size(), 2u);
    EXPECT_EQ(responder.Seen()[0].options.icon, MsgIcon::Error);
    EXPECT_EQ(responder.Seen()[1].options.icon, MsgIcon::Warning);
}
