// The key list's data: reading the listing into rows, the selection, sorting,
// the default key and the options gpg.conf holds.
#include <algorithm>

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/gdi.h"
#include "common/ui/message_box.h"
#include "common/ui/twips.h"
#include "common/win/key_listing_files.h"
#include "common/win/option_sets.h"
#include "keymanager/fetch_box.h"
#include "keymanager/key_list_window.h"
#include "keymanager/status_panels.h"
#include "keymanager/logic/key_list_options.h"

namespace {

std::optional<uint64_t> ModificationTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// Sets a flag for the life of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = previous_; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
    bool previous_;
};

}  // namespace

void KeyListWindow::ReadKeyData() {
    if (!Exists()) return;
    KeyListingOptions options = KeyListingOptionsFromSettings();
    options.algorithmFilter = algorithmFilter_;
    options.longKeyIds = settings_.longKeyIds;
    std::optional<KeyListing> read = ReadKeyListing(options, Handle());
    if (!read) return;  // nothing could be read: the list keeps what it shows

    FlagScope filling(fillingList_);
    const ListSelection remembered = selection_;
    const bool complete = read->complete;
    model_.SetListing(std::move(*read));
    const int threshold = list_.ColumnWidth(kColUserId) - TwipsToPixelsX(345);
    model_.SetTipRule([this](const std::string& text) { return static_cast<int>(MeasureText(list_.Font(), text).cx); },
                      threshold);
    KeyListing& listing = model_.MutableListing();

    if (startSwitch_ == StartSwitch::PrefsGnupg) {
        // The options window only needs the keys: no trust words, no icons for
        // public keys.
        for (KeyRecord& key : listing.keys) {
            key.ownerTrustText.clear();
            key.validityText.clear();
            if (!key.isKeyPair) key.icon = 0;
        }
        selection_ = {};
        list_.Refresh();
        list_.SelectAll(false);
        return;
    }
    if (!complete) {
        // A damaged listing: the keys read before the damage are shown, and that is all.
        selection_ = {};
        list_.Refresh();
        list_.SelectAll(false);
        UpdateMenuStates();
        return;
    }

    if (!listing.lastAddedKeyId.empty()) {
        for (KeyRecord& key : listing.keys) {
            if (key.longKeyId == listing.lastAddedKeyId) key.description += Translate(" (last added)");
        }
    }
    if (sort_.column == kColUserId) {
        // Equal user IDs come in key-ID order.
        model_.SortBy(kColKeyId, sort_.ascending);
        model_.SortBy(kColUserId, sort_.ascending);
    } else {
        model_.SortBy(sort_.column, sort_.ascending);
    }
    list_.Refresh();
    RestoreSelection(remembered);
    InvalidateRect(list_.Handle(), nullptr, TRUE);

    UpdateMenuStates();
    if (statusPanels_) statusPanels_->Update();
    if (auto captions = ::SignWithCaptions(listing.usableKeyPairIds)) signWithCaptions_ = std::move(*captions);
}

void KeyListWindow::RestoreSelection(const ListSelection& remembered) {
    list_.SelectAll(false);
    std::vector<int> reselected;
    if (!remembered.selectedIds.empty()) {
        for (int row = 0; row < RowCount(); ++row) {
            if (SelectionHasKey(remembered.selectedIds, RowKey(row).longKeyId)) {
                list_.SetSelected(row, true);
                reselected.push_back(row);
            }
        }
    }
    selection_ = BuildListSelection(reselected, [this](int row) -> const KeyRecord& { return RowKey(row); });
    HandleDefaultKey();
    if (reselected.empty()) {
        int row = FocusMarkRow(!remembered.selectedIds.empty(), remembered.lastSelectedIndex, RowCount());
        if (row >= 0) {
            // A focus mark, not a selection: the row is selected and at once
            // deselected, which leaves the keyboard's place on it.
            list_.SetSelected(row, true);
            list_.SetSelected(row, false);
            list_.SetFocusedRow(row);
            list_.EnsureVisible(row);
        }
    } else {
        list_.SetFocusedRow(reselected.back());
        list_.EnsureVisible(reselected.back());
    }
}

void KeyListWindow::SelectionChanged() {
    if (!list_.Exists()) return;
    selection_ = BuildListSelection(list_.SelectedRows(), [this](int row) -> const KeyRecord& { return RowKey(row); });
    if (statusPanels_) statusPanels_->UpdateSelection(selection_.selectedCount);
}

void KeyListWindow::ClearSelection() {
    {
        FlagScope filling(fillingList_);
        list_.SelectAll(false);
    }
    selection_ = {};
    if (statusPanels_) statusPanels_->UpdateSelection(0);
}

void KeyListWindow::RequestSelectionRebuild() {
    if (fillingList_ || selectionRebuildPending_ || !Exists()) return;
    selectionRebuildPending_ = PostMessageA(Handle(), kSelectionChangedMessage, 0, 0) != FALSE;
}

void KeyListWindow::HandleDefaultKey() {
    model_.SetBoldRow(
        DefaultKeyRow(defaultKey_, RowCount(), [this](int row) -> const KeyRecord& { return RowKey(row); }));
    if (list_.Exists()) InvalidateRect(list_.Handle(), nullptr, FALSE);
}

void KeyListWindow::SortByHeader(int column) {
    if (column < 0 || column >= kKeyListColumnCount) return;
    // The rows move under the list's selection (it is kept by position): carry it
    // and the keyboard's place over by key ID.
    SelectionChanged();
    const ListSelection remembered = selection_;
    int focused = list_.FocusedRow();
    std::string focusedId = focused >= 0 && focused < RowCount() ? RowKey(focused).longKeyId : "";

    for (int c = 0; c < kKeyListColumnCount; ++c) list_.SetHeaderImage(c, 0);
    sort_ = SortAfterHeaderClick(sort_, column);
    model_.SortBy(sort_.column, sort_.ascending);
    list_.SetHeaderImage(column, SortArrowImage(sort_.ascending));

    FlagScope filling(fillingList_);
    list_.SelectAll(false);
    std::vector<int> reselected;
    for (int row = 0; row < RowCount(); ++row) {
        const std::string& id = RowKey(row).longKeyId;
        if (SelectionHasKey(remembered.selectedIds, id)) {
            list_.SetSelected(row, true);
            reselected.push_back(row);
        }
        if (!focusedId.empty() && id == focusedId) list_.SetFocusedRow(row);
    }
    selection_ = BuildListSelection(reselected, [this](int row) -> const KeyRecord& { return RowKey(row); });
    InvalidateRect(list_.Handle(), nullptr, FALSE);
}

void KeyListWindow::GetSomeOptions() {
    std::optional<std::string> setName = OptionSetNameFromLine(FindGpgConfLine("#@#"));
    SetOptionsLabel(setName ? Translate("Options: ") + *setName : "");
    defaultKey_ = DefaultKeyFromLine(FindGpgConfLine("default-key "));
    gpgConfTime_ = ModificationTime(Env().GpgConfPath);
}

void KeyListWindow::SetOptionsLabel(const std::string& text) {
    optionsLabel_ = text;
    if (fetchBox_) fetchBox_->SetOptionsLabel(text);
}

void KeyListWindow::CheckOptionsChanged() {
    // The question is modal and the timer keeps running behind it: one question
    // at a time.
    if (askingAboutOptions_) return;
    std::optional<uint64_t> now = ModificationTime(Env().GpgConfPath);
    if (!now || now == gpgConfTime_) return;  // a missing gpg.conf is no change to report
    MsgAnswer answer;
    {
        FlagScope asking(askingAboutOptions_);
        MsgOptions options;
        options.icon = MsgIcon::Question;
        options.buttons = MsgButtons::YesNo;
        options.owner = Handle();
        answer = ShowMessage(Translate("Your GnuPG options have been changed, do you want to reload the key-list?"),
                             options);
    }
    if (!Exists()) return;
    if (answer != MsgAnswer::Yes) {
        gpgConfTime_ = now;
        return;
    }
    if (!settings_.renewKeys) {
        GetSomeOptions();
        model_.SetBoldRow(-1);
        HandleDefaultKey();
    } else {
        DeleteKeyListing();
        GetSomeOptions();
        if (settings_.autoReload) ReadKeyData();
    }
}
