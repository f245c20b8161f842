// frmKeys, the key manager's main window: the keyring as a list, with the
// selection every key command works on. The find box, the key-server fetch box,
// the status panels and the drop handling are parts of it (KeyListPart); the
// window creates them, lays them out and offers them its messages.
//
// Split by concern: key_list_window.cpp (creation, start-up, messages, closing),
// key_list_layout.cpp (geometry), key_list_data.cpp (ReadKeyData, selection,
// sorting, gpg.conf options), key_list_menus.cpp (menus and their commands),
// key_list_settings.cpp (what is read and stored).
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <windows.h>

#include "common/ui/controls.h"
#include "common/ui/image_list.h"
#include "common/ui/list_view.h"
#include "common/ui/toolbar.h"
#include "common/ui/menu_bar.h"
#include "common/ui/window.h"
#include "keymanager/key_list_host.h"
#include "keymanager/key_list_model.h"
#include "keymanager/key_list_settings.h"
#include "keymanager/logic/key_list_columns.h"
#include "keymanager/logic/list_selection.h"
#include "keymanager/logic/start_switches.h"

class FindBox;
class FetchBox;
class StatusPanels;
class KeyDrop;

inline constexpr UINT_PTR kWatchOptionsTimerId = 0x5300;  // TimerWatchOptions
inline constexpr UINT kWatchOptionsInterval = 1000;       // ms

struct KeyListOpenOptions {
    StartSwitch startSwitch = StartSwitch::None;
    // A normal start shows the window; tests may keep it hidden.
    bool show = true;
};

// The find box on the toolbar, in twips.
inline constexpr int kFindBoxWidth = 2400;
inline constexpr int kFindBoxHeight = 315;

class KeyListWindow : public Window, public KeyListHost {
public:
    KeyListWindow();
    ~KeyListWindow() override;

    // Creates the window and runs its start-up: settings migration, captions,
    // settings, columns, parts, the keyring check, leftover console batches,
    // gpg.conf options and their watch, the key list, placement and the question
    // for a first key. With a start switch the start ends after the key list (or
    // before it) and the window stays hidden.
    bool Open(const KeyListOpenOptions& options = {});

    // Ends the program's message loop when the window is gone (its main window).
    void SetQuitOnDestroy(bool quit) { quitOnDestroy_ = quit; }

    // --- public operations ----------------------------------------------------------
    // Reads the option-set name and the default key from gpg.conf and records its
    // time stamp.
    void GetSomeOptions();
    // Marks the default key's row bold (un-bolds the others).
    void HandleDefaultKey();
    // File menu item 11 / ReloadButton: a fresh listing from GnuPG.
    void Reload();
    // File menu item 99: stores the layout, then closes.
    void ExitStoringLayout();
    // A click on a column header (column index).
    void SortByHeader(int column);
    // TimerWatchOptions: asks whether to reload when gpg.conf changed.
    void CheckOptionsChanged();
    // The window's keys before its controls: menu shortcuts, Esc closes. True when
    // the message was used.
    bool PreTranslate(MSG& message);
    // Runs a menu item as if chosen (false when it is not there or disabled).
    bool RunMenuItem(int menu, int index) const { return menus_.Run(menu, index); }

    const ListSelection& Selection() const { return selection_; }
    const SortState& Sort() const { return sort_; }
    const std::string& DefaultKey() const { return defaultKey_; }
    const std::string& OptionsLabelText() const { return optionsLabel_; }
    // The captions of the six "Sign with" menus (the menus come with the key
    // commands); empty until two usable key pairs were listed.
    const std::vector<std::string>& SignWithCaptions() const { return signWithCaptions_; }
    KeyListSettings& CurrentSettings() { return settings_; }
    const MenuBar& Menus() const { return menus_; }
    const KeyListModel& Model() const { return model_; }
    StartSwitch StartedWith() const { return startSwitch_; }
    // Whether the window's closing rules ran (once per window).
    bool ClosingRulesRan() const { return closingRulesRan_; }

    // The parts (null until created).
    FindBox* Find() { return findBox_.get(); }
    FetchBox* Fetch() { return fetchBox_.get(); }
    StatusPanels* Status() { return statusPanels_.get(); }
    KeyDrop* Drop() { return keyDrop_.get(); }

    // --- KeyListHost --------------------------------------------------------------
    Window& HostWindow() override { return *this; }
    ListView& KeyList() override { return list_; }
    int RowCount() const override { return model_.RowCount(); }
    const KeyRecord& RowKey(int row) const override { return model_.RowKey(row); }
    std::string RowText(int row, int column) const override { return std::string(model_.CellText(row, column)); }
    const KeyListing& Listing() const override { return model_.Listing(); }
    void ReadKeyData() override;
    void SelectionChanged() override;
    void ClearSelection() override;
    const std::string& AlgorithmFilter() const override { return algorithmFilter_; }
    void SetAlgorithmFilter(const std::string& filter) override;
    bool AutoReload() const override { return settings_.autoReload; }
    void ShowDefaultKey() override;
    void ToggleButtonsRow() override;
    void ShowButtonsRow() override;
    void HideAllWindows() override;
    void ShowAllWindows() override;
    void Relayout() override { Layout(); }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    bool OnClose() override;
    void OnDestroy() override;
    // A key ID selected in a signature or packet listing goes to the key-server box.
    void TakeRichSelection(const std::string& selection);
    void OnSize(int width, int height) override;
    void OnTimer(UINT_PTR id) override;

private:
    // key_list_window.cpp
    bool CreateControls();
    void CreateParts();
    void RunCommand(int menu, int index);
    void RunClosingRules();
    void AskForFirstKey();
    bool OnListNotify(const NMHDR* header, LRESULT& result);
    void OpenKeyPopupMenu(POINT screenPoint);
    void RunAllSettings();
    void UpdateMenuStates();
    void PlaceWindow();
    void ApplyListAppearance();
    void SetUpColumns();
    std::vector<KeyListPart*> Parts() const;

    // key_list_layout.cpp
    void Layout();
    void SetButtonsRowVisible(bool visible);

    // key_list_data.cpp
    void RestoreSelection(const ListSelection& remembered);
    void RequestSelectionRebuild();
    void SetOptionsLabel(const std::string& text);

    Toolbar toolbar_;
    ListView list_;
    Button reloadButton_;
    KeyListModel model_;
    MenuBar menus_;
    UniqueImageList keyIcons_;
    UniqueImageList sortArrows_;
    std::unique_ptr<FindBox> findBox_;
    std::unique_ptr<FetchBox> fetchBox_;
    std::unique_ptr<StatusPanels> statusPanels_;
    std::unique_ptr<KeyDrop> keyDrop_;

    KeyListSettings settings_;
    StartSwitch startSwitch_ = StartSwitch::None;
    ListSelection selection_;
    SortState sort_;
    std::string algorithmFilter_;
    std::string defaultKey_;
    std::string optionsLabel_;
    std::optional<uint64_t> gpgConfTime_;  // last seen modification time; none when missing
    std::vector<std::string> signWithCaptions_;
    std::vector<HWND> hiddenWindows_;
    bool selectionRebuildPending_ = false;
    bool fillingList_ = false;
    bool askingAboutOptions_ = false;
    bool closingRulesRan_ = false;
    bool quitOnDestroy_ = false;
};

// The message that rebuilds ListSelection once after the list's selection changed.
inline constexpr UINT kSelectionChangedMessage = WM_APP + 0x31;
