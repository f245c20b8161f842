// The key list window's geometry: the list fills the width between the toolbar
// (holding the find box) and the buttons row above the status bar.
#include <algorithm>

#include "common/ui/twips.h"
#include "keymanager/fetch_box.h"
#include "keymanager/find_box.h"
#include "keymanager/key_list_window.h"
#include "keymanager/status_panels.h"

namespace {

constexpr int kButtonsRowHeight = 600;  // twips
constexpr int kButtonsRowGap = 195;     // from the list's bottom to the controls' top
constexpr int kReloadLeft = 120;
constexpr int kReloadWidth = kFetchRowLeft - 2 * kReloadLeft;
constexpr int kReloadHeight = kButtonsRowControlHeight;
constexpr int kFindBoxGap = 120;

}  // namespace

void KeyListWindow::Layout() {
    if (!Exists() || !list_.Exists()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    const int toolbarHeight = settings_.viewToolbar ? TwipsToPixelsY(kToolbarHeight) : 0;
    MoveWindow(toolbar_.Handle(), 0, 0, width, toolbarHeight, TRUE);
    toolbar_.SetVisible(settings_.viewToolbar);
    if (findBox_) {
        // 120 twips right of the last button, centred on the toolbar (plus 30 twips).
        const int findLeft = toolbar_.ButtonsRight() + kFindBoxGap;
        const int findTop = (kToolbarHeight - kFindBoxHeight) / 2 + 30;
        findBox_->Layout({findLeft, findTop, kFindBoxWidth, kFindBoxHeight});
        findBox_->SetVisible(settings_.viewToolbar);
    }
    int statusHeight = 0;
    if (statusPanels_ && statusPanels_->Bar().Exists()) {
        statusPanels_->Layout();
        RECT r = statusPanels_->Bar().Bounds();
        statusHeight = r.bottom - r.top;
    }
    const int buttonsRow = settings_.viewButtons ? TwipsToPixelsY(kButtonsRowHeight) : 0;
    const int listHeight = std::max(0, height - toolbarHeight - statusHeight - buttonsRow);
    MoveWindow(list_.Handle(), 0, toolbarHeight, width, listHeight, TRUE);

    const int listBottom = toolbarHeight + listHeight;
    MoveWindow(reloadButton_.Handle(), TwipsToPixelsX(kReloadLeft), listBottom + TwipsToPixelsY(kButtonsRowGap),
               TwipsToPixelsX(kReloadWidth), TwipsToPixelsY(kReloadHeight), TRUE);
    reloadButton_.SetVisible(settings_.viewButtons);
    if (fetchBox_) fetchBox_->Layout(PixelsToTwipsY(listBottom), PixelsToTwipsX(width), settings_.viewButtons);
}

void KeyListWindow::SetButtonsRowVisible(bool visible) {
    settings_.viewButtons = visible;
    Layout();
}
