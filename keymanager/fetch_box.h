// The key-server fetch part of the buttons row under the list: TxtGetKeys (a key
// ID or a search text), GetKeysButton (fetch or search), KeyServerShowButton
// (reveals ComboKeyServer, the server to ask) and LabelOptions (the active
// option set, at the row's right end).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

#include "common/ui/controls.h"
#include "common/ui/tooltips.h"
#include "keymanager/key_list_host.h"

// Left edge of TxtGetKeys in the buttons row (twips): the window's ReloadButton
// sits between 120 and kFetchRowLeft - 120.
inline constexpr int kFetchRowLeft = 1800;
// Height of the buttons row's controls (twips).
inline constexpr int kButtonsRowControlHeight = 330;

// The editable combo box of the key servers.
class ComboBox : public Control {
public:
    bool Create(Window& parent, const std::string& name, const TwipRect& place);
    void Clear();
    void AddItem(const std::string& text);
    int ItemCount() const;
    std::string Item(int index) const;
    void SelectItem(int index);
    // The edit field of the combo (for its colour).
    HWND EditHandle() const;
};

class FetchBox : public KeyListPart {
public:
    explicit FetchBox(KeyListHost& host);

    // Creates the five controls on the host window: TxtGetKeys showing "0x",
    // GetKeysButton "Key-&server", KeyServerShowButton, ComboKeyServer (hidden,
    // showing its first entry) and LabelOptions (empty).
    bool Create();
    // The row's top is listBottom + 195 twips; LabelOptions ends 285 twips before
    // listRight. With the row not shown every control is hidden.
    void Layout(int listBottom, int listRight, bool buttonsRowShown);

    // "Options: " + name (translated by the caller's GetSomeOptions), or "".
    void SetOptionsLabel(const std::string& text);
    // The combo gets its first entry and then each non-empty server; it shows the
    // first entry afterwards.
    void SetKeyServers(const std::vector<std::string>& servers);

    // TxtGetKeys' text (including the hint "0x"); SetText runs the change rule.
    std::string Text() const;
    void SetText(const std::string& text);
    // Shows the combo in place of KeyServerShowButton (the button's action).
    void ShowKeyServerCombo();
    bool KeyServerComboShown() const { return comboShown_; }
    // The server the combo shows.
    std::string KeyServerText() const;
    void SetKeyServerText(const std::string& text);

    // GetKeysButton's action: fetch or search on the key server in a console.
    void GetKeys();
    // Tests put a runner in place of RunBatch (which waits for a key at the end).
    void SetBatchRunner(std::function<void(const std::string& command)> runner) { runner_ = std::move(runner); }

    TextBox& KeyBox() { return box_; }
    Button& GetKeysButton() { return getButton_; }
    Button& KeyServerShowButton() { return showButton_; }
    ComboBox& KeyServerCombo() { return combo_; }
    Label& OptionsLabel() { return optionsLabel_; }
    std::string BoxTip() const;

    bool OnCommand(int id, int notifyCode, HWND control) override;
    // WM_CTLCOLOREDIT for the grey hints; Enter in TxtGetKeys through the box's
    // subclass.
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void OnBoxFocus();
    void OnBoxLeave();
    void OnBoxChange();
    void OnComboLeave();
    void UpdateOptionsLabelVisibility();
    bool ComboShowsDefault() const;
    static LRESULT CALLBACK BoxProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    KeyListHost& host_;
    TextBox box_;
    Button getButton_;
    Button showButton_;
    ComboBox combo_;
    Label optionsLabel_;
    ToolTips tips_;
    std::string boxTip_;
    bool boxGrey_ = true;
    bool comboShown_ = false;
    bool rowShown_ = true;
    int rowTop_ = 0;
    int listRight_ = 0;
    std::function<void(const std::string&)> runner_;
};
