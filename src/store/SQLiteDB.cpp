#include "store/SQLiteDB.h"

#include <sqlite3.h>

namespace zq {

static_assert(kSqliteOk == SQLITE_OK && kSqliteMisuse == SQLITE_MISUSE &&
              kSqliteRow == SQLITE_ROW && kSqliteDone == SQLITE_DONE);
static_assert(kOpenExisting == (SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX) &&
              kOpenExisting == 65538);
static_assert(kOpenOrCreate ==
                  (SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX) &&
              kOpenOrCreate == 65542);

// ---------------------------------------------------------------- SQLiteDB

SQLiteDB::~SQLiteDB() {
  if (!db_) return;
  sqlite3_interrupt(db_);
  // close_v2 never fails: should a statement still be open, the connection
  // goes away with it instead of leaking.
  sqlite3_close_v2(db_);
  db_ = nullptr;
}

bool SQLiteDB::Open(const std::string& path, int flags) {
  if (db_) {
    sqlite3_interrupt(db_);
    if (!Close()) return false;
  }
  if (path.empty()) return false;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, flags, nullptr) != SQLITE_OK) {
    sqlite3_close(db);  // the half-open handle, if any (null is harmless)
    return false;
  }
  db_ = db;
  sqlite3_exec(db_, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
  // Another process reading the file (a backup, the sqlite3 shell) holds its lock for a moment;
  // waiting that moment out keeps a setting from being dropped with "database is locked".
  sqlite3_busy_timeout(db_, kBusyTimeoutMs);
  return true;
}

bool SQLiteDB::Close() {
  if (!db_) return true;
  if (sqlite3_close(db_) != SQLITE_OK) return false;
  db_ = nullptr;
  return true;
}

int SQLiteDB::Prepare(SQLiteStatement& stmt, const char* sql, int length) {
  stmt.Finalize();
  if (!db_ || !sql) return SQLITE_MISUSE;
  return sqlite3_prepare_v2(db_, sql, length, &stmt.stmt_, nullptr);
}

int SQLiteDB::Execute(const char* sql) {
  if (!db_ || !sql) return SQLITE_MISUSE;
  return sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
}

int64_t SQLiteDB::LastInsertRowId() const { return db_ ? sqlite3_last_insert_rowid(db_) : -1; }

bool SQLiteDB::InTransaction() const { return db_ && sqlite3_get_autocommit(db_) == 0; }

std::string SQLiteDB::LastError() const {
  return db_ ? std::string(sqlite3_errmsg(db_)) : std::string("no connection");
}

// --------------------------------------------------------- SQLiteStatement

SQLiteStatement::~SQLiteStatement() { Finalize(); }

int SQLiteStatement::BindInt(int index, int value) {
  return stmt_ ? sqlite3_bind_int(stmt_, index, value) : SQLITE_MISUSE;
}

int SQLiteStatement::BindText(int index, const char* bytes, int length) {
  if (!stmt_) return SQLITE_MISUSE;
  // A null pointer would bind NULL; an empty text must stay an empty text.
  return sqlite3_bind_text(stmt_, index, bytes ? bytes : "", bytes ? length : 0, SQLITE_STATIC);
}

int SQLiteStatement::Step() { return stmt_ ? sqlite3_step(stmt_) : SQLITE_MISUSE; }

int SQLiteStatement::ColumnInt(int column) const {
  return stmt_ ? sqlite3_column_int(stmt_, column) : 0;
}

const char* SQLiteStatement::ColumnText(int column) const {
  if (!stmt_) return nullptr;
  return reinterpret_cast<const char*>(sqlite3_column_text(stmt_, column));
}

std::string SQLiteStatement::ColumnString(int column) const {
  const char* text = ColumnText(column);
  if (!text) return {};
  return std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, column)));
}

int SQLiteStatement::Finalize() {
  if (!stmt_) return SQLITE_OK;
  // sqlite3_finalize frees the statement whatever it returns (a non-zero
  // code only repeats the last step's error), so the handle is dropped in
  // every case; keeping it would finalize freed memory later.
  const int rc = sqlite3_finalize(stmt_);
  stmt_ = nullptr;
  return rc;
}

// --------------------------------------------------- SQLiteAutoTransaction

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* db) : db_(db) {
  if (!db_) return;
  if (db_->IsOpen()) db_->Execute("BEGIN");
  active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
  if (active_ && db_ && db_->IsOpen()) db_->Execute("END");
  active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
  if (!db_ || active_) return false;
  active_ = true;
  if (!db_->IsOpen()) return false;
  return db_->Execute("BEGIN") == SQLITE_OK;
}

bool SQLiteAutoTransaction::Commit() {
  if (!db_) return false;
  active_ = false;
  if (!db_->IsOpen()) return false;
  return db_->Execute("END") == SQLITE_OK;
}

bool SQLiteAutoTransaction::Rollback() {
  if (!db_) return false;
  const bool wasActive = active_;
  active_ = false;
  if (!db_->IsOpen()) return false;
  // SQLite undoes a transaction by itself after some errors (a full disk,
  // an I/O error); ROLLBACK then has nothing left to do.
  if (wasActive || db_->InTransaction()) db_->Execute("ROLLBACK");
  return !db_->InTransaction();
}

}  // namespace zq
