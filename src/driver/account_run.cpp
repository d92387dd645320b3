#include "driver/account_run.h"

#include <iostream>
#include <string>

#include "expiration/expiration_date.h"
#include "expiration/expiration_display.h"
#include "expiration/expiration_update.h"
#include "support/wide_string.h"

namespace {

const char kSuccessLine[] = "\nThe command completed successfully\n";
const char kFailureLine[] = "\nThe command did not complete successfully\n";

}  // namespace

int RunAccount(const CCmdLine& commandLine)
{
    CWString serverName(commandLine.GetSwitchValue("s"));
    CWString userName(commandLine.GetArgument(1));
    std::string dateText = commandLine.GetArgument(2);

    const WideChar* server = serverName.GetLength() == 0 ? nullptr : serverName.GetText();
    const WideChar* user = userName.GetText();

    // The date is read before the account is shown, so a rejected date is
    // reported above the account's current value.
    ExpirationValue expiration = kRejectedDate;
    bool dateGiven = false;
    if (!dateText.empty()) {
        dateGiven = true;
        expiration = ParseExpirationDate(dateText);
    }

    NET_API_STATUS status = ShowExpiration(server, user);
    if (status != NERR_Success)
        return static_cast<int>(status);

    if (dateGiven) {
        if (expiration == kRejectedDate) {
            std::cout << kFailureLine;
            return -1;
        }
        status = SetExpiration(server, user, expiration);
        if (status != NERR_Success)
            return static_cast<int>(status);
    }

    std::cout << kSuccessLine;
    return 0;
}
