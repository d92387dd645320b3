// The account calls over a stand-in account database: one SQLite table,
//   accounts(server, name, acct_expires), keyed by (server, name),
// where server '' is the local machine and names compare without case.

#include <sqlite3.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <new>
#include <string>

#include "platform/platform.h"
#include "standin_status.h"

#ifndef VARDUN_DEFAULT_ACCOUNT_DB
#define VARDUN_DEFAULT_ACCOUNT_DB "/var/lib/vardun/accounts.db"
#endif

namespace {

constexpr DWORD kReadLevel = 2;
constexpr DWORD kWriteLevel = 1017;
// Concurrent runs wait for each other this long before giving up.
constexpr int kBusyTimeoutMilliseconds = 5000;

std::string DatabasePath()
{
    const char* path = std::getenv("VARDUN_ACCOUNT_DB");
    return path != nullptr && *path != '\0' ? path : VARDUN_DEFAULT_ACCOUNT_DB;
}

void AppendUtf8(std::string& text, char32_t codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xF0 | (codePoint >> 18));
        text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

// A lone surrogate becomes U+FFFD.
std::string ToUtf8(const WideChar* text)
{
    std::string result;
    for (; *text != 0; ++text) {
        char32_t unit = *text;
        if (unit >= 0xD800 && unit <= 0xDBFF && text[1] >= 0xDC00 && text[1] <= 0xDFFF) {
            AppendUtf8(result, 0x10000 + ((unit - 0xD800) << 10) + (text[1] - 0xDC00));
            ++text;
        } else if (unit >= 0xD800 && unit <= 0xDFFF) {
            AppendUtf8(result, 0xFFFD);
        } else {
            AppendUtf8(result, unit);
        }
    }
    return result;
}

// "\\srv" and "srv" name the same server; a null server is the local one.
std::string ServerKey(const WideChar* server)
{
    if (server == nullptr)
        return std::string();
    while (*server == u'\\')
        ++server;
    return ToUtf8(server);
}

class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { sqlite3_close_v2(m_handle); }

    sqlite3* m_handle = nullptr;
};

class Statement {
public:
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(m_handle); }

    sqlite3_stmt* m_handle = nullptr;
};

NET_API_STATUS StatusOf(sqlite3* database, int code)
{
    int systemError = database != nullptr ? sqlite3_system_errno(database) : 0;
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kBusy;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return kAccessDenied;
    case SQLITE_NOMEM:
        return kNotEnoughMemory;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        if (systemError == EACCES || systemError == EPERM || systemError == EROFS)
            return kAccessDenied;
        return (code & 0xFF) == SQLITE_CANTOPEN ? kOpenFailed : kIoDevice;
    case SQLITE_FULL:
        return kIoDevice;
    default:
        // SQLITE_CORRUPT, SQLITE_NOTADB, and SQLITE_ERROR for a database
        // without the accounts table.
        return kFileCorrupt;
    }
}

// No database file at all reads as an empty database, which has no account
// and names no server: the account is not found.
NET_API_STATUS Open(Connection& connection, int flags, const std::string& server)
{
    std::string path = DatabasePath();
    struct stat information;
    if (stat(path.c_str(), &information) != 0) {
        if (errno == ENOENT)
            return server.empty() ? kUserNotFound : kBadNetPath;
        return errno == EACCES ? kAccessDenied : kOpenFailed;
    }
    // Only a regular file holds a database; opening a FIFO would wait for a
    // writer forever.
    if (!S_ISREG(information.st_mode))
        return kOpenFailed;

    int code = sqlite3_open_v2(path.c_str(), &connection.m_handle, flags, nullptr);
    if (code != SQLITE_OK)
        return StatusOf(connection.m_handle, code);
    sqlite3_busy_timeout(connection.m_handle, kBusyTimeoutMilliseconds);
    return NERR_Success;
}

NET_API_STATUS Prepare(sqlite3* database, const char* sql, Statement& statement,
                       const std::string& server, const std::string& name)
{
    int code = sqlite3_prepare_v2(database, sql, -1, &statement.m_handle, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_bind_text(statement.m_handle, 1, server.data(),
                                 static_cast<int>(server.size()), SQLITE_TRANSIENT);
    if (code == SQLITE_OK && sqlite3_bind_parameter_count(statement.m_handle) >= 2)
        code = sqlite3_bind_text(statement.m_handle, 2, name.data(),
                                 static_cast<int>(name.size()), SQLITE_TRANSIENT);
    return code == SQLITE_OK ? NERR_Success : StatusOf(database, code);
}

// Why an account is not there: the server has no account of that name, or
// there is no such server (one that no row names).
NET_API_STATUS NotFound(sqlite3* database, const std::string& server)
{
    if (server.empty())
        return kUserNotFound;
    Statement statement;
    NET_API_STATUS status = Prepare(database, "SELECT 1 FROM accounts WHERE server = ?1 LIMIT 1",
                                    statement, server, std::string());
    if (status != NERR_Success)
        return status;
    int code = sqlite3_step(statement.m_handle);
    if (code == SQLITE_ROW)
        return kUserNotFound;
    return code == SQLITE_DONE ? kBadNetPath : StatusOf(database, code);
}

NET_API_STATUS QueryExpiration(Connection& connection, int flags, const std::string& server,
                               const std::string& name, DWORD& value)
{
    NET_API_STATUS status = Open(connection, flags, server);
    if (status != NERR_Success)
        return status;

    Statement statement;
    status = Prepare(connection.m_handle,
                     "SELECT acct_expires FROM accounts WHERE server = ?1 AND name = ?2",
                     statement, server, name);
    if (status != NERR_Success)
        return status;
    int code = sqlite3_step(statement.m_handle);
    if (code == SQLITE_DONE)
        return NotFound(connection.m_handle, server);
    if (code != SQLITE_ROW)
        return StatusOf(connection.m_handle, code);

    sqlite3_int64 stored = sqlite3_column_int64(statement.m_handle, 0);
    if (sqlite3_column_type(statement.m_handle, 0) != SQLITE_INTEGER || stored < 0 ||
        stored > 0xFFFFFFFFll)
        return kInvalidData;
    value = static_cast<DWORD>(stored);
    return NERR_Success;
}

// A read opens the file for reading only. A write that was cut off (a crash,
// an I/O error) leaves a journal that must be rolled back before anyone can
// read, which a read-only connection cannot do: then the read opens again for
// writing, where the file allows it, so that every later run is not stuck.
NET_API_STATUS ReadExpiration(const std::string& server, const std::string& name, DWORD& value)
{
    NET_API_STATUS status;
    for (int flags : {SQLITE_OPEN_READONLY, SQLITE_OPEN_READWRITE}) {
        Connection connection;
        status = QueryExpiration(connection, flags, server, name, value);
        if (status == NERR_Success || connection.m_handle == nullptr ||
            sqlite3_extended_errcode(connection.m_handle) != SQLITE_READONLY_ROLLBACK)
            break;
    }
    return status;
}

NET_API_STATUS Execute(sqlite3* database, const char* sql)
{
    int code = sqlite3_exec(database, sql, nullptr, nullptr, nullptr);
    return code == SQLITE_OK ? NERR_Success : StatusOf(database, code);
}

// One transaction that changes that one row's expiration and nothing else.
NET_API_STATUS WriteExpiration(const std::string& server, const std::string& name, DWORD value)
{
    Connection connection;
    NET_API_STATUS status = Open(connection, SQLITE_OPEN_READWRITE, server);
    if (status != NERR_Success)
        return status;

    // Taking the write lock first lets the busy wait apply to the whole change.
    status = Execute(connection.m_handle, "BEGIN IMMEDIATE");
    if (status != NERR_Success)
        return status;

    {
        Statement statement;
        status = Prepare(connection.m_handle,
                         "UPDATE accounts SET acct_expires = ?3 WHERE server = ?1 AND name = ?2",
                         statement, server, name);
        if (status == NERR_Success) {
            int code = sqlite3_bind_int64(statement.m_handle, 3, value);
            if (code == SQLITE_OK)
                code = sqlite3_step(statement.m_handle);
            if (code != SQLITE_DONE)
                status = StatusOf(connection.m_handle, code);
            else if (sqlite3_changes(connection.m_handle) == 0)
                status = NotFound(connection.m_handle, server);
        }
    }

    if (status == NERR_Success)
        status = Execute(connection.m_handle, "COMMIT");
    if (status != NERR_Success)
        sqlite3_exec(connection.m_handle, "ROLLBACK", nullptr, nullptr, nullptr);
    return status;
}

}  // namespace

NET_API_STATUS NetUserGetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE* record)
{
    if (level != kReadLevel)
        return kInvalidLevel;
    if (user == nullptr || record == nullptr)
        return kInvalidParameter;
    *record = nullptr;

    DWORD value = 0;
    NET_API_STATUS status = ReadExpiration(ServerKey(server), ToUtf8(user), value);
    if (status != NERR_Success)
        return status;

    USER_INFO_2* information = new (std::nothrow) USER_INFO_2;
    if (information == nullptr)
        return kNotEnoughMemory;
    information->usri2_acct_expires = value;
    *record = reinterpret_cast<LPBYTE>(information);
    return NERR_Success;
}

NET_API_STATUS NetUserSetInfo(const WideChar* server, const WideChar* user, DWORD level,
                              LPBYTE record, DWORD* /*parameterError*/)
{
    if (level != kWriteLevel)
        return kInvalidLevel;
    if (user == nullptr || record == nullptr)
        return kInvalidParameter;
    DWORD value = reinterpret_cast<const USER_INFO_1017*>(record)->usri1017_acct_expires;
    return WriteExpiration(ServerKey(server), ToUtf8(user), value);
}

NET_API_STATUS NetApiBufferFree(void* record)
{
    delete static_cast<USER_INFO_2*>(record);
    return NERR_Success;
}
