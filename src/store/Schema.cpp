#include "store/Schema.h"

namespace zq {

const std::vector<const char*>& SchemaStatements() {
  static const std::vector<const char*> statements = {
      "CREATE TABLE IF NOT EXISTS t_configdata(config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, key TEXT, value TEXT)",
      "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, "
      "name TEXT, status INTEGER, app TEXT, type INTEGER)",
      "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",
      "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, "
      "layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, "
      "macro_value3 INTEGER, macro_desc TEXT)",
      "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",
      "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY "
      "AUTOINCREMENT, macro_desc TEXT, param TEXT, type INTEGER)",
      "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",
      "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "name TEXT, play_type INTEGER, play_times INTEGER, delay_type INTEGER, "
      "delay_time INTEGER)",
      "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",
      "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
      "delay_time INTEGER)",
      "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",
      "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, "
      "profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
      "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, "
      "config_func INTEGER, reserved INTEGER, status INTEGER)",
      "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",
      "CREATE TABLE IF NOT EXISTS t_key_light_data(keylight_id INTEGER PRIMARY KEY "
      "AUTOINCREMENT, profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
      "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id)",
  };
  return statements;
}

const std::vector<const char*>& ClearStatements() {
  static const std::vector<const char*> statements = {
      "DELETE FROM t_configdata",       "DELETE FROM t_profile_data",
      "DELETE FROM t_key_macro_data",   "DELETE FROM t_key_otherdata",
      "DELETE FROM t_macro_data",       "DELETE FROM t_macrorecord",
      "DELETE FROM t_light_data",       "DELETE FROM t_key_light_data",
      "DELETE FROM t_customlight_data", "DELETE FROM t_customrgb_data",
      "DELETE FROM t_musiclayer_data",  "DELETE FROM sqlite_sequence",
  };
  return statements;
}

const std::vector<ConfigKeyDefault>& DefaultConfigKeys() {
  // Colours are Windows colour values 0x00BBGGRR written in decimal: red,
  // green, blue, yellow, cyan, purple.
  static const std::vector<ConfigKeyDefault> keys = {
      {"version", "1.0.1", nullptr, nullptr},
      {"light_mode", "1", "1", "1"},
      {"sleep_light", "20", "20", "20"},
      {"report_rate", "2", "2", "4"},
      {"button_respondtime", "8", "8", "8"},
      {"sensor_flag", "53", "53", "53"},
      {"liftoff_height", "1", "1", "1"},
      {"scroll_flag", "0", "0", "0"},
      {"e-sports_flag", "1", "1", "1"},
      {"leftbtn_lock", "1", "1", "1"},
      {"dpi_flag", "5", "5", "5"},
      {"dpi_index", "0", "0", "0"},
      {"dpi_count", "5", "5", "5"},
      {"dpi_group0_value", "1200", "1200", "1200"},
      {"dpi_group1_value", "2400", "2400", "2400"},
      {"dpi_group2_value", "3200", "3200", "3200"},
      {"dpi_group3_value", "4800", "4800", "4800"},
      {"dpi_group4_value", "6400", "6400", "6400"},
      {"dpi_group5_value", "12000", "12000", "12000"},
      {"dpi_group0_rgb", "255", "255", "255"},
      {"dpi_group1_rgb", "65280", "65280", "65280"},
      {"dpi_group2_rgb", "16711680", "16711680", "16711680"},
      {"dpi_group3_rgb", "65535", "65535", "65535"},
      {"dpi_group4_rgb", "16776960", "16776960", "16776960"},
      {"dpi_group5_rgb", "8388736", "8388736", "8388736"},
  };
  return keys;
}

const ConfigKeyDefault* FindConfigKey(std::string_view name) {
  for (const ConfigKeyDefault& key : DefaultConfigKeys()) {
    if (name == key.name) return &key;
  }
  return nullptr;
}

}  // namespace zq
