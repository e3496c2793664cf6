#include "buttons/KeyTables.h"

#include <gtest/gtest.h>

namespace zq {
namespace {

TEST(VirtualKeyToUsage, CoversEveryRangeOfTheKeyboardPage) {
  struct Case {
    int vk, usage;
  } cases[] = {
      {'A', 4},   {'Z', 29},  {'1', 30},  {'9', 38},  {'0', 39},  {13, 40},   {27, 41},
      {8, 42},    {9, 43},    {32, 44},   {189, 45},  {187, 46},  {219, 47},  {221, 48},
      {220, 49},  {186, 51},  {222, 52},  {192, 53},  {188, 54},  {190, 55},  {191, 56},
      {20, 57},   {112, 58},  {123, 69},  {124, 104}, {135, 115}, {44, 70},   {145, 71},
      {19, 72},   {45, 73},   {36, 74},   {33, 75},   {46, 76},   {35, 77},   {34, 78},
      {39, 79},   {37, 80},   {40, 81},   {38, 82},   {144, 83},  {111, 84},  {106, 85},
      {109, 86},  {107, 87},  {108, 88},  {97, 89},   {105, 97},  {96, 98},   {110, 99},
      {226, 100}, {93, 101},  {254, 175}, {136, 136}, {139, 139}, {162, 224}, {160, 225},
      {164, 226}, {91, 227},  {163, 228}, {161, 229}, {165, 230}, {92, 231},
      // Codes without a usage.
      {0, 0},     {16, 0},    {17, 0},    {140, 0},   {255, 0},   {-1, 0},    {1000, 0},
  };
  for (const auto& c : cases) EXPECT_EQ(VirtualKeyToUsage(c.vk), c.usage) << c.vk;
}

TEST(ModifierUsageToBit, MapsOnlyTheModifierUsages) {
  for (int usage = 224; usage <= 231; ++usage)
    EXPECT_EQ(ModifierUsageToBit(usage), 1 << (usage - 224)) << usage;
  EXPECT_EQ(ModifierUsageToBit(223), 223);
  EXPECT_EQ(ModifierUsageToBit(232), 232);
  EXPECT_EQ(ModifierUsageToBit(4), 4);
}

TEST(UsageToKeyName, NamesListedUsagesOnly) {
  struct Case {
    int usage;
    const char* name;
  } cases[] = {
      {4, "A"},          {29, "Z"},        {30, "1"},         {38, "9"},       {39, "0"},
      {40, "Enter"},     {41, "Esc"},      {42, "Backspace"}, {43, "Tab"},     {44, "Space"},
      {45, "-"},         {46, "="},        {47, "["},         {48, "]"},       {49, "\\"},
      {50, ""},          {51, ";"},        {52, "'"},         {53, "`"},       {54, ","},
      {55, "."},         {56, "/"},        {57, "Caps Lock"}, {58, "F1"},      {69, "F12"},
      {70, "Print Screen"}, {71, "Scrlk"}, {72, "Pause"},     {73, "Insert"},  {74, "Home"},
      {75, "Page Up"},   {76, "Delete"},   {77, "End"},       {78, "Page Down"}, {79, "Right"},
      {80, "Left"},      {81, "Down"},     {82, "Up"},        {83, "Num"},     {84, "//"},
      {85, "Num *"},     {86, "Num -"},    {87, "Num +"},     {88, "Enter"},   {89, "Num 1"},
      {97, "Num 9"},     {98, "Num 0"},    {99, "Num Del"},   {100, ""},       {101, "Menu"},
      {102, ""},         {104, ""},        {174, ""},         {175, "Fn"},     {176, ""},
      {223, ""},         {224, "Ctrl"},    {228, "Ctrl"},     {225, "Shift"},  {229, "Shift"},
      {226, "Alt"},      {230, "Alt"},     {227, "Windows"},  {231, ""},       {0, ""},
      {3, ""},           {-5, ""},         {4096, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(UsageToKeyName(c.usage), c.name) << c.usage;
}

TEST(KeyCombinationText, JoinsModifierWordsAndKey) {
  struct Case {
    int bits;
    const char* key;
    const char* text;
  } cases[] = {
      {15, "F1", "Shift+ Ctrl+ Win+ Alt + F1"},
      {kModCtrl | kModAlt, "", "Ctrl+ Alt"},
      {kModCtrl, "A", "Ctrl + A"},
      {0, "A", "A"},
      {0, "", ""},
      {kModShift, "", "Shift"},
      {kModWin | kModShift, "E", "Shift+ Win + E"},
      {0x40, "B", "B"},  // bits outside the four are not words
  };
  for (const auto& c : cases) EXPECT_EQ(KeyCombinationText(c.bits, c.key), c.text) << c.bits;
}

}  // namespace
}  // namespace zq
