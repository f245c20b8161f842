// GnuPG's colon listings, field by field: reading a field, and turning the raw
// field texts into what the key lists show (user IDs, sizes, dates, trust words,
// algorithm families). Platform-free; the code-page conversions a user ID needs
// come in from the Windows side through UserIdDecoding.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "common/date_text.h"

// ---- Fields -------------------------------------------------------------------

// Field n (1-based) of a colon record: the text after the (n-1)-th colon up to the
// next colon (or the end of the line); "" when the line has fewer fields.
std::string ColonField(std::string_view line, int n);

// True when the line holds at least `colons` colons: a field is only readable when
// a colon follows it, so readers check this before they take fields ("pub", "sub",
// "sec" need 12, "uid", "uat", "fpr" 10, "tru" 4). Stops counting once enough are
// seen, so a huge line costs nothing extra.
bool HasColons(std::string_view line, size_t colons);

// Splits a record into its first N fields at once (the rest of the line
// stays in the last one). Views into `line`; missing fields are empty.
template <size_t N>
void SplitColonFields(std::string_view line, std::string_view (&fields)[N]) {
    size_t start = 0;
    for (size_t i = 0; i < N; ++i) {
        if (start > line.size()) {
            fields[i] = {};
            continue;
        }
        size_t colon = line.find(':', start);
        if (colon == std::string_view::npos || i + 1 == N) colon = line.size();
        fields[i] = line.substr(start, colon - start);
        start = colon + 1;
    }
}

// ---- User IDs -----------------------------------------------------------------

// GnuPG writes colons, backslashes, control bytes and bytes 0x7F to 0x9F inside a
// field as "\x" and two hex digits. Scanning from the left, every "\x" followed by
// two characters of [a-zA-Z0-9] becomes the byte they give; a pair that is not
// hexadecimal ("\xzz", which GnuPG never writes because it escapes the backslash
// itself) is left as it stands instead of becoming a NUL that would cut the text
// short wherever it is shown.
std::string DecodeHexEscapes(std::string_view text);

// Two-byte UTF-8 sequences of the Latin-1 and Latin-2 letters the Western and
// Central European consoles show (lead bytes 0xC2 to 0xC5 and 0xCB, second byte
// 0x80 or above) become one byte each; a pair outside the table stays as it is and
// is skipped as a whole. DecodeUserId uses it only for OEM code pages 437, 850,
// 852 and 858.
std::string RepairUtf8Pairs(std::string_view text);

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF).
bool IsWellFormedUtf8(std::string_view text);

// Code-page facts and conversions DecodeUserId needs; the Windows side supplies
// the system's (see common/win/key_listing_files.h). Null conversions leave the
// text alone; a null fromUtf8 maps to Latin-1 ('?' for what Latin-1 lacks).
struct UserIdDecoding {
    std::string oemCodepage;                              // e.g. "850"
    std::string ansiCodepage;                             // e.g. "1252"
    std::string (*fromDos)(std::string_view) = nullptr;   // OEM -> ANSI
    std::string (*fromUtf8)(std::string_view) = nullptr;  // UTF-8 -> ANSI
};

// A user ID as read from field 10 of "uid", made fit for display in the ANSI
// code page. Texts without an escape ("\x" and two of [a-zA-Z0-9]) and without a
// byte of 0x80 or above are returned as they are (most user IDs: no work at all).
// Otherwise the escapes are decoded, and then:
//  - text that is well-formed UTF-8 (what OpenPGP stores and GnuPG prints) is
//    converted from UTF-8 to the ANSI code page;
//  - other text (user IDs typed in a console's code page long ago) goes through
//    RepairUtf8Pairs (OEM code pages 437, 850, 852, 858 only) and the OEM -> ANSI
//    conversion, as long as it held an escape or one of the lead bytes 0xC2 to
//    0xC5 or 0xCB; without either it is used as read.
// Repairing pairs and then converting from OEM would turn "ü" into "³" on a
// Western European system, which is why UTF-8 takes the direct route.
std::string DecodeUserId(std::string_view text, const UserIdDecoding& decoding);

// ---- Key fields ---------------------------------------------------------------

// Field 3: a length of exactly three digits gets a leading "0" ("768" -> "0768")
// so that text order equals numeric order.
std::string PadKeySize(std::string_view size);

// "0x" + the last 8 characters of field 5 (all of it when shorter), or "0x" + the
// whole field for long IDs.
std::string ShortKeyId(std::string_view keyIdField);
std::string LongKeyId(std::string_view keyIdField);

// A date as the lists show it, and its sort key.
struct DisplayDate {
    std::string text;
    std::string sort;
};

// Fields 6 and 7 of "pub" and "sub". Nine or ten digits are seconds since
// 1970-01-01 00:00:00 UTC, shown in UTC; a field that reads as a date
// (ParseDateText) is that date. Either way `text` is the locale's short date and
// `sort` is "yyyy-mm-dd". Anything else is shown as it stands and is its own sort
// key; an empty field is `emptyText` ("Never" for the expiration).
// Ten-digit times after 2038-01-19 are converted as well: GnuPG keeps them
// unsigned, and a key that expires in 2040 should not show a bare number.
DisplayDate DecodeKeyDate(std::string_view field, const DateStyle& style, const std::string& emptyText = "");

// ---- Trust --------------------------------------------------------------------

// Setting GraphDisplay: 0 words, 1 bar graphs, anything else empty columns.
enum class TrustDisplay { Words, Graphs, Hidden };
TrustDisplay TrustDisplayFromSetting(std::string_view graphDisplay);

// The trust words and state marks, translated once per read rather than once per
// key ("None " and "Full " end in a blank so all four words are five or six
// characters wide).
struct TrustWords {
    std::string none = "None ", marginal = "Marg.", full = "Full ", ultimate = "Ultim.";
    std::string expired = "Exp.", invalid = "Inv.", revoked = "Rev.", disabled = "Dis.";
    std::string expiredGraph = "- exp. -", invalidGraph = "- inv. -", revokedGraph = "- rev. -",
                disabledGraph = "- dis. -";
};
// The English words passed through Translate.
TrustWords TranslatedTrustWords();

// Owner trust (field 9) and validity (field 2) as the trust columns show them.
// A disabled key shows "Dis." / "- dis. -" as its validity.
std::string OwnerTrustText(std::string_view letter, TrustDisplay display, const TrustWords& words);
std::string ValidityText(std::string_view letter, bool disabled, TrustDisplay display, const TrustWords& words);

// ---- Algorithms ---------------------------------------------------------------

// Field 4, the OpenPGP algorithm number, grouped the way the lists show it.
enum class AlgorithmFamily { Dsa, ElGamal, Rsa, EllipticCurve, Unknown };
AlgorithmFamily FamilyOfAlgorithm(std::string_view algorithm);
// "DSA", "ELG", "RSA", "ECC" or "Unknown" (translated).
std::string FamilyText(AlgorithmFamily family);
// Algorithm 20 (ElGamal for signing and encryption) is marked in every key list.
inline bool IsElgamalSignAndEncrypt(std::string_view algorithm) {
    return algorithm == "20";
}
