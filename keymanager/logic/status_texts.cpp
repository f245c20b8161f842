#include "keymanager/logic/status_texts.h"

#include <array>

#include "common/text.h"

std::string FamilyPanelText(std::string_view label, int count) {
    return std::string(label) + ": " + std::to_string(count) + " ";
}

std::string FamilyPanelTip(int count, int total, std::string_view toggleText) {
    long long percent = 0;
    // Rounded half up, in whole numbers so 1 of 3 is "33%" and 1 of 8 "13%".
    if (total > 0 && count > 0) percent = (200LL * count + total) / (2LL * total);
    return std::to_string(percent) + "% - " + std::string(toggleText);
}

std::string SelectionPanelText(std::string_view selectedWord, int selected, int rows, std::string_view keysWord) {
    return std::string(selectedWord) + " " + std::to_string(selected) + "/" + std::to_string(rows) + " " +
           std::string(keysWord);
}

std::string FileSizePanelText(uint64_t bytes, std::string_view thousandsSeparator,
                              std::string_view decimalSeparator) {
    // Tenths of a KB, rounded half up.
    const uint64_t tenths = (bytes * 10 + 512) / 1024;
    const std::string whole = std::to_string(tenths / 10);
    std::string grouped;
    for (size_t i = 0; i < whole.size(); ++i) {
        if (i > 0 && (whole.size() - i) % 3 == 0) grouped += thousandsSeparator;
        grouped += whole[i];
    }
    return grouped + std::string(decimalSeparator) + std::to_string(tenths % 10) + " KB ";
}

std::string FileDatePanelText(std::string_view shortDate, std::string_view shortTime) {
    return " " + std::string(shortDate) + " " + std::string(shortTime) + " ";
}

std::string FilePanelTip(std::string_view prefix, std::string_view gnupgHome, std::string_view fileName) {
    const std::string path = std::string(gnupgHome) + "\\" + std::string(fileName);
    std::string tip = std::string(prefix) + " " + path;
    if (tip.size() < 50) return tip;
    std::string_view home = gnupgHome;
    while (!home.empty() && home.back() == '\\') home.remove_suffix(1);
    const size_t slash = home.find_last_of('\\');
    const std::string_view ownName = slash == std::string_view::npos ? home : home.substr(slash + 1);
    return std::string(prefix) + " " + ToLower(gnupgHome.substr(0, 3)) + "...\\" + std::string(ownName) + "\\" +
           std::string(fileName);
}

std::string ToggledAlgorithmFilter(int panel, std::string_view currentFilter) {
    static constexpr std::array<const char*, 3> kFilters = {"17", "20", "1"};
    if (panel < 0 || panel >= static_cast<int>(kFilters.size())) return std::string(currentFilter);
    if (currentFilter == kFilters[panel]) return "";
    return kFilters[panel];
}
