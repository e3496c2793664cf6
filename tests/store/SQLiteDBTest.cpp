#include "store/SQLiteDB.h"

#include <gtest/gtest.h>

#include "StoreTestSupport.h"

namespace zq {
namespace {

using test::Query;
using test::TempDir;

TEST(SQLiteWrappers, WithoutConnectionEveryCallAnswersMisuse) {
  SQLiteDB db;
  EXPECT_FALSE(db.IsOpen());
  EXPECT_FALSE(db.Open("", kOpenOrCreate));
  EXPECT_TRUE(db.Close());  // nothing to close
  EXPECT_EQ(db.Execute("SELECT 1"), kSqliteMisuse);
  EXPECT_EQ(db.LastInsertRowId(), -1);

  SQLiteStatement stmt;
  EXPECT_EQ(db.Prepare(stmt, "SELECT 1"), kSqliteMisuse);
  EXPECT_FALSE(stmt.IsPrepared());
  EXPECT_EQ(stmt.BindInt(1, 5), kSqliteMisuse);
  EXPECT_EQ(stmt.BindText(1, "x"), kSqliteMisuse);
  EXPECT_EQ(stmt.Step(), kSqliteMisuse);
  EXPECT_EQ(stmt.ColumnInt(0), 0);
  EXPECT_EQ(stmt.ColumnText(0), nullptr);
  EXPECT_EQ(stmt.ColumnString(0), "");

  SQLiteAutoTransaction none(nullptr);
  EXPECT_FALSE(none.IsActive());
  EXPECT_FALSE(none.Begin());
  EXPECT_FALSE(none.Commit());
  SQLiteAutoTransaction closed(&db);  // a connection object without a handle
  EXPECT_TRUE(closed.IsActive());
  EXPECT_FALSE(closed.Commit());
  EXPECT_FALSE(closed.IsActive());
}

class SQLiteFile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(db_.Open(path_, kOpenOrCreate));
    ASSERT_EQ(db_.Execute("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, v TEXT)"),
              kSqliteOk);
  }
  int Count() { return std::stoi(Query(path_, "SELECT count(*) FROM t").at(0).at(0)); }
  int Insert(const char* v) {
    SQLiteStatement stmt;
    db_.Prepare(stmt, "INSERT INTO t(v) VALUES (?)");
    stmt.BindText(1, v);
    return stmt.Step();
  }

  TempDir tmp_;
  std::string path_ = tmp_ / "w.db";
  SQLiteDB db_;
};

TEST_F(SQLiteFile, OpenTurnsSynchronousOff) {
  SQLiteStatement stmt;
  db_.Prepare(stmt, "PRAGMA synchronous");
  ASSERT_EQ(stmt.Step(), kSqliteRow);
  EXPECT_EQ(stmt.ColumnInt(0), 0);
}

TEST_F(SQLiteFile, ColumnsAndRowIds) {
  ASSERT_EQ(Insert("a"), kSqliteDone);
  EXPECT_EQ(db_.LastInsertRowId(), 1);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT id, v, NULL FROM t");
  ASSERT_EQ(stmt.Step(), kSqliteRow);
  EXPECT_EQ(stmt.ColumnInt(0), 1);
  EXPECT_STREQ(stmt.ColumnText(1), "a");
  EXPECT_EQ(stmt.ColumnText(2), nullptr);
  EXPECT_EQ(stmt.Step(), kSqliteDone);
  EXPECT_EQ(stmt.Finalize(), kSqliteOk);
  EXPECT_FALSE(stmt.IsPrepared());
  // A failed prepare leaves nothing to step.
  EXPECT_NE(db_.Prepare(stmt, "SELECT * FROM missing"), kSqliteOk);
  EXPECT_EQ(stmt.Step(), kSqliteMisuse);
}

TEST_F(SQLiteFile, CloseRefusedWhileAStatementIsOpen) {
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT * FROM t");
  EXPECT_FALSE(db_.Close());
  EXPECT_TRUE(db_.IsOpen());
  stmt.Finalize();
  EXPECT_TRUE(db_.Close());
  EXPECT_FALSE(db_.IsOpen());
}

TEST_F(SQLiteFile, ActiveTransactionIsCommittedOnDestruction) {
  {
    SQLiteAutoTransaction transaction(&db_);
    EXPECT_TRUE(transaction.IsActive());
    EXPECT_FALSE(transaction.Begin());  // already active
    Insert("a");
    Insert("b");
    EXPECT_EQ(Count(), 0);  // not visible to another connection yet
  }
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Count(), 2);
}

TEST_F(SQLiteFile, CommitAndRollback) {
  SQLiteAutoTransaction transaction(&db_);
  Insert("kept");
  EXPECT_TRUE(transaction.Commit());
  EXPECT_FALSE(transaction.IsActive());
  EXPECT_TRUE(transaction.Begin());
  Insert("undone");
  EXPECT_TRUE(transaction.Rollback());
  EXPECT_FALSE(db_.InTransaction());
  EXPECT_EQ(Query(path_, "SELECT v FROM t"), test::Rows{{"kept"}});
}

}  // namespace
}  // namespace zq
