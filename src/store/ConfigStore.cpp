#include "store/ConfigStore.h"

#include <unistd.h>

#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/Text.h"
#include "store/Schema.h"

namespace zq {
namespace {

// The tables the program works on; a file that lacks one of them gets the
// schema's CREATE statements (they leave existing tables alone).
constexpr const char* kCountOwnTables =
    "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN ('t_configdata', "
    "'t_profile_data', 't_key_macro_data', 't_key_otherdata', 't_macro_data', "
    "'t_macrorecord', 't_light_data', 't_key_light_data')";
constexpr int kOwnTableCount = 8;

}  // namespace

ConfigStore::~ConfigStore() { CloseDatabase(); }

ConfigStore& ConfigStore::Instance() {
  // Never destroyed: the program may end while the device worker is still
  // inside a store call, and a destroyed lock would then be used after its
  // end. Every write is in the file when its call returns, so nothing
  // depends on closing the connection at exit.
  static ConfigStore* store = new ConfigStore();
  return *store;
}

std::string ConfigStore::DatabasePathFor(const std::string& data_folder, const std::string& name) {
  std::string path = data_folder;
  if (!path.empty() && path.back() != '/') path.push_back('/');
  return path + "db/" + name + "_data_kvr.db";
}

// ------------------------------------------------------------------ the file

bool ConfigStore::OpenDatabase(const std::string& data_folder, const std::string& name) {
  Guard guard(lock_);
  path_ = DatabasePathFor(data_folder, name);
  // A connection to another device model's file is not the one asked for.
  if (db_.IsOpen() && open_path_ != path_) {
    if (!db_.Close()) {
      opened_ = false;
      return false;
    }
    open_path_.clear();
  }
  bool ok = false;
  if (FileExists(path_)) {
    ok = db_.IsOpen() || OpenExisting();
  } else {
    bool created = false;
    ok = CreateSchemaLocked(created);
  }
  if (!ok) Log(LogLevel::Warning, "settings database %s could not be opened", path_);
  opened_ = ok;
  return ok;
}

bool ConfigStore::OpenExisting() {
  if (!db_.Open(path_, kOpenExisting)) return false;
  // Opening succeeds on any file; the first read tells whether it is a
  // database at all. A file that is not is left closed and untouched.
  SQLiteStatement probe;
  db_.Prepare(probe, kCountOwnTables);
  const int rc = probe.Step();
  const int tables = rc == kSqliteRow ? probe.ColumnInt(0) : -1;
  probe.Finalize();
  if (tables < 0) {
    Log(LogLevel::Warning, "%s is not a usable database: %s", path_, db_.LastError());
    db_.Close();
    return false;
  }
  // An empty file, as a creation that failed half-way leaves behind, gets
  // its tables now instead of failing every operation for good. A file that
  // cannot take them (read-only) is still opened for reading.
  if (tables < kOwnTableCount) RunSchemaStatements();
  open_path_ = path_;
  return true;
}

bool ConfigStore::OpenAndClear(const std::string& data_folder, const std::string& name) {
  Guard guard(lock_);
  if (!OpenDatabase(data_folder, name)) return false;
  ClearAll();
  return true;
}

void ConfigStore::CloseDatabase() {
  Guard guard(lock_);
  if (!db_.Close()) return;  // a statement still open keeps the connection
  open_path_.clear();
  opened_ = false;
}

bool ConfigStore::IsOpened() const {
  Guard guard(lock_);
  return opened_;
}

std::string ConfigStore::DatabasePath() const {
  Guard guard(lock_);
  return path_;
}

bool ConfigStore::CreateSchema() {
  Guard guard(lock_);
  bool created = false;
  return CreateSchemaLocked(created);
}

bool ConfigStore::CreateSchemaLocked(bool& created_file) {
  created_file = false;
  if (db_.IsOpen()) return true;
  const bool existed = FileExists(path_);
  if (!db_.Open(path_, kOpenOrCreate)) return false;
  created_file = !existed;
  if (RunSchemaStatements()) {
    open_path_ = path_;
    return true;
  }
  // A store without its tables would fail every operation while looking
  // open. The file was made just now and holds nothing, so it goes too and
  // the next start tries again from scratch.
  db_.Close();
  if (created_file) {
    unlink(path_.c_str());
    unlink((path_ + "-journal").c_str());
  }
  return false;
}

bool ConfigStore::RunSchemaStatements() {
  SQLiteAutoTransaction transaction(&db_);
  bool ok = true;
  for (const char* sql : SchemaStatements()) {
    if (db_.Execute(sql) != kSqliteOk) ok = false;
  }
  return Finish(transaction, ok);
}

void ConfigStore::ClearAll() {
  Guard guard(lock_);
  // One transaction, so that a reset cut short leaves the old data rather
  // than half of it. The three tables this program never creates fail to
  // prepare, which does not end the transaction.
  SQLiteAutoTransaction transaction(&db_);
  for (const char* sql : ClearStatements()) db_.Execute(sql);
  Finish(transaction, true);
}

bool ConfigStore::Finish(SQLiteAutoTransaction& transaction, bool ok) {
  if (ok && transaction.Commit()) return true;
  transaction.Rollback();
  return false;
}

// -------------------------------------------------------- configuration keys

bool ConfigStore::GetConfig(int profile, const std::string& key, std::string& value) {
  Guard guard(lock_);
  value.clear();
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT value FROM t_configdata WHERE profile = ? and key = ?");
  stmt.BindInt(1, profile);
  stmt.BindText(2, key);
  if (stmt.Step() != kSqliteRow) return false;
  value = stmt.ColumnString(0);
  return true;
}

bool ConfigStore::SetConfig(int profile, const std::string& key, const std::string& value) {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "UPDATE t_configdata SET value = ? WHERE profile = ? and key = ?");
  stmt.BindText(1, value);
  stmt.BindInt(2, profile);
  stmt.BindText(3, key);
  return StepSucceeded(stmt.Step());
}

int ConfigStore::GetConfigInt(int profile, const std::string& key) {
  std::string value;
  GetConfig(profile, key, value);
  return ParseDecimal(value);
}

bool ConfigStore::SetConfigInt(int profile, const std::string& key, int value) {
  return SetConfig(profile, key, FormatInt(value));
}

bool ConfigStore::InsertDefaultConfig(int profile) {
  Guard guard(lock_);
  bool ok = true;
  SQLiteStatement stmt;
  for (const ConfigKeyDefault& key : DefaultConfigKeys()) {
    db_.Prepare(stmt, "INSERT INTO t_configdata(profile, key, value) VALUES (?, ?, ?);");
    stmt.BindInt(1, profile);
    stmt.BindText(2, key.name);
    stmt.BindText(3, key.new_profile);
    if (!StepSucceeded(stmt.Step())) ok = false;
    stmt.Finalize();
  }
  return ok;
}

void ConfigStore::SetConnectionModeProvider(ConnectionModeProvider provider) {
  Guard guard(lock_);
  connection_mode_ = std::move(provider);
}

bool ConfigStore::RestoreDefaultConfig(int profile) {
  ConnectionModeProvider provider;
  {
    Guard guard(lock_);
    provider = connection_mode_;
  }
  // Asked outside the store's lock: the device side may take locks of its
  // own, and no lock is ever taken while the store's is held.
  const int mode = provider ? provider() : -1;
  bool ok = true;
  for (const ConfigKeyDefault& key : DefaultConfigKeys()) {
    const char* text = key.RestoredFor(mode);
    if (!text) continue;
    if (!SetConfig(profile, key.name, text)) ok = false;
  }
  return ok;
}

// ------------------------------------------------------------------ profiles

int ConfigStore::AddProfile(const std::string& name, const std::string& app) {
  Guard guard(lock_);
  // The profile and its keys are stored together or not at all.
  SQLiteAutoTransaction transaction(&db_);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "INSERT INTO t_profile_data(name, status, app, type) VALUES (?, ?, ?, ?);");
  stmt.BindText(1, name);
  stmt.BindInt(2, 0);
  stmt.BindText(3, app);
  stmt.BindInt(4, 0);
  const int profile = StepSucceeded(stmt.Step()) ? static_cast<int>(db_.LastInsertRowId()) : 0;
  stmt.Finalize();
  const bool ok = profile > 0 && InsertDefaultConfig(profile);
  return Finish(transaction, ok) ? profile : 0;
}

int ConfigStore::ListProfiles(std::vector<ProfileRecord>& profiles) {
  Guard guard(lock_);
  profiles.clear();
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT * FROM t_profile_data");
  while (stmt.Step() == kSqliteRow) {
    ProfileRecord record;
    record.profile = stmt.ColumnInt(0);
    record.name = stmt.ColumnString(1);
    record.status = stmt.ColumnInt(2);
    record.app = stmt.ColumnString(3);
    record.type = stmt.ColumnInt(4);
    profiles.push_back(std::move(record));
  }
  return static_cast<int>(profiles.size());
}

bool ConfigStore::SetActiveProfile(int profile) {
  Guard guard(lock_);
  // Both updates or neither: a failure between them would leave no profile
  // active.
  SQLiteAutoTransaction transaction(&db_);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "UPDATE t_profile_data SET status = ?");
  stmt.BindInt(1, 0);
  bool ok = StepSucceeded(stmt.Step());
  db_.Prepare(stmt, "UPDATE t_profile_data SET status = ? WHERE profile = ?");
  stmt.BindInt(1, 1);
  stmt.BindInt(2, profile);
  ok = StepSucceeded(stmt.Step()) && ok;
  stmt.Finalize();
  return Finish(transaction, ok);
}

int ConfigStore::GetActiveProfile() {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT profile FROM t_profile_data WHERE status = ?");
  stmt.BindInt(1, 1);
  return stmt.Step() == kSqliteRow ? stmt.ColumnInt(0) : 0;
}

}  // namespace zq
