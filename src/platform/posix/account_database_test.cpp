#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/platform.h"

namespace {

// A throwaway database with one local account and one on server "srv".
class StandInDatabase : public testing::Test {
protected:
    void SetUp() override
    {
        char folder[] = "/tmp/vardun-standin-XXXXXX";
        ASSERT_NE(mkdtemp(folder), nullptr);
        m_folder = folder;
        m_path = m_folder + "/accounts.db";
        setenv("VARDUN_ACCOUNT_DB", m_path.c_str(), 1);
        Execute("CREATE TABLE accounts (server TEXT NOT NULL COLLATE NOCASE, name TEXT NOT NULL "
                "COLLATE NOCASE, acct_expires INTEGER NOT NULL, PRIMARY KEY (server, name));"
                "INSERT INTO accounts VALUES ('', 'jos\xC3\xA9', 3600), ('srv', 'bob', 7200);");
    }

    void TearDown() override
    {
        unlink(m_path.c_str());
        rmdir(m_folder.c_str());
        unsetenv("VARDUN_ACCOUNT_DB");
    }

    void Execute(const char* sql)
    {
        sqlite3* database = nullptr;
        ASSERT_EQ(sqlite3_open(m_path.c_str(), &database), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(database, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(database);
    }

    NET_API_STATUS Read(const char16_t* server, const char16_t* user, DWORD& value)
    {
        USER_INFO_2* record = nullptr;
        NET_API_STATUS status = NetUserGetInfo(server, user, 2, reinterpret_cast<LPBYTE*>(&record));
        if (status == NERR_Success) {
            value = record->usri2_acct_expires;
            EXPECT_EQ(NetApiBufferFree(record), NERR_Success);
        } else {
            EXPECT_EQ(record, nullptr);
        }
        return status;
    }

    NET_API_STATUS Write(const char16_t* server, const char16_t* user, DWORD value)
    {
        USER_INFO_1017 record{value};
        return NetUserSetInfo(server, user, 1017, reinterpret_cast<LPBYTE>(&record), nullptr);
    }

    std::string m_folder;
    std::string m_path;
};

TEST_F(StandInDatabase, ReadsAndWritesByServerAndName)
{
    DWORD value = 0;
    EXPECT_EQ(Read(nullptr, u"JOS\u00E9", value), NERR_Success);
    EXPECT_EQ(value, 3600u);
    EXPECT_EQ(Write(u"\\\\SRV", u"Bob", 0xFFFFFFFF), NERR_Success);
    EXPECT_EQ(Read(u"srv", u"bob", value), NERR_Success);
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_EQ(Read(nullptr, u"jos\u00E9", value), NERR_Success);
    EXPECT_EQ(value, 3600u);  // the other account is untouched
}

TEST_F(StandInDatabase, TellsAMissingUserFromAMissingServer)
{
    DWORD value = 0;
    EXPECT_EQ(Read(nullptr, u"bob", value), 2221u);
    EXPECT_EQ(Read(u"srv", u"jos\u00E9", value), 2221u);
    EXPECT_EQ(Read(u"other", u"bob", value), 53u);
    EXPECT_EQ(Write(nullptr, u"bob", 1), 2221u);
    EXPECT_EQ(Write(u"other", u"bob", 1), 53u);
    EXPECT_EQ(Read(nullptr, u"\xD800", value), 2221u);  // a lone surrogate is data too
}

TEST_F(StandInDatabase, RefusesOtherLevelsAndNullArguments)
{
    LPBYTE record = nullptr;
    USER_INFO_1017 change{1};
    EXPECT_EQ(NetUserGetInfo(nullptr, u"bob", 1, &record), 124u);
    EXPECT_EQ(NetUserSetInfo(nullptr, u"bob", 2, reinterpret_cast<LPBYTE>(&change), nullptr), 124u);
    EXPECT_EQ(NetUserGetInfo(nullptr, nullptr, 2, &record), 87u);
    EXPECT_EQ(NetUserGetInfo(nullptr, u"bob", 2, nullptr), 87u);
    EXPECT_EQ(NetUserSetInfo(nullptr, nullptr, 1017, reinterpret_cast<LPBYTE>(&change), nullptr), 87u);
    EXPECT_EQ(NetUserSetInfo(nullptr, u"bob", 1017, nullptr, nullptr), 87u);
}

TEST_F(StandInDatabase, StoredValueOutOfRangeIsReportedNotTruncated)
{
    Execute("UPDATE accounts SET acct_expires = 4294967296 WHERE name = 'bob';"
            "UPDATE accounts SET acct_expires = -1 WHERE server = '';");
    DWORD value = 0;
    EXPECT_EQ(Read(u"srv", u"bob", value), 13u);
    EXPECT_EQ(Read(nullptr, u"jos\u00E9", value), 13u);
}

TEST_F(StandInDatabase, MissingFileIsAnEmptyDatabaseAndIsNotCreated)
{
    unlink(m_path.c_str());
    DWORD value = 0;
    EXPECT_EQ(Read(nullptr, u"bob", value), 2221u);
    EXPECT_EQ(Write(u"srv", u"bob", 1), 53u);
    EXPECT_NE(access(m_path.c_str(), F_OK), 0);
}

}  // namespace
