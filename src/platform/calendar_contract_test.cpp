#include <gtest/gtest.h>

#include <ctime>

#include "platform/platform.h"
#include "time_zone.h"

namespace {

std::tm Record(int year, int month, int day, int hour, int isDaylight = 0)
{
    std::tm local{};
    local.tm_year = year;
    local.tm_mon = month;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_isdst = isDaylight;
    local.tm_wday = 9;  // ignored on the way in, rewritten on success
    return local;
}

bool SameRecord(const std::tm& a, const std::tm& b)
{
    return a.tm_year == b.tm_year && a.tm_mon == b.tm_mon && a.tm_mday == b.tm_mday &&
           a.tm_hour == b.tm_hour && a.tm_min == b.tm_min && a.tm_sec == b.tm_sec &&
           a.tm_isdst == b.tm_isdst && a.tm_wday == b.tm_wday && a.tm_yday == b.tm_yday;
}

TEST(CalendarContract, FailureLeavesTheRecordUntouched)
{
    UseTimeZone("UTC0");
    const std::tm failing[] = {
        Record(69, 11, 31, 23),   // before 1970
        Record(139, 0, 1, 0),     // after 2038
        Record(138, 0, 19, 4),    // past 03:14:07 on 19 January 2038
        Record(70, 0, 1, 0),      // the count 0 is not after 1970
        Record(138, 12, 1, 0),    // carried past 2038
        Record(70, 0, -5, 0),     // carried back before 1970
    };
    for (const std::tm& given : failing) {
        std::tm local = given;
        EXPECT_EQ(MakeLocalTime(local), -1) << given.tm_year << "/" << given.tm_mon;
        EXPECT_TRUE(SameRecord(local, given));
    }
}

TEST(CalendarContract, YearIsJudgedBeforeCarrying)
{
    UseTimeZone("UTC0");
    std::tm carriedIntoRange = Record(69, 24, 1, 1);  // would be January 1971
    EXPECT_EQ(MakeLocalTime(carriedIntoRange), -1);

    std::tm carriedWithin = Record(101, 13, 31, 1);  // month 13 of 2001, day 31: 3 March 2002
    EXPECT_EQ(MakeLocalTime(carriedWithin), 1015117200);
    EXPECT_EQ(carriedWithin.tm_year, 102);
    EXPECT_EQ(carriedWithin.tm_mon, 2);
    EXPECT_EQ(carriedWithin.tm_mday, 3);
    EXPECT_EQ(carriedWithin.tm_wday, 0);
}

TEST(CalendarContract, DaylightFlagIsTakenAsGiven)
{
    UseTimeZone("EST5EDT");
    std::tm standard = Record(102, 6, 4, 1, 0);   // 01:00 EST on 4 July 2002
    std::tm daylight = Record(102, 6, 4, 1, 1);   // 01:00 EDT
    EXPECT_EQ(MakeLocalTime(standard), 1025762400);
    EXPECT_EQ(standard.tm_hour, 2);  // shown as 02:00 EDT
    EXPECT_EQ(MakeLocalTime(daylight), 1025758800);

    std::tm winterAsDaylight = Record(102, 0, 30, 1, 1);
    EXPECT_EQ(MakeLocalTime(winterAsDaylight), 1012366800);
    EXPECT_EQ(winterAsDaylight.tm_hour, 0);
    EXPECT_EQ(winterAsDaylight.tm_isdst, 0);
}

TEST(CalendarContract, LastSecondConverts)
{
    UseTimeZone("UTC0");
    std::tm last = Record(138, 0, 19, 3);
    last.tm_min = 14;
    last.tm_sec = 7;
    EXPECT_EQ(MakeLocalTime(last), 0x7FFFFFFF);
}

}  // namespace
