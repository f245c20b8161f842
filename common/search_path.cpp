#include "common/search_path.h"

#include "common/text.h"
#include "common/wildcard.h"

std::vector<std::string> SearchFolders(const std::string& programDir, const std::string& windowsSystemDir,
                                       const std::string& pathVariable) {
    std::string list;
    if (!programDir.empty()) list += programDir + ";";
    if (!windowsSystemDir.empty()) list += windowsSystemDir + ";";
    list += pathVariable;
    std::vector<std::string> folders;
    for (auto& entry : Split(list, ';')) {
        if (!MatchesPattern(entry, "?:\\*?")) continue;
        if (entry.back() == '\\') entry.pop_back();
        folders.push_back(entry);
    }
    return folders;
}
