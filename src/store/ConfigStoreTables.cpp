// ConfigStore: the button assignment and macro tables.

#include "store/ConfigStore.h"

namespace zq {
namespace {

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(name, play_type, play_times, delay_type, delay_time) "
    "VALUES (?, ?, ?, ?, ?);";
constexpr const char* kInsertMacroRecord =
    "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
    "VALUES (?, ?, ?, ?, ?, ?);";

// "SELECT *" reads the columns in table order, column 0 being the row id.
void ReadAssignment(const SQLiteStatement& stmt, ButtonAssignment& a) {
  a.key_id = stmt.ColumnInt(0);
  a.profile = stmt.ColumnInt(1);
  a.fn_layer = stmt.ColumnInt(2);
  a.key_code = stmt.ColumnInt(3);
  a.layout_value = stmt.ColumnInt(4);
  a.layout_desc = stmt.ColumnString(5);
  a.macro_type = stmt.ColumnInt(6);
  a.macro_value = stmt.ColumnInt(7);
  a.macro_value2 = stmt.ColumnInt(8);
  a.macro_value3 = stmt.ColumnInt(9);
  a.macro_desc = stmt.ColumnString(10);
}

void ReadMacro(const SQLiteStatement& stmt, Macro& m) {
  m.macro_id = stmt.ColumnInt(0);
  m.name = stmt.ColumnString(1);
  m.play_type = stmt.ColumnInt(2);
  m.play_times = stmt.ColumnInt(3);
  m.delay_type = stmt.ColumnInt(4);
  m.delay_time = stmt.ColumnInt(5);
}

void ReadMacroRecord(const SQLiteStatement& stmt, MacroRecord& r) {
  r.record_id = stmt.ColumnInt(0);
  r.macro_id = stmt.ColumnInt(1);
  r.type = stmt.ColumnInt(2);
  r.record_index = stmt.ColumnInt(3);
  r.desc = stmt.ColumnString(4);
  r.value = stmt.ColumnInt(5);
  r.delay_time = stmt.ColumnInt(6);
}

}  // namespace

bool ConfigStore::ExecuteWrite(const char* sql, int id) {
  SQLiteStatement stmt;
  db_.Prepare(stmt, sql);
  stmt.BindInt(1, id);
  return StepSucceeded(stmt.Step());
}

// -------------------------------------------------------- button assignments

int ConfigStore::SaveAssignment(const ButtonAssignment& a) {
  Guard guard(lock_);
  // The delete and the insert are one unit: an insert that fails (a full
  // disk) must not leave the position without the function it had.
  SQLiteAutoTransaction transaction(&db_);
  SQLiteStatement stmt;
  db_.Prepare(stmt,
              "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
  stmt.BindInt(1, a.profile);
  stmt.BindInt(2, a.fn_layer);
  stmt.BindInt(3, a.key_code);
  const bool deleted = StepSucceeded(stmt.Step());
  stmt.Finalize();
  if (!deleted) {
    Finish(transaction, false);
    return 0;
  }
  // Both values 0: the position goes back to its default function.
  if (a.macro_value == 0 && a.macro_value2 == 0) {
    Finish(transaction, true);
    return 0;
  }
  db_.Prepare(stmt,
              "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, "
              "layout_desc, macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
              "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
  stmt.BindInt(1, a.profile);
  stmt.BindInt(2, a.fn_layer);
  stmt.BindInt(3, a.key_code);
  stmt.BindInt(4, a.layout_value);
  stmt.BindText(5, a.layout_desc);
  stmt.BindInt(6, a.macro_type);
  stmt.BindInt(7, a.macro_value);
  stmt.BindInt(8, a.macro_value2);
  stmt.BindInt(9, a.macro_value3);
  stmt.BindText(10, a.macro_desc);
  const int id = StepSucceeded(stmt.Step()) ? static_cast<int>(db_.LastInsertRowId()) : 0;
  stmt.Finalize();
  return Finish(transaction, id > 0) ? id : 0;
}

bool ConfigStore::GetAssignment(int profile, int key_code, ButtonAssignment& assignment) {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt,
              "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
  stmt.BindInt(1, profile);
  stmt.BindInt(2, 0);
  stmt.BindInt(3, key_code);
  if (stmt.Step() != kSqliteRow) return false;
  ReadAssignment(stmt, assignment);
  return true;
}

bool ConfigStore::SetAssignmentDescription(int profile, int key_code,
                                           const std::string& description) {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt,
              "UPDATE t_key_macro_data SET macro_desc = ? WHERE profile = ? and fn_layer = ? and "
              "key_code = ?");
  stmt.BindText(1, description);
  stmt.BindInt(2, profile);
  stmt.BindInt(3, 0);
  stmt.BindInt(4, key_code);
  return StepSucceeded(stmt.Step());
}

int ConfigStore::ListAssignments(int profile, std::vector<ButtonAssignment>& assignments) {
  Guard guard(lock_);
  assignments.clear();
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
  stmt.BindInt(1, profile);
  stmt.BindInt(2, 0);
  while (stmt.Step() == kSqliteRow) {
    ReadAssignment(stmt, assignments.emplace_back());
  }
  return static_cast<int>(assignments.size());
}

bool ConfigStore::DeleteProfileAssignments(int profile) {
  Guard guard(lock_);
  return ExecuteWrite("DELETE FROM t_key_macro_data WHERE profile = ?", profile);
}

// -------------------------------------------------------------------- macros

int ConfigStore::InsertMacroLocked(const std::string& name, int play_type, int play_times,
                                   int delay_type, int delay_time) {
  SQLiteStatement stmt;
  db_.Prepare(stmt, kInsertMacro);
  stmt.BindText(1, name);
  stmt.BindInt(2, play_type);
  stmt.BindInt(3, play_times);
  stmt.BindInt(4, delay_type);
  stmt.BindInt(5, delay_time);
  // The last row id stays that of an earlier insert when this one fails, so
  // it is read only after a successful step.
  return StepSucceeded(stmt.Step()) ? static_cast<int>(db_.LastInsertRowId()) : 0;
}

int ConfigStore::CreateMacro(const std::string& name) {
  Guard guard(lock_);
  return InsertMacroLocked(name, 0, 1, 1, 0);
}

int ConfigStore::InsertMacro(const Macro& m) {
  Guard guard(lock_);
  return InsertMacroLocked(m.name, m.play_type, m.play_times, m.delay_type, m.delay_time);
}

bool ConfigStore::SetMacroName(int macro_id, const std::string& name) {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?");
  stmt.BindText(1, name);
  stmt.BindInt(2, macro_id);
  return StepSucceeded(stmt.Step());
}

bool ConfigStore::UpdateMacro(const Macro& m) {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt,
              "UPDATE t_macro_data SET name = ?, play_type = ?, play_times = ?, delay_type = "
              "?,delay_time = ? WHERE macro_id = ?");
  stmt.BindText(1, m.name);
  stmt.BindInt(2, m.play_type);
  stmt.BindInt(3, m.play_times);
  stmt.BindInt(4, m.delay_type);
  stmt.BindInt(5, m.delay_time);
  stmt.BindInt(6, m.macro_id);
  return StepSucceeded(stmt.Step());
}

bool ConfigStore::GetMacro(int macro_id, Macro& macro) {
  Guard guard(lock_);
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT * FROM t_macro_data WHERE macro_id = ?");
  stmt.BindInt(1, macro_id);
  if (stmt.Step() != kSqliteRow) return false;
  ReadMacro(stmt, macro);
  return true;
}

int ConfigStore::ListMacros(std::vector<Macro>& macros) {
  Guard guard(lock_);
  macros.clear();
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT * FROM t_macro_data");
  while (stmt.Step() == kSqliteRow) ReadMacro(stmt, macros.emplace_back());
  return static_cast<int>(macros.size());
}

bool ConfigStore::RemoveMacro(int macro_id) {
  Guard guard(lock_);
  // Items without their macro would never be reached again; the macro and
  // its items go together or both stay.
  SQLiteAutoTransaction transaction(&db_);
  const bool ok = ExecuteWrite("DELETE FROM t_macro_data WHERE macro_id = ?", macro_id) &&
                  ExecuteWrite("DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id);
  return Finish(transaction, ok);
}

bool ConfigStore::InsertMacroRecordLocked(const MacroRecord& r, int macro_id) {
  SQLiteStatement stmt;
  db_.Prepare(stmt, kInsertMacroRecord);
  stmt.BindInt(1, macro_id);
  stmt.BindInt(2, r.type);
  stmt.BindInt(3, r.record_index);
  stmt.BindText(4, r.desc);
  stmt.BindInt(5, r.value);
  stmt.BindInt(6, r.delay_time);
  return StepSucceeded(stmt.Step());
}

int ConfigStore::AddMacroRecord(const MacroRecord& record) {
  Guard guard(lock_);
  if (!InsertMacroRecordLocked(record, record.macro_id)) return 0;
  return static_cast<int>(db_.LastInsertRowId());
}

bool ConfigStore::AddMacroRecords(const std::vector<MacroRecord>& records) {
  Guard guard(lock_);
  // One BEGIN/END pair for the whole macro; a macro half stored would play
  // differently from the one the user saved, so a failure undoes it all.
  SQLiteAutoTransaction transaction(&db_);
  bool ok = true;
  for (const MacroRecord& record : records) {
    if (!InsertMacroRecordLocked(record, record.macro_id)) {
      ok = false;
      break;
    }
  }
  return Finish(transaction, ok);
}

bool ConfigStore::ReplaceMacroRecords(int macro_id, const std::vector<MacroRecord>& records) {
  Guard guard(lock_);
  SQLiteAutoTransaction transaction(&db_);
  bool ok = ExecuteWrite("DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id);
  for (size_t i = 0; ok && i < records.size(); ++i) {
    ok = InsertMacroRecordLocked(records[i], macro_id);
  }
  return Finish(transaction, ok);
}

int ConfigStore::ListMacroRecords(int macro_id, std::vector<MacroRecord>& records) {
  Guard guard(lock_);
  records.clear();
  SQLiteStatement stmt;
  db_.Prepare(stmt, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
  stmt.BindInt(1, macro_id);
  while (stmt.Step() == kSqliteRow) ReadMacroRecord(stmt, records.emplace_back());
  return static_cast<int>(records.size());
}

bool ConfigStore::DeleteMacroRecords(int macro_id) {
  Guard guard(lock_);
  return ExecuteWrite("DELETE FROM t_macrorecord WHERE macro_id = ?", macro_id);
}

}  // namespace zq
