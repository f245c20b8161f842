// The rows of the key list: the current KeyListing's records in display order.
// The list view asks for every cell when it draws it; sorting permutes the index
// vector and never copies a record.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "common/key_listing.h"
#include "common/ui/list_view.h"
#include "keymanager/logic/key_list_columns.h"

class KeyListModel : public ListModel {
public:
    // Takes a new listing; rows in file order, no bold row.
    void SetListing(KeyListing listing);
    const KeyListing& Listing() const { return listing_; }
    KeyListing& MutableListing() { return listing_; }

    // Records in display order.
    const KeyRecord& RowKey(int row) const {
        return listing_.keys[static_cast<size_t>(order_[static_cast<size_t>(row)])];
    }
    void SortBy(int column, bool ascending) { SortRows(order_, listing_.keys, column, ascending); }

    // The bold row (the default key) by display row; -1 for none.
    void SetBoldRow(int row) { boldRecord_ = row >= 0 && row < RowCount() ? order_[static_cast<size_t>(row)] : -1; }
    int BoldRow() const;

    // A user ID wider than `threshold` pixels, as `measure` finds it, is its
    // row's tooltip.
    void SetTipRule(std::function<int(const std::string&)> measure, int threshold) {
        measure_ = std::move(measure);
        tipThreshold_ = threshold;
    }

    // ListModel
    int RowCount() const override { return static_cast<int>(order_.size()); }
    std::string_view CellText(int row, int column) const override { return KeyColumnText(RowKey(row), column); }
    int RowImage(int row) const override { return RowKey(row).icon; }
    COLORREF RowColour(int row) const override { return RowKey(row).textColour; }
    bool RowBold(int row) const override { return boldRecord_ >= 0 && order_[static_cast<size_t>(row)] == boldRecord_; }
    std::string RowTip(int row) const override;

private:
    KeyListing listing_;
    std::vector<int> order_;
    int boldRecord_ = -1;
    std::function<int(const std::string&)> measure_;
    int tipThreshold_ = 0;
};
