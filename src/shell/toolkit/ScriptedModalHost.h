#pragma once
// The modal host of the tests: no display. Each modal dialog and menu that the code under test
// opens is recorded (window text, the texts and button titles it shows) and answered by the next
// scripted answer: a button to click, a callback that acts on the dialog like a user, or
// waiting until another thread ends it. A dialog without a scripted answer is closed as a user
// pressing Escape would; a waited-for dialog that nobody ends is closed the same way after the
// safety time, and recorded as timed out, so a faulty test fails instead of hanging.

#include <chrono>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "shell/toolkit/MenuWnd.h"
#include "shell/toolkit/ModalHost.h"

namespace zq::ui {

struct ShownDialog {
  std::string windowText;
  std::vector<std::string> texts;    // titles of the visible MText controls, in creation order
  std::vector<std::string> buttons;  // titles of the visible buttons, left to right
  Rect windowRect;
  int result = 0;
  bool answered = false;  // false: closed because nothing was scripted for it
  bool timedOut = false;
};

struct ShownMenu {
  std::vector<MenuItem> items;
  Point position;
  std::uint32_t message = 0;
  int width = 0;
  int chosen = 0;
};

class ScriptedModalHost : public ModalHost {
 public:
  using DialogAction = std::function<void(MDialog&)>;

  // Clicks the visible button with this title.
  void AnswerButton(std::string title);
  // Clicks the control with this id (e.g. 34, the right button of a message box).
  void AnswerClick(int controlId);
  // Acts on the dialog like a user (type, click...). If the dialog is still open afterwards,
  // the host waits for it to end as with AnswerWaitForEnd.
  void AnswerWith(DialogAction action);
  // Leaves the dialog open until another thread ends it (a wait dialog closed by the worker).
  void AnswerWaitForEnd();
  // Answers the next menu with an item id (0 dismisses it).
  void AnswerMenu(int itemId);

  // Safety limit for dialogs that are waited for.
  void SetWaitLimit(std::chrono::milliseconds limit) { waitLimit_ = limit; }

  std::vector<ShownDialog> Dialogs() const;
  std::vector<ShownMenu> Menus() const;
  std::size_t PendingAnswers() const;
  void Clear();

  int RunModal(MDialog& dialog, int show) override;
  int RunMenu(MenuWnd& menu) override;

  // The texts and buttons a dialog shows right now.
  static ShownDialog Describe(const MDialog& dialog);

 private:
  struct Answer {
    enum class Kind { Button, Click, Action, Wait } kind;
    std::string title;
    int id = 0;
    DialogAction action;
  };
  bool WaitForEnd(MDialog& dialog);

  mutable std::mutex mu_;
  std::deque<Answer> answers_;
  std::deque<int> menuAnswers_;
  std::vector<ShownDialog> dialogs_;
  std::vector<ShownMenu> menus_;
  std::chrono::milliseconds waitLimit_{10000};
};

}  // namespace zq::ui
