#include "common/win/settings.h"

#include <optional>

#include <windows.h>

#include "common/environment.h"
#include "common/setting_values.h"
#include "common/text.h"
#include "common/win/ini_file.h"
#include "common/win/key_listing_files.h"
#include "common/win/registry.h"
#include "common/win/setting_paths.h"

namespace {

std::string SectionKeyPath(const std::string& section) {
    return std::string(kSettingsRegistryRoot) + "\\" + section;
}

// A drive ("c:\x", "c:x") or a path from a root ("\x", "\\server\share") is
// taken as it is; anything else is relative.
bool IsRelativePath(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':') return false;
    return path.empty() || (path.front() != '\\' && path.front() != '/');
}

// Closes a FindFirstFile search.
class FileSearch {
public:
    explicit FileSearch(const std::string& pattern)
        : handle_(FindFirstFileA(pattern.c_str(), &data_)) {}
    ~FileSearch() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FileSearch(const FileSearch&) = delete;
    FileSearch& operator=(const FileSearch&) = delete;

    bool Found() const { return handle_ != INVALID_HANDLE_VALUE; }
    const WIN32_FIND_DATAA& Data() const { return data_; }
    bool Next() { return FindNextFileA(handle_, &data_) != FALSE; }

private:
    WIN32_FIND_DATAA data_{};
    HANDLE handle_;
};

bool IsDirectory(const WIN32_FIND_DATAA& data) {
    return (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void StoreFlag(const std::string& section, const std::string& key, bool value) {
    WriteSetting(section, key, value ? "1" : "0");
}

// Moves a key from the key manager's section to [Settings]. When the old section
// no longer has it, a value already in [Settings] wins over the default, so a
// repeated run never overwrites what the user has set since.
void MoveToSettings(const std::string& key, const std::string& defaultValue) {
    std::string value = ReadSetting("Morvish", key, ReadSetting("Settings", key, defaultValue));
    WriteSetting("Settings", key, value);
    RemoveSetting("Morvish", key);
}

}  // namespace

SettingsBackend& Settings() {
    static SettingsBackend backend;
    return backend;
}

void SelectSettingsBackend() {
    SettingsBackend& backend = Settings();
    backend.IniMode = false;
    backend.ShellIniFile.clear();
    const std::string& programDir = Env().ProgramDir;
    if (programDir.empty()) return;

    // FindFirstFile lists hidden and system files too; a folder of that name does
    // not count.
    std::string ownPath = programDir + "\\" + kPortableIniName;
    FileSearch search(ownPath);
    if (!search.Found() || IsDirectory(search.Data()) ||
        ToLower(search.Data().cFileName) != ToLower(kPortableIniName)) {
        return;
    }

    std::string iniFile = ReadIniValue(ownPath, "Settings", "ShellIniFile", ownPath);
    if (iniFile.empty()) iniFile = ownPath;
    iniFile = ExpandSettingPath(iniFile, kShellIniFileSteps);
    // The ini functions would put a bare name in the Windows folder; a portable
    // store's relative path means the program's own folder.
    if (IsRelativePath(iniFile)) iniFile = programDir + "\\" + iniFile;
    backend.ShellIniFile = iniFile;
    backend.IniMode = true;
}

std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& defaultValue) {
    const SettingsBackend& backend = Settings();
    if (backend.IniMode) return ReadIniValue(backend.ShellIniFile, section, key, defaultValue);
    // An empty section or key would address the application key or a default value.
    if (section.empty() || key.empty()) return defaultValue;
    return RegistryQueryText(HKEY_CURRENT_USER, SectionKeyPath(section), key)
        .value_or(defaultValue);
}

bool WriteSetting(const std::string& section, const std::string& key, const std::string& value) {
    const SettingsBackend& backend = Settings();
    if (backend.IniMode) return WriteIniValue(backend.ShellIniFile, section, key, value);
    if (section.empty() || key.empty()) return false;
    RegistryKey sectionKey =
        RegistryKey::Create(HKEY_CURRENT_USER, SectionKeyPath(section), KEY_SET_VALUE);
    return sectionKey &&
           RegSetValueExA(sectionKey.get(), key.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

void RemoveSetting(const std::string& section, const std::string& key) {
    const SettingsBackend& backend = Settings();
    if (backend.IniMode) {
        WriteIniValue(backend.ShellIniFile, section, key, std::nullopt);
        return;
    }
    if (section.empty() || key.empty()) return;
    RegistryDeleteValue(HKEY_CURRENT_USER, SectionKeyPath(section), key);
}

bool ReadAdvancedSwitch(const std::string& key) {
    return IsSwitchOn(ReadSetting("Advanced", key, "0"));
}

bool ReadBoolSetting(const std::string& section, const std::string& key,
                     const std::string& defaultValue) {
    std::optional<bool> value = ParseSettingBool(ReadSetting(section, key, defaultValue));
    if (!value) value = ParseSettingBool(defaultValue);
    return value.value_or(false);
}

void RunSettingsMigrations() {
    long level = ParseSettingInteger(ReadSetting("Settings", "InternalChanges", "0"), 0);
    auto reached = [](long newLevel) {
        WriteSetting("Settings", "InternalChanges", std::to_string(newLevel));
    };
    if (level < 21) {
        StoreFlag("Settings", "FullRowSelect",
                  ReadBoolSetting("Settings", "FullRowSelect", "True"));
        StoreFlag("Settings", "GridLines", ReadBoolSetting("Settings", "GridLines", "False"));
        reached(21);
    }
    if (level < 22) {
        MoveToSettings("BackupNum", "3");
        MoveToSettings("UsePgpDump", "0");
        MoveToSettings("PgpDumpOptions", "");
        reached(22);
    }
    if (level < 23) {
        WriteSetting("Settings", "DisplayClearsigned", "1");
        RemoveSetting("Settings", "RemoveHeader");
        reached(23);
    }
    if (level < 24) {
        DeleteKeyListing();
        reached(24);
    }
}
