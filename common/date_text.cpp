#include "common/date_text.h"

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads `count` digits at `pos`; -1 when any is missing or not a digit.
int Digits(std::string_view text, size_t pos, size_t count) {
    if (pos + count > text.size()) return -1;
    int value = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (!IsDigit(text[i])) return -1;
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

void AppendNumber(std::string& out, int value, int minDigits) {
    char buffer[16];
    int length = 0;
    unsigned v = value < 0 ? 0u : static_cast<unsigned>(value);
    do {
        buffer[length++] = static_cast<char>('0' + v % 10);
        v /= 10;
    } while (v != 0 && length < 15);
    for (int i = length; i < minDigits; ++i) out += '0';
    while (length > 0) out += buffer[--length];
}

int Hour12(int hour) {
    int h = hour % 12;
    return h == 0 ? 12 : h;
}

}  // namespace

int64_t DaysFromCivil(int year, int month, int day) {
    // Howard Hinnant's days_from_civil: March-based years make February last.
    int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yearOfEra = y - era * 400;
    int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

CivilDateTime CivilFromUnixSeconds(int64_t seconds) {
    int64_t days = seconds / 86400;
    int64_t rest = seconds % 86400;
    if (rest < 0) {
        rest += 86400;
        --days;
    }
    int64_t z = days + 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t dayOfEra = z - era * 146097;
    int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    int64_t mp = (5 * dayOfYear + 2) / 153;
    CivilDateTime out;
    out.day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    out.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    out.year = static_cast<int>(yearOfEra + era * 400 + (out.month <= 2 ? 1 : 0));
    out.hour = static_cast<int>(rest / 3600);
    out.minute = static_cast<int>(rest / 60 % 60);
    out.second = static_cast<int>(rest % 60);
    return out;
}

int WeekdayOf(int year, int month, int day) {
    int64_t days = DaysFromCivil(year, month, day);
    // 1970-01-01 was a Thursday.
    int64_t weekday = (days + 4) % 7;
    return static_cast<int>(weekday < 0 ? weekday + 7 : weekday);
}

bool IsValidCivilDate(int year, int month, int day) {
    if (month < 1 || month > 12 || day < 1) return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int last = kDays[month - 1] + (month == 2 && leap ? 1 : 0);
    return day <= last;
}

std::optional<CivilDateTime> ParseDateText(std::string_view text) {
    CivilDateTime when;
    if (text.size() == 15 && text[8] == 'T') {
        when.year = Digits(text, 0, 4);
        when.month = Digits(text, 4, 2);
        when.day = Digits(text, 6, 2);
        when.hour = Digits(text, 9, 2);
        when.minute = Digits(text, 11, 2);
        when.second = Digits(text, 13, 2);
        if (when.hour < 0 || when.hour > 23 || when.minute < 0 || when.minute > 59 || when.second < 0 ||
            when.second > 59)
            return std::nullopt;
    } else {
        if (text.size() < 8 || text.size() > 10 || text[4] != '-') return std::nullopt;
        when.year = Digits(text, 0, 4);
        size_t secondDash = text.find('-', 5);
        if (secondDash == std::string_view::npos || secondDash == 5 || secondDash > 7) return std::nullopt;
        size_t dayLength = text.size() - secondDash - 1;
        if (dayLength < 1 || dayLength > 2) return std::nullopt;
        when.month = Digits(text, 5, secondDash - 5);
        when.day = Digits(text, secondDash + 1, dayLength);
    }
    if (when.year < 100 || !IsValidCivilDate(when.year, when.month, when.day)) return std::nullopt;
    return when;
}

namespace {

// A "d" or "dd" outside quotes: the picture shows the day as a number.
bool ShowsDayNumber(std::string_view picture) {
    bool quoted = false;
    for (size_t i = 0; i < picture.size();) {
        if (picture[i] == '\'') {
            quoted = !quoted;
            ++i;
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == picture[i]) ++run;
        if (!quoted && picture[i] == 'd' && run <= 2) return true;
        i += run;
    }
    return false;
}

}  // namespace

std::string FormatDateTimePicture(std::string_view picture, const CivilDateTime& when, const DateNames& names) {
    const bool genitive = ShowsDayNumber(picture);
    std::string out;  // a short date fits in the string itself: no reserve, no allocation
    size_t i = 0;
    while (i < picture.size()) {
        char c = picture[i];
        if (c == '\'') {
            // Quoted literal; inside it two quotes in a row stand for one (outside,
            // "''" is just an empty literal).
            ++i;
            while (i < picture.size()) {
                if (picture[i] == '\'') {
                    if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                        out += '\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                out += picture[i++];
            }
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c) ++run;
        switch (c) {
            case 'd':
                if (run == 1 || run == 2)
                    AppendNumber(out, when.day, static_cast<int>(run));
                else if (run == 3)
                    out += names.daysShort[WeekdayOf(when.year, when.month, when.day)];
                else
                    out += names.days[WeekdayOf(when.year, when.month, when.day)];
                break;
            case 'M':
                if (run == 1 || run == 2)
                    AppendNumber(out, when.month, static_cast<int>(run));
                else if (run == 3)
                    out += (genitive ? names.monthsShortGenitive : names.monthsShort)[(when.month - 1) % 12];
                else
                    out += (genitive ? names.monthsGenitive : names.months)[(when.month - 1) % 12];
                break;
            case 'y':
                // "y" and "yy" both give two digits, as the system's formatting does.
                if (run <= 2)
                    AppendNumber(out, when.year % 100, 2);
                else
                    AppendNumber(out, when.year, 4);
                break;
            case 'g':
                out += names.era;
                break;
            case 'h':
                AppendNumber(out, Hour12(when.hour), run >= 2 ? 2 : 1);
                break;
            case 'H':
                AppendNumber(out, when.hour, run >= 2 ? 2 : 1);
                break;
            case 'm':
                AppendNumber(out, when.minute, run >= 2 ? 2 : 1);
                break;
            case 's':
                AppendNumber(out, when.second, run >= 2 ? 2 : 1);
                break;
            case 't': {
                const std::string& marker = when.hour < 12 ? names.am : names.pm;
                if (run == 1)
                    out += marker.substr(0, 1);
                else
                    out += marker;
                break;
            }
            default:
                out.append(run, c);
        }
        i += run;
    }
    return out;
}

std::string SortableDate(const CivilDateTime& when) {
    std::string out;
    out.reserve(10);
    AppendNumber(out, when.year, 4);
    out += '-';
    AppendNumber(out, when.month, 2);
    out += '-';
    AppendNumber(out, when.day, 2);
    return out;
}

std::string GeneralDateTimeText(const CivilDateTime& when, const DateStyle& style) {
    std::string text = FormatDateTimePicture(style.shortDatePicture, when, style.names);
    if (when.hour != 0 || when.minute != 0 || when.second != 0)
        text += " " + FormatDateTimePicture(style.timePicture, when, style.names);
    return text;
}
