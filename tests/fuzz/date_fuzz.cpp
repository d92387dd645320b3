// The date argument: any text, in any of the zones, at any of the moments.
// Input: a byte that picks the zone, a byte that picks the moment of the run,
// then the date text (up to its first NUL, as argv would hold it).

#include <cctype>
#include <charconv>
#include <cstdlib>
#include <ctime>
#include <string>

#include "captured_output.h"
#include "clock_double.h"
#include "expiration/expiration_date.h"
#include "fuzz_input.h"
#include "platform/platform.h"

namespace {

enum class Scan { kComplete, kIncomplete, kTooLarge };

// "%d/%d/%d" read independently of the code under test: white space, a
// sign and digits for each number; '/' right after the first two.
Scan ScanDate(const std::string& text, long long numbers[3])
{
    std::size_t at = 0;
    for (int i = 0; i < 3; ++i) {
        if (i > 0) {
            if (at >= text.size() || text[at] != '/')
                return Scan::kIncomplete;
            ++at;
        }
        while (at < text.size() && std::isspace(static_cast<unsigned char>(text[at])))
            ++at;
        bool negative = at < text.size() && text[at] == '-';
        if (at < text.size() && (text[at] == '-' || text[at] == '+'))
            ++at;
        std::size_t digits = at;
        while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9')
            ++digits;
        if (digits == at)
            return Scan::kIncomplete;
        std::string number = (negative ? "-" : "") + text.substr(at, digits - at);
        auto result = std::from_chars(number.data(), number.data() + number.size(), numbers[i]);
        if (result.ec != std::errc() || numbers[i] < -2147483648ll || numbers[i] > 2147483647ll)
            return Scan::kTooLarge;
        at = digits;
    }
    return Scan::kComplete;
}

// Days from 1 January 1970 to the given day of the proleptic Gregorian
// calendar (month 1 to 12).
long long DaysFromCivil(long long year, long long month, long long day)
{
    year -= month <= 2;
    long long era = (year >= 0 ? year : year - 399) / 400;
    long long yearOfEra = year - era * 400;
    long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

// The day that month and day of the month name once carried into their
// neighbours, as days from 1 January 1970.
long long CarriedDay(long long year, long long month, long long day)
{
    long long months = year * 12 + (month - 1);
    long long carriedYear = months >= 0 ? months / 12 : (months - 11) / 12;
    long long carriedMonth = months - carriedYear * 12 + 1;
    return DaysFromCivil(carriedYear, carriedMonth, 1) + (day - 1);
}

// 01:00 on these days lies in range in every zone: 2 January 1970 to 18
// January 2038. Only 1 January 1970 and 19 January 2038 depend on the zone.
constexpr long long kFirstSafeDay = 1;
constexpr long long kLastSafeDay = 24854;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    UseFuzzZone(input.Byte());
    std::int64_t now = Pick(kFuzzMoments, input.Byte());
    SetCurrentTime(now);
    std::string rest = input.Rest();
    std::string text(rest.c_str());

    ExpirationValue value;
    std::string written;
    {
        CapturedOutput output;
        value = ParseExpirationDate(text);
        Require(output.Text(false).empty(), "nothing on standard output");
        written = output.Text(true);
    }
    const std::string badDate = "Error: Bad Date (" + text + "), not setting...\n";
    const std::string mktimeLine = "Error: mktime doesn't like that date (" + text + "), not setting...\n";
    const std::string detail = "date '" + text + "' written '" + written + "' value " +
                               std::to_string(value) + " zone " + std::getenv("TZ") +
                               " now " + std::to_string(now);

    if (text.find("never") != std::string::npos) {
        Require(value == TIMEQ_FOREVER && written.empty(), "'never' anywhere clears", detail);
        return 0;
    }
    Require(value != TIMEQ_FOREVER, "only 'never' clears", detail);
    if (value == kRejectedDate)
        Require(written == badDate || written == mktimeLine,
                "a rejected date writes one of its two lines", detail);
    else
        Require(written.empty(), "an accepted date writes nothing", detail);

    long long numbers[3];
    if (ScanDate(text, numbers) != Scan::kComplete) {
        Require(value == kRejectedDate, "text without three numbers is rejected", detail);
        return 0;
    }
    long long month = numbers[0], day = numbers[1], year = numbers[2];
    if (month == -2147483648ll) {
        // month - 1 does not fit: rejected before anything else
        Require(value == kRejectedDate, "the lowest month is rejected", detail);
        return 0;
    }
    if (year < 70)
        year += 100;
    if (year > 1900)
        year -= 1900;
    if (year < 70 || year > 138) {
        Require(written == mktimeLine, "a year outside 1970 to 2038 cannot be converted", detail);
        return 0;
    }
    if (month <= 0) {
        Require(value == kRejectedDate, "a month of 0 or below is rejected", detail);
        return 0;
    }

    long long typedDay = CarriedDay(year + 1900, month, day);
    bool realDay = month <= 12 && day >= 1 &&
                   CarriedDay(year + 1900, month, day) < CarriedDay(year + 1900, month + 1, 1);
    if (value != kRejectedDate) {
        Require(realDay, "only a day of the calendar is accepted", detail);
        Require(value <= 0x7FFFFFFF, "an accepted value lies in 1 to 0x7FFFFFFF", detail);
        std::tm local{};
        Require(ToLocalTime(value, local), "an accepted value has a local time", detail);
        Require(local.tm_mon + 1 == month && local.tm_mday == day && local.tm_year == year,
                "an accepted value falls on the given day", detail);
        Require(local.tm_hour <= 2, "an accepted value is early on the day", detail);
        return 0;
    }

    // Far enough from the ends of the range that no zone can move the day
    // across them.
    if (typedDay >= kFirstSafeDay && typedDay <= kLastSafeDay)
        Require(!realDay && written == badDate,
                "a day of the calendar in range is accepted; one carried to another day is a "
                "bad date",
                detail);
    if (typedDay < kFirstSafeDay - 1 || typedDay > kLastSafeDay + 1)
        Require(written == mktimeLine, "a day carried out of range cannot be converted", detail);
    return 0;
}
