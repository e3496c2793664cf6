#include "buttons/FunctionCatalogue.h"
#include "buttons/KeyTables.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

constexpr int T(FunctionType t) { return static_cast<int>(t); }

ButtonAssignment Assign(int key_code, FunctionType type, int value, int value2 = 0) {
  ButtonAssignment a;
  a.profile = 1;
  a.key_code = key_code;
  a.macro_type = T(type);
  a.macro_value = value;
  a.macro_value2 = value2;
  return a;
}

Macro MakeMacro(int id, const char* name, int play_type = 0, int play_times = 1) {
  Macro m;
  m.macro_id = id;
  m.name = name;
  m.play_type = play_type;
  m.play_times = play_times;
  return m;
}

class FunctionCodes : public ::testing::Test {
 protected:
  // Store order; macro ids are not positions.
  std::vector<Macro> macros_ = {MakeMacro(4, "first"), MakeMacro(9, "second"),
                                MakeMacro(12, "third", 0, 5)};
};

TEST_F(FunctionCodes, EncodeEveryKindOfFunction) {
  struct Case {
    ButtonAssignment a;
    FunctionCode code;
  } cases[] = {
      {Assign(2, FunctionType::LeftClick, 1), {0x20, 0x01, 0x00, 0x00}},
      {Assign(2, FunctionType::DoubleClick, 1), {0x20, 0x01, 0x02, 0x00}},
      {Assign(2, FunctionType::ScrollDown, 1), {0x21, 0x38, 0xFF, 0x00}},
      {Assign(2, FunctionType::Special2162, 1), {0x21, 0x62, 0x00, 0x00}},
      {Assign(2, FunctionType::DpiLoop, 1), {0xF0, 0x01, 0x03, 0x00}},
      {Assign(2, FunctionType::SpecialF00203, 1), {0xF0, 0x02, 0x03, 0x00}},
      {Assign(2, FunctionType::KeyCombination, 4, 1), {0x10, 0x01, 0x04, 0x00}},
      // A modifier alone goes out as its bit.
      {Assign(2, FunctionType::KeyCombination, 225, 0), {0x10, 0x02, 0x00, 0x00}},
      {Assign(2, FunctionType::KeyCombination, 224, 0), {0x10, 0x01, 0x00, 0x00}},
      {Assign(2, FunctionType::KeyCombination, 225, 1), {0x10, 0x01, 0x02, 0x00}},
      {Assign(2, FunctionType::KeyCombination, 0, 0), {0x10, 0x00, 0x00, 0x00}},
      {Assign(2, FunctionType::Disabled, 1), {0x00, 0x02, 0x00, 0x00}},
      {Assign(4, FunctionType::Disabled, 1), {0x00, 0x10, 0x00, 0x00}},
      {Assign(6, FunctionType::Disabled, 1), {0x00, 0x00, 0x00, 0x00}},
      {Assign(8, FunctionType::Disabled, 1), {0x00, 0x38, 0xFF, 0x00}},
      {Assign(9, FunctionType::Disabled, 1), {0x00, 0x21, 0xAA, 0x00}},
      {Assign(12, FunctionType::Disabled, 1), {0x00, 0x00, 0x00, 0x00}},
      {Assign(2, FunctionType::Multimedia, 1), {0x30, 0x83, 0x01, 0x00}},
      {Assign(2, FunctionType::Multimedia, 8), {0x30, 0xE2, 0x00, 0x00}},
      {Assign(2, FunctionType::Multimedia, 9), {0x00, 0x00, 0x00, 0x00}},
      {Assign(2, FunctionType::Shortcut, 4), {0x10, 0x08, 0x08, 0x00}},
      {Assign(2, FunctionType::Shortcut, 6), {0x30, 0x23, 0x02, 0x00}},
      {Assign(2, FunctionType::Shortcut, 13), {0x10, 0x01, 0x1B, 0x00}},
      {Assign(2, FunctionType::Shortcut, 14), {0x00, 0x00, 0x00, 0x00}},
      {Assign(2, FunctionType::EmojiFunction, 109), {0x50, 0x6D, 0x00, 0x00}},
      {Assign(2, FunctionType::MacroFunction, 12), {0x70, 0x02, 0x05, 0x00}},
      {Assign(2, FunctionType::MacroFunction, 77), {0x70, 0x00, 0x00, 0x00}},  // gone
      {Assign(2, static_cast<FunctionType>(13), 1), {0x00, 0x00, 0x00, 0x00}},
      {Assign(2, static_cast<FunctionType>(-3), 1), {0x00, 0x00, 0x00, 0x00}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(EncodeFunction(c.a, macros_), c.code)
        << "type " << c.a.macro_type << " value " << c.a.macro_value;
}

TEST_F(FunctionCodes, MacroPlayModes) {
  struct Case {
    int play_type, play_times;
    FunctionCode code;
  } cases[] = {
      {0, 5, {0x70, 0x02, 0x05, 0x00}}, {0, 1, {0x70, 0x02, 0x01, 0x00}},
      {0, 0, {0x70, 0x02, 0x01, 0x00}}, {0, 300, {0x70, 0x02, 0x2C, 0x00}},
      {1, 5, {0x70, 0x02, 0x01, 0x02}}, {2, 5, {0x70, 0x02, 0x01, 0x03}},
  };
  for (const auto& c : cases) {
    macros_[2].play_type = c.play_type;
    macros_[2].play_times = c.play_times;
    EXPECT_EQ(EncodeFunction(Assign(3, FunctionType::MacroFunction, 12), macros_), c.code)
        << c.play_type << "/" << c.play_times;
  }
}

TEST_F(FunctionCodes, MacroNotHeldByTheMouseSendsNothing) {
  // Positions past the 32 table entries would make the mouse read events as
  // a table entry; a macro left out of the image has no events.
  std::vector<Macro> many;
  for (int i = 0; i < 34; ++i) many.push_back(MakeMacro(100 + i, "m"));
  EXPECT_EQ(EncodeFunction(Assign(2, FunctionType::MacroFunction, 131), many),
            (FunctionCode{0x70, 31, 0x01, 0x00}));
  EXPECT_EQ(EncodeFunction(Assign(2, FunctionType::MacroFunction, 132), many), FunctionCode{});

  MacroPlacement placement;
  placement.held = {true, false, true};
  EXPECT_EQ(EncodeFunction(Assign(2, FunctionType::MacroFunction, 9), macros_, &placement),
            FunctionCode{});
  EXPECT_EQ(EncodeFunction(Assign(2, FunctionType::MacroFunction, 12), macros_, &placement),
            (FunctionCode{0x70, 0x02, 0x05, 0x00}));
}

TEST_F(FunctionCodes, DecodeEveryKindOfCode) {
  struct Case {
    FunctionCode code;
    int type, value, value2;
    const char* desc;
  } cases[] = {
      {{0x20, 0x01, 0x00, 0x00}, T(FunctionType::LeftClick), 1, 0, "121"},
      {{0x20, 0x01, 0x02, 0x00}, T(FunctionType::DoubleClick), 1, 0, "126"},
      {{0x20, 0x02, 0x00, 0x00}, T(FunctionType::RightClick), 1, 0, "122"},
      {{0x20, 0x04, 0x00, 0x00}, T(FunctionType::MiddleClick), 1, 0, "123"},
      {{0x20, 0x08, 0x00, 0x00}, T(FunctionType::Backward), 1, 0, "125"},
      {{0x20, 0x10, 0x00, 0x00}, T(FunctionType::Forward), 1, 0, "124"},
      {{0x21, 0x38, 0x01, 0x00}, T(FunctionType::ScrollUp), 1, 0, "127"},
      {{0x21, 0x38, 0xFF, 0x00}, T(FunctionType::ScrollDown), 1, 0, "128"},
      {{0x21, 0x55, 0x00, 0x00}, T(FunctionType::Special2155), 1, 0, "90"},
      {{0x21, 0xAA, 0x00, 0x00}, T(FunctionType::Special21AA), 1, 0, "91"},
      {{0x21, 0x61, 0x00, 0x00}, T(FunctionType::Special2161), 1, 0, "156"},
      {{0xF0, 0x01, 0x02, 0x00}, T(FunctionType::DpiMinus), 1, 0, "151"},
      {{0xF0, 0x02, 0x01, 0x00}, T(FunctionType::SpecialF00201), 1, 0, "153"},
      {{0x00, 0x02, 0x00, 0x00}, T(FunctionType::Disabled), 1, 0, "162"},
      {{0x10, 0x08, 0x08, 0x00}, T(FunctionType::Shortcut), 4, 0, "189"},
      {{0x10, 0x08, 0x07, 0x00}, T(FunctionType::Shortcut), 5, 0, "188"},
      {{0x10, 0x08, 0x46, 0x00}, T(FunctionType::Shortcut), 10, 0, "194"},
      {{0x10, 0x00, 0x3E, 0x00}, T(FunctionType::Shortcut), 8, 0, "192"},
      {{0x10, 0x01, 0x1B, 0x00}, T(FunctionType::Shortcut), 13, 0, "36"},
      {{0x10, 0x01, 0x04, 0x00}, T(FunctionType::KeyCombination), 4, 1, "Ctrl + A"},
      {{0x10, 0x02, 0x00, 0x00}, T(FunctionType::KeyCombination), 0, 2, "Shift"},
      {{0x30, 0x83, 0x01, 0x00}, T(FunctionType::Multimedia), 1, 0, "178"},
      {{0x30, 0xCD, 0x00, 0x00}, T(FunctionType::Multimedia), 2, 0, "179"},
      {{0x30, 0xEA, 0x00, 0x00}, T(FunctionType::Multimedia), 7, 0, "176"},
      {{0x30, 0x6F, 0x00, 0x00}, T(FunctionType::Shortcut), 1, 0, "185"},
      {{0x30, 0x23, 0x02, 0x00}, T(FunctionType::Shortcut), 6, 0, "190"},
      {{0x30, 0x8A, 0x01, 0x00}, T(FunctionType::Shortcut), 7, 0, "191"},
      {{0x70, 0x01, 0x01, 0x03}, T(FunctionType::MacroFunction), 9, 0, "second"},
      {{0x50, 0x02, 0x00, 0x00}, T(FunctionType::EmojiFunction), 2, 0,
       "\u8868\u60C5\u7B26\u53F7"},
  };
  for (const auto& c : cases) {
    const auto a = DecodeFunction(3, 1, c.code, macros_);
    ASSERT_TRUE(a) << c.desc;
    EXPECT_EQ(a->profile, 3);
    EXPECT_EQ(a->fn_layer, 0);
    EXPECT_EQ(a->key_code, 2);
    EXPECT_EQ(a->macro_type, c.type) << c.desc;
    EXPECT_EQ(a->macro_value, c.value) << c.desc;
    EXPECT_EQ(a->macro_value2, c.value2) << c.desc;
    EXPECT_EQ(a->macro_desc, c.desc);
  }
}

TEST_F(FunctionCodes, CodesThatSayNothingLeaveThePositionAlone) {
  const FunctionCode nothing[] = {
      {0xFF, 0xFF, 0x00, 0x00}, {0x00, 0x00, 0x00, 0x00}, {0x70, 0x03, 0x01, 0x00},
      {0x20, 0x20, 0x00, 0x00}, {0x21, 0x38, 0x05, 0x00}, {0x21, 0x62, 0x00, 0x00},
      {0x30, 0x83, 0x02, 0x00}, {0x30, 0x92, 0x02, 0x00}, {0x30, 0x00, 0x00, 0x00},
      {0xF0, 0x03, 0x01, 0x00}, {0x40, 0x01, 0x00, 0x00}, {0xFF, 0x00, 0x00, 0x00},
  };
  for (const auto& code : nothing)
    EXPECT_FALSE(DecodeFunction(1, 0, code, macros_))
        << std::hex << int(code[0]) << " " << int(code[1]) << " " << int(code[2]);
  // Slots outside the report.
  EXPECT_FALSE(DecodeFunction(1, 9, {0x20, 0x01, 0x00, 0x00}, macros_));
  EXPECT_FALSE(DecodeFunction(1, -1, {0x20, 0x01, 0x00, 0x00}, macros_));
}

TEST_F(FunctionCodes, EverythingTheSystemProducesRoundTrips) {
  std::vector<ButtonAssignment> all;
  for (int t : {1, 2, 3, 5, 6, 7, 8, 15, 16, 17, 19, 20, 21})
    all.push_back(Assign(2, static_cast<FunctionType>(t), 1));
  for (int v = 1; v <= 8; ++v) all.push_back(Assign(2, FunctionType::Multimedia, v));
  for (int v = 1; v <= 13; ++v) all.push_back(Assign(2, FunctionType::Shortcut, v));
  for (int v : {1, 55, 109}) all.push_back(Assign(2, FunctionType::EmojiFunction, v));
  for (int id : {4, 9, 12}) all.push_back(Assign(2, FunctionType::MacroFunction, id));
  all.push_back(Assign(2, FunctionType::KeyCombination, 0x3A, kModShift | kModAlt));
  all.push_back(Assign(2, FunctionType::Disabled, 1));
  for (const auto& a : all) {
    const auto back = DecodeFunction(1, SlotOfPosition(a.key_code), EncodeFunction(a, macros_),
                                     macros_);
    ASSERT_TRUE(back) << a.macro_type << "/" << a.macro_value;
    EXPECT_EQ(back->macro_type, a.macro_type) << a.macro_value;
    EXPECT_EQ(back->macro_value, a.macro_value) << a.macro_type;
    EXPECT_EQ(back->macro_value2, a.macro_value2) << a.macro_type;
  }
}

TEST(Positions, SlotsSwapForwardAndBackward) {
  const int slots[] = {0, 1, 2, 4, 3, 5, 6, 7, 8};
  for (int key_code = 1; key_code <= 9; ++key_code) {
    EXPECT_EQ(SlotOfPosition(key_code), slots[key_code - 1]);
    EXPECT_EQ(PositionOfSlot(slots[key_code - 1]), key_code);
  }
  EXPECT_EQ(SlotOfPosition(0), -1);
  EXPECT_EQ(SlotOfPosition(10), -1);
  EXPECT_EQ(PositionOfSlot(9), 0);
  // The default codes are those of each slot's default function.
  const auto& defaults = DefaultFunctionCodes();
  for (int key_code = 1; key_code <= 8; ++key_code) {
    const PositionInfo* p = PositionOf(key_code);
    ASSERT_NE(p, nullptr);
    EXPECT_EQ(EncodeFunction(Assign(key_code, static_cast<FunctionType>(p->default_type), 1), {}),
              defaults[static_cast<size_t>(p->slot)])
        << key_code;
  }
}

}  // namespace
}  // namespace zq
