#include "call_script.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int g_calls[3] = {0, 0, 0};

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

NET_API_STATUS NextScriptedStatus(AccountCall call)
{
    static const char* const kVariables[] = {"VARDUN_DOUBLE_GET", "VARDUN_DOUBLE_SET",
                                             "VARDUN_DOUBLE_FREE"};
    int index = static_cast<int>(call);
    return ScriptedStatus(kVariables[index], g_calls[index]++);
}

void RecordGetInfo(const WideChar* server, const WideChar* user, DWORD level)
{
    Record("NetUserGetInfo " + Describe(server) + " " + Describe(user) + " " +
           std::to_string(level));
}

void RecordSetInfo(const WideChar* server, const WideChar* user, DWORD level,
                   const USER_INFO_1017* record, const DWORD* parameterError)
{
    std::string value = record == nullptr ? "null" : std::to_string(record->usri1017_acct_expires);
    Record("NetUserSetInfo " + Describe(server) + " " + Describe(user) + " " +
           std::to_string(level) + " " + value + (parameterError == nullptr ? " null" : " index"));
}

void RecordBufferFree()
{
    Record("NetApiBufferFree");
}
