// Where the output log window goes on the screen, and the key-server box rule of
// the listing windows.
#include <gtest/gtest.h>

#include <string>

#include "common/key_server_box.h"
#include "common/output_log_layout.h"

TEST(OutputLogLayout, StoredPlacementIsClampedToTheScreen) {
    // A 1280 x 1024 screen at 15 twips per pixel.
    constexpr int W = 19200, H = 15360;
    struct Case {
        const char* what;
        StoredOutputLogPlacement stored;
        TwipBox expected;
    } cases[] = {
        {"defaults: above the taskbar at the left", {}, {0, H - 2820 - 420, 8000, 2820}},
        {"stored and on screen", {5000, 3000, 1000, 2000}, {2000, 1000, 5000, 3000}},
        {"negative top and left become 0", {5000, 3000, -300, -1}, {0, 0, 5000, 3000}},
        {"reaching below: shortened to the edge", {5000, 3000, H - 1000, 0}, {0, H - 1000, 5000, 1000}},
        {"reaching right: narrowed to the edge", {5000, 3000, 0, W - 200}, {W - 200, 0, 200, 3000}},
        {"top below the screen: moved to 0", {5000, 3000, H + 10, 0}, {0, 0, 5000, 3000}},
        {"top exactly at the edge: moved to 0", {5000, 3000, H, 0}, {0, 0, 5000, 3000}},
        {"left right of the screen: moved to 0", {5000, 3000, 0, W + 5}, {0, 0, 5000, 3000}},
        {"default top for a stored height",
         {std::nullopt, 6000, std::nullopt, std::nullopt},
         {0, H - 6000 - 420, 8000, 6000}},
        {"taller than the screen by default: top 0, shortened",
         {std::nullopt, H + 1000, std::nullopt, std::nullopt},
         {0, 0, 8000, H}},
        // Moved to 0 and still too tall: the rule moves, it does not shorten as well.
        {"too tall below the screen", {5000, H + 100, H + 1, 0}, {0, 0, 5000, H + 100}},
    };
    for (const auto& c : cases) EXPECT_EQ(PlaceOutputLog(c.stored, W, H), c.expected) << c.what;
}

TEST(OutputLogLayout, ControlsFollowTheWindowSize) {
    OutputWindowLayout layout = LayOutOutputWindow(9000, 3000, 2000, 1200);
    EXPECT_EQ(layout.text, (TwipBox{0, 0, 9000, 3000 - 615}));
    EXPECT_EQ(layout.clipboardButton.top, 3000 - 615 + 195);
    EXPECT_EQ(layout.clipboardButton.width, 2000);
    EXPECT_EQ(layout.closeButton.left + layout.closeButton.width, 9000 - 105);
    EXPECT_EQ(layout.frameMdc.top, 3000 - 615 + 105);
    EXPECT_EQ(layout.frameMdc.left, layout.clipboardButton.left + 2000 + 90);
    EXPECT_EQ(layout.frameSig.left, layout.frameMdc.left + layout.frameMdc.width + 90);
    // A window smaller than the button band keeps an empty text box, not a negative one.
    EXPECT_EQ(LayOutOutputWindow(500, 300, 2000, 1200).text.height, 0);
}

TEST(OutputKeyServerBox, SelectedKeyIdsAreCollected) {
    struct Case {
        const char* selection;
        const char* box;
        bool ignored;
        bool showBar;
        const char* result;
    } cases[] = {
        {"0123ABCD", "0x", false, true, "0x0123ABCD"},
        {"  0123ABCD\r\n", "0x", false, true, "0x0123ABCD"},
        {"0123456789ABCDEF", "0xAAAAAAAA", false, true, "0xAAAAAAAA 0x0123456789ABCDEF"},
        {"0x0123ABCD", "0x", false, true, "0x0123ABCD"},
        {"0x0123ABCD", "0xAAAAAAAA", false, true, "0xAAAAAAAA 0x0123ABCD"},
        // Already there, or decoration of the listing.
        {"0123ABCD", "0x0123ABCD", true, false, "0x0123ABCD"},
        {"[0123ABCD]", "0x", true, false, "0x"},
        {"sig 3 *", "0x", true, false, "0x"},
        {"", "0x", true, false, "0x"},
        // A run of eight inside other text shows the bar but adds nothing.
        {"keyid 0123ABCD", "0x", false, true, "0x"},
        {"0123ABC", "0x", false, false, "0x"},
        {"0123abcd", "0x", false, false, "0x"},
        {"0123ABCD0", "0x", false, true, "0x"},
    };
    for (const auto& c : cases) {
        KeyServerBoxChange change = KeyServerBoxAfterSelection(c.selection, c.box);
        EXPECT_EQ(change.ignored, c.ignored) << c.selection;
        EXPECT_EQ(change.showButtonBar, c.showBar) << c.selection;
        EXPECT_EQ(change.boxText, c.result) << c.selection;
    }
}
