// A stand-in netapi32.dll for running the Windows build under Wine, whose
// own netapi32 cannot set account information. It serves the accounts of a
// small text file, one account per line:
//
//   server TAB name TAB expiration
//
// in UTF-8, server empty for the local machine. Names compare without
// case; a server exists when a line names it. Without the file it serves one
// account that every user shares, as the POSIX double does. Both answer
// with the script and record to the log of call_script.h.
//
//   VARDUN_STANDIN_ACCOUNTS  the accounts file (none: the shared account)
//   VARDUN_DOUBLE_EXPIRES    the shared account's expiration (default: never)

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <new>
#include <string>
#include <vector>

#include "call_script.h"
#include "platform/platform.h"

namespace {

// The statuses of the POSIX stand-in database, where they share a meaning.
constexpr NET_API_STATUS kInvalidData = 13;
constexpr NET_API_STATUS kBadNetPath = 53;
constexpr NET_API_STATUS kInvalidParameter = 87;
constexpr NET_API_STATUS kOpenFailed = 110;
constexpr NET_API_STATUS kInvalidLevel = 124;
constexpr NET_API_STATUS kIoDevice = 1117;
constexpr NET_API_STATUS kFileCorrupt = 1392;
constexpr NET_API_STATUS kUserNotFound = 2221;

constexpr DWORD kReadLevel = 2;
constexpr DWORD kWriteLevel = 1017;

struct Account {
    std::string server;  // as stored, UTF-8
    std::string name;
    DWORD expires;
};

std::wstring ToWide(const std::string& text)
{
    int length = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], length);
    wide.resize(std::wcslen(wide.c_str()));
    return wide;
}

// "\\srv" and "srv" name the same server; a null server is the local one.
const WideChar* ServerName(const WideChar* server)
{
    if (server == nullptr)
        return L"";
    while (*server == L'\\')
        ++server;
    return server;
}

// The shared account when there is no accounts file.
DWORD g_sharedExpires = TIMEQ_FOREVER;

void LoadSharedAccount()
{
    static bool loaded = false;
    if (loaded)
        return;
    loaded = true;
    if (const char* value = std::getenv("VARDUN_DOUBLE_EXPIRES"))
        g_sharedExpires = static_cast<DWORD>(std::strtoul(value, nullptr, 0));
}

const char* AccountsPath()
{
    const char* path = std::getenv("VARDUN_STANDIN_ACCOUNTS");
    return path != nullptr && *path != '\0' ? path : nullptr;
}

// A missing file holds no accounts.
NET_API_STATUS ReadAccounts(const char* path, std::vector<Account>& accounts)
{
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr)
        return GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES ? NERR_Success : kOpenFailed;

    NET_API_STATUS status = NERR_Success;
    std::string line;
    for (int character; status == NERR_Success;) {
        character = std::fgetc(file);
        if (character != '\n' && character != EOF) {
            line += static_cast<char>(character);
            continue;
        }
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty()) {
            std::size_t first = line.find('\t');
            std::size_t second = first == std::string::npos ? first : line.find('\t', first + 1);
            if (second == std::string::npos) {
                status = kFileCorrupt;
                break;
            }
            std::string value = line.substr(second + 1);
            char* end = nullptr;
            unsigned long long number = std::strtoull(value.c_str(), &end, 10);
            if (value.empty() || *end != '\0' || number > 0xFFFFFFFFull)
                status = kInvalidData;
            accounts.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                                static_cast<DWORD>(number)});
        }
        line.clear();
        if (character == EOF)
            break;
    }
    if (std::ferror(file))
        status = kIoDevice;
    std::fclose(file);
    return status;
}

// The whole file is written anew and then put in place of the old one, so a
// failed write leaves it as it was.
NET_API_STATUS WriteAccounts(const char* path, const std::vector<Account>& accounts)
{
    std::string temporary = std::string(path) + ".new";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr)
        return kIoDevice;
    for (const Account& account : accounts)
        std::fprintf(file, "%s\t%s\t%lu\n", account.server.c_str(), account.name.c_str(),
                     static_cast<unsigned long>(account.expires));
    bool written = std::fflush(file) == 0 && !std::ferror(file);
    written = std::fclose(file) == 0 && written;
    if (!written || !MoveFileExA(temporary.c_str(), path, MOVEFILE_REPLACE_EXISTING)) {
        DeleteFileA(temporary.c_str());
        return kIoDevice;
    }
    return NERR_Success;
}

// Finds the account, or tells why there is none: the server has no account
// of that name, or no line names the server.
NET_API_STATUS FindAccount(std::vector<Account>& accounts, const WideChar* server,
                           const WideChar* user, Account*& found)
{
    bool serverExists = *server == L'\0';
    for (Account& account : accounts) {
        if (_wcsicmp(ServerName(ToWide(account.server).c_str()), server) != 0)
            continue;
        serverExists = true;
        if (_wcsicmp(ToWide(account.name).c_str(), user) == 0) {
            found = &account;
            return NERR_Success;
        }
    }
    return serverExists ? kUserNotFound : kBadNetPath;
}

// Reads the account's expiration into `expires`, or with `write` gives the
// account that expiration.
NET_API_STATUS AccessExpiration(const WideChar* server, const WideChar* user, DWORD& expires,
                                bool write)
{
    const char* path = AccountsPath();
    if (path == nullptr) {
        LoadSharedAccount();
        if (write)
            g_sharedExpires = expires;
        else
            expires = g_sharedExpires;
        return NERR_Success;
    }

    std::vector<Account> accounts;
    Account* account = nullptr;
    NET_API_STATUS status = ReadAccounts(path, accounts);
    if (status == NERR_Success)
        status = FindAccount(accounts, ServerName(server), user, account);
    if (status != NERR_Success || !write) {
        if (status == NERR_Success)
            expires = account->expires;
        return status;
    }
    account->expires = expires;
    return WriteAccounts(path, accounts);
}

}  // namespace

extern "C" {

NET_API_STATUS WINAPI NetUserGetInfo(LPCWSTR server, LPCWSTR user, DWORD level, LPBYTE* record)
{
    RecordGetInfo(server, user, level);
    NET_API_STATUS status = NextScriptedStatus(AccountCall::kGetInfo);
    if (status != NERR_Success)
        return status;
    if (level != kReadLevel)
        return kInvalidLevel;
    if (user == nullptr || record == nullptr)
        return kInvalidParameter;

    DWORD expires = 0;
    status = AccessExpiration(server, user, expires, false);
    if (status != NERR_Success)
        return status;
    USER_INFO_2* information = new (std::nothrow) USER_INFO_2();
    if (information == nullptr)
        return ERROR_NOT_ENOUGH_MEMORY;
    information->usri2_acct_expires = expires;
    *record = reinterpret_cast<LPBYTE>(information);
    return NERR_Success;
}

NET_API_STATUS WINAPI NetUserSetInfo(LPCWSTR server, LPCWSTR user, DWORD level, LPBYTE record,
                                     LPDWORD parameterError)
{
    const USER_INFO_1017* information = reinterpret_cast<const USER_INFO_1017*>(record);
    RecordSetInfo(server, user, level, information, parameterError);
    NET_API_STATUS status = NextScriptedStatus(AccountCall::kSetInfo);
    if (status != NERR_Success)
        return status;
    if (level != kWriteLevel)
        return kInvalidLevel;
    if (user == nullptr || record == nullptr)
        return kInvalidParameter;
    DWORD expires = information->usri1017_acct_expires;
    return AccessExpiration(server, user, expires, true);
}

NET_API_STATUS WINAPI NetApiBufferFree(LPVOID record)
{
    RecordBufferFree();
    delete static_cast<USER_INFO_2*>(record);
    return NextScriptedStatus(AccountCall::kBufferFree);
}

}  // extern "C"
