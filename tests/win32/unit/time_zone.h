#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

// Sets the zone that the C runtime's calendar functions use, for one test.
// The runtime copies the setting.
inline void UseTimeZone(const std::string& zone)
{
    _putenv(("TZ=" + zone).c_str());
    _tzset();
}
