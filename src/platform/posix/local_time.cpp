#include <ctime>

#include "platform/platform.h"

bool ToLocalTime(std::int64_t seconds, std::tm& local)
{
    std::time_t time = static_cast<std::time_t>(seconds);
    return localtime_r(&time, &local) != nullptr;
}
