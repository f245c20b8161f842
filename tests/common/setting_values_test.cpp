#include <gtest/gtest.h>

#include <map>

#include "common/setting_values.h"

namespace {

struct SwitchCase {
    const char* value;
    bool on;
};

TEST(SettingsValues, AdvancedSwitchIsOnOnlyForTheNumberOne) {
    const SwitchCase cases[] = {
        {"1", true},    {" 1 ", true},  {"1.0", true},   {"+1", true},   {"01", true},
        {"\t1", true},  {"0", false},   {"2", false},    {"-1", false},  {"1.5", false},
        {"0.9", false}, {"", false},    {"yes", false},  {"True", false}, {"1a", false},
        {"1 1", false}, {"1e0", false}, {".", false},    {"-", false},   {"1..0", false},
        {"0x1", false}, {"inf", false}, {"+-1", false},
    };
    for (const SwitchCase& c : cases) {
        EXPECT_EQ(IsSwitchOn(c.value), c.on) << '"' << c.value << '"';
    }
}

TEST(SettingsValues, BooleanFlagsTakeBothOldAndNewForms) {
    const std::pair<const char*, std::optional<bool>> cases[] = {
        {"1", true},      {"0", false},      {"True", true},   {"true", true},
        {"TRUE", true},   {"False", false},  {"false", false}, {" True ", true},
        {"-1", true},     {"2", true},       {"0.0", false},   {"", std::nullopt},
        {"yes", std::nullopt}, {"Truee", std::nullopt},
    };
    for (const auto& [value, expected] : cases) {
        EXPECT_EQ(ParseSettingBool(value), expected) << '"' << value << '"';
    }
}

TEST(SettingsValues, IntegerSettingsFallBackWhenNotANumber) {
    EXPECT_EQ(ParseSettingInteger("21", 0), 21);
    EXPECT_EQ(ParseSettingInteger(" 23 ", 0), 23);
    EXPECT_EQ(ParseSettingInteger("22.9", 0), 22);
    EXPECT_EQ(ParseSettingInteger("-3", 0), -3);
    EXPECT_EQ(ParseSettingInteger("", 7), 7);
    EXPECT_EQ(ParseSettingInteger("abc", 7), 7);
    EXPECT_EQ(ParseSettingInteger("99999999999999999999999", 7), 7);
}

// A stand-in for the system's expansion that knows two variables and records
// whether it was asked at all.
struct FakeEnvironment {
    std::map<std::string, std::string> vars{{"APPDATA", "C:\\Users\\me\\AppData"},
                                            {"EMPTY", ""}};
    int calls = 0;
    std::string operator()(const std::string& text) {
        ++calls;
        std::string out;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t open = text.find('%', pos);
            size_t close = open == std::string::npos ? open : text.find('%', open + 1);
            if (close == std::string::npos) break;
            auto hit = vars.find(text.substr(open + 1, close - open - 1));
            out += text.substr(pos, open - pos);
            out += hit != vars.end() ? hit->second : text.substr(open, close - open + 1);
            pos = close + 1;
        }
        return out + text.substr(std::min(pos, text.size()));
    }
};

struct PathCase {
    const char* value;
    SettingPathSteps steps;
    const char* expected;
};

TEST(SettingsValues, ExpandSettingPathRunsEachStepOnlyWhenItsTestMatches) {
    const char* programDir = "c:\\program files\\corvane";
    const PathCase cases[] = {
        // Relative paths start at ProgramDir, from the backslash on.
        {".\\conf\\my.ini", kShellIniFileSteps, "c:\\program files\\corvane\\conf\\my.ini"},
        {".\\", kShellIniFileSteps, "c:\\program files\\corvane\\"},
        {"..\\x", kShellIniFileSteps, "..\\x"},
        {"./conf", kShellIniFileSteps, "./conf"},
        // Slashes turn first, so "./conf" becomes relative where step 1 applies.
        {"./gnupg/", kGnuPGHomeSteps, "c:\\program files\\corvane\\gnupg"},
        {"%APPDATA%\\gnupg\\", kGnuPGHomeSteps, "C:\\Users\\me\\AppData\\gnupg"},
        // The expansion's result is what the later steps see.
        {"%APPDATA%\\", kShellHomeDirSteps, "C:\\Users\\me\\AppData"},
        {"%APPDATA%\\", kShellIniFileSteps, "C:\\Users\\me\\AppData\\"},
        // Only one trailing backslash goes, and a lone one stays.
        {"d:\\home\\\\", kShellHomeDirSteps, "d:\\home\\"},
        {"\\", kShellHomeDirSteps, "\\"},
        {"c:\\", kShellHomeDirSteps, "c:"},
        {"", kGnuPGHomeSteps, ""},
        // Steps not asked for do not run.
        {"a/b\\", kShellIniFileSteps, "a/b\\"},
        {".\\x\\", kLanguageSteps, ".\\x\\"},
    };
    for (const PathCase& c : cases) {
        FakeEnvironment env;
        EXPECT_EQ(ExpandSettingPath(c.value, c.steps, programDir, std::ref(env)), c.expected)
            << '"' << c.value << "\" steps " << c.steps;
    }
}

TEST(SettingsValues, EnvironmentStepNeedsTwoPercentSignsAroundSomething) {
    const std::pair<const char*, int> cases[] = {
        {"%APPDATA%", 1}, {"a%b%c", 1}, {"%%", 0}, {"100%", 0}, {"%x", 0}, {"plain", 0},
    };
    for (const auto& [value, calls] : cases) {
        FakeEnvironment env;
        ExpandSettingPath(value, kPathEnvironment, "c:\\p", std::ref(env));
        EXPECT_EQ(env.calls, calls) << value;
    }
}

}  // namespace
