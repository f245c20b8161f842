#include "common/win/local_dates.h"

#include <windows.h>

#include "common/iso_dates.h"

std::optional<std::string> ShortDateText(int year, int month, int day) {
    if (!IsValidIsoDate(year, month, day)) return std::nullopt;
    SYSTEMTIME date{};
    date.wYear = static_cast<WORD>(year);
    date.wMonth = static_cast<WORD>(month);
    date.wDay = static_cast<WORD>(day);
    char text[128] = {};
    if (!GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, text, sizeof text)) return std::nullopt;
    return std::string(text);
}

std::string LocalizeIsoDates(std::string_view text) {
    return LocalizeIsoDates(text, ShortDateText);
}
