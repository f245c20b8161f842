#include "common/version_line.h"

#include "common/text.h"
#include "common/wildcard.h"

namespace {

constexpr std::string_view kGnuPGHeader = "\r\nVersion: GnuPG v";
constexpr std::string_view kSignatureStart = "\r\n-----BEGIN PGP SIGNATURE-----\r\nVersion: GnuPG v";

// Where the header line to change begins (after its CR LF), or npos.
size_t HeaderLineStart(std::string_view text, bool signature) {
    if (text.find(kGnuPGHeader) == std::string_view::npos) return std::string_view::npos;
    std::string_view marker = signature ? kSignatureStart : kGnuPGHeader;
    size_t found = text.find(marker);
    if (found == std::string_view::npos) return found;
    return found + marker.size() - (kGnuPGHeader.size() - 2);
}

}  // namespace

std::optional<std::string> StampVersionLineText(std::string_view text, bool signature, std::string_view versionLine,
                                                std::string_view programVersion) {
    size_t lineStart = HeaderLineStart(text, signature);
    if (lineStart == std::string_view::npos) return std::nullopt;
    size_t lineEnd = text.find("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = text.size();
    std::string_view upToLineEnd = text.substr(0, lineEnd);

    std::string value(versionLine);
    for (char& c : value) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    std::string result;
    if (value.empty() || MatchesPattern(value, "PGP #*")) {
        const std::string mark = " - Corvane v" + std::string(programVersion);
        if (EndsWith(upToLineEnd, mark)) return std::nullopt;
        result = std::string(upToLineEnd) + mark + std::string(text.substr(lineEnd));
    } else {
        if (EndsWith(upToLineEnd, value)) return std::nullopt;
        constexpr std::string_view kVersion = "Version: ";
        result = std::string(text.substr(0, lineStart + kVersion.size())) + value + std::string(text.substr(lineEnd));
    }
    if (!EndsWith(result, "\r\n")) result += "\r\n";
    return result;
}
