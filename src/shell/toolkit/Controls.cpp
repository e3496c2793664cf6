#include "shell/toolkit/Controls.h"

#include "shell/toolkit/MDialog.h"

namespace zq::ui {

MControl* CArea::CreateControl(const std::string& className, int id, const Rect& rect,
                               const std::string& title, int flag1, int flag2) {
  return GetOwner()->CreateControl(className, id, rect, title, flag1, flag2, this);
}

void MCheckable::SetCheck(bool checked) {
  std::string group = GetGroupName();
  if (checked && !group.empty() && GetOwner() != nullptr) {
    GetOwner()->CheckInGroup(*this, group);
  } else {
    StoreCheck(checked);
  }
}

bool MCheckable::ApplyClick(int /*index*/, std::int64_t& value) {
  if (GetGroupName().empty()) {
    SetCheck(!GetCheck());
  } else {
    SetCheck(true);
  }
  value = GetCheck() ? 1 : 0;
  return true;
}

bool CRadioButton::ApplyClick(int /*index*/, std::int64_t& value) {
  SetCheck(true);
  value = 1;
  return true;
}

void CSwitchButton::SetImages(std::string off, std::string on) {
  {
    std::lock_guard lock(mu_);
    off_ = std::move(off);
    on_ = std::move(on);
  }
  Changed();
}

void BatteryCtrl::SetBatteryInfo(int level, int state) {
  {
    std::lock_guard lock(mu_);
    if (level_ == level && state_ == state) return;
    level_ = level;
    state_ = state;
  }
  Changed();
}

void BatteryCtrl::SetImages(std::string background, std::string charge, std::string value) {
  {
    std::lock_guard lock(mu_);
    background_ = std::move(background);
    charge_ = std::move(charge);
    value_ = std::move(value);
  }
  Changed();
}

}  // namespace zq::ui
