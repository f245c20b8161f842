#include "common/ui/status_bar.h"

#include "common/ui/window.h"

bool StatusBar::Create(Window& parent, const std::string& name) {
    if (!CreateChild(parent, STATUSCLASSNAMEA, name, {0, 0, 0, 0}, "", SBARS_SIZEGRIP | CCS_BOTTOM)) return false;
    // The bar's own tip support shows only truncated texts; our panels always
    // explain themselves, so one tooltip tool per panel.
    tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0,
                               0, 0, Handle(), nullptr, ToolkitInstance(), nullptr);
    return true;
}

void StatusBar::SetPanelWidths(const std::vector<int>& widths) {
    if (tooltip_) {
        for (size_t i = 0; i < widths_.size(); ++i) {
            TOOLINFOA tool = {sizeof tool};
            tool.hwnd = Handle();
            tool.uId = i + 1;
            SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    widths_ = widths;
    tips_.resize(widths.size());
    if (tooltip_) {
        for (size_t i = 0; i < widths_.size(); ++i) {
            TOOLINFOA tool = {sizeof tool};
            tool.uFlags = TTF_SUBCLASS;
            tool.hwnd = Handle();
            tool.uId = i + 1;
            tool.lpszText = tips_[i].data();
            SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }
    Layout();
}

void StatusBar::Layout() {
    std::vector<int> edges;
    int right = 0;
    for (int width : widths_) {
        right = width < 0 ? -1 : right + width;
        edges.push_back(right);
        if (right < 0) right = 0;
    }
    Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
    if (!tooltip_) return;
    for (size_t i = 0; i < widths_.size(); ++i) {
        TOOLINFOA tool = {sizeof tool};
        tool.hwnd = Handle();
        tool.uId = i + 1;
        Send(SB_GETRECT, i, reinterpret_cast<LPARAM>(&tool.rect));
        SendMessageA(tooltip_, TTM_NEWTOOLRECTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void StatusBar::SetPanelText(int panel, const std::string& text) {
    Send(SB_SETTEXTA, panel, reinterpret_cast<LPARAM>(text.c_str()));
}

std::string StatusBar::PanelText(int panel) const {
    int length = LOWORD(Send(SB_GETTEXTLENGTHA, panel));
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(SB_GETTEXTA, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void StatusBar::SetPanelTip(int panel, const std::string& tip) {
    if (panel < 0 || panel >= static_cast<int>(tips_.size())) return;
    tips_[panel] = tip;
    if (!tooltip_) return;
    TOOLINFOA tool = {sizeof tool};
    tool.hwnd = Handle();
    tool.uId = static_cast<UINT_PTR>(panel) + 1;
    tool.lpszText = tips_[panel].data();
    SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

std::string StatusBar::PanelTip(int panel) const {
    return panel >= 0 && panel < static_cast<int>(tips_.size()) ? tips_[panel] : "";
}

int StatusBar::Height() const {
    RECT r = Bounds();
    return r.bottom - r.top;
}

int StatusBar::ClickedPanel(const NMHDR* header, bool& doubleClick) const {
    if (!header || header->hwndFrom != Handle()) return -1;
    if (header->code != NM_CLICK && header->code != NM_DBLCLK) return -1;
    doubleClick = header->code == NM_DBLCLK;
    return static_cast<int>(reinterpret_cast<const NMMOUSE*>(header)->dwItemSpec);
}
