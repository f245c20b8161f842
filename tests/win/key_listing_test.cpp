// The key cache files under Wine: the listing batch through the real cmd.exe and
// gpg.exe, the missing-file and damaged-file messages with their clean-up, and the
// locale's date forms.
#include <gtest/gtest.h>

#include <windows.h>

#include <memory>

#include "common/batch_text.h"
#include "common/environment.h"
#include "common/text.h"
#include "common/ui/message_box.h"
#include "common/win/command_runner.h"
#include "common/win/file_system.h"
#include "common/win/key_listing_files.h"
#include "common/win/settings.h"
#include "support/settings_sandbox.h"
#include "support/test_env.h"

namespace {

std::string TodayUtcSortable() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    char text[16];
    std::snprintf(text, sizeof text, "%04u-%02u-%02u", now.wYear, now.wMonth, now.wDay);
    return text;
}

std::string SystemShortDate(int year, int month, int day) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    char text[128] = {};
    GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, text, sizeof text);
    return text;
}

const KeyRecord* FindKey(const KeyListing& listing, const std::string& userIdStart) {
    for (const auto& key : listing.keys) {
        if (StartsWith(key.userId, userIdStart)) return &key;
    }
    return nullptr;
}

const char kUmlautUserId[] = "J\xC3\xBCrgen M\xC3\xBCller";  // UTF-8, as GnuPG stores user IDs
const char kSmallListingSecret[] = "sec::1024:1:0123456789ABCDEF:1100000000:::::::::\n";
const char kSmallListingPublic[] =
    "cfg:cipher:3;4\n\ntru::1:1100000000:0:3:1:5\n"
    "pub:u:1024:1:0123456789ABCDEF:1100000000:::u:::scESC:\nuid:u::::::::Small:\n";

// Each test: settings in a portable ini file, batches in a run folder, the
// Corvane home in a folder whose name cmd.exe would misread if it were not
// escaped, and GNUPGHOME set by the batch.
class KeyListingFiles : public testing::Test {
protected:
    void SetUp() override {
        Env().OsFamily = "WinNT";
        Env().ShellHomeDir = home_.Path();
        Env().SetGnuPGHome = true;
        Env().GnuPGHome = gnupgHome_ ? gnupgHome_->Path() : run_.Folder().Path();
        WriteSetting("Settings", "HideReload", "1");
    }

    std::string Home(const char* name) const { return home_ / name; }

    static std::unique_ptr<TempFolder> gnupgHome_;
    ScopedIniSettings settings_;
    ScopedRunEnvironment run_;
    TempFolder home_{"home 100% & co"};
};

std::unique_ptr<TempFolder> KeyListingFiles::gnupgHome_;

// A GnuPG home with two keys made by the real gpg.exe, once for the suite: an RSA
// key pair with a non-ASCII name, and a key whose secret part went to another
// keyring, so that this home holds only its public part.
class KeyListingGnuPG : public KeyListingFiles {
protected:
    static void SetUpTestSuite() {
        gnupgHome_ = std::make_unique<TempFolder>("gnupg");
        const std::string folder = gnupgHome_->Path();
        const std::string gpg = Quoted(GnuPGFolder() + "\\gpg.exe") + " --homedir " + Quoted(folder) + " --batch ";
        // The second key goes to keyrings of its own, and only its public part is
        // imported here.
        WriteTextFile(folder + "\\keys.txt",
                      std::string("Key-Type: RSA\nKey-Length: 1024\nSubkey-Type: RSA\nSubkey-Length: 1024\n"
                                  "Name-Real: ") +
                          kUmlautUserId +
                          "\nName-Email: j@example.org\nExpire-Date: 0\n%commit\n"
                          "Key-Type: RSA\nKey-Length: 1024\nName-Real: Colon: Tester & Co\n"
                          "Name-Email: c@example.org\nExpire-Date: 0\n%pubring " +
                          folder + "\\other.pub\n%secring " + folder + "\\other.sec\n%commit\n");
        generated_ = RunHiddenWithTimeLimit(gpg + "--gen-key " + Quoted(folder + "\\keys.txt"), 120000) &&
                     RunHiddenWithTimeLimit(gpg + "--import " + Quoted(folder + "\\other.pub"), 60000);
    }
    static void TearDownTestSuite() { gnupgHome_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(generated_) << "gpg.exe --gen-key failed";
        KeyListingFiles::SetUp();
    }

    static bool generated_;
};

bool KeyListingGnuPG::generated_ = false;

}  // namespace

TEST_F(KeyListingGnuPG, RealListingReadBack) {
    ScriptedResponder responder;
    std::optional<KeyListing> listing = ReadKeyListing(KeyListingOptionsFromSettings());
    ASSERT_TRUE(listing.has_value()) << responder.Texts();
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
    EXPECT_TRUE(LastRunOk());
    EXPECT_FALSE(FileExists(run_.Folder() / "~gpglists.bat"));
    ASSERT_TRUE(listing->complete);
    ASSERT_EQ(listing->keys.size(), 2u);

    // The user ID arrives in the ANSI code page (the test locale's is 1252).
    const KeyRecord* own = FindKey(*listing, "J");
    ASSERT_NE(own, nullptr);
    EXPECT_EQ(own->userId, Utf8ToAnsi(kUmlautUserId) + " <j@example.org>");
    if (GetACP() == 1252) {
        EXPECT_EQ(own->userId, "J\xFCrgen M\xFCller <j@example.org>");
    }
    EXPECT_TRUE(own->isKeyPair);
    EXPECT_EQ(own->size, "1024");
    EXPECT_EQ(own->algorithm, "1");
    EXPECT_EQ(own->validity, "u");
    EXPECT_EQ(own->validityText, "Ultim.");
    EXPECT_EQ(own->description, "RSA key pair");
    EXPECT_EQ(own->icon, 26);
    EXPECT_EQ(own->textColour, kDefaultColorKeyPair);
    EXPECT_EQ(own->createdSort, TodayUtcSortable());
    EXPECT_EQ(own->createdText,
              SystemShortDate(std::stoi(own->createdSort.substr(0, 4)), std::stoi(own->createdSort.substr(5, 2)),
                              std::stoi(own->createdSort.substr(8, 2))));
    EXPECT_EQ(own->expiresText, "Never");
    EXPECT_EQ(own->longKeyId.size(), 18u);
    EXPECT_EQ(own->keyId, "0x" + own->longKeyId.substr(10));

    const KeyRecord* other = FindKey(*listing, "Colon");
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->userId, "Colon: Tester & Co <c@example.org>");  // GnuPG escapes the colon
    EXPECT_FALSE(other->isKeyPair);
    EXPECT_EQ(other->description, "RSA public key");
    EXPECT_EQ(other->icon, 21);

    EXPECT_EQ(listing->secretKeyIds, own->longKeyId);
    EXPECT_EQ(listing->usableKeyPairIds, own->longKeyId);
    EXPECT_EQ(listing->lastAddedKeyId, listing->keys.back().longKeyId);
    EXPECT_EQ(listing->rsaCount, 2);
    EXPECT_NE(listing->cipherAlgos.find(";3;"), std::string::npos) << listing->cipherAlgos;  // CAST5
    EXPECT_NE(listing->digestAlgos.find(";2;"), std::string::npos) << listing->digestAlgos;  // SHA-1
    EXPECT_NE(listing->compressAlgos.find(";1;"), std::string::npos) << listing->compressAlgos;
    EXPECT_NE(listing->trustDbInfo.find("Trust model: PGP"), std::string::npos) << listing->trustDbInfo;

    // "~pubkeys.dat": the configuration, one empty line, then trust and keys.
    std::vector<std::string> lines = SplitLines(ReadTextFile(Home("~pubkeys.dat")));
    size_t empty = 0;
    while (empty < lines.size() && !lines[empty].empty()) ++empty;
    ASSERT_LT(empty + 1, lines.size());
    EXPECT_TRUE(StartsWith(lines[0], "cfg:"));
    EXPECT_TRUE(StartsWith(lines[empty + 1], "tru:"));

    // Present files are read as they are; a second read runs nothing.
    Env().ComSpecPath = run_.Folder() / "missing.exe";
    EXPECT_EQ(ReadKeyListing(KeyListingOptionsFromSettings())->keys.size(), 2u);
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
}

TEST_F(KeyListingGnuPG, VisibleRunWithoutPause) {
    ScriptedResponder responder;
    WriteSetting("Settings", "HideReload", "0");
    Env().AddBatchPause = false;
    EXPECT_TRUE(CreateKeyListing());
    EXPECT_TRUE(LastRunOk());
    EXPECT_TRUE(responder.Seen().empty()) << responder.Texts();
    EXPECT_NE(ReadTextFile(Home("~seckeys.dat")).find("sec:"), std::string::npos);
    EXPECT_NE(ReadTextFile(Home("~pubkeys.dat")).find("uid:"), std::string::npos);
}

TEST_F(KeyListingFiles, MissingFilesAndCleanUp) {
    ScriptedResponder responder;
    const std::string secret = Home("~seckeys.dat"), pub = Home("~pubkeys.dat");
    WriteTextFile(pub, kSmallListingPublic);
    WriteTextFile(Home("~oldkeys.dat.txt"), "not ours");
    // An interpreter that ends at once without running the batch: the run
    // "succeeds" but leaves the secret listing missing.
    Env().ComSpecPath = ProgramsFolder() + "\\fakes\\gpg.exe";
    SetFileAttributesA(pub.c_str(), FILE_ATTRIBUTE_HIDDEN);  // hidden files count as present

    std::optional<KeyListing> listing = ReadKeyListing(KeyListingOptionsFromSettings());
    ASSERT_TRUE(listing.has_value());
    EXPECT_EQ(responder.Texts(), "Error: File \"" + secret +
                                     "\" not found.\r\nPlease check your GnuPG configuration (invalid options, "
                                     "etc.).\n");
    EXPECT_EQ(responder.Seen().at(0).options.icon, MsgIcon::Error);
    EXPECT_EQ(listing->secretKeyIds, "");
    ASSERT_EQ(listing->keys.size(), 1u);
    EXPECT_FALSE(listing->keys[0].isKeyPair);
    EXPECT_EQ(listing->cipherAlgos, ";3;4;");

    // Deleting takes both files and nothing else.
    WriteTextFile(secret, kSmallListingSecret);
    SetFileAttributesA(pub.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteKeyListing();
    EXPECT_FALSE(FileExists(secret));
    EXPECT_FALSE(FileExists(pub));
    EXPECT_TRUE(FileExists(Home("~oldkeys.dat.txt")));

    // Both missing after the run: both messages, and no listing.
    responder.Clear();
    EXPECT_FALSE(ReadKeyListing(KeyListingOptionsFromSettings()).has_value());
    ASSERT_EQ(responder.Seen().size(), 2u);
    EXPECT_NE(responder.Seen()[1].text.find(pub), std::string::npos);
}

TEST_F(KeyListingFiles, FailedRunsAreReported) {
    ScriptedResponder responder;
    Env().ComSpecPath = run_.Folder() / "missing.exe";
    EXPECT_FALSE(ReadKeyListing(KeyListingOptionsFromSettings()).has_value());
    EXPECT_FALSE(LastRunOk());
    ASSERT_EQ(responder.Seen().size(), 2u);
    EXPECT_NE(responder.Seen()[0].text.find(" - [Function SyncShell]"), std::string::npos);
    EXPECT_EQ(responder.Seen()[1].text, "Error: Export of key-data to \"~pubkeys.dat\" and \"~seckeys.dat\" failed.");
    EXPECT_EQ(responder.Seen()[1].options.icon, MsgIcon::Error);
    EXPECT_FALSE(FileExists(run_.Folder() / "~gpglists.bat"));

    // The batch file cannot be written: the file-error message, and no run.
    responder.Clear();
    Env().TempDir = run_.Folder() / "gone";
    EXPECT_FALSE(CreateKeyListing());
    EXPECT_FALSE(LastRunOk());
    ASSERT_EQ(responder.Seen().size(), 1u);
    EXPECT_EQ(responder.Seen()[0].text,
              "Error: Path with file \"" + ToLower(run_.Folder() / "gone\\~gpglists.bat") + "\" not available.");
}

TEST_F(KeyListingFiles, DamagedListingsAreDeleted) {
    const std::string formatError = "Error: Unexpected data format.\r\n\nPlease press \"OK\" now to delete \"" +
                                    home_.Path() + "\\~???keys.dat\" and try again.";
    const std::string secret = Home("~seckeys.dat"), pub = Home("~pubkeys.dat");
    Env().ComSpecPath = run_.Folder() / "missing.exe";  // the files are there: nothing may run
    {
        // A damaged secret listing: nothing read, the caller keeps what it had.
        ScriptedResponder responder;
        WriteTextFile(secret, "sec::1024:1:0123456789ABCDEF:11000");
        WriteTextFile(pub, kSmallListingPublic);
        EXPECT_FALSE(ReadKeyListing(KeyListingOptionsFromSettings()).has_value());
        EXPECT_EQ(responder.Texts(), formatError + "\n");
        EXPECT_EQ(responder.Seen().at(0).options.icon, MsgIcon::Warning);
        EXPECT_FALSE(FileExists(secret));
        EXPECT_FALSE(FileExists(pub));
    }
    {
        // A public listing cut off in the second key: the first is kept.
        ScriptedResponder responder;
        WriteTextFile(secret, kSmallListingSecret);
        WriteTextFile(pub, std::string(kSmallListingPublic) + "pub:u:1024:1:1123456789ABCDEF:11000");
        std::optional<KeyListing> listing = ReadKeyListing(KeyListingOptionsFromSettings());
        ASSERT_TRUE(listing.has_value());
        EXPECT_FALSE(listing->complete);
        ASSERT_EQ(listing->keys.size(), 1u);
        EXPECT_TRUE(listing->keys[0].isKeyPair);
        EXPECT_EQ(responder.Texts(), formatError + "\n");
        EXPECT_FALSE(FileExists(secret));
        EXPECT_FALSE(FileExists(pub));
    }
    {
        // Keys that cannot be decoded: listed, and one warning for the read.
        ScriptedResponder responder;
        WriteTextFile(secret, "");
        WriteTextFile(pub, "pub:u:1024:1:XYZ:1:::u:::sc:\npub:u:1024:1:ABC:1:::u:::sc:\n");
        std::optional<KeyListing> listing = ReadKeyListing(KeyListingOptionsFromSettings());
        ASSERT_TRUE(listing.has_value());
        EXPECT_EQ(listing->keys.size(), 2u);
        EXPECT_EQ(responder.Texts(),
                  "Error: Unexpected data format for Key ID: 0xXYZ\r\n\nPlease check this key for errors or send it "
                  "(the public part) to the program-author.\n");
        EXPECT_TRUE(FileExists(pub));
    }
}

TEST(KeyListingLocale, DatesMatchTheSystemsFormatting) {
    const DateStyle style = LocaleDateStyle();
    const int dates[][3] = {{2009, 2, 3}, {1999, 12, 31}, {2038, 1, 19}, {2100, 7, 4}};
    const char* datePictures[] = {"dddd, d. MMMM yyyy", "ddd d MMM yy", "d/M/y", "'on' dd 'o''clock' ''"};
    const char* timePictures[] = {"hh:mm:ss tt", "H:m:s", "h t"};
    for (const auto& d : dates) {
        SYSTEMTIME time = {};
        time.wYear = static_cast<WORD>(d[0]);
        time.wMonth = static_cast<WORD>(d[1]);
        time.wDay = static_cast<WORD>(d[2]);
        time.wDayOfWeek = static_cast<WORD>(WeekdayOf(d[0], d[1], d[2]));
        time.wHour = 15;
        time.wMinute = 4;
        time.wSecond = 5;
        const CivilDateTime when{d[0], d[1], d[2], 15, 4, 5};
        EXPECT_EQ(FormatDateTimePicture(style.shortDatePicture, when, style.names), SystemShortDate(d[0], d[1], d[2]))
            << style.shortDatePicture;
        char text[256];
        for (const char* picture : datePictures) {
            GetDateFormatA(LOCALE_USER_DEFAULT, 0, &time, picture, text, sizeof text);
            EXPECT_EQ(FormatDateTimePicture(picture, when, style.names), text) << picture;
        }
        for (const char* picture : timePictures) {
            GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, picture, text, sizeof text);
            EXPECT_EQ(FormatDateTimePicture(picture, when, style.names), text) << picture;
        }
    }
}

TEST(KeyListingLocale, UserIdsReachTheAnsiCodePage) {
    ScopedRunEnvironment run;
    if (GetACP() != 1252 || GetOEMCP() != 850) GTEST_SKIP() << "needs ANSI 1252 and OEM 850";
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"J\xC3\xBCrgen", "J\xFCrgen"},     {"\xE2\\x82\xAC 5", "\x80 5"},  // the euro sign exists in 1252
        {"\xD0\x94\xD0\xB0", "??"},                                         // Cyrillic does not
        {"J\\x81rgen", "J\xFCrgen"},                                        // typed in an 850 console
        {"Smith\\x3a Sons", "Smith: Sons"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeUserId(c.in), c.out) << c.in;
}
