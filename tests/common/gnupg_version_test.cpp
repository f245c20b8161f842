#include <gtest/gtest.h>

#include "common/gnupg_version.h"
#include "common/os_version.h"
#include "common/search_path.h"

TEST(GnuPGVersion, TooOldTable) {
    struct Case {
        const char* version;
        bool tooOld;
    } cases[] = {
        {"v0.9.8", true},  {"v1.2.5", true},      {"v1.3.0", true},  {"v1.4.9", true},   {"v1.4.9a", true},
        {"v1.4.0", true},  {"v1.4.10", false},    {"v1.4.10rc1", false}, {"v1.4.23", false}, {"v1.5.0", false},
        {"v2.0.14", false}, {"v2.2.41", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsGnuPGVersionTooOld(c.version), c.tooOld) << c.version;
}

TEST(GnuPGVersion, ListConfigParsing) {
    EXPECT_EQ(ParseListConfigVersion({"cfg:group:x", "cfg:version:1.4.23", "cfg:version:9"}), "v1.4.23");
    EXPECT_EQ(ParseListConfigVersion({"cfg:version:"}), "v0.0.0");
    EXPECT_EQ(ParseListConfigVersion({"gpg: invalid option", ""}), "");
    EXPECT_EQ(ComposeVersionCheckCommand("gpg.exe", "c:\\temp", "~morvish.out", false),
              "gpg.exe --no-verbose --batch --no-tty --list-config --with-colons>\"c:\\temp\\~morvish.out\"");
    EXPECT_EQ(ComposeVersionCheckCommand("gpg.exe", "c:\\temp", "~pallow.out", true),
              "gpg.exe --no-verbose --batch --no-tty --list-config --with-colons>\"c:\\temp\\~pallow.out\"\r\n"
              "unix2dos.exe \"c:\\temp\\~pallow.out\"");
}

TEST(OsVersion, Tokens) {
    struct Case {
        unsigned platform, major, minor, build;
        const char* token;
    } cases[] = {
        {1, 4, 0, 0, "Win95"},    {1, 4, 10, 0, "Win98"},    {1, 4, 90, 0, "WinME"},   {1, 4, 5, 0, "Failed"},
        {2, 3, 51, 0, "NT_3.51"}, {2, 4, 0, 0, "NT_4.0"},    {2, 5, 1, 0, "WinXP"},    {2, 5, 3, 0, "Failed"},
        {2, 6, 1, 0, "Win_7"},    {2, 6, 3, 0, "Win_8.1"},   {2, 10, 0, 19045, "Win_10"},
        {2, 10, 0, 22631, "Win_11"}, {2, 12, 0, 0, ""},      {3, 10, 0, 0, "Failed"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(OsVersionToken(c.platform, c.major, c.minor, c.build), c.token) << c.major << "." << c.minor;
    EXPECT_EQ(OsFamilyOf("WinME"), "Win9x");
    EXPECT_EQ(OsFamilyOf("Win_10"), "WinNT");
}

TEST(SearchPath, OnlyAbsoluteDrivePathsAreSearched) {
    auto folders = SearchFolders("c:\\corvane", "",
                                 "\\\\server\\share\\gnupg;%SystemRoot%\\system32;c:\\gnupg\\;relative\\bin;"
                                 "\"c:\\quoted\";d:\\;;e:\\tools");
    EXPECT_EQ(folders, (std::vector<std::string>{"c:\\corvane", "c:\\gnupg", "e:\\tools"}));
    EXPECT_EQ(SearchFolders("", "c:\\windows\\System", "")[0], "c:\\windows\\System");
}
