#include "keymanager/logic/list_selection.h"

#include "common/wildcard.h"

std::string NameWithoutAddress(std::string_view userId) {
    if (!MatchesPattern(userId, "* <*>")) return std::string(userId);
    // The first "<" may stand before the blank the pattern found ("<x> <y>"); the
    // name is then empty rather than a cut at a negative length.
    size_t bracket = userId.find('<');
    return std::string(userId.substr(0, bracket >= 1 ? bracket - 1 : 0));
}

bool IsSingleKeySelection(std::string_view selectedIds) {
    return MatchesPattern(selectedIds, " 0x????????????????");
}

bool SelectionHasKey(std::string_view selectedIds, std::string_view longKeyId) {
    if (longKeyId.empty()) return false;
    // Each ID stands after a blank and ends at a blank or the end, so a shorter
    // ID never matches inside a longer one.
    for (size_t at = selectedIds.find(longKeyId); at != std::string_view::npos;
         at = selectedIds.find(longKeyId, at + 1)) {
        size_t end = at + longKeyId.size();
        bool startsItem = at > 0 && selectedIds[at - 1] == ' ';
        bool endsItem = end == selectedIds.size() || selectedIds[end] == ' ';
        if (startsItem && endsItem) return true;
    }
    return false;
}

int FocusMarkRow(bool hadSelection, int rememberedIndex, int rowCount) {
    if (rowCount <= 0) return -1;
    if (!hadSelection || rememberedIndex < 1) return 0;
    return rememberedIndex > rowCount ? rowCount - 1 : rememberedIndex - 1;
}
