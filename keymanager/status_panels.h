// The status bar under the key list (StatusBar) with its nine panels: the key
// counts per family (1-3, click: filter), the selection (4, click: deselect),
// the keyring files' sizes or dates (5-7, click: switch), the date (8, double
// click: default key) and the time (9, double click: buttons row).
#pragma once

#include <string>

#include <windows.h>

#include "common/ui/status_bar.h"
#include "keymanager/key_list_host.h"

// The timer that keeps the date and time panels current (on the host window).
inline constexpr UINT_PTR kStatusClockTimerId = 0x5301;

class StatusPanels : public KeyListPart {
public:
    explicit StatusPanels(KeyListHost& host);

    // Creates StatusBar on the host window with its nine panels in size mode and
    // starts the clock timer.
    bool Create();
    // After the window's size changed (the bar puts itself at the bottom).
    void Layout();
    // Height of the bar in twips, for the window's layout.
    int Height() const;

    // After ReadKeyData: panels 1 to 3 and their tips from the host's listing,
    // the selection panel and the file panels.
    void Update();
    // The selection panel: "Selected: n/rows keys".
    void UpdateSelection(int selectedCount);
    // Panels 5 to 7 in the current mode.
    void UpdateFilePanels();
    // Panels 8 and 9 from the clock.
    void UpdateClock();
    bool ShowsFileDates() const { return fileDates_; }
    void SetShowsFileDates(bool dates);

    StatusBar& Bar() { return bar_; }

    // Clicks and double clicks on the panels.
    bool OnNotify(const NMHDR* header, LRESULT& result) override;
    bool OnTimer(UINT_PTR id) override;
    // A click on a panel (0-based), as the notification would run it.
    void PanelClicked(int panel, bool doubleClick);

private:
    KeyListHost& host_;
    StatusBar bar_;
    bool fileDates_ = false;
};
