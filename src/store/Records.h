#pragma once
// The records the settings store reads and writes, field for field in the
// column order of their tables (column 0 is the row id). Texts are UTF-8.

#include <string>

namespace zq {

// One row of t_key_macro_data: the function of one button position in one
// profile.
struct ButtonAssignment {
  int key_id = 0;
  int profile = 0;
  int fn_layer = 0;
  int key_code = 0;  // button position 1..9
  int layout_value = 0;
  std::string layout_desc;
  int macro_type = 0;  // FunctionType code
  int macro_value = 0;
  int macro_value2 = 0;  // modifier bits of a key combination
  int macro_value3 = 0;
  std::string macro_desc;
};

// One row of t_macro_data. A new macro plays once, records real delays.
struct Macro {
  int macro_id = 0;
  std::string name;
  int play_type = 0;
  int play_times = 1;
  int delay_type = 1;
  int delay_time = 0;
};

// One row of t_macrorecord: one item of a macro. delay_time holds the item's
// timestamp, not a delay (delays are items of their own).
struct MacroRecord {
  int record_id = 0;
  int macro_id = 0;
  int type = 0;
  int record_index = 0;
  std::string desc;
  int value = 0;
  int delay_time = 0;
};

// One row of t_profile_data. name is the decimal text of a language key.
struct ProfileRecord {
  int profile = 0;
  std::string name;
  int status = 0;
  std::string app;
  int type = 0;
};

}  // namespace zq
