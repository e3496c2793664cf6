#pragma once
// Who presents modal dialogs and menus: the Qt host in the program, the scripted host in tests.

#include "shell/toolkit/Types.h"

namespace zq::ui {

class MDialog;
class MenuWnd;

class ModalHost {
 public:
  virtual ~ModalHost() = default;
  // Presents the dialog and returns once dialog.IsEndRequested(); returns the end code.
  virtual int RunModal(MDialog& dialog, int show) = 0;
  // Presents the menu and returns the chosen item id, 0 when the menu was dismissed.
  virtual int RunMenu(MenuWnd& menu) = 0;
  virtual Rect ScreenRect() const { return {0, 0, 1920, 1080}; }
};

// The host used by ShowModal and MenuWnd. Without one set, a scripted host with no answers is
// used: it closes each dialog as a user pressing Escape would and dismisses each menu.
void SetModalHost(ModalHost* host);
ModalHost& GetModalHost();

}  // namespace zq::ui
