// Dates in the user's short date form (the locale's own picture), for texts
// GnuPG writes with yyyy-mm-dd dates.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The date as the user's locale writes it in short form; nothing for dates the
// system cannot format (before 1601).
std::optional<std::string> ShortDateText(int year, int month, int day);

// Every valid yyyy-mm-dd date in the text in the user's short date form.
std::string LocalizeIsoDates(std::string_view text);
