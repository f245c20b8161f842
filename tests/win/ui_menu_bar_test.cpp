#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "common/translation.h"
#include "common/ui/menu_bar.h"
#include "common/ui/window.h"

namespace {

std::vector<std::string> Entries(HMENU menu) {
    std::vector<std::string> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
        entries.push_back(GetMenuItemID(menu, i) == 0 ? "-" : text);
    }
    return entries;
}

}  // namespace

TEST(UiMenuBar, ItemsByIndexGroupedByTens) {
    SetTranslationTable("Reload Keys   = Schluessel neu &laden\r\n");
    Window window;
    ASSERT_TRUE(window.Create({.caption = "Menus"}));
    std::vector<std::pair<int, int>> ran;
    MenuBar bar;
    ASSERT_TRUE(bar.Attach(window.Handle(),
                           {{1, "&File", {{11, "&Reload Keys", VK_F5}, {21, "Save &As..."}, {99, "E&xit"}}},
                            {2, "&Keys", {{11, "&Import..."}, {12, "&Export..."}, {64, "&Sign..."}}}},
                           [&](int menu, int index) { ran.push_back({menu, index}); }));
    SetTranslationTable("");

    EXPECT_EQ(GetMenuItemCount(bar.Handle()), 2);
    EXPECT_EQ(Entries(bar.Submenu(1)),
              (std::vector<std::string>{"Schluessel neu &laden\tF5", "-", "Save &As...", "-", "E&xit"}));
    EXPECT_EQ(Entries(bar.Submenu(2)), (std::vector<std::string>{"&Import...", "&Export...", "-", "&Sign..."}));

    // Chosen from the menu, run by number from code, or by its shortcut.
    SendMessageA(window.Handle(), WM_COMMAND, MenuBar::CommandId(2, 64), 0);
    EXPECT_TRUE(bar.HandleCommand(MenuBar::CommandId(2, 64)));
    EXPECT_TRUE(bar.Run(1, 99));
    MSG key = {window.Handle(), WM_KEYDOWN, VK_F5, 0};
    EXPECT_TRUE(bar.TranslateShortcut(key));
    EXPECT_EQ(ran, (std::vector<std::pair<int, int>>{{2, 64}, {1, 99}, {1, 11}}));

    // A disabled item does not run; a hidden one leaves the menu and its separator.
    bar.SetEnabled(1, 21, false);
    EXPECT_FALSE(bar.Run(1, 21));
    EXPECT_EQ(GetMenuState(bar.Submenu(1), MenuBar::CommandId(1, 21), MF_BYCOMMAND) & MF_GRAYED, MF_GRAYED);
    bar.SetVisible(1, 21, false);
    EXPECT_EQ(Entries(bar.Submenu(1)), (std::vector<std::string>{"&Reload Keys\tF5", "-", "E&xit"}));
    bar.SetChecked(2, 12, true);
    EXPECT_TRUE(GetMenuState(bar.Submenu(2), MenuBar::CommandId(2, 12), MF_BYCOMMAND) & MF_CHECKED);

    int menu = 0, index = 0;
    EXPECT_TRUE(MenuBar::Decode(MenuBar::CommandId(7, 255), menu, index));
    EXPECT_EQ(menu, 7);
    EXPECT_EQ(index, 255);
    EXPECT_FALSE(MenuBar::Decode(100, menu, index));
}
