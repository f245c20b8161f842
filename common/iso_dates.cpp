#include "common/iso_dates.h"

#include "common/wildcard.h"

namespace {

int Number(std::string_view digits) {
    int value = 0;
    for (char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

bool IsValidIsoDate(int year, int month, int day) {
    if (year < 100 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
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
