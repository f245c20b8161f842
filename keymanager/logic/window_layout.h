// The key list window's placement at start and its column layout, from and to the
// text values of the settings store. Platform-free: sizes in twips, screen given.
#pragma once

#include <string>
#include <vector>

// ---- Placement ---------------------------------------------------------------------

inline constexpr int kMinWindowWidth = 10350;  // twips
inline constexpr int kMinWindowHeight = 7760;

struct StoredPlacement {
    std::string state;                     // WindowState: "Maximized" or "Normal"
    std::string width, height, top, left;  // twips; "" when never stored
};

struct WindowPlacementTwips {
    bool maximized = false;
    int left = 0, top = 0, width = 0, height = 0;
};

// Where the window opens on a screen of the given size (twips): at least the
// minimum size, centred when no position was stored, never above or left of the
// screen, and shortened or moved up (left) so it does not reach past the bottom
// (right) edge.
WindowPlacementTwips PlaceKeyListWindow(const StoredPlacement& stored, int screenWidth, int screenHeight);

// ---- Columns -------------------------------------------------------------------

// Settings keys of columns 0 to 7.
extern const char* const kColumnPositionKeys[8];
extern const char* const kColumnWidthKeys[8];
extern const int kDefaultColumnWidths[8];

// The display order for the list control (column index per display place) of all
// `columnCount` columns from the eight stored 1-based positions of columns 0 to 7;
// the hidden columns follow in their own order. Positions that are not a
// permutation of 1 to 8 give the built-in order.
std::vector<int> ColumnOrderFromPositions(const std::vector<std::string>& positions, int columnCount);

// The eight 1-based positions of columns 0 to 7 in a display order; a hidden
// column moved between them does not count.
std::vector<int> PositionsFromColumnOrder(const std::vector<int>& order);

// A stored pixel width, or the column's default (scaled from 96 dpi to `dpi`) when
// it is not a number >= 0.
int ColumnWidthFromSetting(const std::string& value, int column, int dpi = 96);
