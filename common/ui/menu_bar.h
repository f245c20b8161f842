// Window menus addressed the suite's way: each item has a fixed index inside its
// menu, items are grouped by tens, and a separator stands between two groups.
// "Run item 64 of the Keys menu" is Run(kKeysMenu, 64), from any window.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

struct MenuBarItem {
    int index = 0;
    std::string caption;   // English; translated when the menu is built
    UINT key = 0;          // virtual key of a shortcut (VK_F5), 0 = none
    bool ctrl = false;
    bool shift = false;
    bool visible = true;
    bool enabled = true;
    bool checked = false;
};

struct MenuBarMenu {
    int number = 0;        // the menu's place in the bar, 1-based
    std::string caption;   // "&File"
    std::vector<MenuBarItem> items;
    bool visible = true;
};

class MenuBar {
public:
    MenuBar() = default;
    MenuBar(const MenuBar&) = delete;
    MenuBar& operator=(const MenuBar&) = delete;
    ~MenuBar();

    // Builds the bar and attaches it to the window; `run` is called for every
    // command with the menu number and item index.
    bool Attach(HWND window, std::vector<MenuBarMenu> menus, std::function<void(int menu, int index)> run);

    // Command ids carry menu and index, so WM_COMMAND can be decoded without a map.
    static int CommandId(int menu, int index) { return 0x4000 + menu * 256 + index; }
    static bool Decode(int commandId, int& menu, int& index);

    // Runs an item as if the user chose it (only when it is enabled).
    bool Run(int menu, int index) const;
    // Handles WM_COMMAND ids of the bar; false for other ids.
    bool HandleCommand(int commandId) const;
    // Shortcut keys; call from the window's message filter.
    bool TranslateShortcut(const MSG& message) const;

    void SetEnabled(int menu, int index, bool enabled);
    void SetChecked(int menu, int index, bool checked);
    void SetVisible(int menu, int index, bool visible);
    void SetCaption(int menu, int index, const std::string& caption);
    bool IsEnabled(int menu, int index) const;
    bool IsChecked(int menu, int index) const;
    bool IsVisible(int menu, int index) const;
    // Items can be added and removed at run time (recent lists, "Sign with" menus).
    void SetItems(int menu, std::vector<MenuBarItem> items);
    const MenuBarItem* Find(int menu, int index) const;
    const MenuBarMenu* FindMenu(int menu) const;
    HMENU Handle() const { return bar_; }
    // The submenu handle of a menu (for pop-up use elsewhere).
    HMENU Submenu(int menu) const;

private:
    MenuBarItem* FindItem(int menu, int index);
    void Rebuild();

    HWND window_ = nullptr;
    HMENU bar_ = nullptr;
    std::vector<MenuBarMenu> menus_;
    std::vector<HMENU> submenus_;
    std::function<void(int, int)> run_;
};

// The caption shown in the menu: translated text plus the shortcut name after a tab.
std::string MenuItemText(const MenuBarItem& item);
