// What the key list window reads from the settings store at start and writes
// back on Exit.
#pragma once

#include <string>
#include <vector>

#include <windows.h>

#include "common/ui/gdi.h"
#include "keymanager/logic/window_layout.h"

// The key manager's own section.
inline constexpr const char* kKeyManagerSection = "Morvish";

// The window's copies of the settings it works with. The preferences window
// changes them at run time as well as in the store.
struct KeyListSettings {
    bool fullRowSelect = true;
    bool gridLines = false;
    bool remDataFiles = false;
    bool renewKeys = false;
    bool watchRingChange = true;
    bool autoReload = true;
    bool hideCardMenu = true;
    bool longKeyIds = false;
    bool viewToolbar = true;
    bool viewButtons = true;
    bool backupKeyRings = false;
    std::vector<std::string> keyServers;  // KeyServer_1 .. KeyServer_5
};

// Reads them (the rest of the data model's settings are read where they are used).
KeyListSettings ReadKeyListSettings();

// The list font of KeyListFontName/-Size/-Bold/-Italic, or none when no size is
// stored or the font cannot be made.
UniqueFont ListFontFromSettings();

StoredPlacement ReadStoredPlacement();

// The eight position and width settings of columns 0 to 7, as stored.
std::vector<std::string> ReadColumnPositions();
std::vector<int> ReadColumnWidths();

// What Exit stores.
struct KeyListLayout {
    bool maximized = false;
    RECT normalBounds{};  // pixels
    HFONT listFont = nullptr;
    std::vector<int> columnPositions;  // 1-based, columns 0 to 7
    std::vector<int> columnWidths;     // pixels, columns 0 to 7
    bool longKeyIds = false;
    bool viewToolbar = true;
    bool viewButtons = true;
    bool backupKeyRings = false;
};

void StoreKeyListLayout(const KeyListLayout& layout);
