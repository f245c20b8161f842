// How the suite reads the texts it keeps in the settings store: [Advanced] on/off
// switches, boolean flags, levels, and the normalisation of path-valued settings.
// Platform-free; the Windows side (common/win/setting_paths.h) supplies ProgramDir
// and the system's %VAR% expansion.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A setting text read as a decimal number: blanks around it, an optional sign,
// digits with an optional fraction (" 1", "+1", "1.0", "-2.5"). Anything else,
// including "" and "yes", is not a number.
std::optional<double> ParseSettingNumber(std::string_view value);

// [Advanced] switches are on only when the value is the number 1: "1", " 1" and
// "1.0" are on; "0", "2", "yes" and "" are off.
bool IsSwitchOn(std::string_view value);

// Flags written as "True"/"False" by older versions and "1"/"0" by newer ones
// (case does not matter, blanks around are ignored); any number other than 0 is
// true as well. Nothing for a text that is neither, so the caller can fall back
// to its default.
std::optional<bool> ParseSettingBool(std::string_view value);

// A whole-number setting such as a level or a count: the number's integer part,
// or `fallback` when the text is not a number.
long ParseSettingInteger(std::string_view value, long fallback);

// The normalisation steps of a path-valued setting; each runs only when its test
// matches, always in this order.
enum SettingPathStep : unsigned {
    kPathSlashes = 1,           // "*/*": every "/" becomes "\"
    kPathEnvironment = 2,       // "*%*?%*": %VAR% references expanded
    kPathRelative = 4,          // ".\*": the leading "." becomes ProgramDir
    kPathTrailingBackslash = 8, // "*?\": the last character is dropped
};
using SettingPathSteps = unsigned;

// The step sets the settings use.
inline constexpr SettingPathSteps kShellIniFileSteps = kPathEnvironment | kPathRelative;
inline constexpr SettingPathSteps kShellHomeDirSteps =
    kPathEnvironment | kPathRelative | kPathTrailingBackslash;
inline constexpr SettingPathSteps kGnuPGHomeSteps =
    kPathSlashes | kPathEnvironment | kPathRelative | kPathTrailingBackslash;
inline constexpr SettingPathSteps kLanguageSteps = kPathEnvironment;  // caller upper-cases
inline constexpr SettingPathSteps kExtCommandSteps = kPathEnvironment | kPathRelative;

using EnvironmentExpander = std::function<std::string(const std::string&)>;

std::string ExpandSettingPath(std::string_view value, SettingPathSteps steps,
                              std::string_view programDir, const EnvironmentExpander& expand);
