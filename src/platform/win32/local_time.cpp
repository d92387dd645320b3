#include <ctime>

#include "platform/platform.h"

// The 32-bit localtime of the C runtime gives nothing from 0x80000000 on,
// which expiration values past 2038 need.
bool ToLocalTime(std::int64_t seconds, std::tm& local)
{
    __time64_t time = seconds;
    return _localtime64_s(&local, &time) == 0;
}
