// The key cache files read into records: "~seckeys.dat" (GnuPG's secret-key
// listing) and "~pubkeys.dat" (configuration listing, an empty line, then the
// public keys with fingerprints), both in colon format.
//
// Platform-free and working on the files' contents: the Windows side
// (common/win/key_listing_files.h) creates, finds, reads and deletes the files and
// shows the messages; this part only reads text. Every line is looked at once per
// pass, no pattern matching per line, so 10,000 keys read in a few milliseconds;
// any input (cut-off lines, half-written files, binary garbage, huge user IDs)
// ends in records or in a reported format error, never in a crash.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/colon_fields.h"

inline constexpr const char* kSecretListingFile = "~seckeys.dat";
inline constexpr const char* kPublicListingFile = "~pubkeys.dat";
// Both key cache files, as a file pattern for deleting them.
inline constexpr const char* kListingFilePattern = "~???keys.dat";

// Row colours are Windows COLORREF values (0x00BBGGRR).
using RowColour = uint32_t;
inline constexpr RowColour kDefaultColorElgType = 255;       // red
inline constexpr RowColour kDefaultColorKeyPair = 16711680;  // blue

// What the reader needs from the key list and the settings.
struct KeyListingOptions {
    // "" lists every key; otherwise only keys whose algorithm (field 4) is exactly
    // this ("17" DSA, "20" ELG, "1" RSA in the key list's status bar).
    std::string algorithmFilter;
    bool longKeyIds = false;  // keyId with 16 digits
    TrustDisplay trustDisplay = TrustDisplay::Words;
    RowColour colorNormal = 0;  // the list's normal text colour
    RowColour colorKeyPair = kDefaultColorKeyPair;
    RowColour colorElgType = kDefaultColorElgType;
    DateStyle dates;
    UserIdDecoding userIds;
};

// Key state by validity letter, with "disabled" (a "D" in field 12) winning.
enum class KeyState { Normal, Disabled, Expired, Invalid, Revoked };

// One "pub" record of the public listing that passed the algorithm filter.
struct KeyRecord {
    std::string userId;        // first "uid" of the key, decoded; "n/a" without one
    std::string keyId;         // "0x" + 8 digits, or 16 with long key IDs
    std::string longKeyId;     // "0x" + field 5
    std::string size;          // field 3, three digits padded to four
    std::string algorithm;     // field 4
    std::string validity;      // field 2
    std::string ownerTrust;    // field 9
    std::string capabilities;  // field 12
    bool disabled = false;     // field 12 holds "D"
    std::string ownerTrustText;
    std::string validityText;
    std::string createdText, createdSort;
    std::string expiresText, expiresSort;  // "Never" for both without expiration
    bool isKeyPair = false;                // longKeyId is one of the secret keys
    AlgorithmFamily family = AlgorithmFamily::Unknown;
    KeyState state = KeyState::Normal;
    // Family and state, e.g. "RSA key pair (expired)". The key list appends
    // " (last added)" to the row of lastAddedKeyId itself; the reader leaves the
    // description alone and only sets isLastAdded.
    std::string description;
    bool isLastAdded = false;
    int icon = 0;  // 1..50 in the key list's icon list
    RowColour textColour = 0;
};

// The result of one read.
struct KeyListing {
    std::string secretKeyIds;      // "0x" + 16 digits of every "sec", blank-separated
    std::string usableKeyPairIds;  // listed key pairs not expired, invalid or revoked
    std::string cipherAlgos;       // ";1;2;3;" style, "" without the "cfg" record
    std::string digestAlgos;
    std::string compressAlgos;
    std::string trustDbInfo;      // summary of the "tru" record, "" without one
    std::vector<KeyRecord> keys;  // in file order
    std::string lastAddedKeyId;   // longKeyId of the last "pub", filtered or not
    int dsaCount = 0;             // keys listed per family (ECC and unknown not counted)
    int elgCount = 0;
    int rsaCount = 0;
    // False after a format error in the public listing: `keys` holds the keys
    // read before it.
    bool complete = true;
};

// ---- The two passes -----------------------------------------------------------

struct SecretListingRead {
    std::string secretKeyIds;
    std::vector<std::string> longKeyIds;  // "0x" + field 5, in file order
    bool formatError = false;             // a "sec" line with fewer than 12 colons
};

// Every line that begins "sec" contributes " 0x" + field 5; the result is trimmed.
SecretListingRead ReadSecretListing(std::string_view text);

struct PublicListingRead {
    KeyListing listing;
    bool formatError = false;  // a "pub" or first "uid" line with too few colons
    // Keys whose fields passed the colon check but could not be decoded (key ID
    // not 16 hex digits, size or algorithm not a number); they are listed with the
    // fields decoded before the bad one.
    std::vector<std::string> undecodableKeyIds;
};

// Reads the configuration, trust and key records of "~pubkeys.dat".
PublicListingRead ReadPublicListing(std::string_view text, const SecretListingRead& secret,
                                    const KeyListingOptions& options);

// Both passes in a row, for callers that already hold both texts.
PublicListingRead ParseKeyListing(std::string_view secretText, std::string_view publicText,
                                  const KeyListingOptions& options);

// The trust-database summary of a "tru" record (at least 4 colons; "" otherwise).
// Times are converted only when they are exactly ten digits, into local time by
// the style's current offset, in the general date-and-time form.
std::string TrustDbSummary(std::string_view truLine, const DateStyle& style);

// ---- Key details --------------------------------------------------------------

// A "sub" record (12 colons).
struct SubKeyRecord {
    std::string validity;
    std::string size;  // padded like KeyRecord::size
    std::string algorithm;
    std::string keyId;      // "0x" + 8 digits
    std::string longKeyId;  // "0x" + 16 digits
    std::string createdText, createdSort;
    std::string expiresText, expiresSort;
    std::string capabilities;
};

// A "uid" record (10 colons).
struct UserIdRecord {
    std::string validity;
    std::string text;  // decoded
};

// False (record untouched) when the line has too few colons for its type.
bool DecodeSubKeyLine(std::string_view line, const DateStyle& style, SubKeyRecord& record);
bool DecodeUserIdLine(std::string_view line, const UserIdDecoding& decoding, UserIdRecord& record);

// A "uat" record's field 10 ("<count> <length>") that counts as a photo: it
// matches "* ###", "* ####" or "* #####".
bool IsPhotoAttribute(std::string_view field10);

// ---- Reading lines ------------------------------------------------------------

// Walks a text line by line (CR LF, LF or CR ends) without copying.
class ListingLines {
public:
    explicit ListingLines(std::string_view text) : text_(text) {}
    bool Next(std::string_view& line);

private:
    std::string_view text_;
    size_t pos_ = 0;
};
