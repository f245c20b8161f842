// Exporting and importing keys through the real gpg.exe, and the import's report
// in the output log window.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/environment.h"
#include "common/key_listing.h"
#include "common/ui/message_box.h"
#include "common/ui/output_log_window.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/key_transfer.h"
#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "common/win/version_line_file.h"
#include "output_test_support.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

using namespace output_test;

namespace {

size_t CountOf(const std::string& text, const std::string& part) {
    size_t count = 0;
    for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
    return count;
}

// A program's environment with its own, empty GnuPG home and Corvane home, the
// log window closed, and the settings of a hidden import into the log.
struct TransferFixture {
    ScopedIniSettings settings;
    ScopedRunEnvironment run;
    TempFolder gnupgHome{"gnupg"};
    TempFolder shellHome{"home"};
    TransferFixture() {
        Environment& env = Env();
        env.ProgramName = "Morvish";
        env.ProgramVersion = "1.00";
        env.OsFamily = "WinNT";
        env.SetGnuPGHome = true;
        env.GnuPGHome = gnupgHome.Path();
        env.PubringPath = gnupgHome / "pubring.gpg";
        env.SecringPath = gnupgHome / "secring.gpg";
        env.TrustdbPath = gnupgHome / "trustdb.gpg";
        env.ShellHomeDir = shellHome.Path();
        WriteSetting("Settings", "GuiOutput", "1");
        WriteSetting("Settings", "HideKeyImp", "1");
        WriteSetting("Settings", "HideKeyExp", "1");
        WriteSetting("Settings", "WatchRingChange", "0");
        CloseLog();
    }
    ~TransferFixture() { CloseLog(); }
    static void CloseLog() {
        if (OutputLogWindow* log = ExistingGuiOutputWindow()) log->Destroy();
    }
    void MakeCacheFiles() {
        WriteTextFile(shellHome / kPublicListingFile, "x");
        WriteTextFile(shellHome / kSecretListingFile, "x");
    }
    bool CacheFilesGone() {
        return !FileExists(shellHome / kPublicListingFile) && !FileExists(shellHome / kSecretListingFile);
    }
};

}  // namespace

TEST(OutputKeyTransfer, ExportStampsTheVersionLineOnce) {
    const TestKey& key = SharedTestKey();
    ASSERT_EQ(key.keyId.size(), 16u) << "the test key could not be made";
    TransferFixture f;
    Env().GnuPGHome = key.home;
    // GnuPG 1.4.23 writes no version header unless the user's options ask for one.
    WriteTextFile(key.home + "\\gpg.conf", "emit-version\r\n");
    const std::string target = f.run.Folder() / "100% sure.asc";

    ASSERT_TRUE(ExportKeys(target, false, " 0x" + key.keyId));
    std::string exported = ReadTextFile(target);
    EXPECT_EQ(exported.find("-----BEGIN PGP PUBLIC KEY BLOCK-----\r\nVersion: GnuPG v1 - Corvane v1.00\r\n"), 0u)
        << exported.substr(0, 200);
    EXPECT_EQ(CountOf(exported, "Corvane v"), 1u);
    EXPECT_NE(exported.find("-----END PGP PUBLIC KEY BLOCK-----\r\n"), std::string::npos);

    // Stamping again, as another export into the same file would, changes nothing.
    StampVersionLine(target, false);
    EXPECT_EQ(ReadTextFile(target), exported);
    // With the switch NoVersionChange GnuPG's header stays as it is.
    const std::string plain = f.run.Folder() / "plain.asc";
    const std::string asGnuPGWroteIt = StrgReplace(exported, " - Corvane v1.00", "");
    WriteTextFile(plain, asGnuPGWroteIt);
    Env().Switches.NoVersionChange = true;
    StampVersionLine(plain, false);
    EXPECT_EQ(ReadTextFile(plain), asGnuPGWroteIt);
    Env().Switches.NoVersionChange = false;
    StampVersionLine(plain, false);
    EXPECT_NE(ReadTextFile(plain).find("Version: GnuPG v1 - Corvane v1.00\r\n"), std::string::npos);

    // A value of the hide setting other than 0 or 1 runs nothing.
    WriteSetting("Settings", "HideKeyExp", "2");
    const std::string notMade = f.run.Folder() / "not made.asc";
    ASSERT_TRUE(LastRunOk());  // from the export above
    EXPECT_FALSE(ExportKeys(notMade, false, " 0x" + key.keyId));
    EXPECT_FALSE(FileExists(notMade));
    EXPECT_FALSE(LastRunOk());  // no earlier success passes for this one
}

TEST(OutputKeyTransfer, ImportsPileUpInTheLogNewestOnTop) {
    const TestKey& key = SharedTestKey();
    ASSERT_EQ(key.keyId.size(), 16u) << "the test key could not be made";
    TransferFixture f;
    WriteSetting("Settings", "RemoveGPG", "1");
    f.MakeCacheFiles();
    const std::string shortId = key.keyId.substr(8);

    ASSERT_TRUE(ImportKeys(key.exportFile));
    OutputLogWindow* log = ExistingGuiOutputWindow();
    ASSERT_NE(log, nullptr);
    HWND window = log->Handle();
    EXPECT_EQ(TextOf(window), "Morvish - Output of Import");
    EXPECT_TRUE(IsWindowVisible(window)) << "shown without blocking";
    EXPECT_TRUE(f.CacheFilesGone()) << "WatchRingChange 0 deletes the key cache files";

    std::string first = TextOf(log->FindControl(kOutputTextName));
    // GnuPG's messages without status lines or "gpg: " prefixes, then the notices,
    // the file and the time. The new keyrings are announced first.
    EXPECT_NE(first.find("\r\nKey " + shortId + ": public key \"" + key.userId + "\" imported\r\n"), std::string::npos)
        << first;
    EXPECT_NE(first.find("trustdb.gpg: trustdb created\r\n"), std::string::npos) << first;
    EXPECT_NE(first.find("\r\nTotal number processed: 1\r\n"), std::string::npos) << first;
    EXPECT_EQ(first.find("[GNUPG:]"), std::string::npos) << first;
    EXPECT_FALSE(first.starts_with("gpg: ") || first.find("\r\ngpg: ") != std::string::npos) << first;
    EXPECT_NE(first.find("\r\n\r\n- Public keyring updated. -\r\n- Secret keyring updated. -\r\n"
                         "- Trust DB updated. -\r\n\r\nFile: " +
                         key.exportFile + "\r\nTime: "),
              std::string::npos)
        << first;
    EXPECT_TRUE(EndsWith(first, " UTC)\r\n")) << first;

    EXPECT_EQ(LightShown(log->FindControl(kImgMdcName)), "good");
    EXPECT_FALSE(log->Blinking(Indicator::First));
    EXPECT_TRUE(IsWindowVisible(log->FindControl(kFrameMdcName)));
    EXPECT_EQ(TextOf(log->FindControl(kLabelMdcName)), "OK:");
    EXPECT_FALSE(IsWindowVisible(log->FindControl(kFrameSigName)));
    EXPECT_FALSE(IsWindowVisible(log->FindControl(kImgSigName)));

    // The same key again, now with the prefixes kept and the keyring watched: the
    // new entry lands on top, the first one stays below the rule.
    WriteSetting("Settings", "RemoveGPG", "0");
    WriteSetting("Settings", "WatchRingChange", "1");
    RecordKeyringTimes();
    f.MakeCacheFiles();
    ASSERT_TRUE(ImportKeys(key.exportFile));
    EXPECT_EQ(ExistingGuiOutputWindow(), log) << "one log window, reused";
    std::string both = TextOf(log->FindControl(kOutputTextName));
    EXPECT_EQ(both.find("gpg: key " + shortId + ": \"" + key.userId + "\" not changed\r\n"), 0u) << both;
    const std::string rule = "\r\n" + std::string(70, '*') + "\r\n\r\n";
    ASSERT_NE(both.find(rule), std::string::npos) << both;
    EXPECT_EQ(both.substr(both.find(rule) + rule.size()), first);
    EXPECT_EQ(CountOf(both, "File: "), 2u);
    EXPECT_EQ(LightShown(log->FindControl(kImgMdcName)), "good");
}

TEST(OutputKeyTransfer, ImportReportFromOutputFiles) {
    TransferFixture f;
    const std::string out = OutputFilePath();
    const std::string source = f.run.Folder() / "keys.asc";
    std::string entry;
    auto report = [&](const std::string& output) {
        WriteTextFile(out, output);
        ReportImportOutput(source, {});
        EXPECT_FALSE(FileExists(out)) << "the output file is deleted";
        std::string text = TextOf(GuiOutputWindow().FindControl(kOutputTextName));
        return text.substr(0, text.find("\r\n" + std::string(70, '*')));
    };

    // No message at all.
    entry = report("");
    EXPECT_EQ(entry.find("- No message from GnuPG. -\r\n\r\nFile: " + source + "\r\nTime: "), 0u) << entry;
    EXPECT_EQ(LightShown(GuiOutputWindow().FindControl(kImgMdcName)), "neutral");

    // A status line glued to the end of a message is split off and dropped.
    entry = report(
        "gpg: key 0123ABCD: public key \"A <a@b>\" imported[GNUPG:] IMPORT_OK 1 0123ABCD\n"
        "gpg: Total number processed: 1\n[GNUPG:] IMPORT_RES 1 0 1 0\n");
    EXPECT_EQ(entry.find("gpg: key 0123ABCD: public key \"A <a@b>\" imported\r\ngpg: Total number processed: 1\r\n\r\n"
                         "File: "),
              0u)
        << entry;
    EXPECT_EQ(LightShown(GuiOutputWindow().FindControl(kImgMdcName)), "good");

    // A good and a failed key: the alarm wins and blinks.
    entry =
        report("[GNUPG:] IMPORT_OK 1 AAAA\r\n[GNUPG:] IMPORT_PROBLEM 1 BBBB\r\ngpg: key BBBB: no valid user IDs\r\n");
    OutputLogWindow& log = GuiOutputWindow();
    HWND light = log.FindControl(kImgMdcName);
    EXPECT_EQ(entry.find("gpg: key BBBB: no valid user IDs\r\n"), 0u) << entry;
    EXPECT_TRUE(log.Blinking(Indicator::First));
    std::string seen = LightShown(light);
    for (int tick = 0; tick < 4; ++tick) {
        SendMessageA(log.Handle(), WM_TIMER, kTimerMdcAttention, 0);
        seen += " " + LightShown(light);
    }
    EXPECT_EQ(seen, "alarm neutral alarm neutral alarm");
    // Coming back to the window starts the cycle with the alarm.
    SendMessageA(log.Handle(), WM_TIMER, kTimerMdcAttention, 0);
    EXPECT_EQ(LightShown(light), "neutral");
    SendMessageA(log.Handle(), WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(LightShown(light), "alarm");

    // The next import sets the light anew and stops the blinking; the caption
    // names the program.
    Env().ProgramName = "Pallow";
    report("[GNUPG:] IMPORT_OK 0 AAAA\r\n");
    EXPECT_FALSE(log.Blinking(Indicator::First));
    EXPECT_EQ(LightShown(light), "good");
    EXPECT_EQ(TextOf(log.Handle()), "Pallow - Output of Import");
}

TEST(OutputKeyTransfer, MissingOutputFileIsReported) {
    TransferFixture f;
    ScriptedResponder responder;
    // An output file in a folder that does not exist: the interpreter cannot
    // redirect into it, so none is made.
    Env().OutputFile = "missing\\~test.out";
    f.MakeCacheFiles();
    EXPECT_TRUE(ImportKeys(f.run.Folder() / "keys.asc"));
    EXPECT_EQ(responder.Texts(), "Error: Temporary file \"" + OutputFilePath() + "\" not found.\n");
    EXPECT_EQ(ExistingGuiOutputWindow(), nullptr) << "the log is left alone";
    EXPECT_TRUE(f.CacheFilesGone()) << "the key list is still brought up to date";
    EXPECT_FALSE(OutputModal());
}
