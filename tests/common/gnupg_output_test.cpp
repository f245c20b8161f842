// GnuPG's output made readable, the import report and the log entries, and the
// command lines of export, import and packet listings.
#include <gtest/gtest.h>

#include <string>

#include "common/gnupg_output.h"

namespace {

// Stands in for the OEM -> ANSI conversion of code page 850: a-umlaut only.
std::string FakeFromDos(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\x84') c = '\xe4';
    }
    return out;
}

// What the log pipeline does with an output file's text before it cleans it.
std::string MessagesOf(std::string_view output) {
    return StripStatusLinesFromText(SplitGluedLines(NormalizeLineEnds(output)));
}

}  // namespace

TEST(GnuPGOutput, NormalizeLineEndsAddsTheMissingCarriageReturns) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"a\nb\n", "a\r\nb\r\n"},   {"\nx", "\r\nx"}, {"a\r\nb", "a\r\nb"},
        {"a\r\n\nb", "a\r\n\r\nb"}, {"a\rb", "a\rb"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(NormalizeLineEnds(c.in), c.out) << c.in;
}

TEST(GnuPGOutput, GluedMessagesAndStatusLinesGetLinesOfTheirOwn) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"gpg: key 1: imported[GNUPG:] IMPORT_OK 1 AB\r\n", "gpg: key 1: imported\r\n[GNUPG:] IMPORT_OK 1 AB\r\n"},
        {"[GNUPG:] IMPORT_OK 1 ABgpg: Total number processed: 1",
         "[GNUPG:] IMPORT_OK 1 AB\r\ngpg: Total number processed: 1"},
        {"a gpg: b gpg: c", "a \r\ngpg: b \r\ngpg: c"},
        // A file name is not a message.
        {"gpg: c:/gnupg/trustdb.gpg: trustdb created", "gpg: c:/gnupg/trustdb.gpg: trustdb created"},
        // Already on lines of their own, at the very start, or too close to it.
        {"gpg: a\r\n[GNUPG:] B\r\ngpg: c", "gpg: a\r\n[GNUPG:] B\r\ngpg: c"},
        {"xgpg: y", "xgpg: y"},
        // Matching is case-sensitive.
        {"ab GPG: c [gnupg:] d", "ab GPG: c [gnupg:] d"},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitGluedLines(c.in), c.out) << c.in;
}

TEST(GnuPGOutput, StatusLinesAreDroppedOnlyAtTheStartOfALine) {
    EXPECT_EQ(StripStatusLinesFromText("gpg: a\r\n[GNUPG:] IMPORT_OK 1 X\r\n[gnupg:] lower\r\nb [GNUPG:] kept\nlast"),
              "gpg: a\r\nb [GNUPG:] kept\r\nlast\r\n");
    EXPECT_EQ(StripStatusLinesFromText("[GNUPG:] IMPORT_RES 1\r\n"), "");

    // A status line glued to a message is split off and then removed as well.
    EXPECT_EQ(MessagesOf("gpg: key 12345678: public key \"A <a@b>\" imported[GNUPG:] IMPORT_OK 1 0123ABCD\n"
                         "gpg: Total number processed: 1\n[GNUPG:] IMPORT_RES 1 0 1\n"),
              "gpg: key 12345678: public key \"A <a@b>\" imported\r\ngpg: Total number processed: 1\r\n");
}

TEST(GnuPGOutput, CleaningDecodesConvertsAndRemovesPrefixes) {
    const std::string output = "gpg: key 1: \"M\\x84ller \\x3a\" imported\r\ngpg: monkey key\r\nkey 2\r\ngpg: Total";
    // Escapes are decoded before the code page conversion sees the bytes.
    EXPECT_EQ(CleanGnuPGMessages(output, false, FakeFromDos),
              "gpg: key 1: \"M\xe4ller :\" imported\r\ngpg: monkey key\r\nkey 2\r\ngpg: Total");
    EXPECT_EQ(CleanGnuPGMessages(output, true, FakeFromDos),
              "Key 1: \"M\xe4ller :\" imported\r\nmonkey key\r\nKey 2\r\nTotal");
    EXPECT_EQ(CleanGnuPGMessages("key x gpg: y", true, nullptr), "Key x gpg: y");
    EXPECT_EQ(CleanGnuPGMessages("no prefix\\xzz", true, nullptr), "no prefix\\xzz");
}

TEST(GnuPGOutput, ImportVerdictFromTheStatusLines) {
    struct Case {
        const char* text;
        ImportVerdict verdict;
    } cases[] = {
        {"", ImportVerdict::None},
        {"gpg: no valid OpenPGP data found.\r\n[GNUPG:] NODATA 1", ImportVerdict::None},
        {"[GNUPG:] IMPORT_OK 1 ABCD", ImportVerdict::Ok},
        {"x[gnupg:] import_ok 0 ABCD", ImportVerdict::Ok},
        {"[GNUPG:] IMPORT_PROBLEM 1 ABCD", ImportVerdict::Problem},
        {"[GNUPG:] IMPORT_OK 1 A\r\n[GNUPG:] IMPORT_PROBLEM 1 B", ImportVerdict::Problem},
        {"[GNUPG:] IMPORT_PROBLEM 1 B\r\n[GNUPG:] IMPORT_OK 1 A", ImportVerdict::Problem},
    };
    for (const auto& c : cases) EXPECT_EQ(ImportVerdictOf(c.text), c.verdict) << c.text;
}

TEST(GnuPGOutput, ImportEntryWithNoticesAndFooter) {
    const KeyringTimes before{10, 20, 30};
    EXPECT_EQ(KeyringNotices(before, KeyringTimes{10, 20, 30}), "");
    EXPECT_EQ(KeyringNotices(before, KeyringTimes{11, 20, 31}),
              "- Public keyring updated. -\r\n- Trust DB updated. -\r\n");
    EXPECT_EQ(KeyringNotices({}, KeyringTimes{1, 2, 3}),
              "- Public keyring updated. -\r\n- Secret keyring updated. -\r\n- Trust DB updated. -\r\n");
    EXPECT_EQ(KeyringNotices(before, std::nullopt), "");

    EXPECT_EQ(ImportEntryText("", ""), "- No message from GnuPG. -\r\n\r\n");
    EXPECT_EQ(ImportEntryText("a\r\nb\r\n\r\n\r\n", ""), "a\r\nb\r\n\r\n");
    const std::string withNotice = ImportEntryText("a\r\n", "- Public keyring updated. -\r\n");
    EXPECT_EQ(withNotice, "a\r\n\r\n- Public keyring updated. -\r\n");

    const std::string time = LogTimeLine("11.12.2026 13:14:15", "11.12.2026 12:14:15");
    EXPECT_EQ(time, "Time: 11.12.2026 13:14:15 (11.12.2026 12:14:15 UTC)\r\n");
    // A notice is kept apart from the footer by one more line.
    EXPECT_EQ(ComposeLogEntry(withNotice, "c:\\keys\\100% sure.asc", time),
              withNotice + "\r\nFile: c:\\keys\\100% sure.asc\r\n" + time);
    EXPECT_EQ(ComposeLogEntry("a\r\n\r\n", "c:\\keys\\a.asc", time), "a\r\n\r\nFile: c:\\keys\\a.asc\r\n" + time);
    // The tray's clipboard file and a missing source give no file line.
    EXPECT_EQ(ComposeLogEntry("a\r\n\r\n", "c:\\temp\\~pallow.asc", time), "a\r\n\r\n" + time);
    EXPECT_EQ(ComposeLogEntry("a\r\n\r\n", "C:\\Temp\\~Pallow.asc", time), "a\r\n\r\n" + time);
    EXPECT_EQ(ComposeLogEntry("a\r\n\r\n", "", time), "a\r\n\r\n" + time);
}

TEST(GnuPGOutput, NewestLogEntryOnTopBelowARuleOfAsterisks) {
    const std::string stars(70, '*');
    std::string log = PrependLogEntry("", "first\r\n");
    EXPECT_EQ(log, "first\r\n");
    log = PrependLogEntry(log, "second\r\n");
    EXPECT_EQ(log, "second\r\n\r\n" + stars + "\r\n\r\nfirst\r\n");
    log = PrependLogEntry(log, "third\r\n");
    EXPECT_EQ(log.find("third\r\n\r\n" + stars + "\r\n\r\nsecond\r\n"), 0u);
}

TEST(GnuPGOutput, CommandLinesQuoteEveryOutsideText) {
    const std::string file = "c:\\my keys\\100% sure.asc";
    const std::string out = "c:\\temp\\~morvish.out";
    struct Case {
        std::string command;
        std::string expected;
    } cases[] = {
        {ExportCommand("gpg.exe", file, false, " 0x0123456789ABCDEF 0xFEDCBA9876543210", false),
         "gpg.exe -a -o \"c:\\my keys\\100%% sure.asc\" --export 0x0123456789ABCDEF 0xFEDCBA9876543210"},
        {ExportCommand("gpg.exe", file, true, " 0x0123456789ABCDEF", true),
         "gpg.exe --batch --no-tty -a -o \"c:\\my keys\\100%% sure.asc\" --export-secret-keys 0x0123456789ABCDEF"},
        {ExportCommand("gpg.exe", "a.asc", false, " 0x1 & del x", true),
         "gpg.exe --batch --no-tty -a -o \"a.asc\" --export 0x1 ^& del x"},
        {ImportCommand("gpg.exe", file, false, false, out),
         "gpg.exe --interactive --import \"c:\\my keys\\100%% sure.asc\""},
        {ImportCommand("gpg.exe", file, false, true, out),
         "gpg.exe --status-fd 1 --logger-fd 1 --interactive --import \"c:\\my keys\\100%% sure.asc\">\"" + out + "\""},
        {ImportCommand("gpg2.exe", file, true, false, out),
         "gpg2.exe --batch --no-tty --import \"c:\\my keys\\100%% sure.asc\""},
        {ImportCommand("gpg.exe", file, true, true, out),
         "gpg.exe --status-fd 1 --logger-fd 1 --batch --no-tty --import \"c:\\my keys\\100%% sure.asc\">\"" + out +
             "\""},
        {GnuPGPacketsCommand("c:\\gnupg\\gpg.exe", file, false, out),
         "\"c:\\gnupg\\gpg.exe\" --list-packets \"c:\\my keys\\100%% sure.asc\">\"" + out + "\""},
        {GnuPGPacketsCommand("c:\\gnupg\\gpg.exe", file, true, out),
         "\"c:\\gnupg\\gpg.exe\" --batch --no-tty --list-packets \"c:\\my keys\\100%% sure.asc\">\"" + out + "\""},
        {PgpDumpPacketsCommand("c:\\tools\\pgpdump.exe", " -i -u", file, out),
         "\"c:\\tools\\pgpdump.exe\" -i -u \"c:\\my keys\\100%% sure.asc\">\"" + out + "\""},
        {PgpDumpPacketsCommand("c:\\tools\\pgpdump.exe", "", file, out),
         "\"c:\\tools\\pgpdump.exe\" \"c:\\my keys\\100%% sure.asc\">\"" + out + "\""},
        // A hand-edited value: its own blank, and no way to a second command.
        {PgpDumpPacketsCommand("p.exe", "-i&echo x>y", "f", out), "\"p.exe\" -i^&echo x^>y \"f\">\"" + out + "\""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.command, c.expected);

    EXPECT_EQ(PgpDumpOptionsFromSetting("' -i -u'"), " -i -u");
    EXPECT_EQ(PgpDumpOptionsFromSetting(" -l"), " -l");
    EXPECT_EQ(PgpDumpOptionsFromSetting("'"), "'");
    EXPECT_EQ(PgpDumpOptionsFromSetting(""), "");
}

TEST(GnuPGOutput, PacketListingsShowUserIdsInTheAnsiCodePage) {
    const UserIdDecoding decoding{"850", "1252", FakeFromDos, nullptr};
    // pgpdump writes the UTF-8 bytes as they are; GnuPG escapes some of them.
    EXPECT_EQ(PacketListingText("\tUser ID - J\xc3\xbcrgen <j@x>\n", true, false, decoding),
              "\tUser ID - J\xfcrgen <j@x>\n");
    EXPECT_EQ(PacketListingText(":user ID packet: \"\xc3\\x84rger\"\n", false, false, decoding),
              ":user ID packet: \"\xc4rger\"\n");
    // Plain listings stay as they are; a Cygwin GnuPG's line ends are repaired.
    EXPECT_EQ(PacketListingText(":public key packet:\n\tversion 4\n", false, false, decoding),
              ":public key packet:\n\tversion 4\n");
    EXPECT_EQ(PacketListingText(":public key packet:\n", false, true, decoding), ":public key packet:\r\n");
    EXPECT_EQ(PacketListingText("x\n", true, true, decoding), "x\n");
    // Text that is not UTF-8 came from the console's code page.
    EXPECT_EQ(PacketListingText("M\\x84ller", false, false, decoding), "M\xe4ller");
    EXPECT_EQ(PacketListingText("a \\\\x00 b \\x00 c", false, false, decoding).find('\0'), std::string::npos);
}
