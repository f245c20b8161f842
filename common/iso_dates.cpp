#include "common/iso_dates.h"

#include "common/date_text.h"
#include "common/wildcard.h"

namespace {

int Number(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

bool IsValidIsoDate(int year, int month, int day) {
    return year >= 100 && year <= 9999 && IsValidCivilDate(year, month, day);
}

std::string LocalizeIsoDates(std::string_view text, const ShortDateFormatter& format) {
    constexpr size_t kLength = 10;
    std::string out;
    out.reserve(text.size());
    size_t pos = 0;
    while (pos < text.size()) {
        if (text.size() - pos >= kLength) {
            std::string_view candidate = text.substr(pos, kLength);
            if (MatchesPattern(candidate, "####-##-##")) {
                int year = Number(candidate.substr(0, 4));
                int month = Number(candidate.substr(5, 2));
                int day = Number(candidate.substr(8, 2));
                if (IsValidIsoDate(year, month, day)) {
                    if (std::optional<std::string> shown = format(year, month, day)) {
                        out += *shown;
                        pos += kLength;
                        continue;
                    }
                }
            }
        }
        out += text[pos++];
    }
    return out;
}

std::string UnpaddedDateText(int year, int month, int day) {
    return std::to_string(year) + "-" + std::to_string(month) + "-" + std::to_string(day);
}

std::string UnpaddedTimeText(int hour, int minute, int second) {
    return std::to_string(hour) + ":" + std::to_string(minute) + ":" + std::to_string(second);
}
