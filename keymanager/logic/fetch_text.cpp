#include "keymanager/logic/fetch_text.h"

#include "common/batch_text.h"
#include "common/wildcard.h"

bool IsEmptyFetchText(std::string_view text) {
    return text.empty() || text == kFetchHint || text.find("<Enter User or Key ID>") != std::string_view::npos;
}

bool IsKeyIdFetchText(std::string_view text) {
    constexpr const char* kDigits8 = "0x[a-zA-Z0-9][a-zA-Z0-9][a-zA-Z0-9][a-zA-Z0-9]"
                                     "[a-zA-Z0-9][a-zA-Z0-9][a-zA-Z0-9][a-zA-Z0-9]";
    const std::string short8 = kDigits8;
    const std::string long16 = short8 + std::string(kDigits8 + 2);
    return MatchesPattern(text, short8) || MatchesPattern(text, short8 + " *") || MatchesPattern(text, long16) ||
           MatchesPattern(text, long16 + " *");
}

const char* FetchButtonCaption(std::string_view text) {
    if (IsEmptyFetchText(text)) return kKeyServerCaption;
    return IsKeyIdFetchText(text) ? kGetCaption : kSearchCaption;
}

std::string KeyServerPart(std::string_view comboText) {
    if (comboText.empty() || comboText == kDefaultServerEntry) return "";
    return " --keyserver " + BatchLiteral(comboText);
}

std::string ComposeFetchCommand(std::string_view text, std::string_view comboText, std::string_view gpgExeName) {
    const std::string serverPart = KeyServerPart(comboText);
    const std::string server = serverPart.empty() ? "" : BatchLiteral(comboText) + " ";
    const std::string typed = BatchLiteral(text);
    std::string command = "echo.\r\n";
    if (IsKeyIdFetchText(text)) {
        command += "echo Getting key(s) " + typed + " from server " + server + ". . .\r\n";
        command += "echo.\r\n";
        command += std::string(gpgExeName) + serverPart + " --interactive --recv-keys " + typed;
    } else {
        command += "echo Searching for " + typed + " on server " + server + ". . .\r\n";
        command += "echo.\r\n";
        command += std::string(gpgExeName) + serverPart + " --search-keys " + typed;
    }
    return command;
}
