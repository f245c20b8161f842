#include <gtest/gtest.h>

#include "keymanager/logic/ownertrust_text.h"

TEST(KeyManagerOwnertrust, CommandsAndReport) {
    const char* out = "c:\\t\\~morvish.out";
    EXPECT_EQ(ImportOwnertrustCommand("gpg.exe", "c:\\x\\100% trust.txt", false, false, out),
              "gpg.exe --import-ownertrust \"c:\\x\\100%% trust.txt\"");
    EXPECT_EQ(ImportOwnertrustCommand("gpg.exe", "c:\\t.txt", false, true, out),
              "gpg.exe --logger-fd 1 --import-ownertrust \"c:\\t.txt\">\"c:\\t\\~morvish.out\"");
    EXPECT_EQ(ImportOwnertrustCommand("gpg.exe", "c:\\t.txt", true, false, out),
              "gpg.exe --batch --no-tty --import-ownertrust \"c:\\t.txt\"");
    EXPECT_EQ(ImportOwnertrustCommand("gpg.exe", "c:\\t.txt", true, true, out),
              "gpg.exe --logger-fd 1 --batch --no-tty --import-ownertrust \"c:\\t.txt\">\"c:\\t\\~morvish.out\"");

    EXPECT_EQ(OwnertrustReportText("", "c:\\t.txt", true), "- No message from GnuPG. -\r\n\r\nFile: c:\\t.txt\r\n");
    EXPECT_EQ(OwnertrustReportText("gpg: inserting ownertrust of 6\r\ngpg: done\r\n\r\n", "f", true),
              "inserting ownertrust of 6\r\ndone\r\n\r\nFile: f\r\n");
    EXPECT_EQ(OwnertrustReportText("gpg: done\r\n", "f", false), "gpg: done\r\n\r\nFile: f\r\n");
}
