// The listing batch's exact lines in each of its variants.
#include <gtest/gtest.h>

#include "common/listing_batch.h"

namespace {

ListingBatchSettings Plain() {
    ListingBatchSettings settings;
    settings.context.programDirShort = "c:\\prog";
    settings.gpgName = "gpg.exe";
    settings.homeDir = "c:\\home";
    return settings;
}

}  // namespace

TEST(KeyListingBatch, HiddenRun) {
    EXPECT_EQ(ComposeListingBatch(Plain()),
              "@echo off\r\n"
              "set PATH=c:\\prog;%PATH%\r\n"
              "gpg.exe --no-verbose --batch --no-tty --list-secret-keys --with-colons --fixed-list-mode"
              ">\"c:\\home\\~seckeys.dat\"\r\n"
              "gpg.exe --no-verbose --batch --no-tty --list-config --with-colons>\"c:\\home\\~pubkeys.dat\"\r\n"
              "echo.>>\"c:\\home\\~pubkeys.dat\"\r\n"
              "gpg.exe --no-verbose --batch --no-tty --list-public-keys --with-fingerprint --with-colons "
              "--fixed-list-mode>>\"c:\\home\\~pubkeys.dat\"\r\n"
              "cls\r\n");
}

TEST(KeyListingBatch, VisibleRunWithEveryOptionalLine) {
    ListingBatchSettings settings = Plain();
    settings.hideReload = false;
    settings.addBatchPause = true;
    settings.cygwin = true;
    settings.gpgName = "gpg2.exe";
    settings.context.forceDosCodepage = true;
    settings.context.oemCodepage = "850";
    settings.context.setGnuPGHome = true;
    settings.context.gnuPGHome = "d:\\keys";
    settings.context.gnuPGLanguage = "DE";
    EXPECT_EQ(ComposeListingBatch(settings),
              "@echo off\r\n"
              "chcp 850\r\n"
              "set GNUPGHOME=d:\\keys\r\n"
              "set LANGUAGE=DE\r\n"
              "set PATH=c:\\prog;%PATH%\r\n"
              "echo.\r\n"
              "echo  Loading keys . . .\r\n"
              "echo.\r\n"
              "gpg2.exe --no-verbose --list-secret-keys --with-colons --fixed-list-mode>\"c:\\home\\~seckeys.dat\"\r\n"
              "gpg2.exe --no-verbose --list-config --with-colons>\"c:\\home\\~pubkeys.dat\"\r\n"
              "echo.>>\"c:\\home\\~pubkeys.dat\"\r\n"
              "gpg2.exe --no-verbose --list-public-keys --with-fingerprint --with-colons --fixed-list-mode"
              ">>\"c:\\home\\~pubkeys.dat\"\r\n"
              "echo.\r\n"
              "pause\r\n"
              "unix2dos.exe \"c:\\home\\~seckeys.dat\"\r\n"
              "unix2dos.exe \"c:\\home\\~pubkeys.dat\"\r\n"
              "cls\r\n");
}

TEST(KeyListingBatch, PauseOnlyInAVisibleRunThatAsksForIt) {
    struct Case {
        bool hide, addPause, paused;
    } cases[] = {{false, true, true}, {false, false, false}, {true, true, false}, {true, false, false}};
    for (const auto& c : cases) {
        ListingBatchSettings settings = Plain();
        settings.hideReload = c.hide;
        settings.addBatchPause = c.addPause;
        std::string text = ComposeListingBatch(settings);
        EXPECT_EQ(text.find("\r\npause\r\n") != std::string::npos, c.paused) << c.hide << c.addPause;
        EXPECT_EQ(text.find("Loading keys") != std::string::npos, !c.hide);
    }
}

TEST(KeyListingBatch, HomeDirectoryStaysLiteral) {
    ListingBatchSettings settings = Plain();
    settings.homeDir = "c:\\keys 100% & co";
    settings.cygwin = true;
    std::string text = ComposeListingBatch(settings);
    EXPECT_NE(text.find(">\"c:\\keys 100%% & co\\~seckeys.dat\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("echo.>>\"c:\\keys 100%% & co\\~pubkeys.dat\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("unix2dos.exe \"c:\\keys 100%% & co\\~pubkeys.dat\"\r\n"), std::string::npos) << text;
}
