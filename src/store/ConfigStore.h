#pragma once
// The owner of the settings database: one SQLite file per device model under
// the data folder, holding the profiles, their configuration keys, the
// button assignments and the shared macros.
//
// The UI thread and the device worker both use the store. Every table
// operation holds one re-entrant lock from preparing its first statement to
// finalizing its last, so their statements never interleave on the
// connection, and an operation may call another while it holds the lock.
//
// Failures are return values: reads find nothing (false, an empty text, an
// empty list), writes return false and inserts 0. A store whose file could
// not be opened stays usable and fails softly in the same way.

#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "store/Records.h"
#include "store/SQLiteDB.h"

namespace zq {

// Answers the mouse's connection mode at the moment it is asked: 0 cable,
// 1 receiver, 2 Bluetooth LE, 3 second receiver mode, -1 none.
using ConnectionModeProvider = std::function<int()>;

class ConfigStore {
 public:
  ConfigStore() = default;
  ~ConfigStore();
  ConfigStore(const ConfigStore&) = delete;
  ConfigStore& operator=(const ConfigStore&) = delete;

  // The program's one store, created on first use and kept until exit.
  static ConfigStore& Instance();

  // data folder (with or without its trailing "/") + "db/" + name +
  // "_data_kvr.db".
  static std::string DatabasePathFor(const std::string& data_folder, const std::string& name);

  // ------------------------------------------------------------ the file

  // Opens the database of `name` under the data folder, creating the file
  // and its schema when there is none. An existing file must be an SQLite
  // database; it is never overwritten, whatever it holds.
  bool OpenDatabase(const std::string& data_folder, const std::string& name);
  // OpenDatabase, then ClearAll (the factory reset). False when the open
  // failed.
  bool OpenAndClear(const std::string& data_folder, const std::string& name);
  void CloseDatabase();
  bool IsOpened() const;
  // The path last given to OpenDatabase.
  std::string DatabasePath() const;

  // Runs the schema on a new file. True without doing anything when the
  // connection is already open.
  bool CreateSchema();
  // Deletes every row of every table and restarts the row counters.
  void ClearAll();

  // --------------------------------------------------- configuration keys

  // False with an empty value when the profile has no row for the key.
  bool GetConfig(int profile, const std::string& key, std::string& value);
  // Updates an existing row. True also when no row matched: keys outside
  // the key table cannot be stored.
  bool SetConfig(int profile, const std::string& key, const std::string& value);
  // Numeric keys read through the plain decimal conversion (missing reads as
  // 0) and are written with "%d".
  int GetConfigInt(int profile, const std::string& key);
  bool SetConfigInt(int profile, const std::string& key, int value);

  // Inserts the 25 keys of a new profile. True when every row was stored.
  bool InsertDefaultConfig(int profile);
  // Writes every key's restored text (not `version`), the report rate after
  // the connection mode asked of the provider at this moment. True when
  // every update succeeded.
  bool RestoreDefaultConfig(int profile);
  // Where RestoreDefaultConfig learns the connection mode; without one the
  // mode counts as -1 (no mouse).
  void SetConnectionModeProvider(ConnectionModeProvider provider);

  // ------------------------------------------------------------- profiles

  // Adds a profile with its default keys; its number, or 0 when nothing
  // could be stored (a profile never appears without its keys).
  int AddProfile(const std::string& name, const std::string& app);
  int ListProfiles(std::vector<ProfileRecord>& profiles);
  // Makes `profile` the only active one. A number without a row leaves no
  // profile active.
  bool SetActiveProfile(int profile);
  // The active profile's number, 0 when none is active.
  int GetActiveProfile();

  // --------------------------------------------------- button assignments
  // Reads and the description update act on layer 0.

  // Replaces the profile's row for the record's layer and position. With
  // macro_value and macro_value2 both 0 the row is only removed and 0 is
  // returned. Should the new row fail to store, the old one stays.
  int SaveAssignment(const ButtonAssignment& assignment);
  bool GetAssignment(int profile, int key_code, ButtonAssignment& assignment);
  bool SetAssignmentDescription(int profile, int key_code, const std::string& description);
  int ListAssignments(int profile, std::vector<ButtonAssignment>& assignments);
  bool DeleteProfileAssignments(int profile);

  // --------------------------------------------------------------- macros
  // Macros are shared by all profiles; ListMacros lists them in the order of
  // creation, which is their number in the mouse.

  // A new macro that plays once with real delays; its id or 0.
  int CreateMacro(const std::string& name);
  int InsertMacro(const Macro& macro);
  bool SetMacroName(int macro_id, const std::string& name);
  bool UpdateMacro(const Macro& macro);
  bool GetMacro(int macro_id, Macro& macro);
  int ListMacros(std::vector<Macro>& macros);
  // Removes the macro together with its items, or nothing at all.
  bool RemoveMacro(int macro_id);

  int AddMacroRecord(const MacroRecord& record);
  // Stores the items in list order in one transaction: all of them, or
  // none when one fails.
  bool AddMacroRecords(const std::vector<MacroRecord>& records);
  // Replaces a macro's items as a whole; on failure the old items stay.
  // Every record is stored under `macro_id`.
  bool ReplaceMacroRecords(int macro_id, const std::vector<MacroRecord>& records);
  // The macro's items in ascending record_index.
  int ListMacroRecords(int macro_id, std::vector<MacroRecord>& records);
  bool DeleteMacroRecords(int macro_id);

  // The connection, for tools and tests that need to reach SQLite directly.
  // Use it only while holding Lock().
  SQLiteDB& Database() { return db_; }
  std::recursive_mutex& Lock() { return lock_; }

 private:
  using Guard = std::lock_guard<std::recursive_mutex>;

  bool OpenExisting();
  bool CreateSchemaLocked(bool& created_file);
  bool RunSchemaStatements();
  // Ends a transaction: commits when `ok`, else (or when the commit fails)
  // rolls it back. True when the work was committed.
  bool Finish(SQLiteAutoTransaction& transaction, bool ok);
  bool InsertMacroRecordLocked(const MacroRecord& record, int macro_id);
  int InsertMacroLocked(const std::string& name, int play_type, int play_times, int delay_type,
                        int delay_time);
  bool ExecuteWrite(const char* sql, int id);

  mutable std::recursive_mutex lock_;
  SQLiteDB db_;
  std::string path_;       // the path last asked for
  std::string open_path_;  // the file the connection is open on
  bool opened_ = false;
  ConnectionModeProvider connection_mode_;
};

}  // namespace zq
