#include "common/ui/controls.h"

#include "common/translation.h"

#include <utility>

#include "common/ui/window.h"

std::string Control::Text() const {
    if (!handle_) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(handle_)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void Control::SetText(const std::string& text) {
    if (handle_) SetWindowTextA(handle_, text.c_str());
}

void Control::SetFont(HFONT font) {
    if (handle_) SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

HFONT Control::Font() const {
    return handle_ ? reinterpret_cast<HFONT>(SendMessageA(handle_, WM_GETFONT, 0, 0)) : nullptr;
}

void Control::Enable(bool enabled) {
    if (handle_) EnableWindow(handle_, enabled);
}

bool Control::Enabled() const {
    return handle_ && IsWindowEnabled(handle_);
}

void Control::SetVisible(bool visible) {
    if (handle_) ShowWindow(handle_, visible ? SW_SHOWNA : SW_HIDE);
}

bool Control::Visible() const {
    return handle_ && IsWindowVisible(handle_);
}

void Control::Move(const TwipRect& place) {
    if (!handle_) return;
    RECT r = ToPixels(place);
    MoveWindow(handle_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
}

RECT Control::Bounds() const {
    RECT r{};
    if (!handle_) return r;
    GetWindowRect(handle_, &r);
    MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void Control::Focus() {
    if (handle_) SetFocus(handle_);
}

LRESULT Control::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return handle_ ? SendMessageA(handle_, message, wParam, lParam) : 0;
}

bool Control::CreateChild(Window& parent, const char* windowClass, const std::string& name, const TwipRect& place,
                          const std::string& text, DWORD style, DWORD exStyle, int id) {
    if (handle_ || !parent.Handle()) return false;
    if (id == 0) id = parent.NextControlId();
    RECT r = ToPixels(place);
    HWND created = CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, r.left, r.top,
                                   r.right - r.left, r.bottom - r.top, parent.Handle(),
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ToolkitInstance(), nullptr);
    if (!created) return false;
    handle_ = created;
    name_ = name;
    id_ = id;
    SendMessageA(created, WM_SETFONT, reinterpret_cast<WPARAM>(parent.ControlFont()), FALSE);
    parent.AddControl(name, created);
    return true;
}

bool Label::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption,
                   TextAlign align) {
    DWORD alignStyle = align == TextAlign::Centre ? SS_CENTER : align == TextAlign::Right ? SS_RIGHT : SS_LEFT;
    return CreateChild(parent, "STATIC", name, place, Translate(caption), alignStyle | SS_NOPREFIX);
}

bool Button::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& caption, int id,
                    bool isDefault) {
    DWORD style = WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    return CreateChild(parent, "BUTTON", name, place, Translate(caption), style, 0, id);
}

void Button::Click() const {
    Send(BM_CLICK);
}

bool TextBox::Create(Window& parent, const std::string& name, const TwipRect& place, const std::string& text,
                     const TextBoxStyle& style) {
    DWORD s = WS_TABSTOP;
    if (style.multiLine) {
        s |= ES_MULTILINE | ES_WANTRETURN;
        if (!style.horizontalScroll) s |= ES_AUTOVSCROLL;
    } else {
        s |= ES_AUTOHSCROLL;
    }
    if (style.horizontalScroll) s |= WS_HSCROLL | ES_AUTOHSCROLL;
    if (style.verticalScroll) s |= WS_VSCROLL | ES_AUTOVSCROLL;
    if (style.readOnly) s |= ES_READONLY;
    if (style.password) s |= ES_PASSWORD;
    return CreateChild(parent, "EDIT", name, place, text, s, WS_EX_CLIENTEDGE);
}

void TextBox::SelectAll() const {
    Send(EM_SETSEL, 0, -1);
}

void TextBox::Select(int start, int length) const {
    Send(EM_SETSEL, static_cast<WPARAM>(start), start + length);
}

std::pair<int, int> TextBox::Selection() const {
    DWORD start = 0;
    DWORD end = 0;
    Send(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}
