#include "common/translation.h"

std::unordered_map<std::string, std::string>& TranslationTable() {
    static std::unordered_map<std::string, std::string> table;
    return table;
}

std::string Translate(std::string_view text) {
    auto& table = TranslationTable();
    if (table.empty()) return std::string(text);
    std::string key(text);
    if (auto amp = key.find('&'); amp != std::string::npos) key.erase(amp, 1);
    auto it = table.find(key);
    return it == table.end() ? std::string(text) : it->second;
}
