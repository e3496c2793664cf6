// Button assignments and macros.

#include <gtest/gtest.h>

#include "StoreTestSupport.h"

namespace zq {
namespace {

using test::Rows;
using test::StoreTest;

ButtonAssignment Assignment(int profile, int key_code, int value, int value2,
                            const std::string& desc) {
  ButtonAssignment a;
  a.profile = profile;
  a.key_code = key_code;
  a.layout_value = 7;
  a.layout_desc = "layout";
  a.macro_type = 4;
  a.macro_value = value;
  a.macro_value2 = value2;
  a.macro_value3 = 2;
  a.macro_desc = desc;
  return a;
}

TEST_F(StoreTest, SavingAnAssignmentReplacesThePositionsRow) {
  EXPECT_EQ(store_.SaveAssignment(Assignment(1, 3, 65, 0, "A")), 1);
  EXPECT_EQ(store_.SaveAssignment(Assignment(2, 3, 66, 0, "other profile")), 2);
  EXPECT_EQ(store_.SaveAssignment(Assignment(1, 3, 67, 1, "Ctrl+C")), 3);
  EXPECT_EQ(Query("SELECT * FROM t_key_macro_data WHERE profile = 1"),
            (Rows{{"3", "1", "0", "3", "7", "layout", "4", "67", "1", "2", "Ctrl+C"}}));

  ButtonAssignment got;
  ASSERT_TRUE(store_.GetAssignment(1, 3, got));
  EXPECT_EQ(got.key_id, 3);
  EXPECT_EQ(got.macro_value, 67);
  EXPECT_EQ(got.macro_value2, 1);
  EXPECT_EQ(got.macro_value3, 2);
  EXPECT_EQ(got.layout_value, 7);
  EXPECT_EQ(got.macro_desc, "Ctrl+C");
  EXPECT_FALSE(store_.GetAssignment(1, 4, got));

  // Only macro_value2 set still counts as an assignment.
  EXPECT_GT(store_.SaveAssignment(Assignment(1, 5, 0, 2, "Shift")), 0);
  EXPECT_TRUE(store_.GetAssignment(1, 5, got));
}

TEST_F(StoreTest, SavingBothValuesZeroRemovesTheRow) {
  ASSERT_GT(store_.SaveAssignment(Assignment(1, 2, 65, 0, "A")), 0);
  EXPECT_EQ(store_.SaveAssignment(Assignment(1, 2, 0, 0, "default")), 0);
  ButtonAssignment got;
  EXPECT_FALSE(store_.GetAssignment(1, 2, got));
  EXPECT_EQ(Query("SELECT count(*) FROM t_key_macro_data"), (Rows{{"0"}}));
}

TEST_F(StoreTest, AssignmentReadsSeeLayerZeroOnly) {
  ButtonAssignment fn = Assignment(1, 3, 80, 0, "fn layer");
  fn.fn_layer = 1;
  ASSERT_GT(store_.SaveAssignment(fn), 0);
  ASSERT_GT(store_.SaveAssignment(Assignment(1, 3, 81, 0, "base")), 0);  // a row of its own
  ASSERT_GT(store_.SaveAssignment(Assignment(1, 1, 82, 0, "left")), 0);

  std::vector<ButtonAssignment> list(3);
  EXPECT_EQ(store_.ListAssignments(1, list), 2);
  EXPECT_EQ(list.at(0).macro_desc, "base");  // order of insertion
  EXPECT_EQ(list.at(1).macro_desc, "left");
  EXPECT_EQ(store_.ListAssignments(4, list), 0);
  EXPECT_TRUE(list.empty());

  EXPECT_TRUE(store_.SetAssignmentDescription(1, 3, "renamed"));
  EXPECT_EQ(Query("SELECT fn_layer, macro_desc FROM t_key_macro_data WHERE key_code = 3"),
            (Rows{{"1", "fn layer"}, {"0", "renamed"}}));
}

TEST_F(StoreTest, DeletingAProfilesAssignmentsLeavesOthers) {
  ButtonAssignment fn = Assignment(1, 3, 80, 0, "fn layer");
  fn.fn_layer = 1;
  store_.SaveAssignment(fn);
  store_.SaveAssignment(Assignment(1, 4, 65, 0, "A"));
  store_.SaveAssignment(Assignment(2, 4, 66, 0, "B"));
  EXPECT_TRUE(store_.DeleteProfileAssignments(1));
  EXPECT_EQ(Query("SELECT profile, macro_desc FROM t_key_macro_data"), (Rows{{"2", "B"}}));
}

TEST_F(StoreTest, MacroRowsAndTheirFields) {
  EXPECT_EQ(store_.CreateMacro("first"), 1);
  Macro m;
  m.name = "second";
  m.play_type = 2;
  m.play_times = 5;
  m.delay_type = 0;
  m.delay_time = 30;
  m.macro_id = 77;  // never bound: the table numbers its rows
  EXPECT_EQ(store_.InsertMacro(m), 2);
  EXPECT_EQ(Query("SELECT * FROM t_macro_data"),
            (Rows{{"1", "first", "0", "1", "1", "0"}, {"2", "second", "2", "5", "0", "30"}}));

  EXPECT_TRUE(store_.SetMacroName(1, "renamed"));
  Macro update{2, "updated", 1, 3, 2, 10};
  EXPECT_TRUE(store_.UpdateMacro(update));
  Macro got;
  ASSERT_TRUE(store_.GetMacro(2, got));
  EXPECT_EQ(got.macro_id, 2);
  EXPECT_EQ(got.name, "updated");
  EXPECT_EQ(got.play_type, 1);
  EXPECT_EQ(got.play_times, 3);
  EXPECT_EQ(got.delay_type, 2);
  EXPECT_EQ(got.delay_time, 10);
  EXPECT_FALSE(store_.GetMacro(3, got));

  std::vector<Macro> macros;
  ASSERT_EQ(store_.ListMacros(macros), 2);
  EXPECT_EQ(macros[0].name, "renamed");
  EXPECT_EQ(macros[1].name, "updated");
}

TEST_F(StoreTest, MacroItemsComeInRecordIndexOrder) {
  const int macro = store_.CreateMacro("m");
  const int other = store_.CreateMacro("other");
  for (int index : {2, 0, 3, 1}) {
    EXPECT_GT(store_.AddMacroRecord(
                  {0, macro, 1, index, "item " + std::to_string(index), 60 + index, 100 * index}),
              0);
  }
  store_.AddMacroRecord({0, other, 2, 0, "x", 1, 0});
  std::vector<MacroRecord> records;
  ASSERT_EQ(store_.ListMacroRecords(macro, records), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(records[i].record_index, i);
    EXPECT_EQ(records[i].desc, "item " + std::to_string(i));
    EXPECT_EQ(records[i].value, 60 + i);
    EXPECT_EQ(records[i].delay_time, 100 * i);
    EXPECT_EQ(records[i].macro_id, macro);
  }
  EXPECT_EQ(records[0].record_id, 2);  // inserted second
}

TEST_F(StoreTest, RemovingAMacroTakesItsItems) {
  const int macro = store_.CreateMacro("m");
  const int other = store_.CreateMacro("other");
  store_.AddMacroRecords({{0, macro, 1, 0, "a", 1, 0}, {0, macro, 1, 1, "b", 2, 0}});
  store_.AddMacroRecords({{0, other, 1, 0, "c", 3, 0}});
  EXPECT_TRUE(store_.RemoveMacro(macro));
  std::vector<MacroRecord> records;
  EXPECT_EQ(store_.ListMacroRecords(macro, records), 0);
  Macro m;
  EXPECT_FALSE(store_.GetMacro(macro, m));
  EXPECT_EQ(store_.ListMacroRecords(other, records), 1);
  EXPECT_EQ(Query("SELECT count(*) FROM t_macrorecord"), (Rows{{"1"}}));
}

TEST_F(StoreTest, MacroItemsAreStoredAndReplacedAsAWhole) {
  const int macro = store_.CreateMacro("m");
  std::vector<MacroRecord> items;
  for (int i = 0; i < 200; ++i) items.push_back({0, macro, 1 + i % 2, i, "Key A", 65, i * 10});
  EXPECT_TRUE(store_.AddMacroRecords(items));
  std::vector<MacroRecord> back;
  EXPECT_EQ(store_.ListMacroRecords(macro, back), 200);
  EXPECT_EQ(back[199].delay_time, 1990);

  EXPECT_TRUE(store_.ReplaceMacroRecords(
      macro, {{0, 999, 1, 0, "Scroll Up", 1, 0}, {0, 999, 1, 1, "Scroll Down", -1, 5}}));
  ASSERT_EQ(store_.ListMacroRecords(macro, back), 2);
  EXPECT_EQ(back[0].desc, "Scroll Up");
  EXPECT_EQ(back[1].macro_id, macro);  // stored under the macro it replaces
  EXPECT_TRUE(store_.DeleteMacroRecords(macro));
  EXPECT_EQ(store_.ListMacroRecords(macro, back), 0);
  EXPECT_TRUE(store_.AddMacroRecords({}));
}

}  // namespace
}  // namespace zq
