#include "shell/toolkit/Sliders.h"

#include <algorithm>
#include <climits>

namespace zq::ui {

void MSlider::SetRange(int minimum, int maximum) {
  {
    std::lock_guard lock(mu_);
    min_ = std::min(minimum, maximum);
    max_ = std::max(minimum, maximum);
    progress_ = std::clamp(progress_, min_, max_);
  }
  Changed();
}

int MSlider::GetMin() const { return Read(min_); }
int MSlider::GetMax() const { return Read(max_); }

void MSlider::SetProgress(int position) {
  {
    std::lock_guard lock(mu_);
    position = std::clamp(position, min_, max_);
    if (progress_ == position) return;
    progress_ = position;
  }
  Changed();
}

int MSlider::GetProgress() const { return Read(progress_); }

bool MSlider::ApplySlide(int position, std::int64_t& value) {
  SetProgress(position);
  value = GetProgress();
  return true;
}

DPIControl::DPIControl(MDialog* owner, MControl* parent, int id)
    : MCheckable(owner, parent, id, "DPIControl") {
  SetAlignment(Align::Center);
}

void DPIControl::SetDPIValue(int dpi) { Assign(value_, std::to_string(dpi)); }

int DPIControl::GetDPIValue() const {
  std::string text = Read(value_);
  long long v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    v = std::min<long long>(v * 10 + (c - '0'), INT_MAX);
  }
  return static_cast<int>(v);
}

EditRules DPIControl::GetEditRules() const {
  EditRules rules;
  rules.numberOnly = true;
  rules.maxChars = 5;
  return rules;
}

bool DPIControl::StoreEditText(const std::string& text) {
  {
    std::lock_guard lock(mu_);
    if (value_ == text) return false;
    value_ = text;
  }
  Changed();
  return true;
}

bool DPIControl::ApplyClick(int /*index*/, std::int64_t& value) {
  SetCheck(true);
  value = 1;
  return true;
}

}  // namespace zq::ui
