#include "buttons/AssignmentText.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "buttons/FunctionCatalogue.h"
#include "platform/Localization.h"
#include "platform/TempDir.h"

namespace zq {
namespace {

// A program folder of the test's own with a small English text file.
class AssignmentTextTest : public ::testing::Test {
 protected:
  AssignmentTextTest() : program_("ZQ_PROGRAM_FOLDER", dir_.path() + "/") {
    std::filesystem::create_directories(dir_ / "language");
    std::ofstream(dir_ / "language/1033.lan", std::ios::binary)
        << "[LAN]\r\n12=Exit\r\n127=Scroll up\r\n162=Disabled\r\n190=Browser home\r\n"
           "351=Custom\r\n";
    SetCurrentLanguageId(kLanguageEnglish);
  }
  ~AssignmentTextTest() override { SetCurrentLanguageId(saved_); }

  static ButtonAssignment Make(FunctionType type, int value, const std::string& desc) {
    ButtonAssignment a;
    a.macro_type = static_cast<int>(type);
    a.macro_value = value;
    a.macro_desc = desc;
    return a;
  }

  test::TempDir dir_;
  test::ScopedEnv program_;
  int saved_ = CurrentLanguageId();
};

TEST_F(AssignmentTextTest, DescriptionIsTheTextNumberOrTheCallersText) {
  struct Case {
    ButtonAssignment a;
    const char* desc;
  } cases[] = {
      {Make(FunctionType::ScrollUp, 1, "ignored"), "127"},
      {Make(FunctionType::Disabled, 1, ""), "162"},
      {Make(FunctionType::Special2161, 1, ""), "156"},
      {Make(FunctionType::Multimedia, 1, ""), "178"},
      {Make(FunctionType::Shortcut, 5, ""), "188"},
      {Make(FunctionType::Shortcut, 11, ""), "31"},
      {Make(FunctionType::Shortcut, 40, "kept"), "kept"},
      {Make(FunctionType::KeyCombination, 4, "Ctrl + A"), "Ctrl + A"},
      {Make(FunctionType::EmojiFunction, 3, "表情: 色"), "表情: 色"},
      {Make(FunctionType::Special2162, 1, "from a file"), "from a file"},
      // A default name made under Chinese takes the current language's word.
      {Make(FunctionType::MacroFunction, 3, "自定义3"), "Custom3"},
      {Make(FunctionType::MacroFunction, 3, "Sniper"), "Sniper"},
  };
  for (const auto& c : cases) EXPECT_EQ(BuildAssignmentDescription(c.a), c.desc) << c.desc;
}

TEST_F(AssignmentTextTest, DisplayTextLooksUpLeadingDigits) {
  struct Case {
    FunctionType type;
    const char* desc;
    const char* shown;
  } cases[] = {
      {FunctionType::ScrollUp, "127", "Scroll up"},
      {FunctionType::Shortcut, "190", "Browser home"},
      {FunctionType::MacroFunction, "Sniper", "Sniper"},  // text 0 is never looked up
      {FunctionType::MacroFunction, "12abc", "Exit"},
      {FunctionType::Multimedia, "178", "178"},  // the file lacks it
      {FunctionType::MacroFunction, "99999999999999999999", "99999999999999999999"},
      {FunctionType::KeyCombination, "127", "127"},
      {FunctionType::KeyCombination, "Shift+ Alt", "Shift+ Alt"},
      {FunctionType::MacroFunction, "", ""},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AssignmentDisplayText(static_cast<int>(c.type), c.desc), c.shown) << c.desc;
}

}  // namespace
}  // namespace zq
