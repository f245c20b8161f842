#include <gtest/gtest.h>

#include "common/translation.h"
#include "common/ui/controls.h"
#include "common/ui/window.h"

// Windows translate their captions, labels and button texts when they are made.
TEST(UiTranslation, WindowsTranslateTheirTextsAtLoad) {
    SetTranslationTable("Morvish - Output   = Morvish - Ausgabe\r\nClose   = &Schliessen\r\nx1_Keys   = Schluessel\r\n");
    Window window;
    ASSERT_TRUE(window.Create({.caption = "Morvish - Output", .style = WS_POPUP}));
    Button close;
    Label label, untouched;
    ASSERT_TRUE(close.Create(window, "CloseButton", {0, 0, 1200, 400}, "&Close"));
    ASSERT_TRUE(label.Create(window, "LabelKeys", {0, 500, 1200, 300}, "x1_Keys"));
    ASSERT_TRUE(untouched.Create(window, "LabelOther", {0, 900, 1200, 300}, "x2_Keys"));
    SetTranslationTable("");

    char text[256];
    GetWindowTextA(window.Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Morvish - Ausgabe");
    EXPECT_EQ(close.Text(), "&Schliessen");
    EXPECT_EQ(label.Text(), "Schluessel");
    EXPECT_EQ(untouched.Text(), "Keys");
}
