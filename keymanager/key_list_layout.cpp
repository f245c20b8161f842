// The key list window's geometry: the list fills the width between the toolbar
// (not shown until it is built) and the buttons row above the status bar.
#include <algorithm>

#include "common/ui/twips.h"
#include "keymanager/fetch_box.h"
#include "keymanager/key_list_window.h"
#include "keymanager/status_panels.h"

namespace {

constexpr int kButtonsRowHeight = 600;  // twips
constexpr int kButtonsRowGap = 195;     // from the list's bottom to the controls' top
constexpr int kReloadLeft = 120;
constexpr int kReloadWidth = kFetchRowLeft - 2 * kReloadLeft;
constexpr int kReloadHeight = kButtonsRowControlHeight;

}  // namespace

void KeyListWindow::Layout() {
    if (!Exists() || !list_.Exists()) return;
    RECT client;
    GetClientRect(Handle(), &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;

    const int toolbarHeight = 0;
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
