#pragma once
// Thin wrappers over the SQLite 3 C API: a connection, a prepared statement
// and a transaction. They return SQLite's own result codes and never throw;
// without a connection or a statement every call answers SQLITE_MISUSE (21),
// so that a store whose file could not be opened fails softly everywhere.

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace zq {

// SQLite result codes the store looks at (same values as in sqlite3.h).
inline constexpr int kSqliteOk = 0;
inline constexpr int kSqliteMisuse = 21;
inline constexpr int kSqliteRow = 100;
inline constexpr int kSqliteDone = 101;

// Open flags: read-write with serialised threading, and the same plus create.
inline constexpr int kOpenExisting = 0x00000002 | 0x00010000;               // 65538
inline constexpr int kOpenOrCreate = 0x00000002 | 0x00000004 | 0x00010000;  // 65542

// The step results that count as success for a table operation.
inline bool StepSucceeded(int rc) {
  return rc == kSqliteOk || rc == kSqliteRow || rc == kSqliteDone;
}

class SQLiteStatement;

// How long a statement waits for another process's lock on the file before it fails.
inline constexpr int kBusyTimeoutMs = 2000;

class SQLiteDB {
 public:
  SQLiteDB() = default;
  virtual ~SQLiteDB();
  SQLiteDB(const SQLiteDB&) = delete;
  SQLiteDB& operator=(const SQLiteDB&) = delete;

  // Opens (or, with kOpenOrCreate, creates) the file at a UTF-8 path. An
  // open connection is closed first. "PRAGMA synchronous = OFF; " follows
  // every successful open: small writes then never wait for the disk.
  bool Open(const std::string& path, int flags);
  // False, keeping the handle, when SQLite refuses (a statement is still
  // open); true when there was nothing to close.
  bool Close();
  bool IsOpen() const { return db_ != nullptr; }

  // Prepares `sql` into `stmt`, finalizing whatever `stmt` held. A negative
  // length reads the text up to its terminator.
  int Prepare(SQLiteStatement& stmt, const char* sql, int length = -1);
  int Execute(const char* sql);
  // -1 without a connection.
  int64_t LastInsertRowId() const;
  // True while an explicit transaction is open on the connection.
  bool InTransaction() const;
  // SQLite's message for the last failure, for diagnostics.
  std::string LastError() const;

  // The raw handle, for tools and tests that need a pragma the wrapper does
  // not offer. Null when closed.
  sqlite3* Handle() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
};

class SQLiteStatement {
 public:
  SQLiteStatement() = default;
  virtual ~SQLiteStatement();
  SQLiteStatement(const SQLiteStatement&) = delete;
  SQLiteStatement& operator=(const SQLiteStatement&) = delete;

  int BindInt(int index, int value);
  // Binds without copying: the bytes must stay alive until the statement
  // has been stepped.
  int BindText(int index, const char* bytes, int length);
  int BindText(int index, std::string_view text) {
    return BindText(index, text.data(), static_cast<int>(text.size()));
  }
  int Step();
  int ColumnInt(int column) const;
  // Null without a statement or for a NULL column.
  const char* ColumnText(int column) const;
  // The column's text with its full byte length; empty for NULL.
  std::string ColumnString(int column) const;
  int Finalize();
  bool IsPrepared() const { return stmt_ != nullptr; }

 private:
  friend class SQLiteDB;
  sqlite3_stmt* stmt_ = nullptr;
};

// BEGIN on construction, END (commit) on destruction while active. Rollback
// is there for operations that must leave the table as it was when a later
// statement of theirs fails.
class SQLiteAutoTransaction {
 public:
  explicit SQLiteAutoTransaction(SQLiteDB* db);
  virtual ~SQLiteAutoTransaction();
  SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
  SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;

  bool Begin();
  bool Commit();
  // Undoes everything since BEGIN. Also runs when a failed END left the
  // connection inside the transaction, so that nothing stays uncommitted.
  bool Rollback();
  bool IsActive() const { return active_; }

 private:
  SQLiteDB* db_;
  bool active_ = false;
};

}  // namespace zq
