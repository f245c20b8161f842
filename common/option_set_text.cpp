#include "common/option_set_text.h"

#include "common/text.h"
#include "common/wildcard.h"

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kComment2 = "comment2 ";

}  // namespace

std::string OptionSetMarkerLine(std::string_view setName) {
    return kOptionSetMarker + std::string(setName);
}

std::string ComposeGpgConfFromOptionSet(std::string_view setName, std::string_view setText) {
    std::string text = OptionSetMarkerLine(setName);
    text += kCrLf;
    text += kCrLf;
    for (const std::string& raw : SplitLines(setText)) {
        if (raw.empty()) continue;
        std::string line = Trim(raw);
        if (MatchesPattern(line, "comment2 *")) line = "comment " + line.substr(kComment2.size());
        text += line;
        text += kCrLf;
    }
    return text;
}

std::string FindLineStartingWith(std::string_view text, std::string_view start) {
    size_t lineStart = 0;
    while (lineStart <= text.size()) {
        size_t lineEnd = text.find_first_of("\r\n", lineStart);
        if (lineEnd == std::string_view::npos) lineEnd = text.size();
        std::string_view line = text.substr(lineStart, lineEnd - lineStart);
        if (StartsWith(line, start)) return Trim(line);
        if (lineEnd == text.size()) break;
        lineStart = lineEnd + 1;
        if (text[lineEnd] == '\r' && lineStart < text.size() && text[lineStart] == '\n') ++lineStart;
    }
    return "";
}
