#include "common/setting_values.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/text.h"
#include "common/wildcard.h"

std::optional<double> ParseSettingNumber(std::string_view value) {
    std::string text = Trim(value);
    std::string_view body = text;
    bool negative = false;
    if (!body.empty() && (body.front() == '+' || body.front() == '-')) {
        negative = body.front() == '-';
        body.remove_prefix(1);
    }
    // Only plain decimals: from_chars alone would also take "inf", "nan" and
    // hex digits after a sign we already removed.
    bool seenDigit = false, seenPoint = false;
    for (char c : body) {
        if (c >= '0' && c <= '9') {
            seenDigit = true;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            return std::nullopt;
        }
    }
    if (!seenDigit) return std::nullopt;
    double number = 0;
    auto [end, error] =
        std::from_chars(body.data(), body.data() + body.size(), number, std::chars_format::fixed);
    if (error != std::errc() || end != body.data() + body.size()) return std::nullopt;
    return negative ? -number : number;
}

bool IsSwitchOn(std::string_view value) {
    std::optional<double> number = ParseSettingNumber(value);
    return number && *number == 1.0;
}

std::optional<bool> ParseSettingBool(std::string_view value) {
    std::string text = ToLower(Trim(value));
    if (text == "true") return true;
    if (text == "false") return false;
    if (std::optional<double> number = ParseSettingNumber(text)) return *number != 0.0;
    return std::nullopt;
}

long ParseSettingInteger(std::string_view value, long fallback) {
    std::optional<double> number = ParseSettingNumber(value);
    if (!number) return fallback;
    double whole = std::trunc(*number);
    if (whole > static_cast<double>(std::numeric_limits<long>::max()) ||
        whole < static_cast<double>(std::numeric_limits<long>::min())) {
        return fallback;
    }
    return static_cast<long>(whole);
}

std::string ExpandSettingPath(std::string_view value, SettingPathSteps steps,
                              std::string_view programDir, const EnvironmentExpander& expand) {
    std::string path(value);
    if ((steps & kPathSlashes) && MatchesPattern(path, "*/*")) {
        path = StrgReplace(path, "/", "\\");
    }
    if ((steps & kPathEnvironment) && MatchesPattern(path, "*%*?%*") && expand) {
        path = expand(path);
    }
    if ((steps & kPathRelative) && MatchesPattern(path, ".\\*")) {
        path = std::string(programDir) + path.substr(1);
    }
    if ((steps & kPathTrailingBackslash) && MatchesPattern(path, "*?\\")) {
        path.pop_back();
    }
    return path;
}
