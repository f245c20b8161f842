// The key list's eleven columns: what each shows of a KeyRecord, and how the list
// is ordered by them. Platform-free: the window keeps an index vector over the
// listing's records and lets these functions permute it.
#pragma once

#include <string_view>
#include <vector>

#include "common/key_listing.h"

enum KeyListColumn {
    kColUserId = 0,
    kColKeyId = 1,
    kColSize = 2,
    kColOwnerTrust = 3,
    kColValidity = 4,
    kColCreated = 5,
    kColExpires = 6,
    kColDescription = 7,
    kColLongKeyId = 8,     // hidden
    kColCreatedSort = 9,   // hidden: "yyyy-mm-dd", what Created sorts by
    kColExpiresSort = 10,  // hidden: what Expires sorts by
};
inline constexpr int kKeyListColumnCount = 11;
// Columns 0 to 7 are the ones a user sees, moves and sizes.
inline constexpr int kVisibleColumnCount = 8;

// The text of a column as the list shows it.
std::string_view KeyColumnText(const KeyRecord& key, int column);

// The order the list is in: the column the rows are sorted by (9 and 10 for
// Created and Expires) and its direction.
struct SortState {
    int column = kColUserId;
    bool ascending = true;
};

// The column a click on a header sorts by: Created and Expires sort by their
// hidden sortable copies, every other column by itself.
int SortColumnFor(int clickedColumn);

// The order after a click on a header: the current sort column flips its
// direction, any other column sorts ascending.
SortState SortAfterHeaderClick(const SortState& current, int clickedColumn);

// The header image that shows a direction: 2 ascending, 1 descending.
int SortArrowImage(bool ascending);

// Sorts the row order (indexes into `keys`) by one column's text, ignoring letter
// case. The sort is stable, so rows that compare equal keep their previous
// relative order: sorting on the key ID and then on the user ID lists equal user
// IDs in key-ID order.
void SortRows(std::vector<int>& order, const std::vector<KeyRecord>& keys, int column, bool ascending);
