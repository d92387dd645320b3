#pragma once

#include <string>

#include "expiration/expiration_value.h"
#include "platform/platform.h"

// Reads the account and prints "Account Expires: " with its expiration.
// Returns the failing call's status, or 0.
NET_API_STATUS ShowExpiration(const WideChar* server, const WideChar* user);

// "m/d/yyyy h:mm AM" in local time, for any value but TIMEQ_FOREVER.
std::string FormatExpiration(ExpirationValue value);
