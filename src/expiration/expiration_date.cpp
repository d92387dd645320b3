#include "expiration/expiration_date.h"

#include <cerrno>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>

#include "platform/platform.h"

namespace {

// Reads one "%d" as sscanf would (white space, optional sign, digits) but
// refuses a number that does not fit a signed 32-bit integer instead of
// leaving it undefined.
bool ScanNumber(const char*& cursor, int& number)
{
    const char* start = cursor;
    while (std::isspace(static_cast<unsigned char>(*start)))
        ++start;
    if (*start == '+' || *start == '-')
        ++start;
    if (!std::isdigit(static_cast<unsigned char>(*start)))
        return false;

    errno = 0;
    char* end = nullptr;
    long long value = std::strtoll(cursor, &end, 10);
    if (errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return false;
    number = static_cast<int>(value);
    cursor = end;
    return true;
}

// "%d/%d/%d": each '/' must directly follow the number before it, and
// whatever follows the third number is ignored.
bool ScanDate(const char* text, int& month, int& day, int& year)
{
    const char* cursor = text;
    return ScanNumber(cursor, month) && *cursor++ == '/' && ScanNumber(cursor, day) &&
           *cursor++ == '/' && ScanNumber(cursor, year);
}

// The date text is quoted exactly as typed.
ExpirationValue Reject(const char* opening, const std::string& dateText)
{
    std::cerr << opening << dateText << "), not setting...\n";
    return kRejectedDate;
}

}  // namespace

ExpirationValue ParseExpirationDate(const std::string& dateText)
{
    static const char kBadDate[] = "Error: Bad Date (";

    if (std::strstr(dateText.c_str(), "never") != nullptr)
        return TIMEQ_FOREVER;

    int month = 0;
    int day = 0;
    int year = 0;
    // A missing number would otherwise be taken as 0, and '1/30' would
    // silently become 1/30/2000.
    if (!ScanDate(dateText.c_str(), month, day, year) || month == INT_MIN)
        return Reject(kBadDate, dateText);

    if (year < 70)
        year += 100;
    if (year > 1900)
        year -= 1900;

    std::tm local{};
    ToLocalTime(CurrentTime(), local);
    local.tm_year = year;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = 1;
    local.tm_min = 0;
    local.tm_sec = 0;

    std::int64_t result = MakeLocalTime(local);
    if (local.tm_mon != month - 1 || local.tm_mday != day || local.tm_year != year)
        return Reject(kBadDate, dateText);
    if (result == -1)
        return Reject("Error: mktime doesn't like that date (", dateText);
    return static_cast<ExpirationValue>(result);
}
