#include "expiration/expiration_update.h"

#include <cstring>
#include <iostream>

#include "expiration/expiration_display.h"
#include "support/error_report.h"

NET_API_STATUS SetExpiration(const WideChar* server, const WideChar* user, ExpirationValue value)
{
    std::cout << "Setting...\n";

    USER_INFO_1017 record;
    std::memset(&record, 0, sizeof record);
    record.usri1017_acct_expires = value;

    NET_API_STATUS status =
        NetUserSetInfo(server, user, 1017, reinterpret_cast<LPBYTE>(&record), nullptr);
    if (status != NERR_Success) {
        ReportError("NetUserSetInfo: ", static_cast<int>(status));
        return status;
    }
    return ShowExpiration(server, user);
}
