#pragma once
// Shared pieces of the store tests: a store on its own temporary data
// folder, and a second, independent connection that shows what is really
// in the file.

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "TempDir.h"
#include "platform/Paths.h"
#include "store/ConfigStore.h"

namespace zq::test {

using Rows = std::vector<std::vector<std::string>>;

// Runs `sql` on a fresh read-only connection to `path`; NULL reads as
// "NULL". An error gives one row holding "error: " and the message.
inline Rows Query(const std::string& path, const std::string& sql) {
  Rows rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    return {{"error: cannot open"}};
  }
  sqlite3_stmt* stmt = nullptr;
  int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &stmt, nullptr);
  if (rc == SQLITE_OK) rc = SQLITE_ROW;
  while (rc == SQLITE_ROW && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
    auto& row = rows.emplace_back();
    for (int i = 0; i < sqlite3_column_count(stmt); ++i) {
      const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
      row.emplace_back(text ? text : "NULL");
    }
  }
  if (rc != SQLITE_DONE) rows = {{std::string("error: ") + sqlite3_errmsg(db)}};
  sqlite3_finalize(stmt);
  sqlite3_close(db);
  return rows;
}

inline std::string ReadBytes(const std::string& path) {
  if (IsDirectory(path)) return "(folder)";
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A store opened on a new database under a temporary data folder.
class StoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = tmp_.path() + "/";
    ASSERT_TRUE(CreateFolderChain(folder_ + "db"));
    ASSERT_TRUE(store_.OpenDatabase(folder_, "Q57"));
  }
  std::string DbPath() const { return folder_ + "db/Q57_data_kvr.db"; }
  Rows Query(const std::string& sql) const { return test::Query(DbPath(), sql); }
  // Runs SQL on the store's own connection (triggers, pragmas).
  int Exec(const std::string& sql) {
    std::lock_guard<std::recursive_mutex> guard(store_.Lock());
    return store_.Database().Execute(sql.c_str());
  }

  TempDir tmp_;
  std::string folder_;
  ConfigStore store_;
};

}  // namespace zq::test
