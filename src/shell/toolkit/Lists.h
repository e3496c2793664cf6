#pragma once
// The list controls: the button map of the mouse picture, the macro list, the macro's item
// list and the emoji picker. A click on an item selects it and reports event 2 with its index;
// a right click selects it as well and reports event 9.

#include <cstdint>
#include <string>
#include <vector>

#include "shell/toolkit/MControl.h"

namespace zq::ui {

// The mouse picture with one label per button, each pointing at `anchor` on the picture.
class MouseCtrl : public MControlFont {
 public:
  struct Item {
    std::string text;
    Rect anchor;
  };
  MouseCtrl(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "MouseCtrl", id) {}
  int AddItem(std::string text, const Rect& anchor);
  bool SetItemText(int index, std::string text);
  std::string GetItemText(int index) const;
  int GetItemCount() const;
  std::vector<Item> GetItems() const;
  bool ApplyClick(int index, std::int64_t& value) override;

 private:
  std::vector<Item> items_;
};

// The list of macros. Its selected entry can be renamed in place: the typed text replaces the
// entry's text and finishing the edit reports event 29.
class MacroList : public MControlFont {
 public:
  struct Item {
    std::string text;
    std::int64_t data = 0;
  };
  MacroList(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "MacroList", id) {}
  int AddString(std::string text, std::int64_t data, int index = -1);
  bool DeleteItem(int index);
  void DeleteAllItems();
  int GetCurSel() const;
  bool SetCurSel(int index);  // -1 clears the selection
  std::int64_t GetItemData(int index) const;
  std::string GetItemText(int index) const;
  bool ModifyItemString(int index, std::string text);
  int GetItemCount() const;
  std::vector<Item> GetItems() const;

  bool TakesFocus() const override { return true; }
  bool IsTextEditable() const override { return GetCurSel() >= 0; }
  EditRules GetEditRules() const override;
  std::string GetEditText() const override;
  bool StoreEditText(const std::string& text) override;
  bool ApplyClick(int index, std::int64_t& value) override;
  bool ApplyRightClick(int index, std::int64_t& value) override;

 private:
  std::vector<Item> items_;
  int curSel_ = -1;
};

struct RecordItem {
  std::string text;
  int type = 0;
  int value = 0;
  std::uint32_t timestamp = 0;
  bool operator==(const RecordItem&) const = default;
};

// The items of the selected macro. Items inserted together (a key's down and up) share a
// timestamp; the operations by timestamp act on all of them.
class CRecordList : public MControlFont {
 public:
  CRecordList(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "CRecordList", id) {}
  // Inserts at `index`; -1 or an index past the end appends. Returns the item's index.
  int InsertString(int index, std::string text, int type, int value, std::uint32_t timestamp);
  int AddRecord(std::string text, int type, int value, std::uint32_t timestamp) {
    return InsertString(-1, std::move(text), type, value, timestamp);
  }
  void DeleteAllItems();
  bool DeleteItem(int index);
  // Removes every item with the timestamp; returns how many went.
  int DeleteTimeStamp(std::uint32_t timestamp);
  bool GetRecordInfo(int index, std::string& text, int& type, int& value,
                     std::uint32_t& timestamp) const;
  // 0 for an index out of range.
  std::uint32_t GetRecrodTimeStamp(int index) const;
  bool SetRecordInfo(int index, std::string text, int type, int value, std::uint32_t timestamp);
  // Every item with this timestamp and this type takes the text and value; returns how many.
  int SetRecordInfo(std::uint32_t timestamp, int type, const std::string& text, int value);
  // Exchanges two items; the selection stays at its index.
  bool SwapItem(int first, int second);
  // Moves an item to the first or last place; the selection follows the moved item.
  bool MoveTop(int index);
  bool MoveBottom(int index);
  bool SetCurSel(int index);  // -1 clears the selection
  int GetCurSel() const;
  int GetItemCount() const;
  std::vector<RecordItem> GetRecordItems() const;

  bool TakesFocus() const override { return true; }
  bool ApplyClick(int index, std::int64_t& value) override;
  bool ApplyRightClick(int index, std::int64_t& value) override;

 private:
  std::vector<RecordItem> items_;
  int curSel_ = -1;
};

// A grid of emoji pictures, one selected.
class EmojiControl : public MControlFont {
 public:
  struct Item {
    int number = 0;
    std::string label;
    std::string file;
  };
  EmojiControl(MDialog* owner, MControl* parent, int id) : MControlFont(owner, parent, "EmojiControl", id) {}
  int AddEmoji(int number, std::string label, std::string file);
  bool SetSelectItem(int index);
  int GetSelectItem() const;
  // The selected entry's number and label; false when nothing is selected.
  bool GetSelectData(int& number, std::string& text) const;
  int GetItemCount() const;
  std::vector<Item> GetItems() const;
  bool TakesFocus() const override { return true; }
  bool ApplyClick(int index, std::int64_t& value) override;

 private:
  std::vector<Item> items_;
  int selected_ = -1;
};

}  // namespace zq::ui
