// The key manager's key-server box collects key IDs the user selects with the
// mouse in a signature or packet listing window. This is the text side of that
// rule; the listing window reports the selection (SetRichSelectionHandler in
// common/ui/rich_output_window.h) and the key manager applies the result.
// Platform-free.
#pragma once

#include <string>
#include <string_view>

struct KeyServerBoxChange {
    // The selection is of no use to the box; nothing changes.
    bool ignored = true;
    // The selection holds a key-ID-like run (8 characters of A-Z and 0-9): the
    // main window's button bar, where the box lives, is to be shown.
    bool showButtonBar = false;
    // The box's text afterwards (the caller then selects it).
    std::string boxText;
};

// The trimmed selection is ignored when it holds "[", "?", "#" or "*" or when the
// box already contains it. A key ID of exactly 8 or 16 characters of A-Z and 0-9
// is added as " 0x" + ID, or, when the box holds only its initial "0x", makes the
// box "0x" + ID; one written "0x" + ID is added as " " + selection, or replaces
// the initial "0x". Anything else leaves the box's text as it is.
KeyServerBoxChange KeyServerBoxAfterSelection(std::string_view selection, std::string_view boxText);
