#include <gtest/gtest.h>

#include <windows.h>

#include "common/win/local_dates.h"

// Dates in GnuPG's texts shown in the user's short date form.
TEST(IsoDatesLocal, ValidDatesTakeTheUsersShortForm) {
    SYSTEMTIME date{};
    date.wYear = 2023;
    date.wMonth = 1;
    date.wDay = 15;
    char expected[64] = {};
    ASSERT_GT(GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &date, nullptr, expected, sizeof expected), 0);

    EXPECT_EQ(LocalizeIsoDates("created 2023-01-15, not 2023-02-30"),
              std::string("created ") + expected + ", not 2023-02-30");
    EXPECT_EQ(LocalizeIsoDates("no dates at all"), "no dates at all");
    // Years the system cannot format stay as they are.
    EXPECT_EQ(LocalizeIsoDates("1200-01-01"), "1200-01-01");
}
