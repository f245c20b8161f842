// The shared settings store: the current user's registry or a portable ini file.
//
// Values are addressed by section and key below the application "Corvane" and are
// never cached here: every read goes to the store, so a value one program writes is
// seen by the others at their next read.
#pragma once

#include <string>

inline constexpr const char* kSettingsApplication = "Corvane";
inline constexpr const char* kSettingsRegistryRoot = "Software\\VB and VBA Program Settings\\Corvane";

struct SettingsBackend {
    bool IniMode = false;
    std::string ShellIniFile;
};
SettingsBackend& Settings();

// Chooses the backend once at start-up: "Corvane.ini" in ProgramDir selects the ini
// file (or the file its ShellIniFile names), otherwise the registry.
void SelectSettingsBackend();

std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& defaultValue = "");
void WriteSetting(const std::string& section, const std::string& key, const std::string& value);
void RemoveSetting(const std::string& section, const std::string& key);

// [Advanced] on/off switch: on only when the value is the number 1.
bool ReadAdvancedSwitch(const std::string& key);
// "1"/"True" style flags.
bool ReadBoolSetting(const std::string& section, const std::string& key, const std::string& defaultValue);

// The key manager's one-time settings migrations (levels 21 to 24 of InternalChanges).
void RunSettingsMigrations();
