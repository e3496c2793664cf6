#include "shell/toolkit/MenuWnd.h"

#include "shell/toolkit/MDialog.h"
#include "shell/toolkit/ModalHost.h"

namespace zq::ui {

bool MenuWnd::Create(MDialog* owner, Point position, std::uint32_t message, int width) {
  owner_ = owner;
  position_ = position;
  message_ = message;
  width_ = width > 0 ? width : 120;
  items_.clear();
  return owner != nullptr;
}

void MenuWnd::AddMenu(std::string text, int itemId, bool enabled) {
  items_.push_back({std::move(text), itemId, enabled});
}

int MenuWnd::TrackPopup() {
  if (owner_ == nullptr || items_.empty()) return 0;
  int chosen = GetModalHost().RunMenu(*this);
  bool valid = false;
  for (const MenuItem& item : items_) valid = valid || (item.id == chosen && item.enabled);
  if (!valid) return 0;
  owner_->OnWindowMessage(message_, 0, chosen);
  return chosen;
}

}  // namespace zq::ui
