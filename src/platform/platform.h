#pragma once

// What the rest of Vardun needs from the system it runs on. Each backend
// folder implements it; the build picks one, and tests swap parts of it for
// doubles at link time.

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>

// Per backend: the 16-bit wide character `WideChar`, the network-management
// types and constants (DWORD, LPBYTE, NET_API_STATUS, NERR_Success,
// TIMEQ_FOREVER, USER_INFO_2, USER_INFO_1017) and the three account calls:
//
//   NET_API_STATUS NetUserGetInfo(server, user, level, LPBYTE* record);
//   NET_API_STATUS NetUserSetInfo(server, user, level, LPBYTE record, DWORD* parameterError);
//   NET_API_STATUS NetApiBufferFree(void* record);
//
// A null server means the local machine. A successful NetUserGetInfo hands
// out a record that NetApiBufferFree releases.
#include "account_api.h"

// Replaces `text` with the system's message for `status`; leaves it empty
// when the system has none.
void GetErrorText(std::string& text, int status);

// Converts NUL-terminated narrow text, in the system's narrow code page,
// through its NUL into `buffer`. Bytes the code page does not define become
// a replacement character, never a failure; n bytes never need more than
// n + 1 wide units, so a capacity of n + 1 always holds the whole text.
void ConvertToWide(const char* text, WideChar* buffer, std::size_t capacity);

// The calendar, in seconds since 00:00:00 UTC on 1 January 1970.
std::int64_t CurrentTime();

// Broken-down local time of any value an unsigned 32-bit count can hold;
// false when the system cannot convert it.
bool ToLocalTime(std::int64_t seconds, std::tm& local);

// Local time to calendar time, under a contract narrower than mktime's:
// - fails when tm_year, as given, is below 70 or above 138;
// - carries out-of-range fields into their neighbours;
// - takes tm_isdst as given (0 standard time, positive daylight time);
// - fails unless the result lies in 1 to 0x7FFFFFFF;
// - on success rewrites the record with the local time of the result, on
//   failure leaves it untouched.
// Returns -1 on failure.
std::int64_t MakeLocalTime(std::tm& local);

// The process exit code that reports `status` (main's result).
int ProcessExitStatus(int status);
