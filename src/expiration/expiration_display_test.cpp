#include "expiration/expiration_display.h"

#include <gtest/gtest.h>

#include "time_zone.h"

namespace {

struct DisplayCase {
    const char* zone;
    ExpirationValue value;
    const char* text;
};

class ExpirationDisplay : public testing::TestWithParam<DisplayCase> {};

TEST_P(ExpirationDisplay, ShowsLocalDateAndTwelveHourTime)
{
    UseTimeZone(GetParam().zone);
    EXPECT_EQ(FormatExpiration(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, ExpirationDisplay,
    testing::Values(
        DisplayCase{"UTC0", 0, "1/1/1970 12:00 AM"},
        DisplayCase{"UTC0", 59, "1/1/1970 12:00 AM"},
        DisplayCase{"UTC0", 3600, "1/1/1970 1:00 AM"},
        DisplayCase{"UTC0", 11 * 3600 + 59 * 60, "1/1/1970 11:59 AM"},
        DisplayCase{"UTC0", 12 * 3600, "1/1/1970 12:00 PM"},
        DisplayCase{"UTC0", 13 * 3600 + 5 * 60 + 59, "1/1/1970 1:05 PM"},
        DisplayCase{"UTC0", 23 * 3600 + 59 * 60, "1/1/1970 11:59 PM"},
        DisplayCase{"UTC0", 1012348800, "1/30/2002 12:00 AM"},
        DisplayCase{"UTC0", 1012352400, "1/30/2002 1:00 AM"},
        DisplayCase{"UTC0", 951786000, "2/29/2000 1:00 AM"},
        DisplayCase{"UTC0", 0x7FFFFFFF, "1/19/2038 3:14 AM"},
        DisplayCase{"UTC0", 0x80000000, "1/19/2038 3:14 AM"},
        DisplayCase{"UTC0", 0xFFFFFFFE, "2/7/2106 6:28 AM"},
        DisplayCase{"XXX-1", 0, "1/1/1970 1:00 AM"},
        DisplayCase{"EST5EDT", 0, "12/31/1969 7:00 PM"},
        DisplayCase{"EST5EDT", 1012352400, "1/29/2002 8:00 PM"},
        DisplayCase{"EST5EDT", 1025758800, "7/4/2002 1:00 AM"}));

}  // namespace
