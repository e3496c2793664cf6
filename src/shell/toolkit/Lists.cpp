#include "shell/toolkit/Lists.h"

#include <algorithm>

namespace zq::ui {

namespace {
template <class V>
bool InRange(const V& v, int index) {
  return index >= 0 && index < static_cast<int>(v.size());
}
}  // namespace

// --- MouseCtrl ---

int MouseCtrl::AddItem(std::string text, const Rect& anchor) {
  int index;
  {
    std::lock_guard lock(mu_);
    items_.push_back({std::move(text), anchor});
    index = static_cast<int>(items_.size()) - 1;
  }
  Changed();
  return index;
}

bool MouseCtrl::SetItemText(int index, std::string text) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    if (items_[index].text == text) return true;
    items_[index].text = std::move(text);
  }
  Changed();
  return true;
}

std::string MouseCtrl::GetItemText(int index) const {
  std::lock_guard lock(mu_);
  return InRange(items_, index) ? items_[index].text : std::string();
}

int MouseCtrl::GetItemCount() const {
  std::lock_guard lock(mu_);
  return static_cast<int>(items_.size());
}

std::vector<MouseCtrl::Item> MouseCtrl::GetItems() const { return Read(items_); }

bool MouseCtrl::ApplyClick(int index, std::int64_t& value) {
  if (index < 0 || index >= GetItemCount()) return false;
  value = index;
  return true;
}

// --- MacroList ---

int MacroList::AddString(std::string text, std::int64_t data, int index) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) index = static_cast<int>(items_.size());
    items_.insert(items_.begin() + index, {std::move(text), data});
    if (curSel_ >= index) ++curSel_;
  }
  Changed();
  return index;
}

bool MacroList::DeleteItem(int index) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    items_.erase(items_.begin() + index);
    if (curSel_ == index) {
      curSel_ = -1;
    } else if (curSel_ > index) {
      --curSel_;
    }
  }
  Changed();
  return true;
}

void MacroList::DeleteAllItems() {
  {
    std::lock_guard lock(mu_);
    items_.clear();
    curSel_ = -1;
  }
  Changed();
}

int MacroList::GetCurSel() const { return Read(curSel_); }

bool MacroList::SetCurSel(int index) {
  {
    std::lock_guard lock(mu_);
    if (index != -1 && !InRange(items_, index)) return false;
    curSel_ = index;
  }
  Changed();
  return true;
}

std::int64_t MacroList::GetItemData(int index) const {
  std::lock_guard lock(mu_);
  return InRange(items_, index) ? items_[index].data : 0;
}

std::string MacroList::GetItemText(int index) const {
  std::lock_guard lock(mu_);
  return InRange(items_, index) ? items_[index].text : std::string();
}

bool MacroList::ModifyItemString(int index, std::string text) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    items_[index].text = std::move(text);
  }
  Changed();
  return true;
}

int MacroList::GetItemCount() const {
  std::lock_guard lock(mu_);
  return static_cast<int>(items_.size());
}

std::vector<MacroList::Item> MacroList::GetItems() const { return Read(items_); }

EditRules MacroList::GetEditRules() const {
  EditRules rules;
  rules.maxChars = 64;
  return rules;
}

std::string MacroList::GetEditText() const {
  std::lock_guard lock(mu_);
  return InRange(items_, curSel_) ? items_[curSel_].text : std::string();
}

bool MacroList::StoreEditText(const std::string& text) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, curSel_) || items_[curSel_].text == text) return false;
    items_[curSel_].text = text;
  }
  Changed();
  return true;
}

bool MacroList::ApplyClick(int index, std::int64_t& value) {
  if (!InRange(GetItems(), index) || !SetCurSel(index)) return false;
  value = index;
  return true;
}

bool MacroList::ApplyRightClick(int index, std::int64_t& value) {
  if (index >= 0) SetCurSel(index);
  value = index;
  return true;
}

// --- CRecordList ---

int CRecordList::InsertString(int index, std::string text, int type, int value,
                              std::uint32_t timestamp) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) index = static_cast<int>(items_.size());
    items_.insert(items_.begin() + index, {std::move(text), type, value, timestamp});
    if (curSel_ >= index) ++curSel_;
  }
  Changed();
  return index;
}

void CRecordList::DeleteAllItems() {
  {
    std::lock_guard lock(mu_);
    items_.clear();
    curSel_ = -1;
  }
  Changed();
}

bool CRecordList::DeleteItem(int index) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    items_.erase(items_.begin() + index);
    if (curSel_ == index) {
      curSel_ = -1;
    } else if (curSel_ > index) {
      --curSel_;
    }
  }
  Changed();
  return true;
}

int CRecordList::DeleteTimeStamp(std::uint32_t timestamp) {
  int removed = 0;
  {
    std::lock_guard lock(mu_);
    int selected = curSel_;
    std::vector<RecordItem> kept;
    int newSel = -1;
    for (int i = 0; i < static_cast<int>(items_.size()); ++i) {
      if (items_[i].timestamp == timestamp) {
        ++removed;
        continue;
      }
      if (i == selected) newSel = static_cast<int>(kept.size());
      kept.push_back(std::move(items_[i]));
    }
    if (removed == 0) return 0;
    items_ = std::move(kept);
    curSel_ = newSel;
  }
  Changed();
  return removed;
}

bool CRecordList::GetRecordInfo(int index, std::string& text, int& type, int& value,
                                std::uint32_t& timestamp) const {
  std::lock_guard lock(mu_);
  if (!InRange(items_, index)) return false;
  const RecordItem& item = items_[index];
  text = item.text;
  type = item.type;
  value = item.value;
  timestamp = item.timestamp;
  return true;
}

std::uint32_t CRecordList::GetRecrodTimeStamp(int index) const {
  std::lock_guard lock(mu_);
  return InRange(items_, index) ? items_[index].timestamp : 0;
}

bool CRecordList::SetRecordInfo(int index, std::string text, int type, int value,
                                std::uint32_t timestamp) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    items_[index] = {std::move(text), type, value, timestamp};
  }
  Changed();
  return true;
}

int CRecordList::SetRecordInfo(std::uint32_t timestamp, int type, const std::string& text,
                               int value) {
  int changed = 0;
  {
    std::lock_guard lock(mu_);
    for (RecordItem& item : items_) {
      if (item.timestamp == timestamp && item.type == type) {
        item.text = text;
        item.value = value;
        ++changed;
      }
    }
  }
  if (changed > 0) Changed();
  return changed;
}

bool CRecordList::SwapItem(int first, int second) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, first) || !InRange(items_, second)) return false;
    std::swap(items_[first], items_[second]);
  }
  Changed();
  return true;
}

bool CRecordList::MoveTop(int index) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    std::rotate(items_.begin(), items_.begin() + index, items_.begin() + index + 1);
    if (curSel_ == index) {
      curSel_ = 0;
    } else if (curSel_ >= 0 && curSel_ < index) {
      ++curSel_;
    }
  }
  Changed();
  return true;
}

bool CRecordList::MoveBottom(int index) {
  {
    std::lock_guard lock(mu_);
    if (!InRange(items_, index)) return false;
    std::rotate(items_.begin() + index, items_.begin() + index + 1, items_.end());
    int last = static_cast<int>(items_.size()) - 1;
    if (curSel_ == index) {
      curSel_ = last;
    } else if (curSel_ > index) {
      --curSel_;
    }
  }
  Changed();
  return true;
}

bool CRecordList::SetCurSel(int index) {
  {
    std::lock_guard lock(mu_);
    if (index != -1 && !InRange(items_, index)) return false;
    curSel_ = index;
  }
  Changed();
  return true;
}

int CRecordList::GetCurSel() const { return Read(curSel_); }

int CRecordList::GetItemCount() const {
  std::lock_guard lock(mu_);
  return static_cast<int>(items_.size());
}

std::vector<RecordItem> CRecordList::GetRecordItems() const { return Read(items_); }

bool CRecordList::ApplyClick(int index, std::int64_t& value) {
  if (index < 0 || !SetCurSel(index)) return false;
  value = index;
  return true;
}

bool CRecordList::ApplyRightClick(int index, std::int64_t& value) {
  if (index >= 0) SetCurSel(index);
  value = index;
  return true;
}

// --- EmojiControl ---

int EmojiControl::AddEmoji(int number, std::string label, std::string file) {
  int index;
  {
    std::lock_guard lock(mu_);
    items_.push_back({number, std::move(label), std::move(file)});
    index = static_cast<int>(items_.size()) - 1;
  }
  Changed();
  return index;
}

bool EmojiControl::SetSelectItem(int index) {
  {
    std::lock_guard lock(mu_);
    if (index != -1 && !InRange(items_, index)) return false;
    selected_ = index;
  }
  Changed();
  return true;
}

int EmojiControl::GetSelectItem() const { return Read(selected_); }

bool EmojiControl::GetSelectData(int& number, std::string& text) const {
  std::lock_guard lock(mu_);
  if (!InRange(items_, selected_)) return false;
  number = items_[selected_].number;
  text = items_[selected_].label;
  return true;
}

int EmojiControl::GetItemCount() const {
  std::lock_guard lock(mu_);
  return static_cast<int>(items_.size());
}

std::vector<EmojiControl::Item> EmojiControl::GetItems() const { return Read(items_); }

bool EmojiControl::ApplyClick(int index, std::int64_t& value) {
  if (index < 0 || !SetSelectItem(index)) return false;
  value = index;
  return true;
}

}  // namespace zq::ui
