#include "clock_double.h"

#include "platform/platform.h"

namespace {

std::int64_t g_now = 0;

}  // namespace

void SetCurrentTime(std::int64_t seconds)
{
    g_now = seconds;
}

std::int64_t CurrentTime()
{
    return g_now;
}
