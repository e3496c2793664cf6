#include "shell/toolkit/MEdit.h"

#include <algorithm>

namespace zq::ui {

namespace {
int ParseNumber(const std::string& text) {
  long long v = 0;
  std::size_t i = 0;
  bool negative = false;
  while (i < text.size() && text[i] == ' ') ++i;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    v = std::min<long long>(v * 10 + (text[i] - '0'), 1LL << 31);
  }
  v = negative ? -v : v;
  return static_cast<int>(std::clamp<long long>(v, INT32_MIN, INT32_MAX));
}
}  // namespace

void MEdit::SetLimitText(int maxChars) {
  {
    std::lock_guard lock(mu_);
    rules_.maxChars = std::max(0, maxChars);
  }
  Changed();
}

void MEdit::SetNumberOnly(bool numberOnly) {
  {
    std::lock_guard lock(mu_);
    rules_.numberOnly = numberOnly;
  }
  Changed();
}

void MEdit::SetReadOnly(bool readOnly) {
  {
    std::lock_guard lock(mu_);
    rules_.readOnly = readOnly;
  }
  Changed();
}

bool MEdit::StoreEditText(const std::string& text) {
  {
    std::lock_guard lock(mu_);
    if (title_ == text) return false;
    title_ = text;
  }
  Changed();
  return true;
}

NumberEdit::NumberEdit(MDialog* owner, MControl* parent, int id, std::string cls)
    : MEdit(owner, parent, id, std::move(cls)) {
  std::lock_guard lock(mu_);
  rules_.numberOnly = true;
  rules_.allowMinus = true;
  rules_.maxChars = 6;
}

void NumberEdit::SetRange(int minimum, int maximum) {
  {
    std::lock_guard lock(mu_);
    min_ = std::min(minimum, maximum);
    max_ = std::max(minimum, maximum);
  }
  Changed();
}

int NumberEdit::GetMin() const { return Read(min_); }
int NumberEdit::GetMax() const { return Read(max_); }

bool NumberEdit::ApplyClick(int index, std::int64_t& value) {
  if (index != 0 && index != 1) return false;
  int v = ParseNumber(GetTitle()) + (index == 0 ? 1 : -1);
  v = std::clamp(v, GetMin(), GetMax());
  SetTitle(std::to_string(v));
  value = v;
  return true;
}

}  // namespace zq::ui
