#include "common/colon_fields.h"

#include "common/translation.h"

namespace {

bool IsAlnum(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// "\x" followed by two characters of [a-zA-Z0-9] at `pos`.
bool IsEscapeAt(std::string_view text, size_t pos) {
    return pos + 3 < text.size() && text[pos] == '\\' && text[pos + 1] == 'x' &&
           IsAlnum(static_cast<unsigned char>(text[pos + 2])) && IsAlnum(static_cast<unsigned char>(text[pos + 3]));
}

bool HasEscape(std::string_view text) {
    for (size_t pos = text.find("\\x"); pos != std::string_view::npos; pos = text.find("\\x", pos + 1)) {
        if (IsEscapeAt(text, pos)) return true;
    }
    return false;
}

bool IsRepairLead(unsigned char c) {
    return (c >= 0xC2 && c <= 0xC5) || c == 0xCB;
}

// A repair lead byte followed by any character, the other trigger of the legacy route.
bool HasRepairLeadPair(std::string_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (IsRepairLead(static_cast<unsigned char>(text[i]))) return true;
    }
    return false;
}

bool HasHighByte(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

// The one-byte form of a UTF-8 pair, or -1 when the pair is not in the table.
int RepairedByte(unsigned char lead, unsigned char second) {
    switch (lead) {
        case 0xC2:
            if ((second >= 128 && second <= 169) || (second >= 171 && second <= 175) ||
                (second >= 181 && second <= 184) || second == 189 || second == 190)
                return second;
            return -1;
        case 0xC3:
            if (second == 134 || second == 135 || (second >= 143 && second <= 148) ||
                (second >= 150 && second <= 152) || second == 157 || second == 158 ||
                (second >= 160 && second <= 173) || (second >= 176 && second <= 182) || second == 184 ||
                (second >= 187 && second <= 189))
                return second + 64;
            return -1;
        case 0xC4:
            if (second == 131) return 227;
            if (second == 189) return 165;
            return -1;
        case 0xC5:
            if (second == 149) return 224;
            if (second == 160) return 169;
            if (second == 164) return 171;
            if (second == 190) return 190;
            return -1;
        case 0xCB:
            if (second == 152) return 162;
            if (second == 157) return 189;
            return -1;
        default:
            return -1;
    }
}

// UTF-8 to Latin-1, for when no system conversion was supplied.
std::string Utf8ToLatin1(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            out += static_cast<char>(c);
            ++i;
            continue;
        }
        size_t length = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : 2;
        if (length == 2 && i + 1 < text.size()) {
            unsigned codePoint = ((c & 0x1Fu) << 6) | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu);
            out += codePoint <= 0xFF ? static_cast<char>(codePoint) : '?';
        } else {
            out += '?';
        }
        i += length;
    }
    return out;
}

bool IsOneOf(std::string_view value, std::initializer_list<std::string_view> list) {
    for (auto item : list) {
        if (value == item) return true;
    }
    return false;
}

}  // namespace

std::string ColonField(std::string_view line, int n) {
    if (n < 1) return "";
    size_t start = 0;
    for (int i = 1; i < n; ++i) {
        size_t colon = line.find(':', start);
        if (colon == std::string_view::npos) return "";
        start = colon + 1;
    }
    size_t end = line.find(':', start);
    if (end == std::string_view::npos) end = line.size();
    return std::string(line.substr(start, end - start));
}

bool HasColons(std::string_view line, size_t colons) {
    if (colons == 0) return true;
    size_t seen = 0;
    for (char c : line) {
        if (c == ':' && ++seen >= colons) return true;
    }
    return false;
}

std::string DecodeHexEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        if (IsEscapeAt(text, i)) {
            int high = HexValue(static_cast<unsigned char>(text[i + 2]));
            int low = HexValue(static_cast<unsigned char>(text[i + 3]));
            if (high >= 0 && low >= 0) {
                out += static_cast<char>(high * 16 + low);
                i += 4;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

std::string RepairUtf8Pairs(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        if (IsRepairLead(lead) && i + 1 < text.size()) {
            unsigned char second = static_cast<unsigned char>(text[i + 1]);
            if (second >= 0x80) {
                int repaired = RepairedByte(lead, second);
                if (repaired >= 0) {
                    out += static_cast<char>(repaired);
                } else {
                    out += text[i];
                    out += text[i + 1];
                }
                i += 2;
                continue;
            }
        }
        out += text[i++];
    }
    return out;
}

bool IsWellFormedUtf8(std::string_view text) {
    size_t i = 0;
    while (i < text.size()) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80) {
            ++i;
            continue;
        }
        size_t length;
        unsigned codePoint;
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
            codePoint = c & 0x1Fu;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            codePoint = c & 0x0Fu;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            codePoint = c & 0x07u;
        } else {
            return false;
        }
        if (i + length > text.size()) return false;
        for (size_t k = 1; k < length; ++k) {
            unsigned char next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xC0) != 0x80) return false;
            codePoint = (codePoint << 6) | (next & 0x3Fu);
        }
        if ((length == 3 && (codePoint < 0x800 || (codePoint >= 0xD800 && codePoint <= 0xDFFF))) ||
            (length == 4 && (codePoint < 0x10000 || codePoint > 0x10FFFF)))
            return false;
        i += length;
    }
    return true;
}

std::string DecodeUserId(std::string_view text, const UserIdDecoding& decoding) {
    bool escaped = HasEscape(text);
    if (!escaped && !HasHighByte(text)) return std::string(text);
    std::string decoded = escaped ? DecodeHexEscapes(text) : std::string(text);
    if (IsWellFormedUtf8(decoded)) {
        if (!HasHighByte(decoded)) return decoded;
        return decoding.fromUtf8 ? decoding.fromUtf8(decoded) : Utf8ToLatin1(decoded);
    }
    if (!escaped && !HasRepairLeadPair(text)) return decoded;
    if (IsOneOf(decoding.oemCodepage, {"437", "850", "852", "858"})) decoded = RepairUtf8Pairs(decoded);
    if (decoding.oemCodepage != decoding.ansiCodepage && decoding.fromDos) decoded = decoding.fromDos(decoded);
    return decoded;
}

std::string PadKeySize(std::string_view size) {
    if (size.size() == 3 && size[0] >= '0' && size[0] <= '9' && size[1] >= '0' && size[1] <= '9' && size[2] >= '0' &&
        size[2] <= '9')
        return "0" + std::string(size);
    return std::string(size);
}

namespace {

std::string HexPrefixed(std::string_view digits) {
    std::string id;
    id.reserve(2 + digits.size());
    id += "0x";
    id += digits;
    return id;
}

}  // namespace

std::string ShortKeyId(std::string_view keyIdField) {
    return HexPrefixed(keyIdField.size() > 8 ? keyIdField.substr(keyIdField.size() - 8) : keyIdField);
}

std::string LongKeyId(std::string_view keyIdField) {
    return HexPrefixed(keyIdField);
}

DisplayDate DecodeKeyDate(std::string_view field, const DateStyle& style, const std::string& emptyText) {
    if (field.empty()) return {emptyText, emptyText};
    std::optional<CivilDateTime> when;
    bool allDigits = field.size() == 9 || field.size() == 10;
    for (char c : field) allDigits = allDigits && c >= '0' && c <= '9';
    if (allDigits) {
        int64_t seconds = 0;
        for (char c : field) seconds = seconds * 10 + (c - '0');
        when = CivilFromUnixSeconds(seconds);
    } else {
        when = ParseDateText(field);
    }
    if (!when) return {std::string(field), std::string(field)};
    return {FormatDateTimePicture(style.shortDatePicture, *when, style.names), SortableDate(*when)};
}

TrustDisplay TrustDisplayFromSetting(std::string_view graphDisplay) {
    if (graphDisplay == "0") return TrustDisplay::Words;
    if (graphDisplay == "1") return TrustDisplay::Graphs;
    return TrustDisplay::Hidden;
}

TrustWords TranslatedTrustWords() {
    TrustWords words;
    for (std::string* word :
         {&words.none, &words.marginal, &words.full, &words.ultimate, &words.expired, &words.invalid, &words.revoked,
          &words.disabled, &words.expiredGraph, &words.invalidGraph, &words.revokedGraph, &words.disabledGraph})
        *word = Translate(*word);
    return words;
}

namespace {

const char* TrustGraph(std::string_view letter) {
    if (letter == "n") return "|---------|";
    if (letter == "m") return "|||||||-----|";
    if (letter == "f") return "||||||||||||||||";
    if (letter == "u") return "||||| u |||||";
    return nullptr;
}

const std::string* TrustWord(std::string_view letter, const TrustWords& words) {
    if (letter == "n") return &words.none;
    if (letter == "m") return &words.marginal;
    if (letter == "f") return &words.full;
    if (letter == "u") return &words.ultimate;
    return nullptr;
}

}  // namespace

std::string OwnerTrustText(std::string_view letter, TrustDisplay display, const TrustWords& words) {
    if (display == TrustDisplay::Hidden) return "";
    if (letter == "-" || letter == "q") return "-";
    if (display == TrustDisplay::Graphs) {
        if (const char* graph = TrustGraph(letter)) return graph;
    } else if (const std::string* word = TrustWord(letter, words)) {
        return *word;
    }
    return std::string(letter);
}

std::string ValidityText(std::string_view letter, bool disabled, TrustDisplay display, const TrustWords& words) {
    if (display == TrustDisplay::Hidden) return "";
    bool graphs = display == TrustDisplay::Graphs;
    if (disabled) return graphs ? words.disabledGraph : words.disabled;
    if (letter == "-" || letter == "q") return "-";
    if (graphs) {
        if (const char* graph = TrustGraph(letter)) return graph;
    } else if (const std::string* word = TrustWord(letter, words)) {
        return *word;
    }
    if (letter == "d") return "";
    if (letter == "e") return graphs ? words.expiredGraph : words.expired;
    if (letter == "i") return graphs ? words.invalidGraph : words.invalid;
    if (letter == "r") return graphs ? words.revokedGraph : words.revoked;
    if (letter == "o") return "???";
    return std::string(letter);
}

AlgorithmFamily FamilyOfAlgorithm(std::string_view algorithm) {
    if (algorithm == "17") return AlgorithmFamily::Dsa;
    if (algorithm == "16" || algorithm == "20") return AlgorithmFamily::ElGamal;
    if (algorithm == "1" || algorithm == "2" || algorithm == "3") return AlgorithmFamily::Rsa;
    if (algorithm == "18" || algorithm == "19") return AlgorithmFamily::EllipticCurve;
    return AlgorithmFamily::Unknown;
}

std::string FamilyText(AlgorithmFamily family) {
    switch (family) {
        case AlgorithmFamily::Dsa:
            return "DSA";
        case AlgorithmFamily::ElGamal:
            return "ELG";
        case AlgorithmFamily::Rsa:
            return "RSA";
        case AlgorithmFamily::EllipticCurve:
            return "ECC";
        default:
            return Translate("Unknown");
    }
}
