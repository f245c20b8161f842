// Menus built from tables of {caption, id}: the pop-up menus of the output
// windows now, the window menus later. Captions are translated when the menu is
// built; an empty caption is a separator.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include <windows.h>

struct MenuItem {
    std::string caption;
    int id = 0;
};

// Owns an HMENU.
class UniqueMenu {
public:
    UniqueMenu() = default;
    explicit UniqueMenu(HMENU menu) : menu_(menu) {}
    ~UniqueMenu() { reset(); }
    UniqueMenu(const UniqueMenu&) = delete;
    UniqueMenu& operator=(const UniqueMenu&) = delete;
    UniqueMenu(UniqueMenu&& other) noexcept : menu_(std::exchange(other.menu_, nullptr)) {}
    UniqueMenu& operator=(UniqueMenu&& other) noexcept {
        if (this != &other) reset(std::exchange(other.menu_, nullptr));
        return *this;
    }

    HMENU get() const { return menu_; }
    explicit operator bool() const { return menu_ != nullptr; }
    void reset(HMENU menu = nullptr) {
        if (menu_) DestroyMenu(menu_);
        menu_ = menu;
    }

private:
    HMENU menu_ = nullptr;
};

// A pop-up menu holding the items in table order.
UniqueMenu BuildPopupMenu(const std::vector<MenuItem>& items);

// Shows the menu at a screen point for the window and returns the chosen id (0 when
// the user chose nothing). The command is not sent: the caller runs it, so the menu
// is gone before a dialog opens.
int TrackPopupMenuAt(HMENU menu, HWND owner, POINT screenPoint);
