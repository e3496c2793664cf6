#pragma once
// A popup menu. The chosen item's id reaches the owner as window message `message` with the id
// as lParam; the owner's OnWindowMessage runs before TrackPopup returns.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/toolkit/Types.h"

namespace zq::ui {

class MDialog;

struct MenuItem {
  std::string text;
  int id = 0;
  bool enabled = true;
};

class MenuWnd {
 public:
  // `position` in client coordinates of the owner; `width` of the menu in pixels.
  bool Create(MDialog* owner, Point position, std::uint32_t message, int width);
  void AddMenu(std::string text, int itemId, bool enabled = true);
  // Shows the menu modally; returns the chosen id (0: dismissed).
  int TrackPopup();

  MDialog* GetOwner() const { return owner_; }
  Point GetPosition() const { return position_; }
  std::uint32_t GetMessage() const { return message_; }
  int GetWidth() const { return width_; }
  const std::vector<MenuItem>& GetItems() const { return items_; }

 private:
  MDialog* owner_ = nullptr;
  Point position_;
  std::uint32_t message_ = 0;
  int width_ = 120;
  std::vector<MenuItem> items_;
};

}  // namespace zq::ui
