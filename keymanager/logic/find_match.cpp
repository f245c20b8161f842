#include "keymanager/logic/find_match.h"

#include "common/text.h"
#include "common/wildcard.h"

bool FindMatchesRow(std::string_view findText, std::string_view userId, std::string_view keyIdColumn) {
    if (findText.empty()) return false;
    const std::string pattern = "*" + ToLower(findText) + "*";
    return MatchesPattern(ToLower(userId), pattern) || MatchesPattern(ToLower(keyIdColumn), pattern);
}

std::string DroppedFindText(std::string_view text) {
    if (!MatchesPattern(text, "* <*>")) return std::string(text);
    const size_t bracket = text.find('<');
    // "* <*>" guarantees a blank before the first "<" somewhere, but the first "<"
    // may come earlier ("<a> b <c>"); keep nothing rather than reach before the start.
    if (bracket < 1) return "";
    return std::string(text.substr(0, bracket - 1));
}
