#include "keymanager/logic/key_list_columns.h"

#include <algorithm>

namespace {

unsigned char Folded(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u - 'A' + 'a') : u;
}

// Byte-wise, ASCII letters folded: the column texts sorted here are IDs, sizes,
// trust words, sortable dates and user IDs.
bool LessNoCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return Folded(x) < Folded(y); });
}

}  // namespace

std::string_view KeyColumnText(const KeyRecord& key, int column) {
    switch (column) {
        case kColUserId:
            return key.userId;
        case kColKeyId:
            return key.keyId;
        case kColSize:
            return key.size;
        case kColOwnerTrust:
            return key.ownerTrustText;
        case kColValidity:
            return key.validityText;
        case kColCreated:
            return key.createdText;
        case kColExpires:
            return key.expiresText;
        case kColDescription:
            return key.description;
        case kColLongKeyId:
            return key.longKeyId;
        case kColCreatedSort:
            return key.createdSort;
        case kColExpiresSort:
            return key.expiresSort;
        default:
            return {};
    }
}

int SortColumnFor(int clickedColumn) {
    if (clickedColumn == kColCreated) return kColCreatedSort;
    if (clickedColumn == kColExpires) return kColExpiresSort;
    return clickedColumn;
}

SortState SortAfterHeaderClick(const SortState& current, int clickedColumn) {
    int column = SortColumnFor(clickedColumn);
    if (column == current.column) return {column, !current.ascending};
    return {column, true};
}

int SortArrowImage(bool ascending) {
    return ascending ? 2 : 1;
}

void SortRows(std::vector<int>& order, const std::vector<KeyRecord>& keys, int column, bool ascending) {
    auto text = [&](int index) { return KeyColumnText(keys[static_cast<size_t>(index)], column); };
    if (ascending)
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return LessNoCase(text(a), text(b)); });
    else
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return LessNoCase(text(b), text(a)); });
}
