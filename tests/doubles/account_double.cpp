// A scripted stand-in for the three account calls, linked into a test build
// of the command (vardun_double). It serves one account whose expiration
// every user shares, answers each call with the next status of its script,
// and records every call, so end-to-end tests can check the arguments.
//
//   VARDUN_DOUBLE_EXPIRES  the account's expiration (default: never)
//   and the script and log of call_script.h

#include <cstdlib>

#include "call_script.h"
#include "platform/platform.h"

namespace {

DWORD g_expires = TIMEQ_FOREVER;
bool g_loaded = false;

void Load()
{
    if (g_loaded)
        return;
    g_loaded = true;
    if (const char* value = std::getenv("VARDUN_DOUBLE_EXPIRES"))
        g_expires = static_cast<DWORD>(std::strtoul(value, nullptr, 0));
}

}  // namespace

NET_API_STATUS NetUserGetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE* record)
{
    Load();
    RecordGetInfo(server, user, level);
    NET_API_STATUS status = NextScriptedStatus(AccountCall::kGetInfo);
    if (status != NERR_Success)
        return status;
    USER_INFO_2* information = new USER_INFO_2();
    information->usri2_acct_expires = g_expires;
    *record = reinterpret_cast<LPBYTE>(information);
    return NERR_Success;
}

NET_API_STATUS NetUserSetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE record, DWORD* parameterError)
{
    Load();
    const USER_INFO_1017* information = reinterpret_cast<const USER_INFO_1017*>(record);
    RecordSetInfo(server, user, level, information, parameterError);
    NET_API_STATUS status = NextScriptedStatus(AccountCall::kSetInfo);
    if (status == NERR_Success)
        g_expires = information->usri1017_acct_expires;
    return status;
}

NET_API_STATUS NetApiBufferFree(void* record)
{
    RecordBufferFree();
    delete static_cast<USER_INFO_2*>(record);
    return NextScriptedStatus(AccountCall::kBufferFree);
}
