#include "keymanager/key_list_model.h"

#include <numeric>

void KeyListModel::SetListing(KeyListing listing) {
    listing_ = std::move(listing);
    order_.resize(listing_.keys.size());
    std::iota(order_.begin(), order_.end(), 0);
    boldRecord_ = -1;
}

int KeyListModel::BoldRow() const {
    for (int row = 0; boldRecord_ >= 0 && row < RowCount(); ++row) {
        if (order_[static_cast<size_t>(row)] == boldRecord_) return row;
    }
    return -1;
}

std::string KeyListModel::RowTip(int row) const {
    const std::string& userId = RowKey(row).userId;
    if (!measure_ || measure_(userId) <= tipThreshold_) return "";
    return userId;
}
