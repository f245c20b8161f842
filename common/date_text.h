// Calendar arithmetic and the locale's date and time pictures, done here rather
// than by the system so that thousands of key dates format in microseconds and the
// host build can test them. The Windows side fills DateStyle from the user's
// locale (LOCALE_SSHORTDATE, LOCALE_STIMEFORMAT and the day and month names).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

struct CivilDateTime {
    int year = 1970;
    int month = 1;  // 1..12
    int day = 1;    // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Proleptic Gregorian calendar, UTC, no leap seconds.
CivilDateTime CivilFromUnixSeconds(int64_t seconds);
int64_t DaysFromCivil(int year, int month, int day);
// 0 = Sunday .. 6 = Saturday.
int WeekdayOf(int year, int month, int day);
bool IsValidCivilDate(int year, int month, int day);

// A date written as text: "yyyy-mm-dd" (one or two digits for month and day) or
// ISO 8601 basic "yyyymmddThhmmss", as GnuPG prints dates without fixed-list-mode.
// Years 100 to 9999, the range our date texts can show.
std::optional<CivilDateTime> ParseDateText(std::string_view text);

struct DateNames {
    std::array<std::string, 12> months = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};
    std::array<std::string, 12> monthsShort = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                               "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // The forms some languages use for a month next to a day number ("3. Februar",
    // "3 lutego"); the same as the plain names where the language has none.
    std::array<std::string, 12> monthsGenitive = months;
    std::array<std::string, 12> monthsShortGenitive = monthsShort;
    // Index 0 is Sunday.
    std::array<std::string, 7> days = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    std::array<std::string, 7> daysShort = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    std::string am = "AM";
    std::string pm = "PM";
    std::string era = "A.D.";
};

// How dates are shown: the locale's short date and time pictures and names, and
// the offset of local time from UTC at the moment of reading (seconds).
struct DateStyle {
    std::string shortDatePicture = "yyyy-MM-dd";
    std::string timePicture = "HH:mm:ss";
    DateNames names;
    int64_t localOffsetSeconds = 0;
};

// Formats with a Windows date or time picture: d dd ddd dddd, M MM MMM MMMM,
// y yy (two digits) yyyy, g gg, h hh H HH, m mm, s ss, t tt; 'quoted text' is
// literal ('' inside it is one quote); every other character stands for itself.
// Month names take their genitive form when the picture also shows the day number.
std::string FormatDateTimePicture(std::string_view picture, const CivilDateTime& when, const DateNames& names);

// "yyyy-mm-dd", the sort form of a date.
std::string SortableDate(const CivilDateTime& when);

// The locale's general date-and-time form: short date, a blank and the time; a
// time of exactly midnight is left out, as the general form does.
std::string GeneralDateTimeText(const CivilDateTime& when, const DateStyle& style);
