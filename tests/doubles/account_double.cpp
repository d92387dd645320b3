// A scripted stand-in for the three account calls, linked into a test build
// of the command (vardun_double). It serves one account whose expiration
// every user shares, answers each call with the next status of its script,
// and records every call, so end-to-end tests can check the arguments.
//
//   VARDUN_DOUBLE_EXPIRES  the account's expiration (default: never)
//   VARDUN_DOUBLE_GET      statuses of successive NetUserGetInfo calls,
//   VARDUN_DOUBLE_SET      NetUserSetInfo calls and NetApiBufferFree calls,
//   VARDUN_DOUBLE_FREE     comma-separated; a missing entry is 0
//   VARDUN_DOUBLE_LOG      file to which each call is appended as a line

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

DWORD g_expires = TIMEQ_FOREVER;
bool g_loaded = false;
int g_getCalls = 0;
int g_setCalls = 0;
int g_freeCalls = 0;

void Load()
{
    if (g_loaded)
        return;
    g_loaded = true;
    if (const char* value = std::getenv("VARDUN_DOUBLE_EXPIRES"))
        g_expires = static_cast<DWORD>(std::strtoul(value, nullptr, 0));
}

// Entry `call` (0-based) of the comma-separated script in `variable`.
NET_API_STATUS ScriptedStatus(const char* variable, int call)
{
    const char* script = std::getenv(variable);
    if (script == nullptr)
        return NERR_Success;
    for (int i = 0; i < call; ++i) {
        script = std::strchr(script, ',');
        if (script == nullptr)
            return NERR_Success;
        ++script;
    }
    return static_cast<NET_API_STATUS>(std::strtoul(script, nullptr, 0));
}

// A name as the call received it: null, or the UTF-16 text in quotes with
// every unit outside printable ASCII as \uXXXX.
std::string Describe(const WideChar* name)
{
    if (name == nullptr)
        return "null";
    std::string text = "\"";
    for (; *name != 0; ++name) {
        unsigned unit = static_cast<unsigned>(*name);
        if (unit >= 0x20 && unit < 0x7F && unit != '"' && unit != '\\') {
            text += static_cast<char>(unit);
        } else {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", unit);
            text += escape;
        }
    }
    return text + "\"";
}

void Record(const std::string& line)
{
    const char* path = std::getenv("VARDUN_DOUBLE_LOG");
    if (path == nullptr)
        return;
    if (std::FILE* log = std::fopen(path, "a")) {
        std::fprintf(log, "%s\n", line.c_str());
        std::fclose(log);
    }
}

}  // namespace

NET_API_STATUS NetUserGetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE* record)
{
    Load();
    Record("NetUserGetInfo " + Describe(server) + " " + Describe(user) + " " +
           std::to_string(level));
    NET_API_STATUS status = ScriptedStatus("VARDUN_DOUBLE_GET", g_getCalls++);
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
    DWORD value = reinterpret_cast<const USER_INFO_1017*>(record)->usri1017_acct_expires;
    Record("NetUserSetInfo " + Describe(server) + " " + Describe(user) + " " +
           std::to_string(level) + " " + std::to_string(value) +
           (parameterError == nullptr ? " null" : " index"));
    NET_API_STATUS status = ScriptedStatus("VARDUN_DOUBLE_SET", g_setCalls++);
    if (status == NERR_Success)
        g_expires = value;
    return status;
}

NET_API_STATUS NetApiBufferFree(void* record)
{
    Record("NetApiBufferFree");
    delete static_cast<USER_INFO_2*>(record);
    return ScriptedStatus("VARDUN_DOUBLE_FREE", g_freeCalls++);
}
