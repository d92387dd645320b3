#pragma once

#include <string>

#include "expiration/expiration_value.h"

// Turns the date argument ("mm/dd/yy", "mm/dd/yyyy" or text containing
// "never") into the value to write: 01:00 local time on that day. A rejected
// date is reported on standard error and yields kRejectedDate.
ExpirationValue ParseExpirationDate(const std::string& dateText);
