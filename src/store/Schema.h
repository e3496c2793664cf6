#pragma once
// The settings database's tables and indexes, and the configuration keys
// every profile carries with their default texts.

#include <string_view>
#include <vector>

namespace zq {

// The fifteen CREATE statements, tables each followed by its index, in the
// order they are executed on a new file.
const std::vector<const char*>& SchemaStatements();

// The DELETE statements that empty the database, ending with sqlite_sequence
// so that every counter restarts. Three of the tables are never created by
// this program; their statements only matter in files that have them.
const std::vector<const char*>& ClearStatements();

// One configuration key: its name, the text a new profile gets, and the text
// restoring the profile's defaults writes. `restored` is null for a key that
// a restore leaves alone; `restored_on_cable` is what a restore writes while
// the mouse is connected by cable (connection mode 0).
struct ConfigKeyDefault {
  const char* name;
  const char* new_profile;
  const char* restored;
  const char* restored_on_cable;

  // The restored text for a connection mode (0 cable, 1 receiver, 2
  // Bluetooth LE, 3 second receiver mode, -1 none); null when not restored.
  const char* RestoredFor(int connection_mode) const {
    return connection_mode == 0 ? restored_on_cable : restored;
  }
};

// The 25 keys in the order their rows are inserted for a new profile.
const std::vector<ConfigKeyDefault>& DefaultConfigKeys();

// The key table's entry for a name, or null for a key no profile carries.
const ConfigKeyDefault* FindConfigKey(std::string_view name);

}  // namespace zq
