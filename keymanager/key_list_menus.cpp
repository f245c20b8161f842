#include "keymanager/key_list_menus.h"

#include <map>
#include <utility>

#include "keymanager/key_list_window.h"

namespace {

MenuBarMenu FileMenu() {
    MenuBarMenu menu;
    menu.number = kFileMenu;
    menu.caption = "&File";
    menu.items = {
        {kFileReload, "&Reload Keys", VK_F5},
        {kFileSaveAs, "Save &As..."},
        {kFileExit, "E&xit"},
    };
    return menu;
}

const std::map<std::pair<int, int>, KeyListCommand>& Commands() {
    static const std::map<std::pair<int, int>, KeyListCommand> commands = {
        {{kFileMenu, kFileReload}, [](KeyListWindow& window) { window.Reload(); }},
        {{kFileMenu, kFileExit}, [](KeyListWindow& window) { window.ExitStoringLayout(); }},
    };
    return commands;
}

}  // namespace

std::vector<MenuBarMenu> KeyListMenus() {
    return {FileMenu()};
}

KeyListCommand KeyListCommandFor(int menu, int index) {
    auto found = Commands().find({menu, index});
    return found == Commands().end() ? nullptr : found->second;
}
