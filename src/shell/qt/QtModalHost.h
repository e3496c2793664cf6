#pragma once
// The program's modal host: presents toolkit dialogs as Qt 6 windows and runs their modal loops.
// Needs a QApplication; everything here runs on the thread that owns it (the UI thread).

#include <map>
#include <string>

#include "shell/toolkit/ModalHost.h"

class QWidget;

namespace zq::ui {

class DialogView;

class QtModalHost : public ModalHost {
 public:
  // `imageFolder`: where the dialogs' image files lie (the program folder, with or without a
  // trailing slash).
  explicit QtModalHost(std::string imageFolder);
  ~QtModalHost() override;

  // Shows the dialog as a frameless window (hidden for show 0) and runs a modal loop until the
  // dialog is ended, by its own handlers on the UI thread or by DoOK from any thread.
  int RunModal(MDialog& dialog, int show) override;
  int RunMenu(MenuWnd& menu) override;
  Rect ScreenRect() const override;

  // The window presenting a dialog while it runs (nullptr otherwise); tests grab it.
  QWidget* ViewOf(const MDialog& dialog) const;
  const std::string& ImageFolder() const { return imageFolder_; }

 private:
  std::string imageFolder_;
  std::map<const MDialog*, DialogView*> views_;
};

}  // namespace zq::ui
