#include "keymanager/logic/fetch_text.h"

#include <gtest/gtest.h>

TEST(FetchBoxText, ButtonCaptionFollowsTheText) {
    struct Case {
        const char* text;
        const char* caption;
    } cases[] = {
        {"", kKeyServerCaption},
        {"0x", kKeyServerCaption},
        {" <Enter User or Key ID>", kKeyServerCaption},
        {"abc <Enter User or Key ID>", kKeyServerCaption},
        {"0x1234ABCD", kGetCaption},
        {"0x1234abcd", kGetCaption},
        {"0x0123456789ABCDEF", kGetCaption},
        {"0x1234ABCD 0x9876FEDC", kGetCaption},
        {"0x1234ABCD anything", kGetCaption},
        {"0x1234ABC", kSearchCaption},        // 7 characters
        {"0x1234ABCDE", kSearchCaption},      // 9 characters
        {"0x1234ABCD-", kSearchCaption},
        {"1234ABCD", kSearchCaption},
        {"0X1234ABCD", kSearchCaption},       // the prefix is "0x" exactly
        {"0x1234ABCD\t", kSearchCaption},
        {"John Smith", kSearchCaption},
    };
    for (const auto& c : cases) EXPECT_STREQ(FetchButtonCaption(c.text), c.caption) << c.text;
}

TEST(FetchBoxText, TwoKeyIdsAreOneReceiveRunOnTheDefaultServer) {
    EXPECT_EQ(ComposeFetchCommand("0x1234ABCD 0x9876FEDC", kDefaultServerEntry, "gpg.exe"),
              "echo.\r\n"
              "echo Getting key(s) 0x1234ABCD 0x9876FEDC from server . . .\r\n"
              "echo.\r\n"
              "gpg.exe --interactive --recv-keys 0x1234ABCD 0x9876FEDC");
}

TEST(FetchBoxText, NameIsSearchedOnTheChosenServer) {
    EXPECT_EQ(ComposeFetchCommand("John Smith", "hkp://keys.example.org", "gpg.exe"),
              "echo.\r\n"
              "echo Searching for John Smith on server hkp://keys.example.org . . .\r\n"
              "echo.\r\n"
              "gpg.exe --keyserver hkp://keys.example.org --search-keys John Smith");
    EXPECT_EQ(KeyServerPart(""), "");
    EXPECT_EQ(KeyServerPart(kDefaultServerEntry), "");
}

// What the user types reaches a batch file: it must neither run nor expand
// anything, in the echo line or on GnuPG's command line.
TEST(FetchBoxText, TypedTextAndServerCannotRunOrExpandAnything) {
    const std::string command = ComposeFetchCommand("Smith & Sons 100% (x) | y > z", "srv&del *%PATH%", "gpg.exe");
    EXPECT_EQ(command,
              "echo.\r\n"
              "echo Searching for Smith ^& Sons 100%% ^(x^) ^| y ^> z on server srv^&del *%%PATH%% . . .\r\n"
              "echo.\r\n"
              "gpg.exe --keyserver srv^&del *%%PATH%% --search-keys Smith ^& Sons 100%% ^(x^) ^| y ^> z");
    // A line break typed (or pasted) into the box cannot start a command of its own.
    const std::string pasted = ComposeFetchCommand("Smith\r\ndel x", kDefaultServerEntry, "gpg.exe");
    EXPECT_EQ(pasted.find("\r\ndel"), std::string::npos) << pasted;
}
