// The key list window's menu bar as data: every menu as a table by index, and the
// commands behind the items as a map from (menu, index) to a function. Later
// menus (Keys, Edit, Trust, View, Help, Launch, ...) add their table and their
// commands here; the window only builds the bar from KeyListMenus() and runs
// what KeyListCommandFor() finds.
#pragma once

#include <vector>

#include "common/ui/menu_bar.h"

class KeyListWindow;

// Menu numbers of the bar (the menu's place, 1-based). Only the File menu is
// built so far; the others keep their numbers for the work that brings them.
enum KeyListMenuNumber {
    kFileMenu = 1,
    kKeysMenu = 2,
    kEditMenu = 3,
    kTrustMenu = 4,
    kViewMenu = 5,
    kPreferencesMenu = 6,
    kHelpMenu = 7,
    kLaunchMenu = 8,
};

// File menu items.
inline constexpr int kFileReload = 11;
inline constexpr int kFileSaveAs = 21;
inline constexpr int kFileExit = 99;

// Items other parts of the window run by number.
inline constexpr int kKeysNewKey = 11;      // key generation (first-key question)
inline constexpr int kEditAllSettings = 1;  // Enter / double click in the list

std::vector<MenuBarMenu> KeyListMenus();

using KeyListCommand = void (*)(KeyListWindow& window);

// The command of a menu item; null for an item whose command is not built yet.
KeyListCommand KeyListCommandFor(int menu, int index);
