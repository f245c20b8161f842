// Where the output windows put themselves and their controls, in twips.
// Platform-free so the placement rules can be tested on their own; the windows
// (common/ui/output_log_window.h, rich_output_window.h) measure the screen and
// their captions and apply the results.
#pragma once

#include <optional>

struct TwipBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const TwipBox&) const = default;
};

// Size and position of the log window as stored by its last closing (settings
// GuiOutputWidth, GuiOutputHeight, GuiOutputTop, GuiOutputLeft); nothing where a
// value is missing or not a number.
struct StoredOutputLogPlacement {
    std::optional<long> width;
    std::optional<long> height;
    std::optional<long> top;
    std::optional<long> left;
};

inline constexpr int kOutputLogDefaultWidth = 8000;
inline constexpr int kOutputLogDefaultHeight = 2820;
// Room left below a window placed by default, for the taskbar.
inline constexpr int kOutputLogBottomAllowance = 420;

// The log window's outer place on a screen of that size: defaults 8000 by 2820 at
// the left edge, just above the bottom of the screen. A negative top or left
// becomes 0; a window reaching below (right of) the screen is shortened
// (narrowed) to the screen's edge when its top (left) lies on the screen, and
// otherwise moved to 0.
TwipBox PlaceOutputLog(const StoredOutputLogPlacement& stored, int screenWidth, int screenHeight);

// The controls of an output window for its client size.
struct OutputWindowLayout {
    TwipBox text;
    TwipBox clipboardButton;
    TwipBox closeButton;
    TwipBox frameMdc;  // the log window's two indicator frames
    TwipBox frameSig;
};

inline constexpr int kOutputBandHeight = 615;   // below the text box
inline constexpr int kOutputButtonGap = 195;    // text box to buttons
inline constexpr int kOutputFrameGap = 105;     // text box to frames
inline constexpr int kOutputMargin = 105;       // window edge to the buttons
inline constexpr int kOutputFrameSpacing = 90;  // between button and frames
inline constexpr int kOutputButtonHeight = 360;
inline constexpr int kOutputFrameWidth = 1095;
inline constexpr int kOutputFrameHeight = 465;
// A button is as wide as its caption plus this.
inline constexpr int kOutputButtonPadding = 150;

// The text box fills the width and the height less the band for the buttons;
// the buttons sit 195 below it, the frames 105 below it, the clipboard button and
// the frames from the left, the close button right-aligned with a 105 margin.
OutputWindowLayout LayOutOutputWindow(int clientWidth, int clientHeight, int clipboardButtonWidth,
                                      int closeButtonWidth);
