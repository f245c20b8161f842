// Reading the key cache files' text into key records and the listing summary.
#include <gtest/gtest.h>

#include <random>

#include "common/key_listing.h"

namespace {

const char kSecret[] =
    "sec::1024:17:AAAAAAAAAAAAAAAA:1100000000:::::::::\n"
    "ssb::1024:16:A1A1A1A1A1A1A1A1:1100000000::::::::::\n"
    "sec::2048:20:CCCCCCCCCCCCCCCC:1100000000:::::::::\n"
    "sec::4096:22:DDDDDDDDDDDDDDDD:1100000000:::::::::\n";

// Configuration, the empty line, trust and keys, as the listing batch writes them.
const char kPublic[] =
    "cfg:version:1.4.23\n"
    "cfg:cipher:1;2;3;4;7;8;9;10;11\n"
    "cfg:ciphername:IDEA;3DES;CAST5\n"
    "cfg:digest:1;2;3;8;9;10;11\n"
    "cfg:compress:0;1;2;3\n"
    "\n"
    "tru:o:1:1100000000:0:3:1:5\n"
    "cfg:cipher:99\n"
    "pub:u:1024:17:AAAAAAAAAAAAAAAA:1100000000:::u:::scESC:\n"
    "fpr:::::::::AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA:\n"
    "uid:u::::1100000000::H1::Alice \\x3a Example <alice@example.org>:\n"
    "uid:u::::1100000000::H2::Second Alice:\n"
    "sub:u:1024:16:A1A1A1A1A1A1A1A1:1100000000::::::e:\n"
    "pub:e:768:1:BBBBBBBBBBBBBBBB:999999999:1000000000::-:::sc:\n"
    "pub:f:2048:20:CCCCCCCCCCCCCCCC:1100000000:::f:::scESCD:\n"
    "uid:f::::1100000000::H3::Elg Twenty:\n"
    "pub:r:4096:22:DDDDDDDDDDDDDDDD:1100000000:::u:::sc:\n"
    "sub:r:4096:22:D1D1D1D1D1D1D1D1:1100000000::::::s:\n"
    "uid:r::::1100000000::H4::Revoked Curve:\n"
    "pub:e:1024:17:EEEEEEEEEEEEEEEE:1100000000:1200000000::n:::sc:\n"
    "uid:e::::1100000000::H5::Expired Dsa:\n";

KeyListingOptions Options() {
    KeyListingOptions options;
    options.colorNormal = 7;
    return options;
}

PublicListingRead Parse(std::string_view secret, std::string_view pub, const KeyListingOptions& options = Options()) {
    return ParseKeyListing(secret, pub, options);
}

}  // namespace

TEST(KeyListingReader, RecordsOfEveryKind) {
    PublicListingRead read = Parse(kSecret, kPublic);
    ASSERT_FALSE(read.formatError);
    EXPECT_TRUE(read.undecodableKeyIds.empty());
    const KeyListing& listing = read.listing;
    ASSERT_EQ(listing.keys.size(), 5u);

    struct Row {
        const char* userId;
        const char* keyId;
        const char* size;
        const char* validityText;
        const char* ownerTrustText;
        const char* expiresText;
        bool isKeyPair;
        bool disabled;
        const char* description;
        int icon;
        RowColour colour;
    } rows[] = {
        {"Alice : Example <alice@example.org>", "0xAAAAAAAA", "1024", "Ultim.", "Ultim.", "Never", true, false,
         "DSA key pair", 6, kDefaultColorKeyPair},
        // Followed directly by the next key's "pub" line: no user ID.
        {"n/a", "0xBBBBBBBB", "0768", "Exp.", "-", "2001-09-09", false, false, "RSA public key (expired)", 23, 7},
        // Algorithm 20 is marked even in a key pair; disabled wins over validity.
        {"Elg Twenty", "0xCCCCCCCC", "2048", "Dis.", "Full ", "Never", true, true, "ELG key pair (disabled)", 17,
         kDefaultColorElgType},
        {"Revoked Curve", "0xDDDDDDDD", "4096", "Rev.", "Ultim.", "Never", true, false, "Unknown key pair (revoked)",
         50, kDefaultColorKeyPair},
        {"Expired Dsa", "0xEEEEEEEE", "1024", "Exp.", "None ", "2008-01-10", false, false, "DSA public key (expired)",
         3, 7},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const KeyRecord& key = listing.keys[i];
        const Row& row = rows[i];
        SCOPED_TRACE(row.keyId);
        EXPECT_EQ(key.userId, row.userId);
        EXPECT_EQ(key.keyId, row.keyId);
        EXPECT_EQ(key.longKeyId, "0x" + std::string(8, row.keyId[2]) + std::string(row.keyId + 2));
        EXPECT_EQ(key.size, row.size);
        EXPECT_EQ(key.validityText, row.validityText);
        EXPECT_EQ(key.ownerTrustText, row.ownerTrustText);
        EXPECT_EQ(key.expiresText, row.expiresText);
        EXPECT_EQ(key.expiresSort, row.expiresText);  // the host style shows dates as their sort form
        EXPECT_EQ(key.isKeyPair, row.isKeyPair);
        EXPECT_EQ(key.disabled, row.disabled);
        EXPECT_EQ(key.description, row.description);
        EXPECT_EQ(key.icon, row.icon);
        EXPECT_EQ(key.textColour, row.colour);
    }
    EXPECT_EQ(listing.keys[0].createdSort, "2004-11-09");
    EXPECT_EQ(listing.keys[0].algorithm, "17");
    EXPECT_EQ(listing.keys[0].capabilities, "scESC");
    EXPECT_EQ(listing.keys[0].validity, "u");
    EXPECT_EQ(listing.keys[1].ownerTrust, "-");

    EXPECT_EQ(listing.secretKeyIds, "0xAAAAAAAAAAAAAAAA 0xCCCCCCCCCCCCCCCC 0xDDDDDDDDDDDDDDDD");
    // Disabled key pairs stay usable; revoked ones do not.
    EXPECT_EQ(listing.usableKeyPairIds, "0xAAAAAAAAAAAAAAAA 0xCCCCCCCCCCCCCCCC");
    // The "cfg" line after "tru" is not read.
    EXPECT_EQ(listing.cipherAlgos, ";1;2;3;4;7;8;9;10;11;");
    EXPECT_EQ(listing.digestAlgos, ";1;2;3;8;9;10;11;");
    EXPECT_EQ(listing.compressAlgos, ";0;1;2;3;");
    EXPECT_EQ(listing.lastAddedKeyId, "0xEEEEEEEEEEEEEEEE");
    EXPECT_TRUE(listing.keys[4].isLastAdded);
    EXPECT_FALSE(listing.keys[3].isLastAdded);
    EXPECT_EQ(listing.keys[4].description, "DSA public key (expired)");  // the key list adds the mark
    EXPECT_EQ(listing.dsaCount, 2);
    EXPECT_EQ(listing.elgCount, 1);
    EXPECT_EQ(listing.rsaCount, 1);
    EXPECT_TRUE(listing.complete);
}

TEST(KeyListingReader, OptionsShapeTheRecords) {
    KeyListingOptions options = Options();
    options.longKeyIds = true;
    options.trustDisplay = TrustDisplay::Graphs;
    options.dates.shortDatePicture = "d/M/yyyy";
    const KeyListing listing = Parse(kSecret, kPublic, options).listing;
    EXPECT_EQ(listing.keys[0].keyId, "0xAAAAAAAAAAAAAAAA");
    EXPECT_EQ(listing.keys[0].validityText, "||||| u |||||");
    EXPECT_EQ(listing.keys[2].validityText, "- dis. -");
    EXPECT_EQ(listing.keys[0].createdText, "9/11/2004");
    EXPECT_EQ(listing.keys[0].createdSort, "2004-11-09");

    options.trustDisplay = TrustDisplay::Hidden;
    EXPECT_EQ(Parse(kSecret, kPublic, options).listing.keys[0].ownerTrustText, "");
}

TEST(KeyListingReader, AlgorithmFilter) {
    KeyListingOptions options = Options();
    options.algorithmFilter = "17";
    KeyListing listing = Parse(kSecret, kPublic, options).listing;
    ASSERT_EQ(listing.keys.size(), 2u);
    EXPECT_EQ(listing.keys[0].keyId, "0xAAAAAAAA");
    EXPECT_EQ(listing.dsaCount, 2);
    EXPECT_EQ(listing.rsaCount + listing.elgCount, 0);
    EXPECT_EQ(listing.usableKeyPairIds, "0xAAAAAAAAAAAAAAAA");

    // The last key of the file is the last added one even when the filter hides it.
    options.algorithmFilter = "20";
    listing = Parse(kSecret, kPublic, options).listing;
    ASSERT_EQ(listing.keys.size(), 1u);
    EXPECT_EQ(listing.lastAddedKeyId, "0xEEEEEEEEEEEEEEEE");
    EXPECT_FALSE(listing.keys[0].isLastAdded);
    // The filter is exact: "2" is not "20".
    options.algorithmFilter = "2";
    EXPECT_TRUE(Parse(kSecret, kPublic, options).listing.keys.empty());
}

TEST(KeyListingReader, TrustDatabaseSummary) {
    DateStyle style;
    style.localOffsetSeconds = 3600;  // the summary is in local time
    EXPECT_EQ(TrustDbSummary("tru:o:1:1100000000:0:3:1:5", style),
              "Created:\t2004-11-09 12:33:20\r\nExpires:\t\r\n\nTrust model: PGP\r\n\nThe Trust DB is old!\r\n");
    EXPECT_EQ(TrustDbSummary("tru:t:0:99:1200000000", style),
              "Created:\t\r\nExpires:\t2008-01-10 22:20:00\r\n\nTrust model: Classic\r\n\n"
              "The Trust DB was built with a different trust\r\nmodel than the one we are using now!");
    EXPECT_EQ(TrustDbSummary("tru::7::", style), "Created:\t\r\nExpires:\t\r\n\nTrust model: Unknown");
    EXPECT_EQ(TrustDbSummary("tru::1:1100000000", style), "");  // three colons

    // Only the first "tru" line counts, and the "cfg" lines after it are not read.
    KeyListing listing =
        Parse("", "tru:::1100000000\ncfg:digest:2\ntru:o:1::\npub:u:1024:1:0123456789ABCDEF:1::::::sc:\n").listing;
    EXPECT_EQ(listing.trustDbInfo, "");
    EXPECT_EQ(listing.digestAlgos, "");
    EXPECT_EQ(listing.keys.size(), 1u);
}

TEST(KeyListingReader, FormatErrors) {
    struct Case {
        const char* why;
        std::string secret, pub;
        size_t keysBefore;
    } cases[] = {
        {"short sec line", "sec::1024:17:AAAAAAAAAAAAAAAA:1100000000:::\n", kPublic, 0},
        {"short pub line", "",
         "pub:u:1024:1:0123456789ABCDEF:1:::u:::sc:\nuid:u::::::::One:\npub:u:1024:1:1123456789ABCDEF:1:::\n", 1},
        {"short first uid", "",
         "pub:u:1024:1:0123456789ABCDEF:1:::u:::sc:\nuid:u::::::::One:\n"
         "pub:u:1024:1:1123456789ABCDEF:1:::u:::sc:\nsub:u:1024:1:2123456789ABCDEF:1::::::e:\nuid:u::Two\n",
         1},
    };
    for (const auto& c : cases) {
        PublicListingRead read = Parse(c.secret, c.pub);
        EXPECT_TRUE(read.formatError) << c.why;
        EXPECT_FALSE(read.listing.complete) << c.why;
        EXPECT_EQ(read.listing.keys.size(), c.keysBefore) << c.why;
    }
    // Only the first uid of a key is checked; a short later one is skipped.
    PublicListingRead read = Parse("", "pub:u:1024:1:0123456789ABCDEF:1:::u:::sc:\nuid:u::::::::One:\nuid:short\n");
    EXPECT_FALSE(read.formatError);
    EXPECT_EQ(read.listing.keys.at(0).userId, "One");
}

TEST(KeyListingReader, UndecodableKeysAreListedWithWhatWasDecoded) {
    PublicListingRead read = Parse("",
                                   "pub:u:1024:1:XYZ:1100000000:::u:::sc:\nuid:u::::::::Bad Id:\n"
                                   "pub:u:big:1:0123456789ABCDEF:1100000000:::u:::sc:\nuid:u::::::::Bad Size:\n"
                                   "pub:u:1024:1:1123456789ABCDEF:1100000000:::u:::sc:\nuid:u::::::::Good:\n");
    EXPECT_FALSE(read.formatError);
    EXPECT_EQ(read.undecodableKeyIds, (std::vector<std::string>{"0xXYZ", "0x89ABCDEF"}));
    ASSERT_EQ(read.listing.keys.size(), 3u);
    const KeyRecord& badId = read.listing.keys[0];
    EXPECT_EQ(badId.userId, "Bad Id");
    EXPECT_EQ(badId.validity, "");
    EXPECT_EQ(badId.size, "");
    EXPECT_EQ(badId.description, "Unknown public key");
    const KeyRecord& badSize = read.listing.keys[1];
    EXPECT_EQ(badSize.validity, "u");
    EXPECT_EQ(badSize.size, "");
    EXPECT_EQ(badSize.createdText, "");
    EXPECT_EQ(read.listing.keys[2].createdSort, "2004-11-09");
}

TEST(KeyListingReader, LineEndsDoNotMatter) {
    auto withEnds = [](std::string text, const std::string& end) {
        std::string out;
        for (char c : text) {
            if (c == '\n')
                out += end;
            else
                out += c;
        }
        return out;
    };
    const KeyListing reference = Parse(kSecret, kPublic).listing;
    for (const char* end : {"\r\n", "\r"}) {
        PublicListingRead read = Parse(withEnds(kSecret, end), withEnds(kPublic, end));
        EXPECT_FALSE(read.formatError);
        ASSERT_EQ(read.listing.keys.size(), reference.keys.size());
        EXPECT_EQ(read.listing.keys[0].userId, reference.keys[0].userId);
        EXPECT_EQ(read.listing.keys[4].expiresText, reference.keys[4].expiresText);
        EXPECT_EQ(read.listing.trustDbInfo, reference.trustDbInfo);
        EXPECT_EQ(read.listing.secretKeyIds, reference.secretKeyIds);
    }
    // No line end after the last line.
    std::string cut(kPublic);
    cut.pop_back();
    EXPECT_EQ(Parse(kSecret, cut).listing.keys.back().userId, "Expired Dsa");
}

TEST(KeyListingReader, KeyDetailRecords) {
    DateStyle style;
    SubKeyRecord sub;
    ASSERT_TRUE(DecodeSubKeyLine("sub:e:768:16:A1A1A1A1B2B2B2B2:999999999:1000000000:::::e:", style, sub));
    EXPECT_EQ(sub.validity, "e");
    EXPECT_EQ(sub.size, "0768");
    EXPECT_EQ(sub.algorithm, "16");
    EXPECT_EQ(sub.keyId, "0xB2B2B2B2");
    EXPECT_EQ(sub.longKeyId, "0xA1A1A1A1B2B2B2B2");
    EXPECT_EQ(sub.createdSort, "2001-09-09");
    EXPECT_EQ(sub.expiresSort, "2001-09-09");
    EXPECT_EQ(sub.capabilities, "e");
    ASSERT_TRUE(DecodeSubKeyLine("sub:u:2048:1:A1A1A1A1B2B2B2B2:1100000000::::::s:", style, sub));
    EXPECT_EQ(sub.expiresText, "Never");
    EXPECT_FALSE(DecodeSubKeyLine("sub:u:2048:1:A1A1A1A1B2B2B2B2:1100000000:", style, sub));

    UserIdRecord uid;
    ASSERT_TRUE(DecodeUserIdLine("uid:m::::1100000000::H::Bob \\x3a B:", UserIdDecoding{}, uid));
    EXPECT_EQ(uid.validity, "m");
    EXPECT_EQ(uid.text, "Bob : B");
    EXPECT_FALSE(DecodeUserIdLine("uid:m::::1100000000::H:", UserIdDecoding{}, uid));

    for (const char* photo : {"1 123", "1 1234", "2 12345", " 999"}) EXPECT_TRUE(IsPhotoAttribute(photo)) << photo;
    for (const char* other : {"1 12", "1 123456", "1 12a", "123", "1_1234", ""})
        EXPECT_FALSE(IsPhotoAttribute(other)) << other;
}

namespace {

size_t CountPubLines(std::string_view text) {
    size_t count = 0;
    ListingLines lines(text);
    std::string_view line;
    while (lines.Next(line)) count += line.substr(0, 3) == "pub";
    return count;
}

// What must hold for any input: a result, never more keys than "pub" lines, and
// a complete listing exactly when no format error was met.
void ExpectSaneRead(std::string_view secret, std::string_view pub) {
    PublicListingRead read = Parse(secret, pub);
    EXPECT_LE(read.listing.keys.size(), CountPubLines(pub));
    EXPECT_EQ(read.listing.complete, !read.formatError);
    for (const auto& key : read.listing.keys) {
        EXPECT_GE(key.icon, 1);
        EXPECT_LE(key.icon, 50);
    }
}

}  // namespace

// A listing cut off anywhere, as a reader sees it while another program is
// still writing it.
TEST(KeyListingReader, HalfWrittenFiles) {
    const std::string pub(kPublic), secret(kSecret);
    for (size_t length = 0; length <= pub.size(); ++length) ExpectSaneRead(secret, pub.substr(0, length));
    for (size_t length = 0; length <= secret.size(); ++length) ExpectSaneRead(secret.substr(0, length), pub);
    // Cut in the middle of the last key's uid line: its fields are short.
    std::string cut = pub.substr(0, pub.rfind("Expired"));
    cut.resize(cut.rfind(':'));
    EXPECT_TRUE(Parse(secret, cut).formatError);
}

TEST(KeyListingReader, GarbageInput) {
    std::mt19937 random(20240611);
    const std::string nul(1, '\0');
    const std::string pieces[] = {":",   "\n", "\r",   "pub",  "uid",  "sec", "tru",          "cfg:cipher:",
                                  "\\x", "3a", "\xC3", "\xBC", "\x81", nul,   "::::::::::::", "1100000000"};
    const std::string pub(kPublic), secret(kSecret);
    for (int round = 0; round < 300; ++round) {
        // The real listing with random pieces spliced in, or nothing but pieces.
        std::string text = round % 3 == 0 ? std::string() : pub;
        int edits = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < edits; ++i) {
            size_t at = text.empty() ? 0 : random() % text.size();
            if (random() % 4 == 0 && !text.empty())
                text.erase(at, 1 + random() % 8);
            else
                text.insert(at, pieces[random() % std::size(pieces)]);
        }
        ExpectSaneRead(round % 2 ? secret : text, text);
    }
    std::string binary(64 * 1024, '\0');
    for (char& c : binary) c = static_cast<char>(random());
    ExpectSaneRead(binary, binary);
}

TEST(KeyListingReader, HugeUserId) {
    std::string name(100 * 1024, 'x');
    for (size_t i = 0; i < name.size(); i += 100) name.replace(i, 4, "\\x3a");
    std::string pub = "pub:u:1024:1:0123456789ABCDEF:1100000000:::u:::sc:\nuid:u::::::::" + name + ":\n";
    PublicListingRead read = Parse("", pub);
    ASSERT_EQ(read.listing.keys.size(), 1u);
    EXPECT_EQ(read.listing.keys[0].userId.size(), name.size() - 3 * (name.size() / 100));
    EXPECT_EQ(read.listing.keys[0].userId.substr(0, 2), ":x");
}

// The size of a large keyring; a reader that searched the whole text once per key
// would not finish here in any reasonable time.
TEST(KeyListingReader, TenThousandKeys) {
    std::string secret, pub = "tru::1:1100000000:0:3:1:5\n";
    for (int i = 0; i < 10000; ++i) {
        char id[17];
        std::snprintf(id, sizeof id, "%016X", i);
        if (i % 2 == 0) secret += "sec::2048:1:" + std::string(id) + ":1100000000:::::::::\n";
        pub += "pub:u:2048:" + std::string(i % 3 == 0 ? "17" : "1") + ":" + id + ":1100000000:::u:::scESC:\n";
        pub += "fpr:::::::::0000000000000000000000000000000000000000:\n";
        pub += "uid:u::::1100000000::H::User " + std::to_string(i) + " <u" + std::to_string(i) + "@example.org>:\n";
        pub += "sub:u:2048:1:" + std::string(id) + ":1100000000::::::e:\n";
    }
    KeyListing listing = Parse(secret, pub).listing;
    ASSERT_EQ(listing.keys.size(), 10000u);
    EXPECT_EQ(listing.dsaCount, 3334);
    EXPECT_EQ(listing.rsaCount, 6666);
    EXPECT_EQ(listing.usableKeyPairIds.size(), 5000u * 19 - 1);
    EXPECT_EQ(listing.keys[9999].userId, "User 9999 <u9999@example.org>");
    EXPECT_TRUE(listing.keys[9998].isKeyPair);
    EXPECT_FALSE(listing.keys[9999].isKeyPair);
}
