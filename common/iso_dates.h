// GnuPG writes dates as yyyy-mm-dd; the windows show them in the user's own short
// date form. The scanning lives here; the Windows side supplies the formatter.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

// A real calendar day (Gregorian) in the years 100 to 9999.
bool IsValidIsoDate(int year, int month, int day);

// The date in the user's short form, or nothing when it cannot be shown that way.
using ShortDateFormatter = std::function<std::optional<std::string>(int year, int month, int day)>;

// Every run of ten characters "####-##-##" that is a real date is replaced by its
// formatted form; invalid dates ("2023-02-30") and everything else stay as they
// are. Scanning goes on after each replacement, never inside the inserted text.
std::string LocalizeIsoDates(std::string_view text, const ShortDateFormatter& format);

// The clock as GetSysTime gives it: "2024-3-5" and "7:4:9", without leading zeros.
std::string UnpaddedDateText(int year, int month, int day);
std::string UnpaddedTimeText(int hour, int minute, int second);
