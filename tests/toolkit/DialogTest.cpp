// Keyboard focus and edit events, modal operation, posted messages and menus.

#include <gtest/gtest.h>

#include <thread>

#include "RecordingDialog.h"
#include "shell/toolkit/MenuWnd.h"
#include "shell/toolkit/ScriptedModalHost.h"

namespace zq::ui::test {
namespace {

using E = Event;

class EditEventsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    debounce = dlg.CreateControlT<NumberEdit>(85, {0, 0, 60, 24}, "8");
    delay = dlg.CreateControlT<MEdit>(176, {0, 30, 60, 54}, "10");
    dlg.CreateControlT<MButton>(88, {0, 60, 100, 90}, "Apply");
  }
  RecordingDialog dlg;
  NumberEdit* debounce = nullptr;
  MEdit* delay = nullptr;
};

TEST_F(EditEventsTest, FocusTypeAndFinish) {
  ASSERT_TRUE(dlg.UserType(85, "12"));
  ASSERT_TRUE(dlg.UserFinishEdit(85));
  EXPECT_EQ(debounce->GetEditText(), "12");
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{85, 30, 0}, {85, 26, 0}, {85, 26, 0}, {85, 29, 0}}));
  EXPECT_EQ(dlg.GetFocus(), nullptr);
}

TEST_F(EditEventsTest, ClickingElsewhereFinishesTheEditBeforeTheClick) {
  dlg.UserType(85, "3");
  dlg.TakeEvents();
  ASSERT_TRUE(dlg.UserClick(88));
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{85, 29, 0}, {88, 2, 0}}));

  dlg.UserFocus(85);
  dlg.UserFocus(176);
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{85, 30, 0}, {85, 29, 0}, {176, 30, 0}}));
  EXPECT_TRUE(delay->HasFocus());
  EXPECT_FALSE(debounce->HasFocus());
}

TEST_F(EditEventsTest, RulesDropCharactersLikeTheKeyboardWould) {
  // A number edit takes digits and a leading minus only; rejected keys change nothing.
  dlg.UserType(85, "-3x5");
  EXPECT_EQ(debounce->GetEditText(), "-35");
  EXPECT_EQ(dlg.TakeEvents().size(), 4u);  // focus and three accepted characters

  delay->SetLimitText(5);
  dlg.UserType(176, "1234567");
  EXPECT_EQ(delay->GetEditText(), "12345");

  // A key-capture field takes the focus but never the typed text.
  delay->SetReadOnly(true);
  dlg.UserFinishEdit(176);
  dlg.TakeEvents();
  dlg.UserType(176, "A");
  EXPECT_EQ(delay->GetEditText(), "12345");
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{176, 30, 0}}));

  // Typing the text it already has reports no change.
  delay->SetReadOnly(false);
  dlg.UserType(176, "1");
  dlg.TakeEvents();
  dlg.UserType(176, "1");
  EXPECT_TRUE(dlg.TakeEvents().empty());
}

TEST_F(EditEventsTest, DisabledEditCannotBeFocusedOrTyped) {
  delay->SetEnabled(false);
  EXPECT_FALSE(dlg.UserType(176, "20"));
  EXPECT_FALSE(dlg.UserFocus(176));
  EXPECT_EQ(delay->GetEditText(), "10");
  EXPECT_TRUE(dlg.TakeEvents().empty());
}

TEST_F(EditEventsTest, EnterFinishesAndCodeMayChangeTheTextDuringTheEvents) {
  // A handler that clamps while typing (the DPI page cuts 30000 to 24000).
  struct Clamping : RecordingDialog {
    int OnMessage(int id, int event, std::int64_t value, std::int64_t extra) override {
      if (id == 101 && event == kEventChanging) {
        auto* level = GetControl<DPIControl>(101);
        if (level->GetDPIValue() > 24000) level->SetDPIValue(24000);
      }
      return RecordingDialog::OnMessage(id, event, value, extra);
    }
  } clamping;
  auto* level = clamping.CreateControlT<DPIControl>(101, {0, 0, 80, 40}, "DPI 1");
  level->SetDPIValue(1200);
  clamping.UserType(101, "30000");
  EXPECT_EQ(level->GetDPIValue(), 24000);
  ASSERT_TRUE(clamping.UserPressEnter(101));
  auto events = clamping.TakeEvents();
  EXPECT_EQ(events.front(), (E{101, 30, 0}));
  EXPECT_EQ(events.back(), (E{101, 29, 0}));
}

class ModalTest : public ::testing::Test {
 protected:
  void SetUp() override { SetModalHost(&host); }
  void TearDown() override { SetModalHost(nullptr); }

  // A box with a caption and two buttons, as the message box builds it.
  struct Box : RecordingDialog {
    void InitUI(const Rect& r) override {
      CreateControl("MText", 31, {20, 15, r.right - 20, 45}, "Restore");
      CreateControl("MText", 32, {20, 50, r.right - 20, r.bottom - 50}, "Restore the DPI levels?");
      CreateControl("MButton", 33, {95, 180, 195, 216}, "OK");
      CreateControl("MButton", 34, {235, 180, 335, 216}, "Cancel");
    }
    int OnMessage(int id, int event, std::int64_t value, std::int64_t extra) override {
      RecordingDialog::OnMessage(id, event, value, extra);
      if (event == kEventClick && id == 33) DoOK();
      if (event == kEventClick && id == 34) DoCancel();
      return 1;
    }
  };
  ScriptedModalHost host;
};

TEST_F(ModalTest, ScriptedAnswersAndWhatWasShown) {
  struct Case {
    const char* name;
    std::function<void(ScriptedModalHost&)> script;
    int expected;
  };
  const Case cases[] = {
      {"left button", [](ScriptedModalHost& h) { h.AnswerButton("OK"); }, kIdOk},
      {"right button", [](ScriptedModalHost& h) { h.AnswerClick(34); }, kIdCancel},
      {"callback", [](ScriptedModalHost& h) { h.AnswerWith([](MDialog& d) { d.UserClick(33); }); }, kIdOk},
      {"unscripted", [](ScriptedModalHost&) {}, kIdCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    host.Clear();
    c.script(host);
    Box box;
    box.Create(nullptr, "MessageBox", 0x96000000, 0x80, {0, 0, 430, 230});
    EXPECT_EQ(box.ShowModal(1), c.expected);
    auto shown = host.Dialogs();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].windowText, "MessageBox");
    EXPECT_EQ(shown[0].texts, (std::vector<std::string>{"Restore", "Restore the DPI levels?"}));
    EXPECT_EQ(shown[0].buttons, (std::vector<std::string>{"OK", "Cancel"}));
    EXPECT_EQ(shown[0].result, c.expected);
    EXPECT_EQ(shown[0].answered, std::string(c.name) != "unscripted");
    EXPECT_FALSE(box.IsModalRunning());
  }
}

TEST_F(ModalTest, WorkerEndsADialogAndItsPostedMessagesArriveOnTheUiThread) {
  RecordingDialog wait;
  wait.Create(nullptr, "WaitDlg", 0x96000000, 0x80, {0, 0, 102, 102});
  host.AnswerWaitForEnd();
  std::thread worker([&] {
    while (!wait.IsModalRunning()) std::this_thread::yield();
    wait.PostMessage(1714, 0, 1);
    wait.DoOK();
  });
  EXPECT_EQ(wait.ShowModal(5), kIdOk);
  worker.join();
  ASSERT_EQ(wait.messages.size(), 1u);
  EXPECT_EQ(wait.messages[0], std::make_tuple(1714u, 0ull, 1ll));
  EXPECT_EQ(wait.messageThreads[0], std::this_thread::get_id());
  EXPECT_FALSE(host.Dialogs()[0].timedOut);
}

TEST_F(ModalTest, AnEndRequestBeforeTheDialogIsShownIsKeptOnlyWhenPrepared) {
  RecordingDialog wait;
  wait.Create(nullptr, "WaitDlg", 0, 0, {0, 0, 102, 102});

  // A worker that finishes before the UI thread shows the dialog: without preparing, the
  // request has nothing to end and the dialog would wait for ever.
  EXPECT_FALSE(wait.EndDialog(kIdOk));
  wait.PrepareModal();
  std::thread([&] { wait.DoOK(); }).join();
  EXPECT_EQ(wait.ShowModal(5), kIdOk);
  EXPECT_TRUE(host.Dialogs().empty());  // it ended before anything was shown

  // The request was consumed: the next show waits again.
  host.SetWaitLimit(std::chrono::milliseconds(20));
  host.AnswerWaitForEnd();
  EXPECT_EQ(wait.ShowModal(5), kIdCancel);
  ASSERT_EQ(host.Dialogs().size(), 1u);
  EXPECT_TRUE(host.Dialogs()[0].timedOut);
}

TEST_F(ModalTest, EscapeClosesEvenADialogWithoutButtons) {
  RecordingDialog bare;
  bare.Create(nullptr, "MessageBox", 0, 0, {0, 0, 430, 230});
  host.AnswerWith([](MDialog& d) { d.UserPressEscape(); });
  EXPECT_EQ(bare.ShowModal(1), kIdCancel);
  EXPECT_FALSE(host.Dialogs()[0].timedOut);
}

TEST_F(ModalTest, CenterWindowUsesTheOwner) {
  RecordingDialog owner;
  owner.Create(nullptr, "Main", 0, 0, {100, 100, 1221, 880});
  RecordingDialog box;
  box.Create(&owner, "MessageBox", 0, 0, {0, 0, 430, 230});
  box.CenterWindow();
  EXPECT_EQ(box.GetWindowRect(), (Rect{445, 375, 875, 605}));
}

TEST_F(ModalTest, MenuChoiceReachesTheOwnerAsWindowMessage) {
  RecordingDialog owner;
  owner.Create(nullptr, "Main", 0, 0, {0, 0, 1121, 780});
  MenuWnd menu;
  menu.Create(&owner, {300, 200}, 1711, 120);
  for (auto [id, text] : {std::pair{100, "To top"}, {101, "Up"}, {102, "Down"}, {103, "To bottom"}}) {
    menu.AddMenu(text, id);
  }
  host.AnswerMenu(102);
  EXPECT_EQ(menu.TrackPopup(), 102);
  EXPECT_EQ(menu.TrackPopup(), 0);  // dismissed
  ASSERT_EQ(owner.messages.size(), 1u);
  EXPECT_EQ(owner.messages[0], std::make_tuple(1711u, 0ull, 102ll));
  auto menus = host.Menus();
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0].items.size(), 4u);
  EXPECT_EQ(menus[0].items[3].text, "To bottom");
  EXPECT_EQ(menus[0].position, (Point{300, 200}));
}

TEST_F(ModalTest, NoticeKeepsTheLastTextAndCountsShows) {
  RecordingDialog dlg;
  dlg.SetMessage("Saved", {10, 10, 200, 40}, 8);
  dlg.SetMessage("Saved", {10, 10, 200, 40}, 8);
  Notice notice = dlg.GetNotice();
  EXPECT_EQ(notice.text, "Saved");
  EXPECT_EQ(notice.fontSize, 8);
  EXPECT_EQ(notice.serial, 2u);
}

}  // namespace
}  // namespace zq::ui::test
