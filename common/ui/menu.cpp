#include "common/ui/menu.h"

#include "common/translation.h"

UniqueMenu BuildPopupMenu(const std::vector<MenuItem>& items) {
    UniqueMenu menu(CreatePopupMenu());
    if (!menu) return menu;
    for (const auto& item : items) {
        if (item.caption.empty())
            AppendMenuA(menu.get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.get(), MF_STRING, static_cast<UINT_PTR>(item.id), Translate(item.caption).c_str());
    }
    return menu;
}

int TrackPopupMenuAt(HMENU menu, HWND owner, POINT screenPoint) {
    if (!menu) return 0;
    // Without the owner in the foreground the menu would not close when the user
    // clicks elsewhere.
    SetForegroundWindow(owner);
    int chosen = static_cast<int>(TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, screenPoint.x,
                                                   screenPoint.y, owner, nullptr));
    PostMessageA(owner, WM_NULL, 0, 0);
    return chosen;
}
