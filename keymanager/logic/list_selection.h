// The key manager's selection (ListSelection) that every key command works on,
// and the rules that carry it across a re-read of the key list. Platform-free:
// rows are given as records in list order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/key_listing.h"

struct ListSelection {
    // " 0x" + 16 digits per selected row, in list order; "" when nothing is selected.
    std::string selectedIds;
    int selectedCount = 0;
    // List position (1-based) of the last selected row; 0 when none.
    int lastSelectedIndex = 0;
    // User ID of the last selected row without its address.
    std::string selectedName;
    // Row (0-based, list order) of the last selected row; -1 when none.
    int currentRow = -1;
};

// The selection of the given rows. `selectedRows` are 0-based list positions in
// ascending order; `rowKey` gives a row's record.
template <typename RowKey>
ListSelection BuildListSelection(const std::vector<int>& selectedRows, RowKey rowKey);

// A user ID without its address: for "Name <address>" the text before the blank
// that precedes the first "<"; any other text as it is.
std::string NameWithoutAddress(std::string_view userId);

// Exactly one key: the text is one blank and one long key ID.
bool IsSingleKeySelection(std::string_view selectedIds);

// Whether a long key ID is one of a selection's IDs.
bool SelectionHasKey(std::string_view selectedIds, std::string_view longKeyId);

// Where the focus mark goes after a re-read that re-selected nothing: the first
// row when nothing was selected before, otherwise the remembered position, or the
// last row when the list got shorter. Returns a 0-based row, -1 for an empty list.
int FocusMarkRow(bool hadSelection, int rememberedIndex, int rowCount);

// ---- implementation of the template ----------------------------------------------

template <typename RowKey>
ListSelection BuildListSelection(const std::vector<int>& selectedRows, RowKey rowKey) {
    ListSelection selection;
    for (int row : selectedRows) {
        const KeyRecord& key = rowKey(row);
        selection.selectedIds += " ";
        selection.selectedIds += key.longKeyId;
        ++selection.selectedCount;
        selection.lastSelectedIndex = row + 1;
        selection.currentRow = row;
    }
    if (selection.currentRow >= 0) selection.selectedName = NameWithoutAddress(rowKey(selection.currentRow).userId);
    return selection;
}
