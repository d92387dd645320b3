#pragma once

// What the doubles of the account calls share: the scripted statuses and
// the log of calls, so that every double answers and records alike.
//
//   VARDUN_DOUBLE_GET   statuses of successive NetUserGetInfo calls,
//   VARDUN_DOUBLE_SET   NetUserSetInfo calls and NetApiBufferFree calls,
//   VARDUN_DOUBLE_FREE  comma-separated; a missing entry is 0
//   VARDUN_DOUBLE_LOG   file to which each call is appended as a line

#include "platform/platform.h"

enum class AccountCall { kGetInfo, kSetInfo, kBufferFree };

// The status the script gives the next call of this kind (0: none).
NET_API_STATUS NextScriptedStatus(AccountCall call);

// Each appends the call, with its arguments as received, to the log.
void RecordGetInfo(const WideChar* server, const WideChar* user, DWORD level);
void RecordSetInfo(const WideChar* server, const WideChar* user, DWORD level,
                   const USER_INFO_1017* record, const DWORD* parameterError);
void RecordBufferFree();
