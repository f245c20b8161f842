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

// The portable store's file name beside the programs.
inline constexpr const char* kPortableIniName = "Corvane.ini";

std::string ReadSetting(const std::string& section, const std::string& key,
                        const std::string& defaultValue = "");
// Creates section and key as needed; an empty value is stored as an empty value.
// False when the store did not take it (in ini mode a line break in the value is
// refused rather than written as extra lines).
bool WriteSetting(const std::string& section, const std::string& key, const std::string& value);
// Deletes the key; a missing key or section is not an error.
void RemoveSetting(const std::string& section, const std::string& key);

// [Advanced] on/off switch: on only when the value is the number 1.
bool ReadAdvancedSwitch(const std::string& key);
// "1"/"True" style flags; a value that is neither a flag nor a number reads as
// the default.
bool ReadBoolSetting(const std::string& section, const std::string& key, const std::string& defaultValue);

// The key manager's one-time settings migrations (levels 21 to 24 of InternalChanges).
void RunSettingsMigrations();
