#include "shell/toolkit/MControl.h"

#include "shell/toolkit/MDialog.h"

namespace zq::ui {

MControl::MControl(MDialog* owner, MControl* parent, std::string className, int id)
    : owner_(owner), parent_(parent), className_(std::move(className)), id_(id) {}

MControl::~MControl() = default;

void MControl::Changed() {
  revision_.fetch_add(1);
  if (owner_ != nullptr) owner_->NotifyModelChanged();
}

void MControl::SetEnabled(bool enabled) { Assign(enabled_, enabled); }
bool MControl::IsEnabled() const { return Read(enabled_); }
void MControl::SetVisible(bool visible) { Assign(visible_, visible); }
bool MControl::IsVisible() const { return Read(visible_); }

bool MControl::IsShown() const {
  for (const MControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->IsVisible()) return false;
  }
  return true;
}

bool MControl::IsUsable() const {
  for (const MControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->IsVisible() || !c->IsEnabled()) return false;
  }
  return true;
}

void MControl::SetRect(const Rect& rect) { Assign(rect_, rect); }
Rect MControl::GetRect() const { return Read(rect_); }
void MControl::SetTooltip(std::string text) { Assign(tooltip_, std::move(text)); }
std::string MControl::GetTooltip() const { return Read(tooltip_); }
void MControl::SetImage(std::string file) { Assign(image_, std::move(file)); }
std::string MControl::GetImage() const { return Read(image_); }
void MControl::UpdateControl() { Changed(); }
void MControl::AddMTimer(int periodMs) { Assign(timer_, periodMs < 0 ? 0 : periodMs); }
int MControl::GetMTimer() const { return Read(timer_); }

void MControl::SetFlags(int flag1, int flag2) {
  std::lock_guard lock(mu_);
  flag1_ = flag1;
  flag2_ = flag2;
}

std::pair<int, int> MControl::GetFlags() const {
  std::lock_guard lock(mu_);
  return {flag1_, flag2_};
}

bool MControl::ApplyClick(int /*index*/, std::int64_t& value) {
  value = 0;
  return true;
}

bool MControl::ApplyRightClick(int index, std::int64_t& value) {
  value = index;
  return true;
}

void MControlFont::SetTitle(std::string title) { Assign(title_, std::move(title)); }
std::string MControlFont::GetTitle() const { return Read(title_); }

void MControlFont::SetFont(int size, int style) {
  {
    std::lock_guard lock(mu_);
    if (fontSize_ == size && fontStyle_ == style) return;
    fontSize_ = size;
    fontStyle_ = style;
  }
  Changed();
}

int MControlFont::GetFontSize() const { return Read(fontSize_); }
int MControlFont::GetFontStyle() const { return Read(fontStyle_); }
void MControlFont::SetFontName(std::string family) { Assign(fontName_, std::move(family)); }
std::string MControlFont::GetFontName() const { return Read(fontName_); }
void MControlFont::SetFontWidth(int weight) { Assign(fontWidth_, weight); }
int MControlFont::GetFontWidth() const { return Read(fontWidth_); }
void MControlFont::SetAlignment(Align align) { Assign(align_, align); }
Align MControlFont::GetAlignment() const { return Read(align_); }
void MControlFont::SetVAlignment(VAlign align) { Assign(valign_, align); }
VAlign MControlFont::GetVAlignment() const { return Read(valign_); }
void MControlFont::SetTextColor(Color color) { Assign(textColor_, color); }
Color MControlFont::GetTextColor() const { return Read(textColor_); }

}  // namespace zq::ui
