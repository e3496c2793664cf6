#pragma once
// The program's two small modal dialogs: the message box that asks a question or reports a
// result, and the busy indicator that covers the main window while the device worker runs a
// task.

#include <functional>
#include <string>

#include "shell/toolkit/MDialog.h"

namespace zq {

// Kinds of message box.
inline constexpr int kMessageBoxOk = 0;        // one button (text 20)
inline constexpr int kMessageBoxOkCancel = 4;  // accept (text 23) and cancel (text 25)

// Ends with ui::kIdOk from the accept button, ui::kIdCancel (2) from the cancel button.
// A box of any other kind shows no button; like every box it closes with Escape or the
// window's close and then returns 2, so no box can stay open for ever.
class CUIMessageBox : public ui::MDialog {
 public:
  CUIMessageBox(std::string caption, std::string message, int kind);

  void InitUI(const ui::Rect& client) override;
  int OnInitDialog() override;
  int OnMessage(int id, int event, std::int64_t value, std::int64_t extra) override;

  const std::string& Caption() const { return caption_; }
  const std::string& Message() const { return message_; }
  int Kind() const { return kind_; }

 private:
  std::string caption_;
  std::string message_;
  int kind_;
};

// Shows a modal box over `owner` (nullptr: centred on the screen) and returns the code that
// ended it; callers treat 2 as cancelled.
int ShowMessageBox(ui::MDialog* owner, const std::string& message, const std::string& caption,
                   int kind);
// The same with both texts looked up by number in the current language.
int ShowMessageBoxKeys(ui::MDialog* owner, int messageKey, int captionKey, int kind);

// The busy indicator: a 102 x 102 animated picture over the owner, ended by DoOK from the
// worker when its task is done. It handles no control; Escape or the window's close ends it
// with 2, so a task that never reports back cannot lock the user out of the program.
class WaitDlg : public ui::MDialog {
 public:
  void InitUI(const ui::Rect& client) override;
  int OnInitDialog() override;
};

// Shows the busy indicator modally over the owner until DoOK or DoCancel; returns that code.
int ShowWaitDialog(WaitDlg& dialog, ui::MDialog* owner);
// Prepares the indicator, runs `startTask` (which queues the worker's task) and shows it. A
// worker that finishes before the indicator is on screen still ends it: the indicator then
// returns at once instead of waiting for a DoOK that already happened.
int ShowWaitDialog(WaitDlg& dialog, ui::MDialog* owner, const std::function<void()>& startTask);

}  // namespace zq
