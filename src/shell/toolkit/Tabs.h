#pragma once
// The tab strip and its pages. A page is a container: the controls it creates are shown only
// while it is the selected page.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/toolkit/MControl.h"

namespace zq::ui {

class CArea;

class MTabLayout : public MControl {
 public:
  MTabLayout(MDialog* owner, MControl* parent, int id) : MControl(owner, parent, "MTabLayout", id) {}
  // Rectangles stay in the dialog's client coordinates.
  MControl* CreateControl(const std::string& className, int id, const Rect& rect,
                          const std::string& title, int flag1 = 0, int flag2 = 0);
  CArea* CreateArea(int id, const Rect& rect);
  bool ApplyClick(int, std::int64_t&) override { return false; }
  bool ApplyRightClick(int, std::int64_t&) override { return false; }
};

struct TabItem {
  int id = 0;
  std::string text;
  std::string icon;
  MTabLayout* page = nullptr;
};

class MTabCtrl : public MControlFont {
 public:
  MTabCtrl(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "MTabCtrl", id) {}
  // Appends an item; its page is hidden until the item is selected.
  int InsertItem(int itemId, std::string text, std::string icon, MTabLayout* page);
  bool SetItemText(int index, std::string text);
  std::string GetItemText(int index) const;
  int GetItemID(int index) const;  // 0 for an index out of range
  int GetItemCount() const;
  // Shows the item's page and hides the others.
  bool SetSelectItem(int index);
  int GetSelectItem() const;
  std::vector<TabItem> GetItems() const;

  bool TakesFocus() const override { return true; }
  bool ApplyClick(int index, std::int64_t& value) override;

 private:
  std::vector<TabItem> items_;
  int selected_ = -1;
};

}  // namespace zq::ui
