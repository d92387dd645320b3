#include "expiration/expiration_display.h"

#include <cstdio>
#include <ctime>
#include <iostream>

#include "support/error_report.h"

NET_API_STATUS ShowExpiration(const WideChar* server, const WideChar* user)
{
    USER_INFO_2* record = nullptr;
    NET_API_STATUS status = NetUserGetInfo(server, user, 2, reinterpret_cast<LPBYTE*>(&record));
    if (status != NERR_Success) {
        ReportError("NetUserGetInfo: ", static_cast<int>(status));
        return status;
    }

    ExpirationValue value = record->usri2_acct_expires;
    std::cout << "Account Expires: ";
    if (value == TIMEQ_FOREVER)
        std::cout << "Never";
    else
        std::cout << FormatExpiration(value);
    std::cout << std::endl;

    return NetApiBufferFree(record);
}

std::string FormatExpiration(ExpirationValue value)
{
    // Taken as unsigned, so values past 2038 show their date in 2106 and not
    // a time before 1970.
    std::tm local{};
    if (!ToLocalTime(static_cast<std::int64_t>(value), local))
        return std::to_string(value);

    int hour = local.tm_hour % 12;
    if (hour == 0)
        hour = 12;
    const char* half = local.tm_hour > 11 ? "PM" : "AM";

    char text[64];
    std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d %s", local.tm_mon + 1, local.tm_mday,
                  local.tm_year + 1900, hour, local.tm_min, half);
    return text;
}
