#include "common/win/translation_loader.h"

#include <windows.h>

#include "common/environment.h"
#include "common/text.h"
#include "common/translation.h"
#include "common/ui/message_box.h"
#include "common/wildcard.h"
#include "common/win/file_system.h"
#include "common/win/settings.h"

namespace {

bool LngFileBesideProgram() {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((Env().ProgramDir + "\\*.lng").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool found = false;
    do {
        // The system also matches short 8.3 aliases ("notes.lngx" is "NOTES~1.LNG").
        found = !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && MatchesPattern(ToLower(data.cFileName), "*.lng");
    } while (!found && FindNextFileA(find, &data));
    FindClose(find);
    return found;
}

}  // namespace

std::string ResolveLanguage() {
    std::string language = ReadSetting("Settings", "Language", "???");
    if (language.empty() || language == "???") {
        language = ChooseLanguage(LngFileBesideProgram(), Env().SystemLanguage, Env().AnsiCodepage);
        WriteSetting("Settings", "Language", language);
    }
    return language;
}

std::string LocateTranslationFile(const std::string& language, const std::string& fileName) {
    std::string candidates[2];
    if (language != "Default") candidates[0] = Env().ProgramDir + "\\_language\\" + language + "\\" + fileName;
    candidates[1] = Env().ProgramDir + "\\" + fileName;
    for (const auto& candidate : candidates) {
        if (!candidate.empty() && ToLower(LookupFileName(candidate)) == ToLower(fileName)) return candidate;
    }
    return "";
}

void LoadTranslation(const std::string& fileName, bool mayShowVersionMessage) {
    SetTranslationTable("");
    std::string path = LocateTranslationFile(ResolveLanguage(), fileName);
    std::string content;
    if (path.empty() || !ReadWholeFile(path, content)) return;
    SetTranslationTable(content);
    if (!TranslationLoaded()) return;
    std::string version = Translate("Version");
    if (version != Env().ProgramVersion && version != "Version" && mayShowVersionMessage)
        ShowInfo(TranslationVersionMessage());
}
