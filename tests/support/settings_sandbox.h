// Points the settings store at a fresh portable ini file for one test.
#pragma once

#include <string>

#include "common/win/settings.h"
#include "support/test_env.h"

class ScopedIniSettings {
public:
    ScopedIniSettings() : saved_(Settings()), folder_("ini") {
        Settings().IniMode = true;
        Settings().ShellIniFile = folder_ / "Corvane.ini";
    }
    ~ScopedIniSettings() { Settings() = saved_; }
    ScopedIniSettings(const ScopedIniSettings&) = delete;
    ScopedIniSettings& operator=(const ScopedIniSettings&) = delete;

    const std::string& IniPath() const { return Settings().ShellIniFile; }
    const TempFolder& Folder() const { return folder_; }

private:
    SettingsBackend saved_;
    TempFolder folder_;
};

// Sets an environment variable of this process for one test.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(std::string name, const std::string& value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::string old_;
    bool had_;
};
