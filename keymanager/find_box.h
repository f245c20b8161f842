// The find box on the toolbar's right (TxtFindKey): every change of its text
// selects the rows whose user ID or key ID contains it (wildcards allowed), so
// the user can pick keys by typing. Empty, it shows a grey hint.
#pragma once

#include <memory>
#include <string>

#include <windows.h>

#include "common/ui/controls.h"
#include "keymanager/key_list_host.h"

class TextDropTarget;

class FindBox : public KeyListPart {
public:
    explicit FindBox(KeyListHost& host);
    ~FindBox() override;
    FindBox(const FindBox&) = delete;
    FindBox& operator=(const FindBox&) = delete;

    // Creates TxtFindKey on the host window, showing the hint, and registers it
    // for dropped text.
    bool Create(const TwipRect& place);
    // The window places the box (120 twips right of the toolbar's last button).
    void Layout(const TwipRect& place);
    void SetVisible(bool visible);

    TextBox& Box() { return box_; }
    // The text the user searches for; "" while the hint shows.
    std::string SearchText() const;
    // Text dropped on the box: replaces its text ("Name <mail>" keeps "Name").
    void DropText(const std::string& text);

    // EN_SETFOCUS, EN_KILLFOCUS, EN_CHANGE of TxtFindKey.
    bool OnCommand(int id, int notifyCode, HWND control) override;
    // WM_CTLCOLOREDIT: the hint grey, typed text black.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnFocus();
    void OnLeave();
    void OnChange();

    KeyListHost& host_;
    TextBox box_;
    bool showingHint_ = true;
    bool settingText_ = false;
    std::unique_ptr<TextDropTarget> dropTarget_;
};
