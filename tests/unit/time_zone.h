#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

// Sets the zone that the C library's calendar functions use, for one test.
inline void UseTimeZone(const std::string& zone)
{
    setenv("TZ", zone.c_str(), 1);
    tzset();
}
