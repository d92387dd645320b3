#pragma once

// An in-process double of the three account calls for fuzz targets, which run
// many inputs in one process: each input starts a fresh script. It serves one
// account, answers each call with the next status of its script, and records
// every call with its arguments.

#include <string>
#include <vector>

#include "platform/platform.h"

struct AccountScript {
    DWORD expires = TIMEQ_FOREVER;
    // Statuses of successive calls; a call past the end gets 0.
    std::vector<NET_API_STATUS> get;
    std::vector<NET_API_STATUS> set;
    std::vector<NET_API_STATUS> release;
};

struct RecordedCall {
    enum Kind { kGet, kSet, kRelease } kind;
    const WideChar* server;  // the pointers as passed
    const WideChar* user;
    std::u16string serverText;
    std::u16string userText;
    DWORD level;
    DWORD value;                // the record's value, for kSet
    bool parameterErrorWanted;  // kSet asked for the index of a bad parameter
};

void StartScript(const AccountScript& script);
const std::vector<RecordedCall>& RecordedCalls();
// Records handed out by NetUserGetInfo and not yet released.
int OutstandingRecords();

// The line that reports a failed call: prefix, "(", the status as a signed
// number, ") " and the system's text, or a line break when it has none.
std::string ExpectedErrorLine(const char* prefix, NET_API_STATUS status);
