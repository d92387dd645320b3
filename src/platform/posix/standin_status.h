#pragma once

#include "account_api.h"

// The statuses of the stand-in account database, numbered as the Windows
// statuses whose meaning they share.
enum StandInStatus : NET_API_STATUS {
    kAccessDenied = 5,          // ERROR_ACCESS_DENIED: this caller may not write the database
    kNotEnoughMemory = 8,       // ERROR_NOT_ENOUGH_MEMORY
    kInvalidData = 13,          // ERROR_INVALID_DATA: a stored value outside 0..4294967295
    kBadNetPath = 53,           // ERROR_BAD_NETPATH: no such server
    kInvalidParameter = 87,     // ERROR_INVALID_PARAMETER: a null user or record
    kOpenFailed = 110,          // ERROR_OPEN_FAILED: the database file cannot be opened
    kInvalidLevel = 124,        // ERROR_INVALID_LEVEL: a level other than 2 or 1017
    kBusy = 170,                // ERROR_BUSY: another writer held the lock past the wait
    kIoDevice = 1117,           // ERROR_IO_DEVICE: reading or writing the file failed
    kFileCorrupt = 1392,        // ERROR_FILE_CORRUPT: corrupt, or not an account database
    kUserNotFound = 2221,       // NERR_UserNotFound
};
