#include "keymanager/fetch_box.h"

#include <commctrl.h>

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/list_view.h"
#include "common/ui/window.h"
#include "common/win/command_runner.h"
#include "common/win/key_listing_files.h"
#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "keymanager/logic/fetch_text.h"

namespace {

constexpr int kBoxWidth = 2200;
constexpr int kGetButtonWidth = 2100;
constexpr int kShowButtonWidth = 330;
constexpr int kComboWidth = 3200;
constexpr int kComboListHeight = 1800;
constexpr int kGap = 60;
constexpr int kLabelGap = 105;     // LabelOptions keeps this far right of the combo or button
constexpr int kLabelRightGap = 285;
constexpr int kLabelDrop = 60;
constexpr int kRowOffset = 195;
constexpr UINT_PTR kBoxSubclassId = 0x5303;

int TextWidthTwips(HWND control, const std::string& text) {
    HDC dc = GetDC(control);
    if (!dc) return 0;
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    return PixelsToTwipsX(size.cx);
}

}  // namespace

// ---- ComboBox ---------------------------------------------------------------------

bool ComboBox::Create(Window& parent, const std::string& name, const TwipRect& place) {
    return CreateChild(parent, "COMBOBOX", name, place, "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL);
}

void ComboBox::Clear() {
    Send(CB_RESETCONTENT);
}

void ComboBox::AddItem(const std::string& text) {
    Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int ComboBox::ItemCount() const {
    return static_cast<int>(Send(CB_GETCOUNT));
}

std::string ComboBox::Item(int index) const {
    LRESULT length = Send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index));
    if (length == CB_ERR) return "";
    std::string text(static_cast<size_t>(length) + 1, '\0');
    Send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return text;
}

void ComboBox::SelectItem(int index) {
    Send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

HWND ComboBox::EditHandle() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!Handle() || !GetComboBoxInfo(Handle(), &info)) return nullptr;
    return info.hwndItem;
}

// ---- FetchBox ---------------------------------------------------------------------

FetchBox::FetchBox(KeyListHost& host) : host_(host) {}

bool FetchBox::Create() {
    Window& window = host_.HostWindow();
    const TwipRect nowhere{0, 0, 100, kButtonsRowControlHeight};
    if (!box_.Create(window, "TxtGetKeys", nowhere, kFetchHint)) return false;
    if (!getButton_.Create(window, "GetKeysButton", nowhere, kKeyServerCaption)) return false;
    if (!showButton_.Create(window, "KeyServerShowButton", nowhere, "...")) return false;
    if (!combo_.Create(window, "ComboKeyServer", {0, 0, kComboWidth, kComboListHeight})) return false;
    if (!optionsLabel_.Create(window, "LabelOptions", nowhere, "")) return false;
    combo_.SetVisible(false);
    comboShown_ = false;
    SetKeyServers({});
    tips_.Create(window);
    SetWindowSubclass(box_.Handle(), BoxProcedure, kBoxSubclassId, reinterpret_cast<DWORD_PTR>(this));
    OnBoxChange();
    return true;
}

void FetchBox::Layout(int listBottom, int listRight, bool buttonsRowShown) {
    rowShown_ = buttonsRowShown;
    rowTop_ = listBottom + kRowOffset;
    listRight_ = listRight;
    box_.SetVisible(buttonsRowShown);
    getButton_.SetVisible(buttonsRowShown);
    showButton_.SetVisible(buttonsRowShown && !comboShown_);
    combo_.SetVisible(buttonsRowShown && comboShown_);
    if (!buttonsRowShown) {
        optionsLabel_.SetVisible(false);
        return;
    }
    int left = kFetchRowLeft;
    box_.Move({left, rowTop_, kBoxWidth, kButtonsRowControlHeight});
    left += kBoxWidth + kGap;
    getButton_.Move({left, rowTop_, kGetButtonWidth, kButtonsRowControlHeight});
    left += kGetButtonWidth + kGap;
    showButton_.Move({left, rowTop_, kShowButtonWidth, kButtonsRowControlHeight});
    combo_.Move({left, rowTop_, kComboWidth, kComboListHeight});
    UpdateOptionsLabelVisibility();
}

void FetchBox::UpdateOptionsLabelVisibility() {
    if (!optionsLabel_.Exists()) return;
    if (!rowShown_) {
        optionsLabel_.SetVisible(false);
        return;
    }
    const std::string text = optionsLabel_.Text();
    const int width = TextWidthTwips(optionsLabel_.Handle(), text) + 30;
    const int right = listRight_ - kLabelRightGap;
    const int left = right - width;
    optionsLabel_.Move({left, rowTop_ + kLabelDrop, width, kButtonsRowControlHeight - kLabelDrop});
    const int leftNeighbourEnd =
        kFetchRowLeft + kBoxWidth + kGap + kGetButtonWidth + kGap + (comboShown_ ? kComboWidth : kShowButtonWidth);
    optionsLabel_.SetVisible(left >= leftNeighbourEnd + kLabelGap);
}

void FetchBox::SetOptionsLabel(const std::string& text) {
    optionsLabel_.SetText(text);
    UpdateOptionsLabelVisibility();
}

void FetchBox::SetKeyServers(const std::vector<std::string>& servers) {
    combo_.Clear();
    combo_.AddItem(kDefaultServerEntry);
    for (const auto& server : servers)
        if (!server.empty()) combo_.AddItem(server);
    combo_.SelectItem(0);
}

std::string FetchBox::Text() const {
    return box_.Text();
}

void FetchBox::SetText(const std::string& text) {
    box_.SetText(text);  // EN_CHANGE runs the change rule
    OnBoxChange();       // and again for a window that does not pass it on yet
}

std::string FetchBox::BoxTip() const {
    return boxTip_;
}

void FetchBox::ShowKeyServerCombo() {
    comboShown_ = true;
    combo_.SetVisible(rowShown_);
    showButton_.SetVisible(false);
    UpdateOptionsLabelVisibility();
    if (rowShown_) combo_.Focus();
}

std::string FetchBox::KeyServerText() const {
    return combo_.Text();
}

void FetchBox::SetKeyServerText(const std::string& text) {
    combo_.SetText(text);
    InvalidateRect(combo_.Handle(), nullptr, TRUE);
}

void FetchBox::GetKeys() {
    const std::string text = box_.Text();
    if (IsEmptyFetchText(text)) {
        SetText(kEnterIdHint);
        box_.Focus();
        return;
    }
    host_.ClearSelection();
    const std::string command = ComposeFetchCommand(text, combo_.Text(), Env().GnuPGExeName);
    host_.HideAllWindows();
    if (runner_)
        runner_(command);
    else
        RunBatch(command, kWindowNormal, true, true);
    host_.ShowAllWindows();
    HWND main = host_.HostWindow().Handle();
    SetForegroundWindow(main);
    SetFocus(main);
    if (!LastRunOk()) return;
    if (ReadBoolSetting("Settings", "WatchRingChange", "1"))
        InvalidateKeyCacheIfChanged();
    else
        DeleteKeyListing();
    if (host_.AutoReload()) host_.ReadKeyData();
    host_.KeyList().Focus();
}

bool FetchBox::OnCommand(int id, int notifyCode, HWND control) {
    if (!control) return false;
    if (control == box_.Handle() && id == box_.Id()) {
        if (notifyCode == EN_SETFOCUS) OnBoxFocus();
        if (notifyCode == EN_KILLFOCUS) OnBoxLeave();
        if (notifyCode == EN_CHANGE) OnBoxChange();
        return true;
    }
    if (control == getButton_.Handle() && id == getButton_.Id()) {
        if (notifyCode == BN_CLICKED) GetKeys();
        return true;
    }
    if (control == showButton_.Handle() && id == showButton_.Id()) {
        if (notifyCode == BN_CLICKED) ShowKeyServerCombo();
        return true;
    }
    if (control == combo_.Handle() && id == combo_.Id()) {
        if (notifyCode == CBN_KILLFOCUS) OnComboLeave();
        if (notifyCode == CBN_EDITCHANGE || notifyCode == CBN_SELCHANGE || notifyCode == CBN_SELENDOK)
            InvalidateRect(combo_.Handle(), nullptr, TRUE);
        return true;
    }
    return false;
}

bool FetchBox::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_CTLCOLOREDIT) return false;
    HWND edit = reinterpret_cast<HWND>(lParam);
    bool grey = false;
    if (box_.Exists() && edit == box_.Handle())
        grey = boxGrey_;
    else if (combo_.Exists() && edit == combo_.EditHandle())
        grey = ComboShowsDefault();
    else
        return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, GetSysColor(grey ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return true;
}

bool FetchBox::ComboShowsDefault() const {
    return combo_.Text() == kDefaultServerEntry;
}

void FetchBox::OnBoxFocus() {
    if (box_.Text() == kFetchHint)
        box_.Select(2, 0);
    else
        box_.SelectAll();
}

void FetchBox::OnBoxLeave() {
    const std::string text = box_.Text();
    if (text.empty() || text.find("<Enter User or Key ID>") != std::string::npos) SetText(kFetchHint);
}

void FetchBox::OnBoxChange() {
    const std::string text = box_.Text();
    const bool grey = IsEmptyFetchText(text);
    if (!grey && text != boxTip_) {
        boxTip_ = text;
        tips_.AddTool(box_.Handle(), text);
    }
    const std::string caption = Translate(FetchButtonCaption(text));
    if (getButton_.Text() != caption) getButton_.SetText(caption);
    if (grey != boxGrey_) {
        boxGrey_ = grey;
        InvalidateRect(box_.Handle(), nullptr, TRUE);
    }
}

void FetchBox::OnComboLeave() {
    if (combo_.Text().empty()) combo_.SelectItem(0);
    InvalidateRect(combo_.Handle(), nullptr, TRUE);
}

LRESULT CALLBACK FetchBox::BoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                        DWORD_PTR data) {
    try {
        auto* self = reinterpret_cast<FetchBox*>(data);
        const bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
        if (message == WM_KEYDOWN && wParam == VK_RETURN && !ctrl) {
            // What a click sends, so the window's own routing runs it.
            SendMessageA(GetParent(self->getButton_.Handle()), WM_COMMAND,
                         MAKEWPARAM(self->getButton_.Id(), BN_CLICKED),
                         reinterpret_cast<LPARAM>(self->getButton_.Handle()));
            return 0;
        }
        // The Enter that pressed the button must not beep in a single-line box.
        if (message == WM_CHAR && (wParam == '\r' || wParam == '\n')) return 0;
        if (message == WM_NCDESTROY) RemoveWindowSubclass(window, BoxProcedure, kBoxSubclassId);
    } catch (...) {
        return 0;
    }
    return DefSubclassProc(window, message, wParam, lParam);
}
