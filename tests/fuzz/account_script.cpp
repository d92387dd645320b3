#include "account_script.h"

#include <cstdio>
#include <cstdlib>
#include <set>

namespace {

AccountScript g_script;
std::vector<RecordedCall> g_calls;
std::set<const void*> g_records;
std::size_t g_getCalls = 0;
std::size_t g_setCalls = 0;
std::size_t g_releaseCalls = 0;

NET_API_STATUS Next(const std::vector<NET_API_STATUS>& statuses, std::size_t& calls)
{
    std::size_t call = calls++;
    return call < statuses.size() ? statuses[call] : NERR_Success;
}

std::u16string Text(const WideChar* name)
{
    return name == nullptr ? std::u16string() : std::u16string(name);
}

RecordedCall Call(RecordedCall::Kind kind, const WideChar* server, const WideChar* user,
                 DWORD level)
{
    return RecordedCall{kind, server, user, Text(server), Text(user), level, 0, false};
}

}  // namespace

void StartScript(const AccountScript& script)
{
    for (const void* record : g_records)
        delete static_cast<const USER_INFO_2*>(record);
    g_records.clear();
    g_script = script;
    g_calls.clear();
    g_getCalls = g_setCalls = g_releaseCalls = 0;
}

const std::vector<RecordedCall>& RecordedCalls()
{
    return g_calls;
}

int OutstandingRecords()
{
    return static_cast<int>(g_records.size());
}

std::string ExpectedErrorLine(const char* prefix, NET_API_STATUS status)
{
    std::string text;
    GetErrorText(text, static_cast<int>(status));
    return prefix + ("(" + std::to_string(static_cast<int>(status)) + ") ") +
           (text.empty() ? "\n" : text);
}

NET_API_STATUS NetUserGetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE* record)
{
    g_calls.push_back(Call(RecordedCall::kGet, server, user, level));
    NET_API_STATUS status = Next(g_script.get, g_getCalls);
    if (status != NERR_Success)
        return status;
    USER_INFO_2* information = new USER_INFO_2();
    information->usri2_acct_expires = g_script.expires;
    g_records.insert(information);
    *record = reinterpret_cast<LPBYTE>(information);
    return NERR_Success;
}

NET_API_STATUS NetUserSetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE record, DWORD* parameterError)
{
    RecordedCall call = Call(RecordedCall::kSet, server, user, level);
    call.value = reinterpret_cast<const USER_INFO_1017*>(record)->usri1017_acct_expires;
    call.parameterErrorWanted = parameterError != nullptr;
    g_calls.push_back(call);
    NET_API_STATUS status = Next(g_script.set, g_setCalls);
    if (status == NERR_Success)
        g_script.expires = call.value;
    return status;
}

// Only a record that NetUserGetInfo handed out, and only once.
NET_API_STATUS NetApiBufferFree(void* record)
{
    g_calls.push_back(Call(RecordedCall::kRelease, nullptr, nullptr, 0));
    if (g_records.erase(record) != 1) {
        std::fprintf(stderr, "NetApiBufferFree of a record that is not out: %p\n", record);
        std::abort();
    }
    delete static_cast<USER_INFO_2*>(record);
    return Next(g_script.release, g_releaseCalls);
}
