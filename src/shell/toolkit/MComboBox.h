#pragma once
// A drop-down list. Each item has a text and a number (item data); the shown text is the title,
// which follows the selection but may be set on its own (a key combination shown over the
// category's entry).

#include <cstdint>
#include <string>
#include <vector>

#include "shell/toolkit/MControl.h"

namespace zq::ui {

struct ComboItem {
  std::string text;
  std::int64_t data = 0;
  bool operator==(const ComboItem&) const = default;
};

class MComboBox : public MControlFont {
 public:
  MComboBox(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "MComboBox", id) {}

  int AddItem(std::string text, std::int64_t data = 0);  // returns the new index
  void DelAllItems();
  bool DeleteItem(int index);
  // -1 clears the selection; an index out of range changes nothing.
  bool SetCurSel(int index);
  int GetCurSel() const;
  // Selects the first item with `data`; without one the selection stays as it is.
  bool SelectData(std::int64_t data);
  // Data of the selected item; 0 when nothing is selected.
  std::int64_t GetCurData() const;
  int GetItemCount() const;
  std::string GetItemText(int index) const;
  std::int64_t GetItemData(int index) const;
  // Renames an item; the shown text follows when it is the selected one.
  bool SetItemText(int index, std::string text);
  // Text colour of the items in the open list.
  void SetTextColorEx(Color color) { Assign(itemColor_, color); }
  Color GetTextColorEx() const { return Read(itemColor_); }

  struct Snapshot {
    std::vector<ComboItem> items;
    int curSel = -1;
    std::string title;
  };
  Snapshot GetSnapshot() const;

  bool TakesFocus() const override { return true; }
  // A click opens the list (the view's business); only a choice is reported.
  bool ApplyClick(int, std::int64_t&) override { return false; }
  bool ApplyChoose(int index, std::int64_t& value) override;

 private:
  std::vector<ComboItem> items_;
  int curSel_ = -1;
  Color itemColor_ = 0xFFB8D3EF;
};

}  // namespace zq::ui
