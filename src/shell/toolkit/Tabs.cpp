#include "shell/toolkit/Tabs.h"

#include "shell/toolkit/Controls.h"
#include "shell/toolkit/MDialog.h"

namespace zq::ui {

MControl* MTabLayout::CreateControl(const std::string& className, int id, const Rect& rect,
                                    const std::string& title, int flag1, int flag2) {
  return GetOwner()->CreateControl(className, id, rect, title, flag1, flag2, this);
}

CArea* MTabLayout::CreateArea(int id, const Rect& rect) {
  return GetOwner()->CreateArea(id, rect, this);
}

int MTabCtrl::InsertItem(int itemId, std::string text, std::string icon, MTabLayout* page) {
  int index;
  bool selected;
  {
    std::lock_guard lock(mu_);
    items_.push_back({itemId, std::move(text), std::move(icon), page});
    index = static_cast<int>(items_.size()) - 1;
    selected = index == selected_;
  }
  if (page != nullptr) page->SetVisible(selected);
  Changed();
  return index;
}

bool MTabCtrl::SetItemText(int index, std::string text) {
  {
    std::lock_guard lock(mu_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    items_[index].text = std::move(text);
  }
  Changed();
  return true;
}

std::string MTabCtrl::GetItemText(int index) const {
  std::lock_guard lock(mu_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].text : std::string();
}

int MTabCtrl::GetItemID(int index) const {
  std::lock_guard lock(mu_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].id : 0;
}

int MTabCtrl::GetItemCount() const {
  std::lock_guard lock(mu_);
  return static_cast<int>(items_.size());
}

bool MTabCtrl::SetSelectItem(int index) {
  std::vector<TabItem> items;
  {
    std::lock_guard lock(mu_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    selected_ = index;
    items = items_;
  }
  // Hide first, then show, so that two pages are never visible together.
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (items[i].page != nullptr && static_cast<int>(i) != index) items[i].page->SetVisible(false);
  }
  if (items[index].page != nullptr) items[index].page->SetVisible(true);
  Changed();
  return true;
}

int MTabCtrl::GetSelectItem() const { return Read(selected_); }

std::vector<TabItem> MTabCtrl::GetItems() const { return Read(items_); }

bool MTabCtrl::ApplyClick(int index, std::int64_t& value) {
  if (!SetSelectItem(index)) return false;
  value = index;
  return true;
}

}  // namespace zq::ui
