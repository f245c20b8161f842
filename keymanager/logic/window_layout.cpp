#include "keymanager/logic/window_layout.h"

#include <algorithm>

#include "common/setting_values.h"

const char* const kColumnPositionKeys[8] = {"ColKeyPosition",     "ColKeyIDPosition",  "ColSizePosition",
                                            "ColTrustOPosition",  "ColTrustCPosition", "ColCreatedPosition",
                                            "ColExpiresPosition", "ColDescrPosition"};
const char* const kColumnWidthKeys[8] = {"ColKeyWidth",    "ColKeyIDWidth",   "ColSizeWidth",    "ColTrustOWidth",
                                         "ColTrustCWidth", "ColCreatedWidth", "ColExpiresWidth", "ColDescrWidth"};
const int kDefaultColumnWidths[8] = {304, 80, 39, 44, 44, 66, 66, 143};

namespace {

long Number(const std::string& value, long fallback) {
    return value.empty() ? fallback : ParseSettingInteger(value, fallback);
}

}  // namespace

WindowPlacementTwips PlaceKeyListWindow(const StoredPlacement& stored, int screenWidth, int screenHeight) {
    WindowPlacementTwips place;
    place.maximized = stored.state == "Maximized";
    place.width = static_cast<int>(std::max(Number(stored.width, kMinWindowWidth), long{kMinWindowWidth}));
    place.height = static_cast<int>(std::max(Number(stored.height, kMinWindowHeight), long{kMinWindowHeight}));
    place.left = static_cast<int>(Number(stored.left, (screenWidth - place.width) / 2));
    place.top = static_cast<int>(Number(stored.top, (screenHeight - place.height) / 2));
    place.left = std::max(place.left, 0);
    place.top = std::max(place.top, 0);
    if (place.top + place.height > screenHeight) {
        if (place.top < screenHeight)
            place.height = screenHeight - place.top;
        else
            place.top = 0;
    }
    if (place.left + place.width > screenWidth) {
        if (place.left < screenWidth)
            place.width = screenWidth - place.left;
        else
            place.left = 0;
    }
    return place;
}

std::vector<int> ColumnOrderFromPositions(const std::vector<std::string>& positions, int columnCount) {
    std::vector<int> order;
    std::vector<int> columnAt(8, -1);
    bool valid = positions.size() == 8;
    for (int column = 0; valid && column < 8; ++column) {
        long position = Number(positions[static_cast<size_t>(column)], 0);
        if (position < 1 || position > 8 || columnAt[static_cast<size_t>(position - 1)] >= 0)
            valid = false;
        else
            columnAt[static_cast<size_t>(position - 1)] = column;
    }
    for (int place = 0; place < 8; ++place) order.push_back(valid ? columnAt[static_cast<size_t>(place)] : place);
    for (int column = 8; column < columnCount; ++column) order.push_back(column);
    return order;
}

std::vector<int> PositionsFromColumnOrder(const std::vector<int>& order) {
    std::vector<int> positions(8, 0);
    int place = 0;
    for (int column : order) {
        if (column >= 0 && column < 8) positions[static_cast<size_t>(column)] = ++place;
    }
    // A column missing from the order keeps its built-in place.
    for (int column = 0; column < 8; ++column) {
        if (positions[static_cast<size_t>(column)] == 0) positions[static_cast<size_t>(column)] = column + 1;
    }
    return positions;
}

int ColumnWidthFromSetting(const std::string& value, int column, int dpi) {
    long width = Number(value, -1);
    if (width >= 0) return static_cast<int>(width);
    // The built-in widths are for 96 dpi; a stored width is already in this
    // screen's pixels.
    return (kDefaultColumnWidths[column] * dpi + 48) / 96;
}
