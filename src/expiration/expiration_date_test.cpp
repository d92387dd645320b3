#include "expiration/expiration_date.h"

#include <gtest/gtest.h>

#include <string>

#include "clock_double.h"
#include "platform/platform.h"
#include "time_zone.h"

namespace {

constexpr std::int64_t kWinter2026 = 1768478400;  // 15 January 2026, 12:00 UTC
constexpr std::int64_t kSummer2026 = 1784116800;  // 15 July 2026, 12:00 UTC

enum Line { kNone, kBadDate, kMktime };

struct DateCase {
    const char* zone;
    std::int64_t now;
    std::string text;
    ExpirationValue value;
    Line line;
};

void PrintTo(const DateCase& c, std::ostream* out)
{
    *out << c.zone << " '" << c.text << "'";
}

std::string ExpectedLine(const DateCase& c)
{
    switch (c.line) {
    case kBadDate: return "Error: Bad Date (" + c.text + "), not setting...\n";
    case kMktime: return "Error: mktime doesn't like that date (" + c.text + "), not setting...\n";
    default: return "";
    }
}

class ExpirationDate : public testing::TestWithParam<DateCase> {};

TEST_P(ExpirationDate, GivesOneInTheMorningOrRejectsWithItsLine)
{
    const DateCase& c = GetParam();
    UseTimeZone(c.zone);
    SetCurrentTime(c.now);
    testing::internal::CaptureStderr();
    ExpirationValue value = ParseExpirationDate(c.text);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), ExpectedLine(c));
    EXPECT_EQ(value, c.value);
}

const char kUtc[] = "UTC0";
const char kEast[] = "XXX-1";
const char kDaylight[] = "EST5EDT";

INSTANTIATE_TEST_SUITE_P(
    Utc, ExpirationDate,
    testing::Values(
        DateCase{kUtc, kWinter2026, "1/30/02", 1012352400, kNone},
        DateCase{kUtc, kWinter2026, "1/30/2002", 1012352400, kNone},
        DateCase{kUtc, kWinter2026, "01/30/2002", 1012352400, kNone},
        DateCase{kUtc, kWinter2026, "1/30/102", 1012352400, kNone},
        DateCase{kUtc, kWinter2026, " +1/ 30/\t02", 1012352400, kNone},
        DateCase{kUtc, kWinter2026, "1/30/02 and more", 1012352400, kNone},
        DateCase{kUtc, kWinter2026, "1/1/70", 3600, kNone},
        DateCase{kUtc, kWinter2026, "1/19/2038", 2147475600, kNone},
        DateCase{kUtc, kWinter2026, "2/29/2000", 951786000, kNone},
        DateCase{kUtc, kWinter2026, "1/30/-1", 917658000, kNone},
        DateCase{kUtc, kWinter2026, "2/29/2001", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "4/31/2002", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "13/1/2002", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1/0/2002", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1/20/2038", 0, kMktime},
        DateCase{kUtc, kWinter2026, "12/31/1969", 0, kMktime},
        DateCase{kUtc, kWinter2026, "1/1/1969", 0, kMktime},
        DateCase{kUtc, kWinter2026, "1/30/69", 0, kMktime},
        DateCase{kUtc, kWinter2026, "1/30/1900", 0, kMktime},
        DateCase{kUtc, kWinter2026, "1/30/-31", 0, kMktime},
        DateCase{kUtc, kWinter2026, "1/2147483647/2002", 0, kMktime},
        DateCase{kUtc, kWinter2026, "1/1/2147483647", 0, kMktime}));

// The word, and text that is not a whole date. A number that does not fit 32
// bits is refused rather than left to the scan.
INSTANTIATE_TEST_SUITE_P(
    Words, ExpirationDate,
    testing::Values(
        DateCase{kUtc, kWinter2026, "never", 0xFFFFFFFF, kNone},
        DateCase{kUtc, kWinter2026, "nevermore", 0xFFFFFFFF, kNone},
        DateCase{kUtc, kWinter2026, "1/30/02never", 0xFFFFFFFF, kNone},
        DateCase{kUtc, kWinter2026, "forever", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "Never", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "NEVER", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "tomorrow", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1/30", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1/30/", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1-30-02", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1 /30/02", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1/30/+", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "99999999999/1/2002", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "1/1/2147483648", 0, kBadDate},
        DateCase{kUtc, kWinter2026, "-2147483648/1/2002", 0, kBadDate}));

// The daylight-saving state of the moment of the run applies to the date.
INSTANTIATE_TEST_SUITE_P(
    Zones, ExpirationDate,
    testing::Values(
        DateCase{kEast, kWinter2026, "1/1/70", 0, kMktime},
        DateCase{kEast, kWinter2026, "1/30/02", 1012348800, kNone},
        DateCase{kDaylight, kWinter2026, "1/30/2002", 1012370400, kNone},
        DateCase{kDaylight, kSummer2026, "1/30/2002", 1012366800, kNone},
        DateCase{kDaylight, kWinter2026, "7/4/2002", 1025762400, kNone},
        DateCase{kDaylight, kSummer2026, "7/4/2002", 1025758800, kNone},
        DateCase{kDaylight, kWinter2026, "1/1/70", 21600, kNone}));

TEST(ExpirationDate, MonthZeroOrBelowIsAlwaysRejected)
{
    UseTimeZone(kUtc);
    SetCurrentTime(kWinter2026);
    for (const char* text : {"0/10/2002", "-1/10/2002", "0/1/70", "-12/31/2003"}) {
        testing::internal::CaptureStderr();
        EXPECT_EQ(ParseExpirationDate(text), 0u) << text;
        EXPECT_NE(testing::internal::GetCapturedStderr(), "") << text;
    }
}

}  // namespace
