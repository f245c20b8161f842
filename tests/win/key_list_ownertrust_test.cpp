#include <gtest/gtest.h>

#include "common/batch_text.h"
#include "common/environment.h"
#include "common/ui/message_box.h"
#include "common/win/command_runner.h"
#include "common/win/settings.h"
#include "keymanager/ownertrust.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

TEST(KeyListOwnertrust, ImportsAnExportThroughGnuPG) {
    ScopedIniSettings settings;
    ScopedRunEnvironment run;
    ScriptedResponder responder;
    TempFolder home("trusthome");
    Env().GnuPGHome = home.Path();
    Env().SetGnuPGHome = true;
    Env().ShellHomeDir = run.Folder().Path();
    WriteSetting("Settings", "HideTrustImp", "1");
    WriteSetting("Settings", "GuiOutput", "0");
    WriteSetting("Settings", "WatchRingChange", "0");
    const std::string fingerprint = "0123456789ABCDEF0123456789ABCDEF01234567";
    const std::string file = run.Folder() / "100% trust.txt";
    WriteTextFile(file, "# List of assigned trustvalues\r\n" + fingerprint + ":6:\r\n");

    EXPECT_TRUE(ImportOwnertrust(file, nullptr));
    EXPECT_TRUE(LastRunOk());
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();

    const std::string exported = run.Folder() / "exported.txt";
    RunBatch("gpg.exe --batch --no-tty --export-ownertrust>" + BatchQuoted(exported), kWindowHidden, false, false);
    EXPECT_NE(ReadTextFile(exported).find(fingerprint + ":6:"), std::string::npos) << ReadTextFile(exported);

    // A hide value other than 0 or 1 runs nothing.
    WriteSetting("Settings", "HideTrustImp", "2");
    EXPECT_FALSE(ImportOwnertrust(file, nullptr));
    EXPECT_FALSE(LastRunOk());
}
