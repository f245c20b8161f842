#include "common/key_listing.h"

#include <array>
#include <cstring>
#include <unordered_set>

#include "common/text.h"
#include "common/translation.h"

namespace {

bool IsHexDigits(std::string_view text, size_t count) {
    if (text.size() != count) return false;
    for (char c : text) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'))) return false;
    }
    return true;
}

bool IsNumber(std::string_view text) {
    if (text.empty()) return false;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
    }
    return true;
}

bool BeginsWith(std::string_view line, std::string_view prefix) {
    return line.size() >= prefix.size() && line.compare(0, prefix.size(), prefix) == 0;
}

KeyState StateOf(std::string_view validity, bool disabled) {
    if (disabled) return KeyState::Disabled;
    if (validity == "e") return KeyState::Expired;
    if (validity == "i") return KeyState::Invalid;
    if (validity == "r") return KeyState::Revoked;
    return KeyState::Normal;
}

constexpr int kFamilies = 5;
constexpr int kStates = 5;

// Description texts and icon numbers for every family, kind and state, composed
// and translated once per read.
class KeyLooks {
public:
    KeyLooks() {
        const std::string kinds[2] = {Translate("public key"), Translate("key pair")};
        const std::string states[kStates] = {"", " " + Translate("(disabled)"), " " + Translate("(expired)"),
                                             " " + Translate("(invalid)"), " " + Translate("(revoked)")};
        for (int family = 0; family < kFamilies; ++family) {
            std::string familyText = FamilyText(static_cast<AlgorithmFamily>(family));
            for (int pair = 0; pair < 2; ++pair) {
                for (int state = 0; state < kStates; ++state) {
                    descriptions_[Index(family, pair, state)] = familyText + " " + kinds[pair] + states[state];
                }
            }
        }
    }

    const std::string& Description(AlgorithmFamily family, bool keyPair, KeyState state) const {
        return descriptions_[Index(static_cast<int>(family), keyPair ? 1 : 0, static_cast<int>(state))];
    }

    // Family base (DSA 0, ELG 10, RSA 20, ECC 30, unknown 40) plus 1..5 for a
    // public key and 6..10 for a key pair, by state.
    static int Icon(AlgorithmFamily family, bool keyPair, KeyState state) {
        return static_cast<int>(family) * 10 + (keyPair ? 6 : 1) + static_cast<int>(state);
    }

private:
    static int Index(int family, int pair, int state) { return (family * 2 + pair) * kStates + state; }
    std::array<std::string, kFamilies * 2 * kStates> descriptions_;
};

static_assert(static_cast<int>(AlgorithmFamily::Dsa) == 0 && static_cast<int>(AlgorithmFamily::Unknown) == 4);
static_assert(static_cast<int>(KeyState::Normal) == 0 && static_cast<int>(KeyState::Revoked) == 4);

void ReadConfigAndTrust(std::string_view text, const DateStyle& style, KeyListing& listing) {
    ListingLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (BeginsWith(line, "tru")) {
            listing.trustDbInfo = TrustDbSummary(line, style);
            return;
        }
        if (BeginsWith(line, "cfg:cipher:"))
            listing.cipherAlgos = ";" + std::string(line.substr(11)) + ";";
        else if (BeginsWith(line, "cfg:digest:"))
            listing.digestAlgos = ";" + std::string(line.substr(11)) + ";";
        else if (BeginsWith(line, "cfg:compress:"))
            listing.compressAlgos = ";" + std::string(line.substr(13)) + ";";
    }
}

// Converts a "tru" time: exactly ten digits, shifted into local time.
std::string TrustTime(std::string_view field, const DateStyle& style) {
    if (field.size() != 10 || !IsNumber(field)) return "";
    int64_t seconds = 0;
    for (char c : field) seconds = seconds * 10 + (c - '0');
    return GeneralDateTimeText(CivilFromUnixSeconds(seconds + style.localOffsetSeconds), style);
}

}  // namespace

bool ListingLines::Next(std::string_view& line) {
    const size_t size = text_.size();
    if (pos_ >= size) return false;
    // memchr rather than a loop per byte: this runs over every byte of the files.
    const char* data = text_.data();
    const void* newline = std::memchr(data + pos_, '\n', size - pos_);
    size_t end = newline ? static_cast<size_t>(static_cast<const char*>(newline) - data) : size;
    if (const void* cr = std::memchr(data + pos_, '\r', end - pos_))
        end = static_cast<size_t>(static_cast<const char*>(cr) - data);
    line = text_.substr(pos_, end - pos_);
    pos_ = end + 1;
    if (end < size && data[end] == '\r' && pos_ < size && data[pos_] == '\n') ++pos_;
    return true;
}

SecretListingRead ReadSecretListing(std::string_view text) {
    SecretListingRead result;
    ListingLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        if (!BeginsWith(line, "sec")) continue;
        if (!HasColons(line, 12)) {
            result.formatError = true;
            return result;
        }
        std::string_view fields[6];
        SplitColonFields(line, fields);
        result.longKeyIds.push_back(LongKeyId(fields[4]));
        result.secretKeyIds += " ";
        result.secretKeyIds += result.longKeyIds.back();
    }
    result.secretKeyIds = Trim(result.secretKeyIds);
    return result;
}

std::string TrustDbSummary(std::string_view truLine, const DateStyle& style) {
    if (!HasColons(truLine, 4)) return "";
    // The fifth field is readable once a colon follows it.
    std::string line(truLine);
    line += ':';
    std::string_view fields[6];
    SplitColonFields(line, fields);
    std::string_view flags = fields[1], model = fields[2];

    std::string text = Translate("Created:") + "\t" + TrustTime(fields[3], style) + "\r\n" + Translate("Expires:") +
                       "\t" + TrustTime(fields[4], style) + "\r\n\n";
    if (model == "0")
        text += Translate("Trust model: Classic");
    else if (model == "1")
        text += Translate("Trust model: PGP");
    else
        text += Translate("Trust model: Unknown");
    if (!flags.empty()) {
        text += "\r\n\n";
        if (flags.find('o') != std::string_view::npos) text += Translate("The Trust DB is old!") + "\r\n";
        if (flags.find('t') != std::string_view::npos)
            text += Translate("The Trust DB was built with a different trust") + "\r\n" +
                    Translate("model than the one we are using now!");
    }
    return text;
}

PublicListingRead ReadPublicListing(std::string_view text, const SecretListingRead& secret,
                                    const KeyListingOptions& options) {
    PublicListingRead result;
    KeyListing& listing = result.listing;
    listing.secretKeyIds = secret.secretKeyIds;
    ReadConfigAndTrust(text, options.dates, listing);

    // A set rather than a text search: a listing with thousands of secret keys
    // would otherwise cost a search of the whole text for every public key.
    std::unordered_set<std::string_view> secretIds(secret.longKeyIds.begin(), secret.longKeyIds.end());
    const KeyLooks looks;
    const TrustWords words = TranslatedTrustWords();
    const std::string never = Translate("Never");
    const std::string noUserId = Translate("n/a");

    // One record per "pub" line at most: room for all of them up front, so that
    // thousands of records are not moved again and again while the list grows.
    size_t pubLines = BeginsWith(text, "pub") ? 1 : 0;
    for (size_t at = text.find("\npub"); at != std::string_view::npos; at = text.find("\npub", at + 4)) ++pubLines;
    listing.keys.reserve(pubLines);

    ListingLines lines(text);
    std::string_view line;
    bool haveLine = lines.Next(line);
    while (haveLine) {
        if (!BeginsWith(line, "pub")) {
            haveLine = lines.Next(line);
            continue;
        }
        if (!HasColons(line, 12)) {
            result.formatError = true;
            break;
        }
        // Fields 1..12; the thirteenth slot takes the rest of the line so that
        // field 12 ends at its colon.
        std::string_view fields[13];
        SplitColonFields(line, fields);

        KeyRecord key;
        key.longKeyId = LongKeyId(fields[4]);
        key.keyId = options.longKeyIds ? key.longKeyId : ShortKeyId(fields[4]);
        listing.lastAddedKeyId = key.longKeyId;
        key.isKeyPair = secretIds.count(key.longKeyId) != 0;

        // Decoded in field order; the first field that makes no sense ends the
        // decoding and leaves the later fields empty.
        bool decoded = IsHexDigits(fields[4], 16);
        if (decoded) key.validity = std::string(fields[1]);
        decoded = decoded && IsNumber(fields[2]);
        if (decoded) key.size = PadKeySize(fields[2]);
        decoded = decoded && IsNumber(fields[3]);
        if (decoded) {
            key.algorithm = std::string(fields[3]);
            DisplayDate created = DecodeKeyDate(fields[5], options.dates);
            DisplayDate expires = DecodeKeyDate(fields[6], options.dates, never);
            key.createdText = std::move(created.text);
            key.createdSort = std::move(created.sort);
            key.expiresText = std::move(expires.text);
            key.expiresSort = std::move(expires.sort);
            key.ownerTrust = std::string(fields[8]);
            key.capabilities = std::string(fields[11]);
        } else {
            result.undecodableKeyIds.push_back(key.keyId);
        }
        key.disabled = key.capabilities.find('D') != std::string::npos;
        key.family = FamilyOfAlgorithm(key.algorithm);
        key.state = StateOf(key.validity, key.disabled);
        key.ownerTrustText = OwnerTrustText(key.ownerTrust, options.trustDisplay, words);
        key.validityText = ValidityText(key.validity, key.disabled, options.trustDisplay, words);
        key.description = looks.Description(key.family, key.isKeyPair, key.state);
        key.icon = KeyLooks::Icon(key.family, key.isKeyPair, key.state);
        key.textColour = IsElgamalSignAndEncrypt(key.algorithm) ? options.colorElgType
                         : key.isKeyPair                        ? options.colorKeyPair
                                                                : options.colorNormal;

        // The key's first user ID: the search ends at it, at the next key or at
        // the end of the file.
        bool foundUserId = false;
        haveLine = lines.Next(line);
        while (haveLine && !BeginsWith(line, "pub")) {
            if (BeginsWith(line, "uid")) {
                if (!HasColons(line, 10)) {
                    result.formatError = true;
                    break;
                }
                std::string_view uidFields[11];
                SplitColonFields(line, uidFields);
                key.userId = DecodeUserId(uidFields[9], options.userIds);
                foundUserId = true;
                haveLine = lines.Next(line);
                break;
            }
            haveLine = lines.Next(line);
        }
        if (result.formatError) break;
        if (!foundUserId) key.userId = noUserId;

        if (!options.algorithmFilter.empty() && fields[3] != options.algorithmFilter) continue;
        switch (key.family) {
            case AlgorithmFamily::Dsa:
                ++listing.dsaCount;
                break;
            case AlgorithmFamily::ElGamal:
                ++listing.elgCount;
                break;
            case AlgorithmFamily::Rsa:
                ++listing.rsaCount;
                break;
            default:
                break;
        }
        if (key.isKeyPair && key.validity != "e" && key.validity != "i" && key.validity != "r") {
            if (!listing.usableKeyPairIds.empty()) listing.usableKeyPairIds += ' ';
            listing.usableKeyPairIds += key.longKeyId;
        }
        listing.keys.push_back(std::move(key));
    }

    for (auto& key : listing.keys) key.isLastAdded = key.longKeyId == listing.lastAddedKeyId;
    listing.complete = !result.formatError;
    return result;
}

PublicListingRead ParseKeyListing(std::string_view secretText, std::string_view publicText,
                                  const KeyListingOptions& options) {
    SecretListingRead secret = ReadSecretListing(secretText);
    if (secret.formatError) {
        PublicListingRead failed;
        failed.formatError = true;
        failed.listing.complete = false;
        return failed;
    }
    return ReadPublicListing(publicText, secret, options);
}

bool DecodeSubKeyLine(std::string_view line, const DateStyle& style, SubKeyRecord& record) {
    if (!HasColons(line, 12)) return false;
    std::string_view fields[13];
    SplitColonFields(line, fields);
    record.validity = std::string(fields[1]);
    record.size = PadKeySize(fields[2]);
    record.algorithm = std::string(fields[3]);
    record.keyId = ShortKeyId(fields[4]);
    record.longKeyId = LongKeyId(fields[4]);
    DisplayDate created = DecodeKeyDate(fields[5], style);
    DisplayDate expires = DecodeKeyDate(fields[6], style, Translate("Never"));
    record.createdText = std::move(created.text);
    record.createdSort = std::move(created.sort);
    record.expiresText = std::move(expires.text);
    record.expiresSort = std::move(expires.sort);
    record.capabilities = std::string(fields[11]);
    return true;
}

bool DecodeUserIdLine(std::string_view line, const UserIdDecoding& decoding, UserIdRecord& record) {
    if (!HasColons(line, 10)) return false;
    std::string_view fields[11];
    SplitColonFields(line, fields);
    record.validity = std::string(fields[1]);
    record.text = DecodeUserId(fields[9], decoding);
    return true;
}

bool IsPhotoAttribute(std::string_view field10) {
    for (size_t digits = 3; digits <= 5; ++digits) {
        if (field10.size() < digits + 1 || field10[field10.size() - digits - 1] != ' ') continue;
        if (IsNumber(field10.substr(field10.size() - digits))) return true;
    }
    return false;
}
