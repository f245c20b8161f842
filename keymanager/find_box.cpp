#include "keymanager/find_box.h"

#include "common/ui/list_view.h"
#include "common/ui/window.h"
#include "keymanager/drop_targets.h"
#include "keymanager/logic/find_match.h"

FindBox::FindBox(KeyListHost& host) : host_(host) {}

FindBox::~FindBox() = default;

bool FindBox::Create(const TwipRect& place) {
    if (!box_.Create(host_.HostWindow(), "TxtFindKey", place, kFindHint)) return false;
    showingHint_ = true;
    dropTarget_ = std::make_unique<TextDropTarget>();
    // Without OLE on the thread the box works, it just takes no dropped text.
    dropTarget_->Register(box_.Handle(), [this](const std::string& text) { DropText(text); });
    return true;
}

void FindBox::Layout(const TwipRect& place) {
    box_.Move(place);
}

void FindBox::SetVisible(bool visible) {
    box_.SetVisible(visible);
}

std::string FindBox::SearchText() const {
    return showingHint_ ? "" : box_.Text();
}

void FindBox::DropText(const std::string& text) {
    box_.SetText(DroppedFindText(text));
}

bool FindBox::OnCommand(int id, int notifyCode, HWND control) {
    if (!box_.Exists() || control != box_.Handle() || id != box_.Id()) return false;
    switch (notifyCode) {
        case EN_SETFOCUS: OnFocus(); break;
        case EN_KILLFOCUS: OnLeave(); break;
        case EN_CHANGE: OnChange(); break;
        default: break;
    }
    return true;
}

bool FindBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CTLCOLOREDIT || !box_.Exists() || reinterpret_cast<HWND>(lParam) != box_.Handle()) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(showingHint_ ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

void FindBox::OnFocus() {
    if (showingHint_ || box_.Text().empty()) {
        settingText_ = true;
        box_.SetText("");
        settingText_ = false;
        showingHint_ = false;
        InvalidateRect(box_.Handle(), nullptr, TRUE);
    } else {
        box_.SelectAll();
    }
}

void FindBox::OnLeave() {
    if (!box_.Text().empty()) return;
    settingText_ = true;
    box_.SetText(kFindHint);
    settingText_ = false;
    showingHint_ = true;
    InvalidateRect(box_.Handle(), nullptr, TRUE);
}

void FindBox::OnChange() {
    if (settingText_) return;
    const std::string text = box_.Text();
    if (text == kFindHint) {
        showingHint_ = true;
        InvalidateRect(box_.Handle(), nullptr, TRUE);
        return;
    }
    if (showingHint_) {
        showingHint_ = false;
        InvalidateRect(box_.Handle(), nullptr, TRUE);
    }
    const int rows = host_.RowCount();
    if (rows == 0) return;
    host_.ClearSelection();
    ListView& list = host_.KeyList();
    int lastMatch = -1;
    for (int row = 0; row < rows; ++row) {
        if (!FindMatchesRow(text, host_.RowKey(row).userId, host_.RowText(row, 1))) continue;
        list.SetSelected(row, true);
        lastMatch = row;
    }
    // Scrolling to every match in turn ends with the last one in view; going
    // there at once spares thousands of scroll steps on a large keyring.
    if (lastMatch >= 0) list.EnsureVisible(lastMatch);
    host_.SelectionChanged();
}
