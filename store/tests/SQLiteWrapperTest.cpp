#include "StoreTestSupport.h"
#include "store/SQLiteAutoTransaction.h"
#include "store/SQLiteDB.h"
#include "store/SQLiteStatement.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using corvane::SQLiteAutoTransaction;
using corvane::SQLiteDB;
using corvane::SQLiteStatement;
using corvane::test::TempDataFolder;

namespace {

constexpr int NewFile = SQLiteDB::OpenReadWrite | SQLiteDB::OpenCreate | SQLiteDB::OpenFullMutex;

int CountRows(SQLiteDB& db)
{
    SQLiteStatement count;
    db.Prepare(count, "SELECT count(*) FROM t");
    count.Step();
    return count.ColumnInt(0);
}

TEST(SQLiteWrappers, WithoutConnectionOrStatementEverythingIsMisuse)
{
    SQLiteDB db;
    SQLiteStatement statement;
    EXPECT_EQ(db.Prepare(statement, "SELECT 1"), SQLiteDB::Misuse);
    EXPECT_EQ(db.Execute("SELECT 1"), SQLiteDB::Misuse);
    EXPECT_EQ(db.LastInsertRowId(), -1);
    EXPECT_TRUE(db.Close());
    EXPECT_EQ(statement.BindInt(1, 2), SQLiteDB::Misuse);
    EXPECT_EQ(statement.BindText(1, "a", 1), SQLiteDB::Misuse);
    EXPECT_EQ(statement.Step(), SQLiteDB::Misuse);
    EXPECT_EQ(statement.ColumnInt(0), 0);
    EXPECT_EQ(statement.ColumnText(0), nullptr);

    SQLiteAutoTransaction transaction(&db);
    EXPECT_TRUE(transaction.IsActive()); // set even on a closed connection
    EXPECT_FALSE(transaction.Begin());
    EXPECT_FALSE(transaction.End());
    EXPECT_FALSE(transaction.IsActive());
    SQLiteAutoTransaction none(nullptr);
    EXPECT_FALSE(none.Begin());
    EXPECT_FALSE(none.End());
}

TEST(SQLiteWrappers, OpenRefusesNullPathKeyAndNonDatabaseFiles)
{
    TempDataFolder data;
    SQLiteDB db;
    EXPECT_FALSE(db.Open(nullptr, "", NewFile));
    const std::string path = (data.Path() / "keyed.db").string();
    EXPECT_FALSE(db.Open(path.c_str(), "secret", NewFile)); // no cipher is built in
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(path));

    const auto text = data.Path() / "text.db";
    corvane::test::WriteFile(text, "This is a text file, certainly not a database.\n");
    EXPECT_FALSE(db.Open(text.c_str(), "", SQLiteDB::OpenReadWrite | SQLiteDB::OpenFullMutex));
    EXPECT_FALSE(db.IsOpen());

    EXPECT_TRUE(db.Open(path.c_str(), "", NewFile));
    EXPECT_TRUE(db.IsOpen());
    // Opening again closes the first connection.
    EXPECT_TRUE(db.Open(path.c_str(), "", NewFile));
    EXPECT_TRUE(db.Close());
    EXPECT_FALSE(db.IsOpen());
}

TEST(SQLiteWrappers, StatementBindsStepsAndIsReusable)
{
    TempDataFolder data;
    SQLiteDB db;
    const std::string path = (data.Path() / "s.db").string();
    ASSERT_TRUE(db.Open(path.c_str(), "", NewFile));
    ASSERT_EQ(db.Execute("CREATE TABLE t (id INTEGER PRIMARY KEY, n INTEGER UNIQUE, s TEXT)"), SQLiteDB::Ok);

    SQLiteStatement insert;
    ASSERT_EQ(db.Prepare(insert, "INSERT INTO t (n, s) VALUES (?, ?)"), SQLiteDB::Ok);
    const char* text = "çift";
    EXPECT_EQ(insert.BindInt(1, 7), SQLiteDB::Ok);
    EXPECT_EQ(insert.BindText(2, text, static_cast<int>(std::strlen(text))), SQLiteDB::Ok);
    EXPECT_EQ(insert.Step(), SQLiteDB::Done);
    EXPECT_TRUE(insert.IsDone());
    EXPECT_EQ(db.LastInsertRowId(), 1);

    // The same value again breaks UNIQUE; the failed statement is then prepared over, which
    // must finalize it exactly once (the sanitizer build catches a second finalize).
    insert.Reset();
    insert.BindInt(1, 7);
    EXPECT_NE(insert.Step(), SQLiteDB::Done);
    EXPECT_NE(insert.Finalize(), SQLiteDB::Ok); // repeats the step's error, yet frees
    EXPECT_FALSE(insert.IsPrepared());
    insert.Reset();

    SQLiteStatement select;
    ASSERT_EQ(db.Prepare(select, "SELECT n, s FROM t WHERE n = ?"), SQLiteDB::Ok);
    select.BindInt(1, 7);
    ASSERT_EQ(select.Step(), SQLiteDB::Row);
    EXPECT_EQ(select.ColumnInt(0), 7);
    EXPECT_STREQ(select.ColumnText(1), "çift");
    ASSERT_EQ(db.Prepare(select, "SELECT NULL"), SQLiteDB::Ok); // finalizes the previous one
    ASSERT_EQ(select.Step(), SQLiteDB::Row);
    EXPECT_EQ(select.ColumnText(0), nullptr);
    EXPECT_EQ(db.Prepare(select, nullptr), SQLiteDB::Misuse);
    EXPECT_EQ(db.Execute(nullptr), SQLiteDB::Misuse);
}

TEST(SQLiteWrappers, TransactionCommitsOnDestructionAndRollsBackOnRequest)
{
    TempDataFolder data;
    SQLiteDB db;
    const std::string path = (data.Path() / "t.db").string();
    ASSERT_TRUE(db.Open(path.c_str(), "", NewFile));
    ASSERT_EQ(db.Execute("CREATE TABLE t (n INTEGER)"), SQLiteDB::Ok);
    {
        SQLiteAutoTransaction transaction(&db);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin()); // already active
        db.Execute("INSERT INTO t VALUES (1)");
    }
    EXPECT_EQ(CountRows(db), 1);
    {
        SQLiteAutoTransaction transaction(&db);
        db.Execute("INSERT INTO t VALUES (2)");
        EXPECT_TRUE(transaction.Rollback());
        EXPECT_FALSE(transaction.IsActive());
    }
    EXPECT_EQ(CountRows(db), 1);
    {
        SQLiteAutoTransaction transaction(&db);
        EXPECT_TRUE(transaction.End());
        EXPECT_TRUE(transaction.Begin());
        db.Execute("INSERT INTO t VALUES (3)");
        EXPECT_TRUE(transaction.End());
    }
    EXPECT_EQ(CountRows(db), 2);
}

} // namespace
