// A file that cannot be used, a full disk, a failing statement: the store
// answers false, 0 or nothing, keeps what was stored and never touches a
// file it cannot use.

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <chrono>
#include <functional>
#include <thread>

#include "StoreTestSupport.h"

namespace zq {
namespace {

using test::Rows;
using test::StoreTest;
using test::TempDir;

// Every kind of operation on a store that has no usable file.
void ExpectEverythingFailsSoftly(ConfigStore& store) {
  EXPECT_FALSE(store.IsOpened());
  std::string value = "stale";
  EXPECT_FALSE(store.GetConfig(1, "dpi_index", value));
  EXPECT_EQ(value, "");
  EXPECT_FALSE(store.SetConfig(1, "dpi_index", "1"));
  EXPECT_EQ(store.AddProfile("800", ""), 0);
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store.ListProfiles(profiles), 0);
  EXPECT_FALSE(store.SetActiveProfile(1));
  EXPECT_EQ(store.GetActiveProfile(), 0);
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = 1;
  a.macro_value = 5;
  EXPECT_EQ(store.SaveAssignment(a), 0);
  std::vector<ButtonAssignment> assignments;
  EXPECT_EQ(store.ListAssignments(1, assignments), 0);
  EXPECT_EQ(store.CreateMacro("m"), 0);
  EXPECT_EQ(store.AddMacroRecord({0, 1, 1, 0, "A", 65, 0}), 0);
  EXPECT_FALSE(store.AddMacroRecords({{0, 1, 1, 0, "A", 65, 0}}));
  std::vector<Macro> macros;
  EXPECT_EQ(store.ListMacros(macros), 0);
  EXPECT_FALSE(store.RemoveMacro(1));
  store.ClearAll();
  EXPECT_FALSE(store.RestoreDefaultConfig(1));
}

TEST(StoreOpenFailure, UnusablePathsFailSoftlyAndStayUntouched) {
  struct Case {
    const char* what;
    std::function<void(const std::string& folder, const std::string& path)> prepare;
    bool file_expected;
  };
  const std::string garbage(5000, 'x');
  const Case cases[] = {
      {"garbage file",
       [&](const std::string& folder, const std::string& path) {
         CreateFolderChain(folder + "db");
         std::ofstream(path, std::ios::binary) << "not a database\n" << garbage;
       },
       true},
      {"missing db folder", [](const std::string&, const std::string&) {}, false},
      {"folder at the file's path",
       [](const std::string&, const std::string& path) { CreateFolderChain(path); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempDir tmp;
    const std::string folder = tmp.path() + "/";
    const std::string path = ConfigStore::DatabasePathFor(folder, "Q57");
    c.prepare(folder, path);
    const std::string before = test::ReadBytes(path);
    ConfigStore store;
    EXPECT_FALSE(store.OpenDatabase(folder, "Q57"));
    ExpectEverythingFailsSoftly(store);
    EXPECT_EQ(FileExists(path), c.file_expected);
    EXPECT_EQ(test::ReadBytes(path), before);
    EXPECT_FALSE(FileExists(path + "-journal"));
  }
}

// Makes a file unwritable for this process, root included (where the
// permission bits alone do not stop writes, the immutable flag does).
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(std::string path) : path_(std::move(path)) {
    chmod(path_.c_str(), 0444);
    if (access(path_.c_str(), W_OK) != 0) {
      ok_ = true;
      return;
    }
    immutable_ = SetImmutable(true);
    ok_ = immutable_;
  }
  ~ReadOnlyFile() {
    if (immutable_) SetImmutable(false);
    chmod(path_.c_str(), 0644);
  }
  bool ok() const { return ok_; }

 private:
  bool SetImmutable(bool on) {
    const int fd = open(path_.c_str(), O_RDONLY);
    if (fd < 0) return false;
    int flags = 0;
    bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    close(fd);
    return done;
  }
  std::string path_;
  bool ok_ = false;
  bool immutable_ = false;
};

TEST_F(StoreTest, ReadOnlyFileIsReadButNeverWritten) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  store_.SetActiveProfile(1);
  const int macro = store_.CreateMacro("m");
  store_.AddMacroRecord({0, macro, 1, 0, "A", 65, 0});
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = 2;
  a.macro_value = 65;
  a.macro_desc = "old";
  ASSERT_GT(store_.SaveAssignment(a), 0);
  store_.CloseDatabase();
  const std::string before = test::ReadBytes(DbPath());

  ReadOnlyFile read_only(DbPath());
  if (!read_only.ok()) GTEST_SKIP() << "cannot make a file read-only here";
  ConfigStore store;
  ASSERT_TRUE(store.OpenDatabase(folder_, "Q57"));  // what is stored can still be read
  EXPECT_EQ(store.GetConfigInt(1, "dpi_group0_value"), 1200);
  EXPECT_EQ(store.GetActiveProfile(), 1);

  EXPECT_FALSE(store.SetConfig(1, "dpi_index", "4"));
  EXPECT_EQ(store.AddProfile("801", ""), 0);
  EXPECT_EQ(store.CreateMacro("n"), 0);
  EXPECT_EQ(store.AddMacroRecord({0, macro, 1, 1, "B", 66, 0}), 0);
  EXPECT_FALSE(store.RemoveMacro(macro));
  a.macro_desc = "new";
  EXPECT_EQ(store.SaveAssignment(a), 0);
  store.ClearAll();
  EXPECT_FALSE(store.SetActiveProfile(1));

  ButtonAssignment got;
  ASSERT_TRUE(store.GetAssignment(1, 2, got));
  EXPECT_EQ(got.macro_desc, "old");
  std::vector<MacroRecord> records;
  EXPECT_EQ(store.ListMacroRecords(macro, records), 1);
  EXPECT_EQ(store.GetConfigInt(1, "dpi_index"), 0);
  store.CloseDatabase();
  EXPECT_EQ(test::ReadBytes(DbPath()), before);
}

TEST_F(StoreTest, FailingInsertKeepsTheAssignmentItReplaces) {
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = 6;
  a.macro_value = 65;
  a.macro_desc = "old";
  const int id = store_.SaveAssignment(a);
  ASSERT_GT(id, 0);
  ASSERT_EQ(Exec("CREATE TRIGGER refuse BEFORE INSERT ON t_key_macro_data WHEN NEW.macro_desc = "
                 "'refused' BEGIN SELECT RAISE(ABORT, 'refused'); END"),
            kSqliteOk);
  a.macro_value = 66;
  a.macro_desc = "refused";
  EXPECT_EQ(store_.SaveAssignment(a), 0);
  ButtonAssignment got;
  ASSERT_TRUE(store_.GetAssignment(1, 6, got));
  EXPECT_EQ(got.key_id, id);
  EXPECT_EQ(got.macro_desc, "old");
  // Nothing is left hanging: the next save goes through.
  a.macro_desc = "accepted";
  EXPECT_GT(store_.SaveAssignment(a), id);
  ASSERT_TRUE(store_.GetAssignment(1, 6, got));
  EXPECT_EQ(got.macro_desc, "accepted");
}

// Operations of several statements: a statement refused half-way leaves the
// tables as they were before the operation.
TEST_F(StoreTest, WritesOfSeveralStatementsAreAllOrNothing) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  ASSERT_TRUE(store_.SetActiveProfile(1));
  const int macro = store_.CreateMacro("m");
  ASSERT_TRUE(store_.AddMacroRecords({{0, macro, 1, 0, "a", 1, 0}, {0, macro, 1, 1, "b", 2, 0}}));
  const char* triggers[] = {
      "CREATE TRIGGER no_key BEFORE INSERT ON t_configdata WHEN NEW.key = 'dpi_count' AND "
      "NEW.profile = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END",
      "CREATE TRIGGER no_active BEFORE UPDATE ON t_profile_data WHEN NEW.status = 1 AND "
      "NEW.profile = 2 BEGIN SELECT RAISE(ABORT, 'refused'); END",
      "CREATE TRIGGER no_item BEFORE INSERT ON t_macrorecord WHEN NEW.desc = 'refused' BEGIN "
      "SELECT RAISE(ABORT, 'refused'); END",
      "CREATE TRIGGER keep_items BEFORE DELETE ON t_macrorecord BEGIN SELECT RAISE(ABORT, "
      "'refused'); END",
  };
  for (const char* sql : triggers) ASSERT_EQ(Exec(sql), kSqliteOk) << sql;

  EXPECT_EQ(store_.AddProfile("801", ""), 0);  // its 13th key is refused
  EXPECT_EQ(Query("SELECT count(*) FROM t_profile_data"), (Rows{{"1"}}));
  EXPECT_EQ(Query("SELECT count(*) FROM t_configdata"), (Rows{{"25"}}));

  Exec("INSERT INTO t_profile_data(name, status, app, type) VALUES ('801', 0, '', 0)");
  EXPECT_FALSE(store_.SetActiveProfile(2));
  EXPECT_EQ(store_.GetActiveProfile(), 1);  // still active, not none

  EXPECT_FALSE(store_.AddMacroRecords({{0, macro, 1, 2, "c", 3, 0},
                                       {0, macro, 1, 3, "refused", 4, 0},
                                       {0, macro, 1, 4, "e", 5, 0}}));
  EXPECT_FALSE(store_.RemoveMacro(macro));  // its items cannot go, so the macro stays
  EXPECT_FALSE(store_.ReplaceMacroRecords(macro, {{0, macro, 1, 0, "new", 9, 0}}));
  Macro m;
  EXPECT_TRUE(store_.GetMacro(macro, m));
  std::vector<MacroRecord> records;
  ASSERT_EQ(store_.ListMacroRecords(macro, records), 2);
  EXPECT_EQ(records[1].desc, "b");
}

TEST_F(StoreTest, FullDiskFailsWritesAndKeepsWhatWasStored) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  const int macro = store_.CreateMacro("m");
  ASSERT_GT(store_.AddMacroRecord({0, macro, 1, 0, "kept", 65, 0}), 0);
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = 1;
  a.macro_value = 65;
  a.macro_desc = "old";
  ASSERT_GT(store_.SaveAssignment(a), 0);
  // Let the file grow no further, like a disk with no space left.
  ASSERT_EQ(Exec("PRAGMA max_page_count = " + Query("PRAGMA page_count").at(0).at(0)),
            kSqliteOk);

  const std::string big(64 * 1024, 'z');
  EXPECT_EQ(store_.CreateMacro(big), 0);  // 0, not the id of the last insert
  EXPECT_EQ(store_.AddMacroRecord({0, macro, 1, 1, big, 66, 0}), 0);
  EXPECT_EQ(store_.AddProfile(big, ""), 0);
  EXPECT_FALSE(store_.SetConfig(1, "light_mode", big));
  std::vector<MacroRecord> items;
  for (int i = 0; i < 200; ++i) items.push_back({0, macro, 1, i + 1, "item " + big, i, 0});
  EXPECT_FALSE(store_.AddMacroRecords(items));
  EXPECT_FALSE(store_.ReplaceMacroRecords(macro, items));
  a.macro_desc = big;
  EXPECT_EQ(store_.SaveAssignment(a), 0);

  std::vector<MacroRecord> records;
  ASSERT_EQ(store_.ListMacroRecords(macro, records), 1);  // no half-stored macro
  EXPECT_EQ(records[0].desc, "kept");
  ButtonAssignment got;
  ASSERT_TRUE(store_.GetAssignment(1, 1, got));
  EXPECT_EQ(got.macro_desc, "old");
  std::string value;
  EXPECT_TRUE(store_.GetConfig(1, "light_mode", value));
  EXPECT_EQ(value, "1");
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store_.ListProfiles(profiles), 1);
  EXPECT_EQ(Query("SELECT count(*) FROM t_configdata"), (Rows{{"25"}}));

  // Once there is room again the store works on: no transaction was left open.
  ASSERT_EQ(Exec("PRAGMA max_page_count = 100000"), kSqliteOk);
  EXPECT_TRUE(store_.AddMacroRecords(items));
  EXPECT_EQ(store_.ListMacroRecords(macro, records), 201);
  EXPECT_EQ(store_.AddProfile("801", ""), 2);
}

TEST(StoreCreation, FailedSchemaLeavesTheStoreClosedAndNoFile) {
  TempDir tmp;
  const std::string folder = tmp.path() + "/";
  const std::string path = ConfigStore::DatabasePathFor(folder, "Q57");
  ASSERT_TRUE(CreateFolderChain(folder + "db"));
  // A folder where SQLite wants its journal: the file opens, no table can be
  // written.
  ASSERT_TRUE(CreateFolderChain(path + "-journal"));
  ConfigStore store;
  EXPECT_FALSE(store.OpenDatabase(folder, "Q57"));
  ExpectEverythingFailsSoftly(store);
  EXPECT_FALSE(FileExists(path));
  EXPECT_TRUE(IsDirectory(path + "-journal"));  // not ours to remove

  std::filesystem::remove(path + "-journal");
  EXPECT_TRUE(store.OpenDatabase(folder, "Q57"));
  EXPECT_EQ(store.AddProfile("800", ""), 1);
}

TEST(StoreCreation, EmptyFileGetsTheSchema) {
  TempDir tmp;
  const std::string folder = tmp.path() + "/";
  ASSERT_TRUE(CreateFolderChain(folder + "db"));
  std::ofstream(ConfigStore::DatabasePathFor(folder, "Q57"));  // zero bytes
  ConfigStore store;
  ASSERT_TRUE(store.OpenDatabase(folder, "Q57"));
  EXPECT_EQ(store.AddProfile("800", ""), 1);
  EXPECT_EQ(store.CreateMacro("m"), 1);
}

}  // namespace
}  // namespace zq

namespace zq::test {
namespace {

// Another process reading the file holds a shared lock for a moment; a write in that moment
// waits for it instead of being dropped as "database is locked".
TEST_F(StoreTest, WriteWaitsOutAnotherProcessReading) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  sqlite3* reader = nullptr;
  ASSERT_EQ(sqlite3_open_v2(DbPath().c_str(), &reader, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
  ASSERT_EQ(sqlite3_exec(reader, "BEGIN; SELECT COUNT(*) FROM t_configdata;", nullptr, nullptr,
                         nullptr),
            SQLITE_OK);
  std::thread release([reader] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    sqlite3_exec(reader, "END", nullptr, nullptr, nullptr);
  });
  EXPECT_EQ(store_.AddProfile("801", ""), 2);
  EXPECT_TRUE(store_.SetConfig(1, "dpi_index", "3"));
  release.join();
  sqlite3_close(reader);
  EXPECT_EQ(Query("SELECT value FROM t_configdata WHERE profile = 1 AND key = 'dpi_index'"),
            (Rows{{"3"}}));
  EXPECT_EQ(Query("SELECT COUNT(*) FROM t_profile_data"), (Rows{{"2"}}));
}

}  // namespace
}  // namespace zq::test
