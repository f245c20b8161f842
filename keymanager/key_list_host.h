// The key list window as its parts see it. The find box, the key-server fetch
// box, the status panels and the drop handling are parts of the window: each is
// created by the window, gets the window's messages through KeyListPart, and
// reaches the list and the window's operations only through KeyListHost.
#pragma once

#include <string>

#include <windows.h>

#include "common/key_listing.h"

class ListView;
class Window;

class KeyListHost {
public:
    virtual ~KeyListHost() = default;

    virtual Window& HostWindow() = 0;
    virtual ListView& KeyList() = 0;

    // Rows in list (display) order.
    virtual int RowCount() const = 0;
    virtual const KeyRecord& RowKey(int row) const = 0;
    // The text of a row's column as the list shows it (columns 0 to 10).
    virtual std::string RowText(int row, int column) const = 0;
    virtual const KeyListing& Listing() const = 0;

    // Re-reads the key listing and rebuilds the list (keeps the selection by key ID).
    virtual void ReadKeyData() = 0;
    // Rebuilds ListSelection from the list's selected rows and updates the toolbar
    // states and the selection panel.
    virtual void SelectionChanged() = 0;
    // Deselects every row and clears ListSelection.
    virtual void ClearSelection() = 0;

    // "" for all keys, "17", "20" or "1"; setting it changes the caption and reads
    // the key data again.
    virtual const std::string& AlgorithmFilter() const = 0;
    virtual void SetAlgorithmFilter(const std::string& filter) = 0;

    // [Morvish] AutoReload is 1.
    virtual bool AutoReload() const = 0;
    // Scrolls the default key's row into view.
    virtual void ShowDefaultKey() = 0;
    // Shows or hides the buttons row (View menu item 22).
    virtual void ToggleButtonsRow() = 0;
    // Makes sure the buttons row is shown.
    virtual void ShowButtonsRow() = 0;
    // Before and after a GnuPG run in a visible console window.
    virtual void HideAllWindows() = 0;
    virtual void ShowAllWindows() = 0;
    // Re-lays out the window (a part changed its size or visibility).
    virtual void Relayout() = 0;
};

// One part of the window. The window offers every message to its parts in turn;
// a part returns true when the message was its own.
class KeyListPart {
public:
    virtual ~KeyListPart() = default;
    virtual bool OnCommand(int /*id*/, int /*notifyCode*/, HWND /*control*/) { return false; }
    virtual bool OnNotify(const NMHDR* /*header*/, LRESULT& /*result*/) { return false; }
    virtual bool OnTimer(UINT_PTR /*id*/) { return false; }
    // Anything else (WM_CTLCOLOREDIT for grey hints, WM_DROPFILES, ...).
    virtual bool OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/, LRESULT& /*result*/) {
        return false;
    }
};
