#include <gtest/gtest.h>

#include "common/iso_dates.h"

namespace {

// A recognisable stand-in for the user's short date form.
std::optional<std::string> DayFirst(int year, int month, int day) {
    return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(year);
}

}  // namespace

TEST(IsoDates, LocalizeReplacesOnlyRealDates) {
    struct Case {
        const char* text;
        const char* shown;
    } cases[] = {
        {"no dates here", "no dates here"},
        {"", ""},
        {"2023-01-15", "15.1.2023"},
        {"created 2023-01-15, expires 2024-02-29.", "created 15.1.2023, expires 29.2.2024."},
        {"2023-02-30 and 2023-02-29 and 2023-13-01 and 2023-00-10",
         "2023-02-30 and 2023-02-29 and 2023-13-01 and 2023-00-10"},
        {"1900-02-29 2000-02-29", "1900-02-29 29.2.2000"},  // century leap rules
        {"2023/01/15 2023-1-15 2023-01-1", "2023/01/15 2023-1-15 2023-01-1"},
        {"pub:u:2048:1:0123456789ABCDEF:2023-01-152024-01-15:", "pub:u:2048:1:0123456789ABCDEF:15.1.202315.1.2024:"},
        {"12023-01-15", "115.1.2023"},  // no word boundaries: any ten characters that form a date
    };
    for (const Case& c : cases) EXPECT_EQ(LocalizeIsoDates(c.text, DayFirst), c.shown) << c.text;
}

TEST(IsoDates, ScanningGoesOnAfterAReplacementAndKeepsWhatCannotBeShown) {
    // An inserted text that itself looks like a date is not scanned again.
    auto isoAgain = [](int, int, int) -> std::optional<std::string> { return "2023-01-15"; };
    EXPECT_EQ(LocalizeIsoDates("2023-01-15 2023-01-16", isoAgain), "2023-01-15 2023-01-15");
    auto cannot = [](int, int, int) -> std::optional<std::string> { return std::nullopt; };
    EXPECT_EQ(LocalizeIsoDates("on 2023-01-15", cannot), "on 2023-01-15");
}

TEST(IsoDates, ClockTextsHaveNoLeadingZeros) {
    EXPECT_EQ(UnpaddedDateText(2024, 3, 5), "2024-3-5");
    EXPECT_EQ(UnpaddedTimeText(7, 4, 0), "7:4:0");
    EXPECT_EQ(UnpaddedTimeText(23, 59, 59), "23:59:59");
}
