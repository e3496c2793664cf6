// The UI thread and the device worker write at the same time.

#include <gtest/gtest.h>

#include <thread>

#include "StoreTestSupport.h"

namespace zq {
namespace {

using test::Rows;
using test::StoreTest;

TEST_F(StoreTest, TwoThreadsWritingAtOnceLoseNothing) {
  for (const char* name : {"800", "801", "811", "821", "831"})
    ASSERT_GT(store_.AddProfile(name, ""), 0);
  constexpr int kRounds = 200;
  constexpr int kMacros = 20;

  // The "worker": stores what it read from the mouse, key by key.
  std::thread keys([&] {
    for (int i = 0; i < kRounds; ++i) {
      const int profile = 1 + i % 5;
      store_.SetConfigInt(profile, "dpi_index", i);
      store_.SetConfigInt(profile, "report_rate", i * 2);
      std::string value;
      store_.GetConfig(profile, "dpi_count", value);
    }
  });
  // The "UI": records macros and assigns them.
  std::thread macros([&] {
    for (int m = 0; m < kMacros; ++m) {
      const int id = store_.CreateMacro("macro " + std::to_string(m));
      std::vector<MacroRecord> items;
      for (int i = 0; i < 10; ++i) items.push_back({0, id, 1, i, "Key", m * 100 + i, 0});
      store_.AddMacroRecords(items);
      ButtonAssignment a;
      a.profile = 1 + m % 5;
      a.key_code = 1 + m % 9;
      a.macro_value = id;
      store_.SaveAssignment(a);
    }
  });
  keys.join();
  macros.join();

  // The last round written for each profile is what stays.
  for (int profile = 1; profile <= 5; ++profile) {
    const int last = kRounds - 5 + (profile - 1);
    EXPECT_EQ(store_.GetConfigInt(profile, "dpi_index"), last) << profile;
    EXPECT_EQ(store_.GetConfigInt(profile, "report_rate"), last * 2) << profile;
  }
  EXPECT_EQ(Query("SELECT count(*) FROM t_configdata"), (Rows{{"125"}}));
  std::vector<Macro> list;
  ASSERT_EQ(store_.ListMacros(list), kMacros);
  for (int m = 0; m < kMacros; ++m) {
    EXPECT_EQ(list[m].name, "macro " + std::to_string(m));
    std::vector<MacroRecord> records;
    ASSERT_EQ(store_.ListMacroRecords(list[m].macro_id, records), 10);
    EXPECT_EQ(records[9].value, m * 100 + 9);
  }
  EXPECT_EQ(Query("SELECT count(*) FROM t_key_macro_data"), (Rows{{"20"}}));
}

}  // namespace
}  // namespace zq
