#include "keymanager/logic/key_list_options.h"

#include <algorithm>

#include "common/text.h"
#include "common/wildcard.h"

std::optional<std::string> OptionSetNameFromLine(std::string_view line) {
    if (!MatchesPattern(line, "[#]@[#]?*")) return std::nullopt;
    return std::string(line.substr(3));
}

std::string DefaultKeyFromLine(std::string_view line) {
    if (!MatchesPattern(line, "default-key *")) return "";
    return std::string(line.substr(12));
}

std::optional<std::vector<std::string>> SignWithCaptions(std::string_view usableKeyPairIds) {
    if (!MatchesPattern(usableKeyPairIds, "0x???????????????? *")) return std::nullopt;
    std::vector<std::string> captions;
    for (const std::string& id : Split(usableKeyPairIds, ' ')) {
        if (!id.empty()) captions.push_back(id + "...");
    }
    std::stable_sort(captions.begin(), captions.end(),
                     [](const std::string& a, const std::string& b) { return ToLower(a) < ToLower(b); });
    return captions;
}
