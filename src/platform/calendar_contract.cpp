#include <ctime>

#include "platform/platform.h"

// The C library's mktime accepts far wider input than the date argument may
// rely on (and differs between systems), so the contract is checked here.
std::int64_t MakeLocalTime(std::tm& local)
{
    // Judged on the field as given, before anything is carried into it.
    if (local.tm_year < 70 || local.tm_year > 138)
        return -1;

    std::tm converted = local;
    std::int64_t seconds = static_cast<std::int64_t>(std::mktime(&converted));
    if (seconds <= 0 || seconds > 0x7FFFFFFF)
        return -1;

    // The converted record must be the local time of the result, whatever
    // the C library wrote into it.
    if (!ToLocalTime(seconds, converted))
        return -1;
    local = converted;
    return seconds;
}
