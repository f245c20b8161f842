#include <gtest/gtest.h>

#include "support/test_env.h"

#include <fstream>
#include <sstream>

#include <windows.h>

#include "common/environment.h"
#include "common/win/ini_file.h"
#include "common/win/registry.h"
#include "common/win/setting_paths.h"
#include "common/win/settings.h"

namespace {

std::string UniqueName(const std::string& prefix) {
    static int counter = 0;
    return prefix + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount()) +
           "-" + std::to_string(++counter);
}


void WriteFile(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string FileText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string EnvironmentValue(const std::string& name) {
    char value[1024];
    DWORD length = GetEnvironmentVariableA(name.c_str(), value, sizeof value);
    return length > 0 && length < sizeof value ? std::string(value, length) : "";
}

// Every test gets its own program folder under %TEMP% and puts the process-wide
// values back afterwards.
class SettingsFixture : public testing::Test {
protected:
    void SetUp() override {
        savedEnv_ = Env();
        savedBackend_ = Settings();
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        programDir_ = std::string(temp) + UniqueName("corvane-settings-");
        ASSERT_TRUE(CreateDirectoryA(programDir_.c_str(), nullptr));
        Env().ProgramDir = programDir_;
    }
    void TearDown() override {
        Env() = savedEnv_;
        Settings() = savedBackend_;
        RemoveTree(programDir_);
    }

    std::string OwnIni() const { return programDir_ + "\\Corvane.ini"; }

    // Ini mode on a fresh portable file, as a user's portable install has it.
    void UsePortableIni(const std::string& text = "") {
        WriteFile(OwnIni(), text);
        SelectSettingsBackend();
        ASSERT_TRUE(Settings().IniMode);
        ASSERT_EQ(Settings().ShellIniFile, OwnIni());
    }

    std::string programDir_;

private:
    Environment savedEnv_;
    SettingsBackend savedBackend_;
};

using SettingsStore = SettingsFixture;

TEST_F(SettingsStore, WithoutPortableFileTheRegistryIsUsed) {
    Settings().IniMode = true;
    SelectSettingsBackend();
    EXPECT_FALSE(Settings().IniMode);

    // A folder of that name is not a settings file.
    CreateDirectoryA(OwnIni().c_str(), nullptr);
    SelectSettingsBackend();
    EXPECT_FALSE(Settings().IniMode);
}

TEST_F(SettingsStore, PortableFileChoosesTheIniFile) {
    std::string appData = EnvironmentValue("APPDATA");
    ASSERT_FALSE(appData.empty());
    const std::pair<const char*, std::string> cases[] = {
        {"", OwnIni()},                                    // no ShellIniFile at all
        {"[Settings]\r\nShellIniFile=\r\n", OwnIni()},     // empty: the file itself
        {"[Settings]\r\nShellIniFile=.\\conf\\my.ini\r\n", programDir_ + "\\conf\\my.ini"},
        {"[Settings]\r\nShellIniFile=%APPDATA%\\my.ini\r\n", appData + "\\my.ini"},
        // The ini functions would look for a bare name in the Windows folder.
        {"[Settings]\r\nShellIniFile=my.ini\r\n", programDir_ + "\\my.ini"},
        {"[Settings]\r\nShellIniFile=d:\\elsewhere\\c.ini\r\n", "d:\\elsewhere\\c.ini"},
    };
    for (const auto& [text, expected] : cases) {
        WriteFile(OwnIni(), text);
        SelectSettingsBackend();
        EXPECT_TRUE(Settings().IniMode) << text;
        EXPECT_EQ(Settings().ShellIniFile, expected) << text;
    }
}

TEST_F(SettingsStore, HiddenSystemPortableFileCounts) {
    WriteFile(OwnIni(), "");
    SetFileAttributesA(OwnIni().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    SelectSettingsBackend();
    EXPECT_TRUE(Settings().IniMode);
}

TEST_F(SettingsStore, RedirectedFileIsCreatedOnFirstWrite) {
    CreateDirectoryA((programDir_ + "\\conf").c_str(), nullptr);
    WriteFile(OwnIni(), "[Settings]\r\nShellIniFile=.\\conf\\my.ini\r\n");
    SelectSettingsBackend();
    std::string redirected = programDir_ + "\\conf\\my.ini";
    ASSERT_FALSE(FileExists(redirected));

    EXPECT_TRUE(WriteSetting("Settings", "Language", "Deutsch"));
    EXPECT_EQ(ReadSetting("Settings", "Language", "???"), "Deutsch");
    EXPECT_NE(FileText(redirected).find("Language=Deutsch"), std::string::npos);
    EXPECT_EQ(FileText(OwnIni()).find("Language"), std::string::npos);
}

TEST_F(SettingsStore, IniEmptyValueIsNotAnAbsentKey) {
    UsePortableIni();
    EXPECT_TRUE(WriteSetting("Settings", "ComSpec", ""));
    EXPECT_NE(FileText(OwnIni()).find("ComSpec=\r\n"), std::string::npos);
    EXPECT_EQ(ReadSetting("Settings", "ComSpec", "cmd.exe"), "");
    EXPECT_EQ(ReadSetting("Settings", "Language", "???"), "???");
    EXPECT_EQ(ReadSetting("NoSuchSection", "Language", "???"), "???");
}

TEST_F(SettingsStore, IniRemoveDeletesTheLine) {
    UsePortableIni("[Settings]\r\nKeep=1\r\nGone=2\r\n");
    RemoveSetting("Settings", "Gone");
    RemoveSetting("Settings", "NeverThere");
    RemoveSetting("NoSuchSection", "Gone");
    std::string text = FileText(OwnIni());
    EXPECT_EQ(text.find("Gone"), std::string::npos);
    EXPECT_NE(text.find("Keep=1"), std::string::npos);
    EXPECT_EQ(ReadSetting("Settings", "Gone", "absent"), "absent");
}

TEST_F(SettingsStore, IniValueReadsBackAtMost254Characters) {
    UsePortableIni();
    std::string value(300, 'v');
    value[253] = 'L';  // the last character that still fits
    ASSERT_TRUE(WriteSetting("Settings", "Long", value));
    EXPECT_EQ(ReadSetting("Settings", "Long"), value.substr(0, 254));
    EXPECT_EQ(ReadIniValue(OwnIni(), "Settings", "Long", ""), value.substr(0, 254));
}

TEST_F(SettingsStore, IniRefusesWritesThatWouldAddOtherLines) {
    UsePortableIni("[Settings]\r\nName=old\r\n");
    std::string before = FileText(OwnIni());
    const struct {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {
        {"Settings", "Name", "new\r\n[Advanced]\r\nCygwin=1"},
        {"Settings", "Name", "new\nCygwin=1"},
        {"Settings", "Name", "new\rx"},
        {"Settings", "Cygwin=1\r\nName", "x"},
        {"Settings", "a=b", "x"},
        {"Settings", "[Advanced]", "x"},
        {"Settings", ";Name", "x"},
        {"Settings", "", "x"},
        {"Advanced]\r\n[Settings", "Name", "x"},
        {"", "Name", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(WriteSetting(c.section, c.key, c.value)) << c.key << " = " << c.value;
    }
    RemoveSetting("Settings", "");  // would otherwise drop the whole section
    EXPECT_EQ(FileText(OwnIni()), before);
    EXPECT_EQ(ReadSetting("Settings", "Name"), "old");
    EXPECT_FALSE(ReadAdvancedSwitch("Cygwin"));
}

TEST_F(SettingsStore, AdvancedSwitchesAndFlags) {
    UsePortableIni();
    const std::pair<const char*, bool> switches[] = {
        {"1", true}, {"2", false}, {"0", false}, {" 1", true}, {"yes", false}, {"", false},
    };
    for (const auto& [value, on] : switches) {
        WriteSetting("Advanced", "Cygwin", value);
        EXPECT_EQ(ReadAdvancedSwitch("Cygwin"), on) << '"' << value << '"';
    }
    RemoveSetting("Advanced", "Cygwin");
    EXPECT_FALSE(ReadAdvancedSwitch("Cygwin"));

    const struct {
        const char* value;  // nullptr: key absent
        const char* defaultValue;
        bool expected;
    } flags[] = {
        {"True", "False", true}, {"false", "True", false}, {"1", "False", true},
        {"0", "True", false},    {"yes", "True", true},    {"yes", "False", false},
        {nullptr, "True", true}, {nullptr, "0", false},
    };
    for (const auto& f : flags) {
        if (f.value) {
            WriteSetting("Settings", "SetGnuPGHome", f.value);
        } else {
            RemoveSetting("Settings", "SetGnuPGHome");
        }
        EXPECT_EQ(ReadBoolSetting("Settings", "SetGnuPGHome", f.defaultValue), f.expected)
            << (f.value ? f.value : "(absent)") << " default " << f.defaultValue;
    }
}

TEST_F(SettingsStore, ExpEnvironKeepsTextThatWouldGrowPast254Characters) {
    const char* name = "CORVANE_SETTINGS_TEST";
    ASSERT_TRUE(SetEnvironmentVariableA(name, std::string(250, 'x').c_str()));
    EXPECT_EQ(ExpEnviron("%CORVANE_SETTINGS_TEST%abcd"), std::string(250, 'x') + "abcd");
    EXPECT_EQ(ExpEnviron("%CORVANE_SETTINGS_TEST%abcde"), "%CORVANE_SETTINGS_TEST%abcde");
    EXPECT_EQ(ExpEnviron("%NO_SUCH_VARIABLE_HERE%"), "%NO_SUCH_VARIABLE_HERE%");
    SetEnvironmentVariableA(name, nullptr);
}

// Migrations run on a portable store so they never touch the shared prefix's
// registry settings.
class SettingsMigrations : public SettingsFixture {
protected:
    void SetUp() override {
        SettingsFixture::SetUp();
        homeDir_ = programDir_ + "\\home";
        CreateDirectoryA(homeDir_.c_str(), nullptr);
        Env().ShellHomeDir = homeDir_;
        for (const char* name : {"~pubkeys.dat", "~seckeys.dat", "~pubkeys.bak", "pubkeys.dat"}) {
            WriteFile(homeDir_ + "\\" + name, "x");
        }
    }
    std::string homeDir_;
};

TEST_F(SettingsMigrations, EachLevelRunsOnlyTheStepsNotYetReached) {
    const struct {
        const char* level;  // nullptr: InternalChanges absent
        long from;
    } cases[] = {{nullptr, 0}, {"0", 0},   {"21", 21}, {"22", 22},
                 {"23", 23},   {"24", 24}, {"30", 30}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.level ? c.level : "(absent)");
        std::string text =
            "[Settings]\r\nFullRowSelect=True\r\nGridLines=False\r\nRemoveHeader=1\r\n";
        if (c.level) text += std::string("InternalChanges=") + c.level + "\r\n";
        UsePortableIni(text + "[Morvish]\r\nBackupNum=5\r\nUsePgpDump=1\r\n");
        for (const char* name : {"~pubkeys.dat", "~seckeys.dat"}) {
            WriteFile(homeDir_ + "\\" + name, "x");
        }

        RunSettingsMigrations();

        bool ran21 = c.from < 21, ran22 = c.from < 22, ran23 = c.from < 23, ran24 = c.from < 24;
        EXPECT_EQ(ReadSetting("Settings", "FullRowSelect"), ran21 ? "1" : "True");
        EXPECT_EQ(ReadSetting("Settings", "GridLines"), ran21 ? "0" : "False");
        EXPECT_EQ(ReadSetting("Settings", "BackupNum", "absent"), ran22 ? "5" : "absent");
        EXPECT_EQ(ReadSetting("Settings", "UsePgpDump", "absent"), ran22 ? "1" : "absent");
        EXPECT_EQ(ReadSetting("Settings", "PgpDumpOptions", "absent"), ran22 ? "" : "absent");
        EXPECT_EQ(ReadSetting("Morvish", "BackupNum", "absent"), ran22 ? "absent" : "5");
        EXPECT_EQ(ReadSetting("Settings", "DisplayClearsigned", "absent"), ran23 ? "1" : "absent");
        EXPECT_EQ(ReadSetting("Settings", "RemoveHeader", "absent"), ran23 ? "absent" : "1");
        EXPECT_EQ(FileExists(homeDir_ + "\\~pubkeys.dat"), !ran24);
        EXPECT_EQ(FileExists(homeDir_ + "\\~seckeys.dat"), !ran24);
        EXPECT_EQ(ReadSetting("Settings", "InternalChanges"), ran24 ? "24" : c.level);
        // Only the key cache files go.
        EXPECT_TRUE(FileExists(homeDir_ + "\\~pubkeys.bak"));
        EXPECT_TRUE(FileExists(homeDir_ + "\\pubkeys.dat"));
    }
}

TEST_F(SettingsMigrations, MoveKeepsAValueAlreadyInSettings) {
    // The key manager's section has lost BackupNum but [Settings] holds the user's
    // choice: the move must not replace it with the default.
    UsePortableIni("[Settings]\r\nBackupNum=5\r\n[Morvish]\r\nUsePgpDump=1\r\n");
    RunSettingsMigrations();
    EXPECT_EQ(ReadSetting("Settings", "BackupNum"), "5");
    EXPECT_EQ(ReadSetting("Settings", "UsePgpDump"), "1");
}

TEST_F(SettingsMigrations, LevelIsStoredAfterEachStep) {
    // Old flags that are not flags at all take the defaults.
    UsePortableIni("[Settings]\r\nFullRowSelect=maybe\r\nGridLines=\r\n");
    RunSettingsMigrations();
    EXPECT_EQ(ReadSetting("Settings", "FullRowSelect"), "1");
    EXPECT_EQ(ReadSetting("Settings", "GridLines"), "0");
    // A second run finds level 24 and changes nothing.
    WriteSetting("Settings", "DisplayClearsigned", "0");
    WriteFile(homeDir_ + "\\~pubkeys.dat", "x");
    RunSettingsMigrations();
    EXPECT_EQ(ReadSetting("Settings", "DisplayClearsigned"), "0");
    EXPECT_TRUE(FileExists(homeDir_ + "\\~pubkeys.dat"));
}

// Registry tests work below keys of their own and delete them afterwards: the
// Wine prefix is shared by every test of a run.
class SettingsRegistry : public testing::Test {
protected:
    void SetUp() override {
        savedBackend_ = Settings();
        Settings() = SettingsBackend{};
        section_ = UniqueName("SettingsTest-");
        scratch_ = "Software\\CorvaneTest\\" + UniqueName("");
    }
    void TearDown() override {
        RegDeleteTreeA(HKEY_CURRENT_USER, SectionPath().c_str());
        RegDeleteTreeA(HKEY_CURRENT_USER, scratch_.c_str());
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\CorvaneTest");  // only when empty
        Settings() = savedBackend_;
    }
    std::string SectionPath() const { return std::string(kSettingsRegistryRoot) + "\\" + section_; }

    void SetRaw(const std::string& name, DWORD type, const void* data, DWORD size) {
        RegistryKey key = RegistryKey::Create(HKEY_CURRENT_USER, scratch_, KEY_SET_VALUE);
        ASSERT_TRUE(key);
        ASSERT_EQ(RegSetValueExA(key.get(), name.c_str(), 0, type,
                                 static_cast<const BYTE*>(data), size),
                  ERROR_SUCCESS);
    }
    void SetRawText(const std::string& name, DWORD type, const std::string& text) {
        SetRaw(name, type, text.c_str(), static_cast<DWORD>(text.size() + 1));
    }

    std::string section_;
    std::string scratch_;

private:
    SettingsBackend savedBackend_;
};

TEST_F(SettingsRegistry, StoreKeepsEmptyValuesApartFromAbsentOnes) {
    EXPECT_EQ(ReadSetting(section_, "Language", "???"), "???");  // no section key yet
    ASSERT_TRUE(WriteSetting(section_, "Language", ""));
    EXPECT_EQ(ReadSetting(section_, "Language", "???"), "");
    EXPECT_EQ(ReadSetting(section_, "Other", "dflt"), "dflt");

    std::string value(400, 'p');  // the registry store has no 254-character limit
    ASSERT_TRUE(WriteSetting(section_, "Long", value));
    EXPECT_EQ(ReadSetting(section_, "Long"), value);
    EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, SectionPath(), "Language"), "");

    RemoveSetting(section_, "Language");
    RemoveSetting(section_, "Language");
    RemoveSetting("SettingsTest-NoSuchSection", "Language");
    EXPECT_EQ(ReadSetting(section_, "Language", "???"), "???");
    EXPECT_EQ(ReadSetting(section_, "Long"), value);

    // A switch set by hand as a number in the registry editor.
    ASSERT_TRUE(RegistryWriteDword(HKEY_CURRENT_USER, SectionPath(), "Cygwin", 1));
    EXPECT_EQ(ReadSetting(section_, "Cygwin"), "1");
}

TEST_F(SettingsRegistry, ReadStringExpandsOnlyExpandableValues) {
    std::string profile = EnvironmentValue("USERPROFILE");
    ASSERT_FALSE(profile.empty());
    SetRawText("Expand", REG_EXPAND_SZ, "%USERPROFILE%\\gnupg");
    SetRawText("Plain", REG_SZ, "%USERPROFILE%\\gnupg");
    SetRawText("Long", REG_SZ, std::string(300, 'l'));
    SetRawText("Fits", REG_SZ, std::string(254, 'f'));
    SetRawText("Empty", REG_SZ, "");
    // Data written without its terminator keeps its last character.
    SetRaw("Unterminated", REG_SZ, "abc", 3);
    DWORD number = 7;
    SetRaw("Number", REG_DWORD, &number, sizeof number);
    // An expansion that would not fit stays unexpanded.
    SetEnvironmentVariableA("CORVANE_SETTINGS_TEST", std::string(250, 'x').c_str());
    SetRawText("TooBig", REG_EXPAND_SZ, "%CORVANE_SETTINGS_TEST%\\12345");

    const std::pair<const char*, std::string> cases[] = {
        {"Expand", profile + "\\gnupg"},
        {"Plain", "%USERPROFILE%\\gnupg"},
        {"Long", ""},
        {"Fits", std::string(254, 'f')},
        {"Empty", ""},
        {"Unterminated", "abc"},
        {"Number", ""},
        {"TooBig", "%CORVANE_SETTINGS_TEST%\\12345"},
        {"Missing", ""},
    };
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, scratch_, name), expected) << name;
    }
    EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, scratch_ + "\\Missing", "Expand"), "");
    SetEnvironmentVariableA("CORVANE_SETTINGS_TEST", nullptr);
}

TEST_F(SettingsRegistry, KeyOperations) {
    // Writes go only into keys that exist.
    EXPECT_FALSE(RegistryWriteString(HKEY_CURRENT_USER, scratch_, "v", "x"));
    EXPECT_FALSE(RegistryWriteDword(HKEY_CURRENT_USER, scratch_, "n", 1));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, scratch_));

    std::string child = scratch_ + "\\Corvane.asc";
    EXPECT_TRUE(RegistryCreateKey(HKEY_CURRENT_USER, child));
    EXPECT_TRUE(RegistryCreateKey(HKEY_CURRENT_USER, child));  // exists: fine
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, child));

    EXPECT_TRUE(RegistryWriteString(HKEY_CURRENT_USER, child, "", "Corvane.asc"));
    EXPECT_TRUE(RegistryWriteString(HKEY_CURRENT_USER, child, "Name", "value"));
    EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, child, ""), "Corvane.asc");
    RegistryDeleteValue(HKEY_CURRENT_USER, child, "");
    RegistryDeleteValue(HKEY_CURRENT_USER, scratch_ + "\\Missing", "Name");
    EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, child, ""), "");
    EXPECT_EQ(RegistryReadString(HKEY_CURRENT_USER, child, "Name"), "value");

    // An empty child name must not take the parent with it.
    EXPECT_FALSE(RegistryDeleteKey(HKEY_CURRENT_USER, child, ""));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, child));
    EXPECT_TRUE(RegistryDeleteKey(HKEY_CURRENT_USER, scratch_, "Corvane.asc"));
    EXPECT_FALSE(RegistryKeyExists(HKEY_CURRENT_USER, child));
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, scratch_));
}

TEST_F(SettingsRegistry, KeyHandleMovesWithoutClosingTwice) {
    RegistryKey first = RegistryKey::Create(HKEY_CURRENT_USER, scratch_, KEY_ALL_ACCESS);
    ASSERT_TRUE(first);
    HKEY raw = first.get();
    RegistryKey second = std::move(first);
    EXPECT_FALSE(first);
    EXPECT_EQ(second.get(), raw);
    RegistryKey third;
    third = std::move(second);
    EXPECT_EQ(third.get(), raw);
    DWORD data = 1;
    EXPECT_EQ(RegSetValueExA(third.get(), "n", 0, REG_DWORD, reinterpret_cast<BYTE*>(&data),
                             sizeof data),
              ERROR_SUCCESS);
    EXPECT_FALSE(RegistryKey::Open(HKEY_CURRENT_USER, scratch_ + "\\Missing", KEY_READ));
}

}  // namespace
