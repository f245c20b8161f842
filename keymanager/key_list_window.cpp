#include "keymanager/key_list_window.h"

#include "common/environment.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/ui/twips.h"
#include "common/wildcard.h"
#include "common/win/key_listing_files.h"
#include "common/win/keyring_changes.h"
#include "common/win/settings.h"
#include "common/win/startup.h"
#include "keymanager/fetch_box.h"
#include "common/key_server_box.h"
#include "common/ui/rich_output_window.h"
#include "keymanager/find_box.h"
#include "keymanager/ownertrust.h"
#include "keymanager/key_drop.h"
#include "keymanager/key_list_menus.h"
#include "keymanager/status_panels.h"
#include "keymanager/logic/window_layout.h"

namespace {

// Headers of columns 0 to 10; the "x2_" key gives the headers their own
// translations apart from the same words elsewhere.
const char* const kColumnHeaders[kKeyListColumnCount] = {
    "x2_User ID", "x2_Key ID",      "x2_Size",       "x2_O.trust",    "x2_C.trust",   "x2_Created",
    "x2_Expires", "x2_Description", "x2_- hidden -", "x2_- hidden -", "x2_- hidden -"};

bool FileExistsAt(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Console batches of the command-line menu ("~gpg" + four digits + ".bat") that
// a crash or a killed console left in TempDir.
void DeleteLeftoverConsoleBatches() {
    const std::string& folder = Env().TempDir;
    if (folder.empty()) return;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\~gpg*.bat").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (MatchesPattern(ToLower(found.cFileName), "~gpg####.bat"))
            DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

BOOL CALLBACK CollectThreadWindow(HWND window, LPARAM windows) {
    reinterpret_cast<std::vector<HWND>*>(windows)->push_back(window);
    return TRUE;
}

std::vector<HWND> ThreadWindows() {
    std::vector<HWND> windows;
    EnumThreadWindows(GetCurrentThreadId(), CollectThreadWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

}  // namespace

KeyListWindow::KeyListWindow() = default;

KeyListWindow::~KeyListWindow() {
    Destroy();
}

bool KeyListWindow::Open(const KeyListOpenOptions& options) {
    startSwitch_ = options.startSwitch;
    const bool normalStart = startSwitch_ == StartSwitch::None;

    RunSettingsMigrations();
    settings_ = ReadKeyListSettings();

    WindowParams params;
    params.caption = "Morvish";
    params.style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
    if (!Create(params)) return false;
    menus_.Attach(Handle(), KeyListMenus(), [this](int menu, int index) { RunCommand(menu, index); });
    if (!CreateControls()) return false;

    // Captions are translated as the controls are made; the list font is the
    // user's only in a normal start.
    if (normalStart) {
        if (UniqueFont font = ListFontFromSettings()) list_.SetListFont(KeepFont(std::move(font)));
    }
    ApplyListAppearance();
    SetUpColumns();
    CreateParts();

    if (settings_.watchRingChange && FileExistsAt(Env().PubringPath) && FileExistsAt(Env().SecringPath))
        InvalidateKeyCacheIfChanged();
    DeleteLeftoverConsoleBatches();
    if (normalStart) {
        GetSomeOptions();
        StartTimer(kWatchOptionsTimerId, kWatchOptionsInterval);
    }

    if (startSwitch_ == StartSwitch::Environment || startSwitch_ == StartSwitch::PrefsCorvane ||
        startSwitch_ == StartSwitch::VisitKeyServer)
        return true;
    ReadKeyData();
    if (!normalStart) return true;

    list_.SetHeaderImage(kColUserId, SortArrowImage(true));
    PlaceWindow();
    Layout();
    if (options.show) {
        ShowWindow(Handle(), ReadStoredPlacement().state == "Maximized" ? SW_SHOWMAXIMIZED : SW_SHOW);
        UpdateWindow(Handle());
        list_.Focus();
    }
    AskForFirstKey();
    return true;
}

bool KeyListWindow::CreateControls() {
    ListViewStyle style;
    style.fullRowSelect = settings_.fullRowSelect;
    style.gridLines = settings_.gridLines;
    if (!toolbar_.Create(*this, "Toolbar")) return false;
    if (!list_.Create(*this, "ListView", {0, 0, 6000, 3000}, style)) return false;
    list_.SetModel(&model_);
    keyIcons_ = MakeKeyIconList();
    sortArrows_ = MakeSortArrowList();
    list_.SetSmallImages(keyIcons_.get());
    list_.SetHeaderImages(sortArrows_.get());
    return reloadButton_.Create(*this, "ReloadButton", {120, 0, kFetchRowLeft - 240, kButtonsRowControlHeight},
                                "&Reload Keys");
}

void KeyListWindow::ApplyListAppearance() {
    ListViewStyle style;
    style.fullRowSelect = settings_.fullRowSelect;
    style.gridLines = settings_.gridLines;
    list_.SetExtendedStyle(style);
    // A bold Reload button reminds the user that the list is not re-read by itself.
    if (!settings_.autoReload) {
        LOGFONTA font = {};
        if (GetObjectA(reloadButton_.Font(), sizeof font, &font)) {
            font.lfWeight = FW_BOLD;
            reloadButton_.SetFont(KeepFont(UniqueFont(CreateFontIndirectA(&font))));
        }
    } else {
        reloadButton_.SetFont(ControlFont());
    }
}

void KeyListWindow::SetUpColumns() {
    std::vector<ListColumn> columns;
    std::vector<int> widths = ReadColumnWidths();
    const bool normalStart = startSwitch_ == StartSwitch::None;
    for (int c = 0; c < kKeyListColumnCount; ++c) {
        ListColumn column;
        column.header = normalStart ? kColumnHeaders[c] : std::string(kColumnHeaders[c] + 3);
        column.width = c < kVisibleColumnCount ? widths[static_cast<size_t>(c)] : 0;
        columns.push_back(column);
    }
    list_.SetColumns(columns);
    list_.SetColumnOrder(ColumnOrderFromPositions(ReadColumnPositions(), kKeyListColumnCount));
}

void KeyListWindow::CreateParts() {
    statusPanels_ = std::make_unique<StatusPanels>(*this);
    statusPanels_->Create();
    fetchBox_ = std::make_unique<FetchBox>(*this);
    fetchBox_->Create();
    if (startSwitch_ == StartSwitch::None) fetchBox_->SetKeyServers(settings_.keyServers);
    // The find box sits on the toolbar, right of its last button.
    findBox_ = std::make_unique<FindBox>(*this);
    findBox_->Create({0, 0, kFindBoxWidth, kFindBoxHeight});
    SetWindowPos(findBox_->Box().Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    // Rich output windows hand selected key IDs to the key-server box.
    if (startSwitch_ == StartSwitch::None)
        SetRichSelectionHandler([this](const std::string& selection) { TakeRichSelection(selection); });
    keyDrop_ = std::make_unique<KeyDrop>(*this);
    keyDrop_->Create();
    keyDrop_->SetOwnerTrustImport([this](const std::string& path) { return ImportOwnertrust(path, Handle()); });
}

std::vector<KeyListPart*> KeyListWindow::Parts() const {
    std::vector<KeyListPart*> parts;
    for (KeyListPart* part :
         std::initializer_list<KeyListPart*>{statusPanels_.get(), fetchBox_.get(), findBox_.get(), keyDrop_.get()}) {
        if (part) parts.push_back(part);
    }
    return parts;
}

void KeyListWindow::PlaceWindow() {
    int screenWidth = PixelsToTwipsX(GetSystemMetrics(SM_CXSCREEN));
    int screenHeight = PixelsToTwipsY(GetSystemMetrics(SM_CYSCREEN));
    WindowPlacementTwips place = PlaceKeyListWindow(ReadStoredPlacement(), screenWidth, screenHeight);
    SetWindowPos(Handle(), nullptr, TwipsToPixelsX(place.left), TwipsToPixelsY(place.top), TwipsToPixelsX(place.width),
                 TwipsToPixelsY(place.height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void KeyListWindow::AskForFirstKey() {
    if (RowCount() > 0 || ReadSetting(kKeyManagerSection, "AskedForNewKey", "0") != "0") return;
    MsgOptions options;
    options.icon = MsgIcon::Question;
    options.buttons = MsgButtons::YesNo;
    options.owner = Handle();
    MsgAnswer answer = ShowMessage(
        Translate("It seems that you don't have any keys. Do you want to create your own key now?") + "\r\n\n" +
            Translate("To import already existing keys, choose the \"Import\" item from the \"Key(s)\" menu."),
        options);
    WriteSetting(kKeyManagerSection, "AskedForNewKey", "1");
    if (answer == MsgAnswer::Yes) RunMenuItem(kKeysMenu, kKeysNewKey);
}

void KeyListWindow::RunCommand(int menu, int index) {
    if (KeyListCommand command = KeyListCommandFor(menu, index)) command(*this);
}

void KeyListWindow::UpdateMenuStates() {
    menus_.SetEnabled(kFileMenu, kFileSaveAs, RowCount() > 0);
}

void KeyListWindow::Reload() {
    DeleteKeyListing();
    GetSomeOptions();
    ReadKeyData();
    list_.Focus();
}

void KeyListWindow::ExitStoringLayout() {
    if (!Exists()) return;
    KeyListLayout layout;
    WINDOWPLACEMENT placement = {};
    placement.length = sizeof placement;
    GetWindowPlacement(Handle(), &placement);
    layout.maximized = IsZoomed(Handle()) != FALSE;
    // The restored bounds, also when the window is minimised or maximised.
    layout.normalBounds = placement.rcNormalPosition;
    layout.listFont = list_.Font();
    layout.columnPositions = PositionsFromColumnOrder(list_.ColumnOrder());
    for (int c = 0; c < kVisibleColumnCount; ++c) layout.columnWidths.push_back(list_.ColumnWidth(c));
    layout.longKeyIds = settings_.longKeyIds;
    layout.viewToolbar = settings_.viewToolbar;
    layout.viewButtons = settings_.viewButtons;
    layout.backupKeyRings = settings_.backupKeyRings;
    StoreKeyListLayout(layout);
    SendMessageA(Handle(), WM_CLOSE, 0, 0);
}

bool KeyListWindow::PreTranslate(MSG& message) {
    if (!Exists()) return false;
    bool ours = message.hwnd == Handle() || IsChild(Handle(), message.hwnd);
    if (!ours) return false;
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE) {
        SendMessageA(Handle(), WM_CLOSE, 0, 0);
        return true;
    }
    return menus_.TranslateShortcut(message);
}

bool KeyListWindow::OnClose() {
    RunClosingRules();
    return false;
}

void KeyListWindow::RunClosingRules() {
    if (closingRulesRan_) return;
    closingRulesRan_ = true;
    StopTimer(kWatchOptionsTimerId);
    for (HWND other : ThreadWindows()) {
        if (other != Handle() && Window::FromHandle(other)) SendMessageA(other, WM_CLOSE, 0, 0);
    }
    CloseWithBackupCheck(settings_.backupKeyRings, Handle());
    LastProgramCleanup(Program::Morvish);
}

void KeyListWindow::TakeRichSelection(const std::string& selection) {
    if (!fetchBox_) return;
    KeyServerBoxChange change = KeyServerBoxAfterSelection(selection, fetchBox_->Text());
    if (change.ignored) return;
    if (change.showButtonBar) ShowButtonsRow();
    fetchBox_->SetText(change.boxText);
    fetchBox_->KeyBox().Send(EM_SETSEL, 0, -1);
}

void KeyListWindow::OnDestroy() {
    SetRichSelectionHandler(nullptr);
    StopTimer(kWatchOptionsTimerId);
    if (keyDrop_) keyDrop_->Destroy();
    if (quitOnDestroy_) PostQuitMessage(0);
}

void KeyListWindow::OnSize(int, int) {
    Layout();
}

void KeyListWindow::OnTimer(UINT_PTR id) {
    if (id == kWatchOptionsTimerId) {
        CheckOptionsChanged();
        return;
    }
    for (KeyListPart* part : Parts()) {
        if (part->OnTimer(id)) return;
    }
}

LRESULT KeyListWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND: {
            int id = LOWORD(wParam);
            int code = HIWORD(wParam);
            HWND control = reinterpret_cast<HWND>(lParam);
            if (!control && menus_.HandleCommand(id)) return 0;
            if (control && control == reloadButton_.Handle()) {
                if (code == BN_CLICKED) Reload();
                return 0;
            }
            for (KeyListPart* part : Parts()) {
                if (part->OnCommand(id, code, control)) return 0;
            }
            return 0;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            LRESULT result = 0;
            if (OnListNotify(header, result)) return result;
            for (KeyListPart* part : Parts()) {
                if (part->OnNotify(header, result)) return result;
            }
            return DefaultHandling(message, wParam, lParam);
        }
        case kSelectionChangedMessage:
            selectionRebuildPending_ = false;
            SelectionChanged();
            return 0;
        case WM_CONTEXTMENU:
            // The context-menu key in the list: the pop-up below the current row,
            // its left edge at column 0's right end. (Right clicks come as NM_RCLICK.)
            if (reinterpret_cast<HWND>(wParam) == list_.Handle() && lParam == -1) {
                SelectionChanged();
                if (selection_.selectedCount == 0) return 0;
                int row = list_.FocusedRow() >= 0 ? list_.FocusedRow() : selection_.currentRow;
                RECT bounds = list_.RowBounds(row);
                POINT point{list_.ColumnWidth(kColUserId), bounds.bottom + TwipsToPixelsY(50)};
                ClientToScreen(list_.Handle(), &point);
                OpenKeyPopupMenu(point);
                return 0;
            }
            break;
        case WM_LBUTTONDBLCLK:
            ShowDefaultKey();
            return 0;
        default: {
            LRESULT result = 0;
            for (KeyListPart* part : Parts()) {
                if (part->OnMessage(message, wParam, lParam, result)) return result;
            }
            break;
        }
    }
    return Window::HandleMessage(message, wParam, lParam);
}

bool KeyListWindow::OnListNotify(const NMHDR* header, LRESULT& result) {
    if (!header || header->hwndFrom != list_.Handle()) return false;
    switch (header->code) {
        case LVN_COLUMNCLICK:
            SortByHeader(reinterpret_cast<const NMLISTVIEW*>(header)->iSubItem);
            result = 0;
            return true;
        case LVN_ITEMCHANGED: {
            const auto* change = reinterpret_cast<const NMLISTVIEW*>(header);
            if ((change->uChanged & LVIF_STATE) && ((change->uNewState ^ change->uOldState) & LVIS_SELECTED))
                RequestSelectionRebuild();
            result = 0;
            return true;
        }
        case LVN_ODSTATECHANGED:
            RequestSelectionRebuild();
            result = 0;
            return true;
        case NM_RCLICK: {
            // The right button released over a row: the key pop-up menu at the mouse.
            SelectionChanged();
            const auto* item = reinterpret_cast<const NMITEMACTIVATE*>(header);
            if (item->iItem >= 0 && selection_.selectedCount > 0) {
                POINT point = item->ptAction;
                ClientToScreen(list_.Handle(), &point);
                OpenKeyPopupMenu(point);
            }
            result = 0;
            return true;
        }
        case NM_DBLCLK:
            SelectionChanged();
            if (selection_.selectedCount > 0) RunAllSettings();
            result = 0;
            return true;
        case NM_RETURN:
            SelectionChanged();
            if (IsSingleKeySelection(selection_.selectedIds)) RunAllSettings();
            result = 0;
            return true;
        default:
            return list_.HandleNotify(header, result);
    }
}

void KeyListWindow::OpenKeyPopupMenu(POINT) {
    // The key pop-up menu comes with the key commands; it opens here, at the point
    // given (screen pixels), and only with keys selected.
}

void KeyListWindow::RunAllSettings() {
    RunMenuItem(kEditMenu, kEditAllSettings);
}

void KeyListWindow::ShowDefaultKey() {
    int row = model_.BoldRow();
    if (row >= 0) list_.EnsureVisible(row);
}

void KeyListWindow::ToggleButtonsRow() {
    SetButtonsRowVisible(!settings_.viewButtons);
}

void KeyListWindow::ShowButtonsRow() {
    SetButtonsRowVisible(true);
}

void KeyListWindow::HideAllWindows() {
    hiddenWindows_.clear();
    for (HWND window : ThreadWindows()) {
        if (!IsWindowVisible(window)) continue;
        hiddenWindows_.push_back(window);
        ShowWindow(window, SW_HIDE);
    }
}

void KeyListWindow::ShowAllWindows() {
    for (HWND window : hiddenWindows_) {
        if (IsWindow(window)) ShowWindow(window, SW_SHOW);
    }
    hiddenWindows_.clear();
    if (Exists()) SetForegroundWindow(Handle());
}

void KeyListWindow::SetAlgorithmFilter(const std::string& filter) {
    algorithmFilter_ = filter;
    std::string caption = "Morvish";
    if (filter == "17") caption += " - " + Translate("DSA keys");
    if (filter == "20") caption += " - " + Translate("ELG keys");
    if (filter == "1") caption += " - " + Translate("RSA keys");
    SetCaption(caption);
    ReadKeyData();
}
