#include <ctime>

#include "platform/platform.h"

std::int64_t CurrentTime()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}
