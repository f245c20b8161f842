// Field decoding of the colon listings: what each raw field becomes on screen.
#include <gtest/gtest.h>

#include "common/colon_fields.h"
#include "common/date_text.h"

namespace {

// A Western European console: OEM 850 beside ANSI 1252. The only OEM byte this
// stand-in converts is 0x81 (u-umlaut in 850, 0xFC in 1252).
std::string FakeFromDos(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (static_cast<unsigned char>(c) == 0x81) c = static_cast<char>(0xFC);
    }
    return out;
}

UserIdDecoding WesternDecoding() {
    UserIdDecoding decoding;
    decoding.oemCodepage = "850";
    decoding.ansiCodepage = "1252";
    decoding.fromDos = &FakeFromDos;
    return decoding;
}

DateStyle GermanDates() {
    DateStyle style;
    style.shortDatePicture = "dd.MM.yyyy";
    return style;
}

}  // namespace

TEST(KeyListingFields, ColonFieldsAndColonCounts) {
    const std::string line = "pub:u:1024:17:0123456789ABCDEF:1100000000::";
    struct Case {
        int n;
        const char* field;
    } cases[] = {{1, "pub"}, {2, "u"}, {3, "1024"}, {5, "0123456789ABCDEF"}, {7, ""}, {8, ""}, {9, ""}, {0, ""}};
    for (const auto& c : cases) EXPECT_EQ(ColonField(line, c.n), c.field) << c.n;
    EXPECT_EQ(ColonField("a:b", 2), "b");  // the last field of a line without a closing colon

    EXPECT_TRUE(HasColons(line, 7));
    EXPECT_FALSE(HasColons(line, 8));
    EXPECT_TRUE(HasColons("", 0));

    std::string_view fields[4];
    SplitColonFields("a::b:c:d:e", fields);
    EXPECT_EQ(fields[0], "a");
    EXPECT_EQ(fields[1], "");
    EXPECT_EQ(fields[2], "b");
    EXPECT_EQ(fields[3], "c:d:e");  // the last slot takes the rest
    SplitColonFields("x", fields);
    EXPECT_EQ(fields[0], "x");
    EXPECT_EQ(fields[3], "");
}

TEST(KeyListingFields, HexEscapes) {
    struct Case {
        const char* in;
        std::string out;
    } cases[] = {
        {"Smith\\x3a Sons", "Smith: Sons"},
        {"a\\x5cx41", "a\\x41"},     // a decoded backslash starts no new escape
        {"\\xe4\\xE4", "\xe4\xe4"},  // either case
        {"100\\x25", "100%"},
        {"\\xzz and \\xg1", "\\xzz and \\xg1"},  // not hexadecimal: left alone, no NUL
        {"cut \\x4", "cut \\x4"},
        {"\\x00x", std::string("\0x", 2)},  // an escaped NUL is still a NUL
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeHexEscapes(c.in), c.out) << c.in;
}

TEST(KeyListingFields, Utf8PairRepair) {
    struct Case {
        std::string in, out;
    } cases[] = {
        {"\xC2\xA9", "\xA9"},      // copyright sign
        {"\xC2\xAA", "\xC2\xAA"},  // 170 is not in the table
        {"\xC3\xBC\xC3\x96", "\xFC\xD6"},
        {"\xC3\x84", "\xC3\x84"},  // 132 is not in the table
        {"\xC4\x83\xC4\xBD", "\xE3\xA5"},
        {"\xC5\x95\xC5\xA0\xC5\xA4\xC5\xBE", "\xE0\xA9\xAB\xBE"},
        {"\xCB\x98\xCB\x9D", "\xA2\xBD"},
        {"\xC3"
         "A",
         "\xC3"
         "A"},                             // no second byte of 0x80 or above: not a pair
        {"\xC3\xC3\xBC", "\xC3\xC3\xBC"},  // an unknown pair is skipped as a whole
        {"end\xC3", "end\xC3"},
    };
    for (const auto& c : cases) EXPECT_EQ(RepairUtf8Pairs(c.in), c.out);
}

TEST(KeyListingFields, UserIdDecoding) {
    const UserIdDecoding western = WesternDecoding();
    struct Case {
        const char* why;
        std::string in, out;
    } cases[] = {
        {"plain text is not touched", "Alice <alice@example.org>", "Alice <alice@example.org>"},
        {"escaped colon", "Smith\\x3a Sons", "Smith: Sons"},
        // GnuPG leaves the UTF-8 bytes of u-umlaut as they are.
        {"UTF-8 without escapes", "J\xC3\xBCrgen M\xC3\xBCller", "J\xFCrgen M\xFCller"},
        // A-umlaut's second byte lies in 0x80..0x9F, which GnuPG escapes.
        {"UTF-8 with an escaped byte", "\xC3\\x84rger", "\xC4rger"},
        {"UTF-8 beyond Latin-1", "\xE2\\x82\xAC 5", "? 5"},
        {"console-typed text goes from OEM to ANSI", "J\\x81rgen", "J\xFCrgen"},
        {"raw non-UTF-8 bytes without a trigger are used as read", "J\x81rgen \xFC", "J\x81rgen \xFC"},
        {"broken UTF-8 with a lead pair takes the old route", "\xC3\xBC\xFF", "\xFC\xFF"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeUserId(c.in, western), c.out) << c.why;

    // The pair repair belongs to the Western and Central European consoles only.
    UserIdDecoding cyrillic = western;
    cyrillic.oemCodepage = "866";
    EXPECT_EQ(DecodeUserId("\xC3\xBC\xFF", cyrillic), "\xC3\xBC\xFF");
    // Equal code pages: no OEM conversion.
    UserIdDecoding same = western;
    same.ansiCodepage = "850";
    EXPECT_EQ(DecodeUserId("J\\x81rgen", same), "J\x81rgen");
    // The system's UTF-8 conversion is used when there is one.
    UserIdDecoding withSystem = western;
    withSystem.fromUtf8 = [](std::string_view text) { return "<" + std::string(text) + ">"; };
    EXPECT_EQ(DecodeUserId("J\xC3\xBCrgen", withSystem), "<J\xC3\xBCrgen>");
    EXPECT_EQ(DecodeUserId("a\\x3ab", withSystem), "a:b");  // all ASCII after decoding

    // A huge user ID full of escapes decodes in one pass.
    std::string huge;
    for (int i = 0; i < 25000; ++i) huge += "\\x3a";
    EXPECT_EQ(DecodeUserId(huge, western), std::string(25000, ':'));
}

TEST(KeyListingFields, SizesAndKeyIds) {
    EXPECT_EQ(PadKeySize("768"), "0768");
    EXPECT_EQ(PadKeySize("1024"), "1024");
    EXPECT_EQ(PadKeySize("64"), "64");
    EXPECT_EQ(PadKeySize("7a8"), "7a8");
    EXPECT_EQ(ShortKeyId("0123456789ABCDEF"), "0x89ABCDEF");
    EXPECT_EQ(ShortKeyId("ABC"), "0xABC");
    EXPECT_EQ(LongKeyId("0123456789ABCDEF"), "0x0123456789ABCDEF");
}

TEST(KeyListingFields, KeyDates) {
    DateStyle style = GermanDates();
    // Key dates are shown in UTC whatever the local offset.
    style.localOffsetSeconds = 2 * 3600;
    struct Case {
        const char* field;
        const char* text;
        const char* sort;
    } cases[] = {
        {"1234567890", "13.02.2009", "2009-02-13"},
        {"946684799", "31.12.1999", "1999-12-31"},  // nine digits; 2000 in local time
        {"999999999", "09.09.2001", "2001-09-09"},
        {"2003-05-01", "01.05.2003", "2003-05-01"},  // GnuPG's dates without fixed-list-mode
        {"2003-5-1", "01.05.2003", "2003-05-01"},
        {"20030501T120000", "01.05.2003", "2003-05-01"},
        {"4102444800", "01.01.2100", "2100-01-01"},  // beyond 2038
        {"2003-02-30", "2003-02-30", "2003-02-30"},  // not a date: as it stands
        {"12345678", "12345678", "12345678"},        // eight digits are not a time
        {"-123456789", "-123456789", "-123456789"},
        {"soon", "soon", "soon"},
    };
    for (const auto& c : cases) {
        DisplayDate date = DecodeKeyDate(c.field, style);
        EXPECT_EQ(date.text, c.text) << c.field;
        EXPECT_EQ(date.sort, c.sort) << c.field;
    }
    DisplayDate never = DecodeKeyDate("", style, "Never");
    EXPECT_EQ(never.text, "Never");
    EXPECT_EQ(never.sort, "Never");
    EXPECT_EQ(DecodeKeyDate("", style).text, "");
}

TEST(KeyListingFields, DatePictures) {
    const CivilDateTime when{2009, 2, 3, 14, 5, 9};  // a Tuesday
    const DateNames names;
    struct Case {
        const char* picture;
        const char* text;
    } cases[] = {
        {"dd.MM.yyyy", "03.02.2009"},
        {"d/M/yy", "3/2/09"},
        {"d.M.y", "3.2.09"},
        {"dddd, d. MMMM yyyy", "Tuesday, 3. February 2009"},
        {"ddd MMM dd", "Tue Feb 03"},
        {"'Day' d 'o''clock' ''", "Day 3 o'clock "},
        {"H:m:s", "14:5:9"},
        {"hh:mm:ss tt", "02:05:09 PM"},
        {"h t", "2 P"},
        {"yyyy-MM-dd g", "2009-02-03 A.D."},
    };
    for (const auto& c : cases) EXPECT_EQ(FormatDateTimePicture(c.picture, when, names), c.text) << c.picture;
    // Month names beside a day number take their genitive form.
    DateNames polish;
    polish.months[1] = "luty";
    polish.monthsGenitive[1] = "lutego";
    EXPECT_EQ(FormatDateTimePicture("d MMMM yyyy", when, polish), "3 lutego 2009");
    EXPECT_EQ(FormatDateTimePicture("MMMM yyyy", when, polish), "luty 2009");
    EXPECT_EQ(FormatDateTimePicture("MMMM 'd'", when, polish), "luty d");
    EXPECT_EQ(FormatDateTimePicture("hh tt", CivilDateTime{2009, 2, 3, 0, 0, 0}, names), "12 AM");

    DateStyle style = GermanDates();
    EXPECT_EQ(GeneralDateTimeText(when, style), "03.02.2009 14:05:09");
    EXPECT_EQ(GeneralDateTimeText(CivilDateTime{2009, 2, 3}, style), "03.02.2009");
}

TEST(KeyListingFields, CalendarArithmetic) {
    struct Case {
        int64_t seconds;
        CivilDateTime when;
    } cases[] = {
        {0, {1970, 1, 1, 0, 0, 0}},
        {951782400, {2000, 2, 29, 0, 0, 0}},
        {2147483647, {2038, 1, 19, 3, 14, 7}},
        {-1, {1969, 12, 31, 23, 59, 59}},
        {9999999999, {2286, 11, 20, 17, 46, 39}},
    };
    for (const auto& c : cases) {
        CivilDateTime got = CivilFromUnixSeconds(c.seconds);
        EXPECT_EQ(std::tie(got.year, got.month, got.day, got.hour, got.minute, got.second),
                  std::tie(c.when.year, c.when.month, c.when.day, c.when.hour, c.when.minute, c.when.second))
            << c.seconds;
        EXPECT_EQ(DaysFromCivil(c.when.year, c.when.month, c.when.day),
                  (c.seconds - (c.seconds < 0 ? 86399 : 0)) / 86400);
    }
    EXPECT_EQ(WeekdayOf(1970, 1, 1), 4);
    EXPECT_EQ(WeekdayOf(2000, 2, 29), 2);
    EXPECT_FALSE(IsValidCivilDate(1900, 2, 29));
    EXPECT_TRUE(IsValidCivilDate(2000, 2, 29));
}

TEST(KeyListingFields, TrustTexts) {
    const TrustWords words;
    struct Case {
        const char* letter;
        const char* ownerWords;
        const char* validityWords;
        const char* ownerGraph;
        const char* validityGraph;
    } cases[] = {
        {"-", "-", "-", "-", "-"},
        {"q", "-", "-", "-", "-"},
        {"n", "None ", "None ", "|---------|", "|---------|"},
        {"m", "Marg.", "Marg.", "|||||||-----|", "|||||||-----|"},
        {"f", "Full ", "Full ", "||||||||||||||||", "||||||||||||||||"},
        {"u", "Ultim.", "Ultim.", "||||| u |||||", "||||| u |||||"},
        {"d", "d", "", "d", ""},
        {"e", "e", "Exp.", "e", "- exp. -"},
        {"i", "i", "Inv.", "i", "- inv. -"},
        {"r", "r", "Rev.", "r", "- rev. -"},
        {"o", "o", "???", "o", "???"},
        {"x", "x", "x", "x", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(OwnerTrustText(c.letter, TrustDisplay::Words, words), c.ownerWords) << c.letter;
        EXPECT_EQ(ValidityText(c.letter, false, TrustDisplay::Words, words), c.validityWords) << c.letter;
        EXPECT_EQ(OwnerTrustText(c.letter, TrustDisplay::Graphs, words), c.ownerGraph) << c.letter;
        EXPECT_EQ(ValidityText(c.letter, false, TrustDisplay::Graphs, words), c.validityGraph) << c.letter;
        EXPECT_EQ(OwnerTrustText(c.letter, TrustDisplay::Hidden, words), "");
        EXPECT_EQ(ValidityText(c.letter, true, TrustDisplay::Hidden, words), "");
        // Disabled wins over every validity.
        EXPECT_EQ(ValidityText(c.letter, true, TrustDisplay::Words, words), "Dis.");
        EXPECT_EQ(ValidityText(c.letter, true, TrustDisplay::Graphs, words), "- dis. -");
    }
    EXPECT_EQ(TrustDisplayFromSetting("0"), TrustDisplay::Words);
    EXPECT_EQ(TrustDisplayFromSetting("1"), TrustDisplay::Graphs);
    EXPECT_EQ(TrustDisplayFromSetting("2"), TrustDisplay::Hidden);
    EXPECT_EQ(TrustDisplayFromSetting(""), TrustDisplay::Hidden);
}

TEST(KeyListingFields, AlgorithmFamilies) {
    struct Case {
        const char* algorithm;
        AlgorithmFamily family;
        const char* text;
    } cases[] = {
        {"17", AlgorithmFamily::Dsa, "DSA"},
        {"16", AlgorithmFamily::ElGamal, "ELG"},
        {"20", AlgorithmFamily::ElGamal, "ELG"},
        {"1", AlgorithmFamily::Rsa, "RSA"},
        {"2", AlgorithmFamily::Rsa, "RSA"},
        {"3", AlgorithmFamily::Rsa, "RSA"},
        {"18", AlgorithmFamily::EllipticCurve, "ECC"},
        {"19", AlgorithmFamily::EllipticCurve, "ECC"},
        {"22", AlgorithmFamily::Unknown, "Unknown"},
        {"", AlgorithmFamily::Unknown, "Unknown"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FamilyOfAlgorithm(c.algorithm), c.family) << c.algorithm;
        EXPECT_EQ(FamilyText(c.family), c.text);
    }
}
