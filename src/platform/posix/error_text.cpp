#include "platform/platform.h"
#include "standin_status.h"

void GetErrorText(std::string& text, int status)
{
    switch (static_cast<NET_API_STATUS>(status)) {
    case kAccessDenied: text = "Access is denied.\n"; break;
    case kNotEnoughMemory: text = "Not enough memory to read the account database.\n"; break;
    case kInvalidData: text = "The account database holds an expiration value out of range.\n"; break;
    case kBadNetPath: text = "The network path was not found.\n"; break;
    case kInvalidParameter: text = "The parameter is incorrect.\n"; break;
    case kOpenFailed: text = "The account database could not be opened.\n"; break;
    case kInvalidLevel: text = "The system call level is not correct.\n"; break;
    case kBusy: text = "The account database is locked by another program.\n"; break;
    case kIoDevice: text = "The account database could not be read or written.\n"; break;
    case kFileCorrupt: text = "The account database is corrupt or is not an account database.\n"; break;
    case kUserNotFound: text = "The user name could not be found.\n"; break;
    default: text.clear(); break;
    }
}
