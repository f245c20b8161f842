#include "common/translation.h"

#include "common/text.h"
#include "common/wildcard.h"

std::string& TranslationTable() {
    static std::string table;
    return table;
}

bool TranslationLoaded() {
    return !TranslationTable().empty();
}

void SetTranslationTable(std::string_view fileText) {
    std::string& table = TranslationTable();
    table.clear();
    if (fileText.empty()) return;
    table.reserve(fileText.size() + 2);
    table += "\r\n";
    for (size_t i = 0; i < fileText.size(); ++i) {
        char c = fileText[i];
        if (c == '\n' && (i == 0 || fileText[i - 1] != '\r')) table += '\r';
        table += c;
    }
}

bool FindTranslationEntry(std::string_view table, std::string_view key, std::string& text) {
    std::string needle = "\r\n";
    needle += key;
    needle += "   ";
    size_t hit = table.find(needle);
    if (hit == std::string_view::npos) return false;
    size_t lineStart = hit + 2;
    size_t lineEnd = table.find("\r\n", lineStart);
    if (lineEnd == std::string_view::npos) lineEnd = table.size();
    std::string_view line = table.substr(lineStart, lineEnd - lineStart);
    // The key part ends at the first "   =" after the start of the key.
    size_t equals = line.find("   =", key.size());
    if (equals == std::string_view::npos) return false;
    text = Trim(line.substr(equals + 4));
    return true;
}

std::string Translate(std::string_view text) {
    const std::string& table = TranslationTable();
    if (!table.empty()) {
        std::string key(text);
        if (size_t amp = key.find('&'); amp != std::string::npos) key.erase(amp, 1);
        std::string translated;
        if (FindTranslationEntry(table, key, translated) && !translated.empty() && translated != "<don't translate>")
            return translated == "\"\"" ? "" : translated;
    }
    if (MatchesPattern(text, "x#_*")) return std::string(text.substr(3));
    return std::string(text);
}

std::string ChooseLanguage(bool lngFileBesideProgram, std::string_view systemLanguage, std::string_view ansiCodepage) {
    if (lngFileBesideProgram) return "Default";
    if (systemLanguage == "zh") {
        if (ansiCodepage == "936") return "Chinese(zh-cn)";
        if (ansiCodepage == "950") return "Chinese(zh-tw)";
        return "???";
    }
    static const struct {
        const char* code;
        const char* language;
    } kLanguages[] = {{"cs", "Czech"},         {"nl", "Dutch"},  {"fi", "Finnish"}, {"fr", "French"},
                      {"de", "German"},        {"it", "Italian"}, {"nb", "Norwegian(bm)"}, {"pl", "Polish"},
                      {"ru", "Russian"},       {"es", "Spanish"}, {"sv", "Swedish"}};
    for (const auto& entry : kLanguages) {
        if (systemLanguage == entry.code) return entry.language;
    }
    return "Default";
}

std::string TranslationVersionMessage() {
    const std::string q = "\"";
    return JoinMessageLines({Translate("The versions of the program and the translation do not match. Please"),
                             Translate("try to get an update at ") + q + kTranslationUpdatePage + q + ".", "",
                             Translate("To keep the existing translation and avoid this message, remove the"),
                             q + "Version = ..." + q + Translate("-line from the corresponding translation file.")});
}
