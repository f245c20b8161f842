#include "keymanager/status_panels.h"

#include <algorithm>
#include <array>

#include "common/environment.h"
#include "common/translation.h"
#include "common/ui/list_view.h"
#include "common/ui/window.h"
#include "keymanager/logic/status_texts.h"

namespace {

constexpr int kPanelCount = 9;
constexpr int kSelectionPanel = 3;
constexpr int kDatePanel = 7;
constexpr int kTimePanel = 8;
constexpr UINT kClockInterval = 1000;

struct FamilyPanel {
    const char* label;
    const char* toggleText;
};
constexpr std::array<FamilyPanel, 3> kFamilies = {{
    {"DSA", "Click to toggle All/DSA keys"},
    {"ELG", "Click to toggle All/ELG keys"},
    {"RSA", "Click to toggle All/RSA keys"},
}};
constexpr std::array<const char*, 3> kKeyringFiles = {"pubring.gpg", "secring.gpg", "trustdb.gpg"};

// Panel widths in pixels at 96 dpi; the selection panel takes what is left.
constexpr std::array<int, kPanelCount> kPanelWidths = {64, 64, 64, 0, 76, 76, 76, 76, 64};
constexpr int kMinSelectionWidth = 120;

std::string LocaleText(LCTYPE type, const char* fallback) {
    char buffer[16] = {};
    if (GetLocaleInfoA(LOCALE_USER_DEFAULT, type, buffer, sizeof buffer) <= 0) return fallback;
    return buffer;
}

std::string ShortDate(const SYSTEMTIME& time) {
    char buffer[128] = {};
    if (GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, sizeof buffer) <= 0) return "";
    return buffer;
}

std::string ShortTime(const SYSTEMTIME& time) {
    char buffer[128] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &time, nullptr, buffer, sizeof buffer) <= 0) return "";
    return buffer;
}

int ScaledWidth(int width96) {
    return MulDiv(width96, ScreenDpiX(), 96);
}

}  // namespace

StatusPanels::StatusPanels(KeyListHost& host) : host_(host) {}

bool StatusPanels::Create() {
    if (!bar_.Create(host_.HostWindow(), "StatusBar")) return false;
    Layout();
    bar_.SetPanelTip(kSelectionPanel, Translate("Click to remove key-selections"));
    for (size_t i = 0; i < kFamilies.size(); ++i) {
        bar_.SetPanelText(static_cast<int>(i), FamilyPanelText(kFamilies[i].label, 0));
        bar_.SetPanelTip(static_cast<int>(i), FamilyPanelTip(0, 0, Translate(kFamilies[i].toggleText)));
    }
    fileDates_ = false;
    UpdateFilePanels();
    UpdateClock();
    host_.HostWindow().StartTimer(kStatusClockTimerId, kClockInterval);
    return true;
}

void StatusPanels::Layout() {
    if (!bar_.Exists()) return;
    bar_.Send(WM_SIZE, 0, 0);  // the bar puts itself along the parent's bottom
    RECT client{};
    GetClientRect(bar_.Handle(), &client);
    int fixed = 0;
    for (int width : kPanelWidths) fixed += ScaledWidth(width);
    std::vector<int> widths;
    for (int i = 0; i < kPanelCount; ++i) {
        if (i == kSelectionPanel)
            widths.push_back(std::max(ScaledWidth(kMinSelectionWidth), static_cast<int>(client.right) - fixed));
        else
            widths.push_back(ScaledWidth(kPanelWidths[i]));
    }
    bar_.SetPanelWidths(widths);  // keeps the panels' tips
}

int StatusPanels::Height() const {
    // The bar's own visibility: the window may still be hidden while it lays out.
    if (!bar_.Exists() || !(GetWindowLongPtrA(bar_.Handle(), GWL_STYLE) & WS_VISIBLE)) return 0;
    return PixelsToTwipsY(bar_.Height());
}

void StatusPanels::Update() {
    const KeyListing& listing = host_.Listing();
    const int total = static_cast<int>(listing.keys.size());
    const std::array<int, 3> counts = {listing.dsaCount, listing.elgCount, listing.rsaCount};
    for (size_t i = 0; i < kFamilies.size(); ++i) {
        bar_.SetPanelText(static_cast<int>(i), FamilyPanelText(kFamilies[i].label, counts[i]));
        bar_.SetPanelTip(static_cast<int>(i), FamilyPanelTip(counts[i], total, Translate(kFamilies[i].toggleText)));
    }
    UpdateSelection(host_.KeyList().SelectedCount());
    UpdateFilePanels();
}

void StatusPanels::UpdateSelection(int selectedCount) {
    bar_.SetPanelText(kSelectionPanel,
                      SelectionPanelText(Translate("Selected:"), selectedCount, host_.RowCount(), Translate("keys")));
}

void StatusPanels::SetShowsFileDates(bool dates) {
    fileDates_ = dates;
    UpdateFilePanels();
}

void StatusPanels::UpdateFilePanels() {
    const std::string home = Env().GnuPGHome;
    const std::string prefix = Translate(fileDates_ ? "Date of" : "Size of");
    const std::string thousands = LocaleText(LOCALE_STHOUSAND, ",");
    const std::string decimal = LocaleText(LOCALE_SDECIMAL, ".");
    for (size_t i = 0; i < kKeyringFiles.size(); ++i) {
        const int panel = 4 + static_cast<int>(i);
        const std::string path = home + "\\" + kKeyringFiles[i];
        std::string text;
        WIN32_FILE_ATTRIBUTE_DATA data{};
        if (!home.empty() && GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) &&
            !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            if (fileDates_) {
                FILETIME local{};
                SYSTEMTIME time{};
                if (FileTimeToLocalFileTime(&data.ftLastWriteTime, &local) && FileTimeToSystemTime(&local, &time))
                    text = FileDatePanelText(ShortDate(time), ShortTime(time));
            } else {
                const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
                text = FileSizePanelText(size, thousands, decimal);
            }
        }
        bar_.SetPanelText(panel, text);
        bar_.SetPanelTip(panel, FilePanelTip(prefix, home, kKeyringFiles[i]));
    }
}

void StatusPanels::UpdateClock() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    const std::string date = ShortDate(now);
    const std::string time = ShortTime(now);
    if (bar_.PanelText(kDatePanel) != date) bar_.SetPanelText(kDatePanel, date);
    if (bar_.PanelText(kTimePanel) != time) bar_.SetPanelText(kTimePanel, time);
}

bool StatusPanels::OnNotify(const NMHDR* header, LRESULT& result) {
    bool doubleClick = false;
    const int panel = bar_.ClickedPanel(header, doubleClick);
    if (panel < 0) return false;
    PanelClicked(panel, doubleClick);
    result = 0;
    return true;
}

bool StatusPanels::OnTimer(UINT_PTR id) {
    if (id != kStatusClockTimerId) return false;
    UpdateClock();
    return true;
}

void StatusPanels::PanelClicked(int panel, bool doubleClick) {
    if (doubleClick) {
        if (panel == kDatePanel) host_.ShowDefaultKey();
        if (panel == kTimePanel) host_.ToggleButtonsRow();
        return;
    }
    if (panel <= kSelectionPanel) {
        host_.ClearSelection();
        UpdateSelection(0);
        if (panel < kSelectionPanel) host_.SetAlgorithmFilter(ToggledAlgorithmFilter(panel, host_.AlgorithmFilter()));
        return;
    }
    if (panel >= 4 && panel <= 6) SetShowsFileDates(!fileDates_);
}
