#pragma once

#include "expiration/expiration_value.h"
#include "platform/platform.h"

// Writes the new expiration and, when that succeeds, shows the account again.
// Returns the failing call's status, or 0.
NET_API_STATUS SetExpiration(const WideChar* server, const WideChar* user, ExpirationValue value);
