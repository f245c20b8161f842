#include "common/key_server_box.h"

#include "common/text.h"

namespace {

bool IsKeyIdCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

bool IsKeyIdRun(std::string_view text) {
    if (text.size() != 8 && text.size() != 16) return false;
    for (char c : text) {
        if (!IsKeyIdCharacter(c)) return false;
    }
    return true;
}

bool HasKeyIdRun(std::string_view text) {
    size_t run = 0;
    for (char c : text) {
        run = IsKeyIdCharacter(c) ? run + 1 : 0;
        if (run >= 8) return true;
    }
    return false;
}

// Blanks, tabs and line ends around it: a selection dragged to the end of a
// listing line takes the line break along.
std::string TrimSelection(std::string_view text) {
    constexpr std::string_view kSpace = " \t\r\n";
    size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) return "";
    return std::string(text.substr(first, text.find_last_not_of(kSpace) - first + 1));
}

}  // namespace

KeyServerBoxChange KeyServerBoxAfterSelection(std::string_view selection, std::string_view boxText) {
    KeyServerBoxChange change;
    change.boxText = std::string(boxText);
    const std::string picked = TrimSelection(selection);
    // Wildcard characters mark a listing's decoration, not a key ID.
    if (picked.find_first_of("[?#*") != std::string::npos) return change;
    if (boxText.find(picked) != std::string_view::npos) return change;

    change.ignored = false;
    change.showButtonBar = HasKeyIdRun(picked);
    const bool onlyInitial = Trim(boxText) == "0x";
    if (IsKeyIdRun(picked)) {
        change.boxText = onlyInitial ? "0x" + picked : std::string(boxText) + " 0x" + picked;
    } else if (picked.starts_with("0x") && IsKeyIdRun(std::string_view(picked).substr(2))) {
        change.boxText = onlyInitial ? picked : std::string(boxText) + " " + picked;
    }
    return change;
}
