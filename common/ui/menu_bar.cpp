#include "common/ui/menu_bar.h"

#include "common/translation.h"

namespace {

std::string KeyName(UINT key) {
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    if (key == VK_DELETE) return "Del";
    if (key == VK_INSERT) return "Ins";
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, static_cast<char>(key));
    return "";
}

}  // namespace

std::string MenuItemText(const MenuBarItem& item) {
    std::string text = Translate(item.caption);
    if (item.key) {
        std::string keys;
        if (item.ctrl) keys += "Ctrl+";
        if (item.shift) keys += "Shift+";
        text += "\t" + keys + KeyName(item.key);
    }
    return text;
}

MenuBar::~MenuBar() {
    // The bar belongs to the window once attached; only a detached one is ours.
    if (bar_ && !(window_ && IsWindow(window_) && GetMenu(window_) == bar_)) DestroyMenu(bar_);
}

bool MenuBar::Attach(HWND window, std::vector<MenuBarMenu> menus, std::function<void(int, int)> run) {
    window_ = window;
    menus_ = std::move(menus);
    run_ = std::move(run);
    Rebuild();
    return bar_ != nullptr;
}

void MenuBar::Rebuild() {
    HMENU old = bar_;
    bar_ = CreateMenu();
    submenus_.clear();
    for (const auto& menu : menus_) {
        HMENU sub = CreatePopupMenu();
        int lastGroup = -1;
        for (const auto& item : menu.items) {
            if (!item.visible) continue;
            int group = item.index / 10;
            if (lastGroup >= 0 && group != lastGroup) AppendMenuA(sub, MF_SEPARATOR, 0, nullptr);
            lastGroup = group;
            UINT flags = MF_STRING | (item.enabled ? 0 : MF_GRAYED) | (item.checked ? MF_CHECKED : 0);
            AppendMenuA(sub, flags, CommandId(menu.number, item.index), MenuItemText(item).c_str());
        }
        submenus_.push_back(sub);
        if (menu.visible)
            AppendMenuA(bar_, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(sub), Translate(menu.caption).c_str());
    }
    if (window_) {
        SetMenu(window_, bar_);
        DrawMenuBar(window_);
    }
    if (old) DestroyMenu(old);
}

bool MenuBar::Decode(int commandId, int& menu, int& index) {
    if (commandId < 0x4000 || commandId >= 0x4000 + 64 * 256) return false;
    menu = (commandId - 0x4000) / 256;
    index = (commandId - 0x4000) % 256;
    return true;
}

const MenuBarMenu* MenuBar::FindMenu(int menu) const {
    for (const auto& m : menus_)
        if (m.number == menu) return &m;
    return nullptr;
}

const MenuBarItem* MenuBar::Find(int menu, int index) const {
    if (const MenuBarMenu* m = FindMenu(menu))
        for (const auto& item : m->items)
            if (item.index == index) return &item;
    return nullptr;
}

MenuBarItem* MenuBar::FindItem(int menu, int index) {
    return const_cast<MenuBarItem*>(Find(menu, index));
}

HMENU MenuBar::Submenu(int menu) const {
    for (size_t i = 0; i < menus_.size(); ++i)
        if (menus_[i].number == menu && i < submenus_.size()) return submenus_[i];
    return nullptr;
}

bool MenuBar::Run(int menu, int index) const {
    const MenuBarItem* item = Find(menu, index);
    if (!item || !item->enabled || !run_) return false;
    run_(menu, index);
    return true;
}

bool MenuBar::HandleCommand(int commandId) const {
    int menu = 0, index = 0;
    if (!Decode(commandId, menu, index) || !Find(menu, index)) return false;
    Run(menu, index);
    return true;
}

bool MenuBar::TranslateShortcut(const MSG& message) const {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
    bool ctrl = GetKeyState(VK_CONTROL) < 0, shift = GetKeyState(VK_SHIFT) < 0;
    for (const auto& menu : menus_) {
        for (const auto& item : menu.items) {
            if (item.key && item.key == message.wParam && item.ctrl == ctrl && item.shift == shift && item.visible) {
                Run(menu.number, item.index);
                return true;
            }
        }
    }
    return false;
}

void MenuBar::SetEnabled(int menu, int index, bool enabled) {
    if (MenuBarItem* item = FindItem(menu, index)) {
        item->enabled = enabled;
        if (HMENU sub = Submenu(menu))
            EnableMenuItem(sub, CommandId(menu, index), MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
    }
}

void MenuBar::SetChecked(int menu, int index, bool checked) {
    if (MenuBarItem* item = FindItem(menu, index)) {
        item->checked = checked;
        if (HMENU sub = Submenu(menu))
            CheckMenuItem(sub, CommandId(menu, index), MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void MenuBar::SetVisible(int menu, int index, bool visible) {
    MenuBarItem* item = FindItem(menu, index);
    if (!item || item->visible == visible) return;
    item->visible = visible;
    Rebuild();
}

void MenuBar::SetCaption(int menu, int index, const std::string& caption) {
    if (MenuBarItem* item = FindItem(menu, index)) {
        item->caption = caption;
        if (HMENU sub = Submenu(menu))
            ModifyMenuA(sub, CommandId(menu, index), MF_BYCOMMAND | MF_STRING | (item->enabled ? 0 : MF_GRAYED) |
                                                         (item->checked ? MF_CHECKED : 0),
                        CommandId(menu, index), MenuItemText(*item).c_str());
    }
}

bool MenuBar::IsEnabled(int menu, int index) const {
    const MenuBarItem* item = Find(menu, index);
    return item && item->enabled;
}

bool MenuBar::IsChecked(int menu, int index) const {
    const MenuBarItem* item = Find(menu, index);
    return item && item->checked;
}

bool MenuBar::IsVisible(int menu, int index) const {
    const MenuBarItem* item = Find(menu, index);
    return item && item->visible;
}

void MenuBar::SetItems(int menu, std::vector<MenuBarItem> items) {
    for (auto& m : menus_) {
        if (m.number == menu) {
            m.items = std::move(items);
            Rebuild();
            return;
        }
    }
}
