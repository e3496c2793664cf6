#include "shell/toolkit/MComboBox.h"

namespace zq::ui {

int MComboBox::AddItem(std::string text, std::int64_t data) {
  int index;
  {
    std::lock_guard lock(mu_);
    items_.push_back({std::move(text), data});
    index = static_cast<int>(items_.size()) - 1;
  }
  Changed();
  return index;
}

void MComboBox::DelAllItems() {
  {
    std::lock_guard lock(mu_);
    items_.clear();
    curSel_ = -1;
    title_.clear();
  }
  Changed();
}

bool MComboBox::DeleteItem(int index) {
  {
    std::lock_guard lock(mu_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    items_.erase(items_.begin() + index);
    if (curSel_ == index) {
      curSel_ = -1;
      title_.clear();
    } else if (curSel_ > index) {
      --curSel_;
    }
  }
  Changed();
  return true;
}

bool MComboBox::SetCurSel(int index) {
  {
    std::lock_guard lock(mu_);
    if (index < -1 || index >= static_cast<int>(items_.size())) return false;
    curSel_ = index;
    title_ = index >= 0 ? items_[index].text : std::string();
  }
  Changed();
  return true;
}

int MComboBox::GetCurSel() const { return Read(curSel_); }

bool MComboBox::SelectData(std::int64_t data) {
  int found = -1;
  {
    std::lock_guard lock(mu_);
    for (std::size_t i = 0; i < items_.size(); ++i) {
      if (items_[i].data == data) {
        found = static_cast<int>(i);
        break;
      }
    }
  }
  return found >= 0 && SetCurSel(found);
}

std::int64_t MComboBox::GetCurData() const {
  std::lock_guard lock(mu_);
  return curSel_ >= 0 ? items_[curSel_].data : 0;
}

int MComboBox::GetItemCount() const {
  std::lock_guard lock(mu_);
  return static_cast<int>(items_.size());
}

std::string MComboBox::GetItemText(int index) const {
  std::lock_guard lock(mu_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].text : std::string();
}

std::int64_t MComboBox::GetItemData(int index) const {
  std::lock_guard lock(mu_);
  return index >= 0 && index < static_cast<int>(items_.size()) ? items_[index].data : 0;
}

bool MComboBox::SetItemText(int index, std::string text) {
  {
    std::lock_guard lock(mu_);
    if (index < 0 || index >= static_cast<int>(items_.size())) return false;
    if (index == curSel_) title_ = text;
    items_[index].text = std::move(text);
  }
  Changed();
  return true;
}

MComboBox::Snapshot MComboBox::GetSnapshot() const {
  std::lock_guard lock(mu_);
  return {items_, curSel_, title_};
}

bool MComboBox::ApplyChoose(int index, std::int64_t& value) {
  if (!SetCurSel(index) || index < 0) return false;
  value = index;
  return true;
}

}  // namespace zq::ui
