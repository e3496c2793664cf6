#include "store/ConfigStore.h"

#include <gtest/gtest.h>

#include "StoreTestSupport.h"
#include "store/Schema.h"

namespace zq {
namespace {

using test::Rows;
using test::StoreTest;
using test::TempDir;

TEST(ConfigStorePath, NameGoesBetweenDbFolderAndSuffix) {
  EXPECT_EQ(ConfigStore::DatabasePathFor("/d/Zintor Q57 mouse MouseDbFiles/", "Q57"),
            "/d/Zintor Q57 mouse MouseDbFiles/db/Q57_data_kvr.db");
  EXPECT_EQ(ConfigStore::DatabasePathFor("/d/", ""), "/d/db/_data_kvr.db");
  EXPECT_EQ(ConfigStore::DatabasePathFor("/d", "M"), "/d/db/M_data_kvr.db");
}

TEST_F(StoreTest, NewFileHoldsEveryTableAndIndexAndNoRows) {
  EXPECT_TRUE(store_.IsOpened());
  EXPECT_EQ(store_.DatabasePath(), DbPath());
  const Rows tables = Query(
      "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 't_%' ORDER BY rowid");
  EXPECT_EQ(tables, (Rows{{"t_configdata"}, {"t_profile_data"}, {"t_key_macro_data"},
                          {"t_key_otherdata"}, {"t_macro_data"}, {"t_macrorecord"},
                          {"t_light_data"}, {"t_key_light_data"}}));
  const Rows indexes =
      Query("SELECT name, tbl_name FROM sqlite_master WHERE type = 'index' ORDER BY rowid");
  EXPECT_EQ(indexes, (Rows{{"profileindex", "t_profile_data"},
                           {"keyindex", "t_key_macro_data"},
                           {"otheridindex", "t_key_otherdata"},
                           {"macroidindex", "t_macro_data"},
                           {"macrorecordindex", "t_macrorecord"},
                           {"lightindex", "t_light_data"},
                           {"keylightindex", "t_key_light_data"}}));
  // Column order is what "SELECT *" readers depend on.
  const Rows columns = Query("SELECT name, type, pk FROM pragma_table_info('t_key_macro_data')");
  EXPECT_EQ(columns, (Rows{{"key_id", "INTEGER", "1"},
                           {"profile", "INTEGER", "0"},
                           {"fn_layer", "INTEGER", "0"},
                           {"key_code", "INTEGER", "0"},
                           {"layout_value", "INTEGER", "0"},
                           {"layout_desc", "TEXT", "0"},
                           {"macro_type", "INTEGER", "0"},
                           {"macro_value", "INTEGER", "0"},
                           {"macro_value2", "INTEGER", "0"},
                           {"macro_value3", "INTEGER", "0"},
                           {"macro_desc", "TEXT", "0"}}));
  EXPECT_EQ(Query("SELECT group_concat(name, ',') FROM pragma_table_info('t_macrorecord')"),
            (Rows{{"record_id,macro_id,type,record_index,desc,value,delay_time"}}));
  EXPECT_EQ(Query("SELECT (SELECT count(*) FROM t_configdata) + (SELECT count(*) FROM "
                  "t_profile_data) + (SELECT count(*) FROM t_macro_data)"),
            (Rows{{"0"}}));
}

TEST_F(StoreTest, ReopeningKeepsTheConnectionAndTheData) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  EXPECT_TRUE(store_.OpenDatabase(folder_, "Q57"));  // already open: kept
  EXPECT_EQ(store_.GetConfigInt(1, "dpi_group5_value"), 12000);
  store_.CloseDatabase();
  EXPECT_FALSE(store_.IsOpened());
  std::string value;
  EXPECT_FALSE(store_.GetConfig(1, "dpi_count", value));
  ConfigStore other;
  ASSERT_TRUE(other.OpenDatabase(folder_, "Q57"));
  EXPECT_TRUE(other.GetConfig(1, "dpi_count", value));
  EXPECT_EQ(value, "5");
}

TEST_F(StoreTest, OpeningAnotherModelSwitchesFiles) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  ASSERT_TRUE(store_.OpenDatabase(folder_, "Other"));
  EXPECT_EQ(store_.DatabasePath(), folder_ + "db/Other_data_kvr.db");
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(store_.ListProfiles(profiles), 0);
  EXPECT_EQ(test::Query(folder_ + "db/Other_data_kvr.db", "SELECT count(*) FROM t_macro_data"),
            (Rows{{"0"}}));
}

TEST_F(StoreTest, NewProfileGetsTheTwentyFiveKeysInOrder) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  ASSERT_EQ(store_.AddProfile("801", ""), 2);
  const Rows expected = {
      {"version", "1.0.1"},         {"light_mode", "1"},
      {"sleep_light", "20"},        {"report_rate", "2"},
      {"button_respondtime", "8"},  {"sensor_flag", "53"},
      {"liftoff_height", "1"},      {"scroll_flag", "0"},
      {"e-sports_flag", "1"},       {"leftbtn_lock", "1"},
      {"dpi_flag", "5"},            {"dpi_index", "0"},
      {"dpi_count", "5"},           {"dpi_group0_value", "1200"},
      {"dpi_group1_value", "2400"}, {"dpi_group2_value", "3200"},
      {"dpi_group3_value", "4800"}, {"dpi_group4_value", "6400"},
      {"dpi_group5_value", "12000"}, {"dpi_group0_rgb", "255"},
      {"dpi_group1_rgb", "65280"},  {"dpi_group2_rgb", "16711680"},
      {"dpi_group3_rgb", "65535"},  {"dpi_group4_rgb", "16776960"},
      {"dpi_group5_rgb", "8388736"},
  };
  EXPECT_EQ(Query("SELECT key, value FROM t_configdata WHERE profile = 2 ORDER BY config_id"),
            expected);
  EXPECT_EQ(Query("SELECT count(*) FROM t_configdata"), (Rows{{"50"}}));
  EXPECT_EQ(Query("SELECT * FROM t_profile_data"),
            (Rows{{"1", "800", "0", "", "0"}, {"2", "801", "0", "", "0"}}));
  // The table others use agrees with what a profile got.
  ASSERT_EQ(DefaultConfigKeys().size(), expected.size());
  for (size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(DefaultConfigKeys()[i].name, expected[i][0]);
    EXPECT_EQ(DefaultConfigKeys()[i].new_profile, expected[i][1]);
  }
}

TEST_F(StoreTest, KeysWithoutARowCannotBeStored) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  std::string value = "stale";
  EXPECT_FALSE(store_.GetConfig(1, "no_such_key", value));
  EXPECT_EQ(value, "");
  EXPECT_TRUE(store_.SetConfig(1, "no_such_key", "7"));  // matched nothing, still a success
  EXPECT_FALSE(store_.GetConfig(1, "no_such_key", value));
  EXPECT_FALSE(store_.GetConfig(2, "dpi_index", value));  // profile without rows
  EXPECT_EQ(store_.GetConfigInt(2, "dpi_index"), 0);

  EXPECT_TRUE(store_.SetConfigInt(1, "dpi_index", 3));
  EXPECT_TRUE(store_.GetConfig(1, "dpi_index", value));
  EXPECT_EQ(value, "3");
  EXPECT_EQ(Query("SELECT count(*) FROM t_configdata WHERE key = 'dpi_index'"), (Rows{{"1"}}));
}

TEST_F(StoreTest, RestoreSetsReportRateByConnectionMode) {
  struct Case {
    int mode;
    const char* report_rate;
  };
  const Case cases[] = {{0, "4"}, {1, "2"}, {2, "2"}, {3, "2"}, {-1, "2"}};
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  ASSERT_EQ(store_.AddProfile("801", ""), 2);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mode);
    int asked = 0;
    store_.SetConnectionModeProvider([&] {
      ++asked;
      return c.mode;
    });
    store_.SetConfig(1, "report_rate", "1");
    store_.SetConfig(1, "dpi_group2_value", "1700");
    store_.SetConfig(1, "version", "9.9");
    store_.SetConfig(2, "dpi_group2_value", "1700");
    EXPECT_TRUE(store_.RestoreDefaultConfig(1));
    EXPECT_EQ(asked, 1);
    std::string value;
    store_.GetConfig(1, "report_rate", value);
    EXPECT_EQ(value, c.report_rate);
    EXPECT_EQ(store_.GetConfigInt(1, "dpi_group2_value"), 3200);
    store_.GetConfig(1, "version", value);
    EXPECT_EQ(value, "9.9");                                    // never restored
    EXPECT_EQ(store_.GetConfigInt(2, "dpi_group2_value"), 1700);  // other profile untouched
  }
  // No provider: no mouse, so the receiver's rate.
  store_.SetConnectionModeProvider(nullptr);
  store_.SetConfig(1, "report_rate", "1");
  store_.RestoreDefaultConfig(1);
  EXPECT_EQ(store_.GetConfigInt(1, "report_rate"), 2);
}

TEST_F(StoreTest, RestoreInsertsNoMissingKeys) {
  ASSERT_EQ(store_.AddProfile("800", ""), 1);
  Exec("DELETE FROM t_configdata WHERE key = 'sensor_flag'");
  store_.RestoreDefaultConfig(1);
  EXPECT_EQ(Query("SELECT count(*) FROM t_configdata"), (Rows{{"24"}}));
}

TEST_F(StoreTest, ClearAllEmptiesEverythingAndRestartsCounters) {
  // A file made by an earlier version may have tables this one never makes.
  Exec("CREATE TABLE t_customrgb_data(id INTEGER PRIMARY KEY AUTOINCREMENT, v INTEGER)");
  Exec("INSERT INTO t_customrgb_data(v) VALUES (1)");
  for (const char* name : {"800", "801", "811"}) store_.AddProfile(name, "");
  store_.SetActiveProfile(2);
  const int macro = store_.CreateMacro("m");
  store_.AddMacroRecord({0, macro, 1, 0, "A", 65, 0});
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = 3;
  a.macro_value = 9;
  ASSERT_GT(store_.SaveAssignment(a), 0);

  store_.ClearAll();
  EXPECT_EQ(Query("SELECT (SELECT count(*) FROM t_configdata) + (SELECT count(*) FROM "
                  "t_profile_data) + (SELECT count(*) FROM t_key_macro_data) + (SELECT count(*) "
                  "FROM t_macro_data) + (SELECT count(*) FROM t_macrorecord) + (SELECT count(*) "
                  "FROM t_customrgb_data) + (SELECT count(*) FROM sqlite_sequence)"),
            (Rows{{"0"}}));
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  EXPECT_EQ(store_.AddProfile("800", ""), 1);
  EXPECT_EQ(store_.CreateMacro("again"), 1);
  EXPECT_EQ(store_.SaveAssignment(a), 1);
  EXPECT_TRUE(store_.IsOpened());
}

TEST_F(StoreTest, OpenAndClearEmptiesTheFileOfTheModel) {
  store_.AddProfile("800", "");
  store_.CloseDatabase();
  ConfigStore other;
  EXPECT_TRUE(other.OpenAndClear(folder_, "Q57"));
  std::vector<ProfileRecord> profiles;
  EXPECT_EQ(other.ListProfiles(profiles), 0);
  EXPECT_EQ(other.AddProfile("800", ""), 1);
}

TEST_F(StoreTest, ExactlyOneProfileIsActive) {
  std::vector<ProfileRecord> profiles = {{}};
  EXPECT_EQ(store_.ListProfiles(profiles), 0);
  EXPECT_TRUE(profiles.empty());
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  for (const char* name : {"800", "801", "811", "821", "831"}) store_.AddProfile(name, "");
  EXPECT_EQ(store_.GetActiveProfile(), 0);  // all start inactive

  EXPECT_TRUE(store_.SetActiveProfile(1));
  EXPECT_TRUE(store_.SetActiveProfile(3));
  EXPECT_EQ(store_.GetActiveProfile(), 3);
  EXPECT_EQ(Query("SELECT group_concat(status, '') FROM t_profile_data"), (Rows{{"00100"}}));

  ASSERT_EQ(store_.ListProfiles(profiles), 5);
  EXPECT_EQ(profiles[2].profile, 3);
  EXPECT_EQ(profiles[2].name, "811");
  EXPECT_EQ(profiles[2].status, 1);
  EXPECT_EQ(profiles[4].name, "831");

  // A number without a row leaves no profile active.
  EXPECT_TRUE(store_.SetActiveProfile(9));
  EXPECT_EQ(store_.GetActiveProfile(), 0);
  EXPECT_EQ(Query("SELECT group_concat(status, '') FROM t_profile_data"), (Rows{{"00000"}}));
}

TEST_F(StoreTest, NonAsciiTextsRoundTrip) {
  const std::string chinese = "配置文件 一";
  const std::string cyrillic = "Профиль «два»";
  const std::string emoji = "宏 😀 \xC3\xA9";
  ASSERT_EQ(store_.AddProfile(chinese, cyrillic), 1);
  store_.SetConfig(1, "light_mode", emoji);
  const int macro = store_.CreateMacro(cyrillic);
  ASSERT_GT(store_.AddMacroRecord({0, macro, 1, 0, chinese, 65, 0}), 0);
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = 4;
  a.macro_value = 1;
  a.layout_desc = cyrillic;
  a.macro_desc = emoji;
  ASSERT_GT(store_.SaveAssignment(a), 0);

  std::vector<ProfileRecord> profiles;
  store_.ListProfiles(profiles);
  EXPECT_EQ(profiles.at(0).name, chinese);
  EXPECT_EQ(profiles.at(0).app, cyrillic);
  std::string value;
  store_.GetConfig(1, "light_mode", value);
  EXPECT_EQ(value, emoji);
  Macro m;
  ASSERT_TRUE(store_.GetMacro(macro, m));
  EXPECT_EQ(m.name, cyrillic);
  std::vector<MacroRecord> records;
  store_.ListMacroRecords(macro, records);
  EXPECT_EQ(records.at(0).desc, chinese);
  ButtonAssignment back;
  ASSERT_TRUE(store_.GetAssignment(1, 4, back));
  EXPECT_EQ(back.layout_desc, cyrillic);
  EXPECT_EQ(back.macro_desc, emoji);
  // Stored as UTF-8 text, readable by any other SQLite client.
  EXPECT_EQ(Query("SELECT hex(name), typeof(name) FROM t_macro_data"),
            (Rows{{"D09FD180D0BED184D0B8D0BBD18C20C2ABD0B4D0B2D0B0C2BB", "text"}}));
}

}  // namespace
}  // namespace zq
