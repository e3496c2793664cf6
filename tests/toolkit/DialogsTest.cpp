// The message box and the busy indicator, answered through the scripted host.

#include <gtest/gtest.h>

#include <thread>

#include "platform/Localization.h"
#include "shell/dialogs/MessageBox.h"
#include "shell/toolkit/ScriptedModalHost.h"

namespace zq {
namespace {

using ui::ScriptedModalHost;

class DialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetCurrentLanguageId(kLanguageEnglish);
    ui::SetModalHost(&host);
  }
  void TearDown() override { ui::SetModalHost(nullptr); }
  ScriptedModalHost host;
};

TEST_F(DialogsTest, TwoButtonBoxReturnsOkForTheLeftAndTwoForTheRight) {
  const std::string ok = LoadLanText(kLanSection, 23);
  const std::string cancel = LoadLanText(kLanSection, 25);
  ASSERT_FALSE(ok.empty());
  ASSERT_FALSE(cancel.empty());

  host.AnswerButton(ok);
  EXPECT_EQ(ShowMessageBox(nullptr, "Reset all DPI levels?", "Reset DPI", kMessageBoxOkCancel), ui::kIdOk);
  host.AnswerButton(cancel);
  EXPECT_EQ(ShowMessageBoxKeys(nullptr, 258, 253, kMessageBoxOkCancel), 2);

  auto shown = host.Dialogs();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].windowText, "MessageBox");
  EXPECT_EQ(shown[0].texts, (std::vector<std::string>{"Reset DPI", "Reset all DPI levels?"}));
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{ok, cancel}));  // accept left, cancel right
  EXPECT_EQ(shown[1].texts, (std::vector<std::string>{LoadLanText(kLanSection, 253),
                                                      LoadLanText(kLanSection, 258)}));
  EXPECT_EQ(shown[0].windowRect.Width(), 430);
  EXPECT_EQ(shown[0].windowRect.Height(), 230);
}

TEST_F(DialogsTest, OneButtonBoxAndItsChineseText) {
  host.AnswerClick(33);
  EXPECT_EQ(ShowMessageBoxKeys(nullptr, 210, 115, kMessageBoxOk), ui::kIdOk);
  SetCurrentLanguageId(kLanguageChinese);
  host.AnswerClick(33);
  EXPECT_EQ(ShowMessageBoxKeys(nullptr, 210, 115, kMessageBoxOk), ui::kIdOk);
  SetCurrentLanguageId(kLanguageEnglish);

  auto shown = host.Dialogs();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"OK"}));
  EXPECT_EQ(shown[1].buttons, (std::vector<std::string>{"确定"}));
  EXPECT_NE(shown[0].texts[1], shown[1].texts[1]);
}

TEST_F(DialogsTest, BoxOfAnotherKindHasNoButtonButEscapeClosesIt) {
  host.AnswerWith([](ui::MDialog& box) { box.UserPressEscape(); });
  EXPECT_EQ(ShowMessageBox(nullptr, "text", "caption", 1), 2);
  auto shown = host.Dialogs();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_TRUE(shown[0].buttons.empty());
  EXPECT_TRUE(shown[0].answered);
  EXPECT_FALSE(shown[0].timedOut);
}

TEST_F(DialogsTest, BoxIsCentredOverItsOwner) {
  ui::MDialog owner;
  owner.Create(nullptr, "DeviceMainDlg", 0, 0, {200, 100, 1321, 880});
  host.AnswerClick(33);
  ShowMessageBox(&owner, "m", "c", kMessageBoxOk);
  EXPECT_EQ(host.Dialogs()[0].windowRect, (ui::Rect{545, 375, 975, 605}));
}

TEST_F(DialogsTest, WaitDialogStaysUntilTheWorkerEndsIt) {
  ui::MDialog owner;
  owner.Create(nullptr, "DeviceMainDlg", 0, 0, {0, 0, 1121, 780});
  WaitDlg wait;
  for (int round = 0; round < 2; ++round) {  // the page reuses one indicator for every task
    host.AnswerWaitForEnd();
    std::thread worker([&] {
      while (!wait.IsModalRunning()) std::this_thread::yield();
      wait.DoOK();
    });
    EXPECT_EQ(ShowWaitDialog(wait, &owner), ui::kIdOk);
    worker.join();
  }
  auto shown = host.Dialogs();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].windowText, "WaitDlg");
  EXPECT_EQ(shown[0].windowRect, (ui::Rect{509, 339, 611, 441}));
  EXPECT_FALSE(shown[1].timedOut);
  auto* gif = wait.GetControl<ui::CGifPicture>(30);
  ASSERT_NE(gif, nullptr);
  EXPECT_TRUE(gif->IsRunning());
  EXPECT_EQ(gif->GetImage(), "loading.gif");
}

TEST_F(DialogsTest, WaitDialogWhoseTaskFinishesBeforeItIsShownReturnsAtOnce) {
  WaitDlg wait;
  int code = ShowWaitDialog(wait, nullptr, [&] {
    // The worker is quicker than the UI thread: its DoOK comes before the indicator shows.
    std::thread([&] { wait.DoOK(); }).join();
  });
  EXPECT_EQ(code, ui::kIdOk);
  EXPECT_TRUE(host.Dialogs().empty());
}

TEST_F(DialogsTest, WaitDialogClosesWithEscapeWhenNoWorkerReportsBack) {
  WaitDlg wait;
  host.AnswerWith([](ui::MDialog& d) { d.UserPressEscape(); });
  EXPECT_EQ(ShowWaitDialog(wait, nullptr), 2);
}

}  // namespace
}  // namespace zq
