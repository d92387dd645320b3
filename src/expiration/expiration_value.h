#pragma once

#include <cstdint>

// Seconds since 00:00:00 UTC on 1 January 1970, as the account database
// keeps an account's expiration; TIMEQ_FOREVER means it never expires.
typedef std::uint32_t ExpirationValue;

// The driver's "nothing to write": no accepted date yields it.
constexpr ExpirationValue kRejectedDate = 0;
