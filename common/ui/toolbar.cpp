#include "common/ui/toolbar.h"

#include <commctrl.h>

#include "common/ui/twips.h"

bool Toolbar::Create(Window& parent, const std::string& name, bool flat) {
    DWORD style = CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NODIVIDER | TBSTYLE_TOOLTIPS | (flat ? TBSTYLE_FLAT : 0);
    if (!CreateChild(parent, TOOLBARCLASSNAMEA, name, {0, 0, 0, kToolbarHeight}, "", style)) return false;
    Send(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return true;
}

int Toolbar::ButtonsRight() const {
    int count = static_cast<int>(Send(TB_BUTTONCOUNT));
    if (count <= 0) return 0;
    RECT last = {};
    Send(TB_GETITEMRECT, count - 1, reinterpret_cast<LPARAM>(&last));
    return PixelsToTwipsX(last.right);
}
