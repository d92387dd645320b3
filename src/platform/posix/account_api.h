#pragma once

#include <cstdint>

// The account calls of the stand-in account database, under the names and
// types of the network-management API whose part they play.

typedef char16_t WideChar;
typedef std::uint32_t DWORD;
typedef DWORD NET_API_STATUS;
typedef unsigned char BYTE;
typedef BYTE* LPBYTE;

constexpr NET_API_STATUS NERR_Success = 0;
constexpr DWORD TIMEQ_FOREVER = 0xFFFFFFFFu;

// Of the account record only the expiration is kept.
struct USER_INFO_2 {
    DWORD usri2_acct_expires;
};

struct USER_INFO_1017 {
    DWORD usri1017_acct_expires;
};

NET_API_STATUS NetUserGetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE* record);
NET_API_STATUS NetUserSetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE record, DWORD* parameterError);
NET_API_STATUS NetApiBufferFree(void* record);
