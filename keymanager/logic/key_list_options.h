// What the key list takes from gpg.conf and from the listing besides the rows:
// the active option set, the default key, the "Sign with" captions.
// Platform-free.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/key_listing.h"

// The option-set name of a gpg.conf marker line ("#@#" + name), or nothing when
// the line is no marker (it must match "[#]@[#]?*").
std::optional<std::string> OptionSetNameFromLine(std::string_view line);

// The key of a "default-key <id>" line (the text from its 13th character), or ""
// when the line is none.
std::string DefaultKeyFromLine(std::string_view line);

// The row (list order) the default key marks bold: the first whose long key ID or
// shown key ID equals `defaultKey` exactly, letter case included; -1 for none or
// an empty `defaultKey`.
template <typename RowKey>
int DefaultKeyRow(std::string_view defaultKey, int rowCount, RowKey rowKey) {
    if (defaultKey.empty()) return -1;
    for (int row = 0; row < rowCount; ++row) {
        const KeyRecord& key = rowKey(row);
        if (key.longKeyId == defaultKey || key.keyId == defaultKey) return row;
    }
    return -1;
}

// The captions of the "Sign with" menus: one "0x" + 16 digits + "..." per usable
// key pair, sorted ignoring letter case. Nothing when fewer than two key pairs
// are usable (the menus are then left as they are).
std::optional<std::vector<std::string>> SignWithCaptions(std::string_view usableKeyPairIds);
