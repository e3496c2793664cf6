#include "shell/toolkit/MDialog.h"

#include <functional>
#include <map>

#include "shell/toolkit/ModalHost.h"

namespace zq::ui {

namespace {

using Factory = std::function<MControl*(MDialog&, int, const Rect&, const std::string&, MControl*)>;

template <class T>
Factory Make() {
  return [](MDialog& d, int id, const Rect& r, const std::string& t, MControl* p) -> MControl* {
    return d.CreateControlT<T>(id, r, t, p);
  };
}

const std::map<std::string, Factory, std::less<>>& Factories() {
  static const std::map<std::string, Factory, std::less<>> factories = {
      {"MText", Make<MText>()},
      {"MButton", Make<MButton>()},
      {"CImageButton", Make<CImageButton>()},
      {"CTextButton", Make<CTextButton>()},
      {"CIconButton", Make<CIconButton>()},
      {"MPicture", Make<MPicture>()},
      {"CGifPicture", Make<CGifPicture>()},
      {"CArea", Make<CArea>()},
      {"MComboBox", Make<MComboBox>()},
      {"MEdit", Make<MEdit>()},
      {"NumberEdit", Make<NumberEdit>()},
      {"NumberEdit2", Make<NumberEdit2>()},
      {"CCheckButton", Make<CCheckButton>()},
      {"CRadioButton", Make<CRadioButton>()},
      {"CSwitchButton", Make<CSwitchButton>()},
      {"ColorButtonEx", Make<ColorButtonEx>()},
      {"MSlider", Make<MSlider>()},
      {"DPISlider", Make<DPISlider>()},
      {"DPIControl", Make<DPIControl>()},
      {"MTabCtrl", Make<MTabCtrl>()},
      {"MTabLayout", Make<MTabLayout>()},
      {"BatteryCtrl", Make<BatteryCtrl>()},
      {"CDeviceState", Make<CDeviceState>()},
      {"MouseCtrl", Make<MouseCtrl>()},
      {"MacroList", Make<MacroList>()},
      {"CRecordList", Make<CRecordList>()},
      {"EmojiControl", Make<EmojiControl>()},
  };
  return factories;
}

std::mutex& FontMu() {
  static std::mutex mu;
  return mu;
}

std::string& DefaultFont() {
  static std::string font = "Open Sans Semibold";
  return font;
}

}  // namespace

MDialog::MDialog() = default;

MDialog::~MDialog() {
  std::lock_guard lock(listenerMu_);
  listener_ = nullptr;
}

// --- Window ---

bool MDialog::Create(MDialog* owner, std::string text, std::uint32_t style, std::uint32_t exStyle,
                     const Rect& rect) {
  if (created_) return false;
  owner_ = owner;
  style_ = style;
  exStyle_ = exStyle;
  {
    std::lock_guard lock(mu_);
    windowText_ = std::move(text);
    windowRect_ = rect;
  }
  created_ = true;
  Rect client = GetClientRect();
  InitUI(client);
  UISize(client);
  NotifyModelChanged();
  return true;
}

std::string MDialog::GetWindowText() const {
  std::lock_guard lock(mu_);
  return windowText_;
}

Rect MDialog::GetWindowRect() const {
  std::lock_guard lock(mu_);
  return windowRect_;
}

Rect MDialog::GetClientRect() const {
  Rect r = GetWindowRect();
  return {0, 0, r.Width(), r.Height()};
}

void MDialog::CenterWindow() {
  Rect around = owner_ != nullptr ? owner_->GetWindowRect() : GetModalHost().ScreenRect();
  Rect r = GetWindowRect();
  int x = around.left + (around.Width() - r.Width()) / 2;
  int y = around.top + (around.Height() - r.Height()) / 2;
  MoveWindow({x, y, x + r.Width(), y + r.Height()});
}

void MDialog::MoveWindow(const Rect& rect) {
  bool resized;
  {
    std::lock_guard lock(mu_);
    resized = rect.Width() != windowRect_.Width() || rect.Height() != windowRect_.Height();
    windowRect_ = rect;
  }
  if (resized && created_) UISize(GetClientRect());
  NotifyModelChanged();
}

// --- Controls ---

MControl* MDialog::CreateControl(const std::string& className, int id, const Rect& rect,
                                 const std::string& title, int flag1, int flag2,
                                 MControl* parent) {
  auto it = Factories().find(className);
  if (it == Factories().end()) return nullptr;
  MControl* control = it->second(*this, id, rect, title, parent);
  control->SetFlags(flag1, flag2);
  return control;
}

CArea* MDialog::CreateArea(int id, const Rect& rect, MControl* parent) {
  return CreateControlT<CArea>(id, rect, {}, parent);
}

MControl* MDialog::GetControl(int id) const {
  std::lock_guard lock(controlsMu_);
  for (const auto& c : controls_) {
    if (c->GetID() == id) return c.get();
  }
  return nullptr;
}

std::vector<MControl*> MDialog::GetControls() const {
  std::lock_guard lock(controlsMu_);
  std::vector<MControl*> out;
  out.reserve(controls_.size());
  for (const auto& c : controls_) out.push_back(c.get());
  return out;
}

void MDialog::CheckInGroup(MCheckable& control, const std::string& group) {
  std::lock_guard groupLock(groupMu_);
  for (MControl* c : GetControls()) {
    auto* other = dynamic_cast<MCheckable*>(c);
    if (other != nullptr && other != &control && other->GetGroupName() == group) {
      other->StoreCheck(false);
    }
  }
  control.StoreCheck(true);
}

// --- Look ---

namespace {
template <class T, class V>
void AssignLocked(std::mutex& mu, T& field, V&& value) {
  std::lock_guard lock(mu);
  field = std::forward<V>(value);
}
}  // namespace

void MDialog::LoadBKImage(std::string file) {
  AssignLocked(mu_, bkImage_, std::move(file));
  NotifyModelChanged();
}

std::string MDialog::GetBKImage() const {
  std::lock_guard lock(mu_);
  return bkImage_;
}

void MDialog::SetBackMode(int mode, int value) {
  {
    std::lock_guard lock(mu_);
    backMode_ = mode;
    backValue_ = value;
  }
  NotifyModelChanged();
}

std::pair<int, int> MDialog::GetBackMode() const {
  std::lock_guard lock(mu_);
  return {backMode_, backValue_};
}

void MDialog::SetBackColor(Color rgb) {
  AssignLocked(mu_, backColor_, rgb);
  NotifyModelChanged();
}

Color MDialog::GetBackColor() const {
  std::lock_guard lock(mu_);
  return backColor_;
}

void MDialog::SetLayeredWindow(bool layered) {
  AssignLocked(mu_, layered_, layered);
  NotifyModelChanged();
}

bool MDialog::IsLayeredWindow() const {
  std::lock_guard lock(mu_);
  return layered_;
}

void MDialog::SetTopMost(bool topmost) {
  AssignLocked(mu_, topmost_, topmost);
  NotifyModelChanged();
}

bool MDialog::IsTopMost() const {
  std::lock_guard lock(mu_);
  return topmost_;
}

void MDialog::EnableWndDrag(bool enable) {
  AssignLocked(mu_, drag_, enable);
  NotifyModelChanged();
}

bool MDialog::IsWndDragEnabled() const {
  std::lock_guard lock(mu_);
  return drag_;
}

void MDialog::SetMTimer(int periodMs) {
  AssignLocked(mu_, timer_, periodMs < 0 ? 0 : periodMs);
  NotifyModelChanged();
}

int MDialog::GetMTimer() const {
  std::lock_guard lock(mu_);
  return timer_;
}

void MDialog::SetMessage(std::string text, const Rect& rect, int fontSize) {
  {
    std::lock_guard lock(mu_);
    notice_.text = std::move(text);
    notice_.rect = rect;
    notice_.fontSize = fontSize;
    ++notice_.serial;
  }
  NotifyModelChanged();
}

Notice MDialog::GetNotice() const {
  std::lock_guard lock(mu_);
  return notice_;
}

void MDialog::ShowWindow(int show) {
  AssignLocked(mu_, shown_, show != 0);
  NotifyModelChanged();
}

bool MDialog::IsWindowShown() const {
  std::lock_guard lock(mu_);
  return shown_;
}

void MDialog::SetWindowState(WindowState state) {
  AssignLocked(mu_, windowState_, state);
  NotifyModelChanged();
}

WindowState MDialog::GetWindowState() const {
  std::lock_guard lock(mu_);
  return windowState_;
}

// --- Modal operation ---

int MDialog::ShowModal(int show) {
  if (!created_) Create(nullptr, GetWindowText(), 0, 0, GetWindowRect());
  {
    std::lock_guard lock(modalMu_);
    if (modal_ == ModalState::Running) return kIdCancel;  // already shown: never nest a dialog in itself
    if (modal_ == ModalState::Idle) {
      endRequested_ = false;
      endCode_ = kIdCancel;
    }
    modal_ = ModalState::Running;
  }
  ShowWindow(show);
  OnInitDialog();
  int code = IsEndRequested() ? GetEndCode() : GetModalHost().RunModal(*this, show);
  {
    std::lock_guard lock(modalMu_);
    if (endRequested_) code = endCode_;
    modal_ = ModalState::Idle;
    endRequested_ = false;
  }
  focus_ = nullptr;
  return code;
}

void MDialog::PrepareModal() {
  std::lock_guard lock(modalMu_);
  if (modal_ != ModalState::Idle) return;
  modal_ = ModalState::Prepared;
  endRequested_ = false;
  endCode_ = kIdCancel;
}

bool MDialog::EndDialog(int code) {
  {
    std::lock_guard lock(modalMu_);
    if (modal_ == ModalState::Idle || endRequested_) return false;
    endRequested_ = true;
    endCode_ = code;
    ++wakeSerial_;
  }
  wakeCv_.notify_all();
  Wake();
  return true;
}

bool MDialog::IsModalRunning() const {
  std::lock_guard lock(modalMu_);
  return modal_ == ModalState::Running;
}

bool MDialog::IsEndRequested() const {
  std::lock_guard lock(modalMu_);
  return endRequested_;
}

int MDialog::GetEndCode() const {
  std::lock_guard lock(modalMu_);
  return endCode_;
}

// --- Messages ---

void MDialog::PostMessage(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam) {
  {
    std::lock_guard lock(modalMu_);
    posted_.emplace_back(message, wParam, lParam);
    ++wakeSerial_;
  }
  wakeCv_.notify_all();
  Wake();
}

int MDialog::DispatchPostedMessages() {
  int count = 0;
  for (;;) {
    std::tuple<std::uint32_t, std::uint64_t, std::int64_t> m;
    {
      std::lock_guard lock(modalMu_);
      if (posted_.empty()) break;
      m = posted_.front();
      posted_.pop_front();
    }
    OnWindowMessage(std::get<0>(m), std::get<1>(m), std::get<2>(m));
    ++count;
  }
  return count;
}

void MDialog::WaitForWake(std::chrono::milliseconds timeout) {
  std::unique_lock lock(modalMu_);
  std::uint64_t serial = wakeSerial_;
  wakeCv_.wait_for(lock, timeout, [&] { return wakeSerial_ != serial || endRequested_ || !posted_.empty(); });
}

std::int64_t MDialog::OnWindowMessage(std::uint32_t /*message*/, std::uint64_t /*wParam*/,
                                      std::int64_t /*lParam*/) {
  return 0;
}

// --- Views ---

void MDialog::SetViewListener(ViewListener* listener) {
  std::lock_guard lock(listenerMu_);
  listener_ = listener;
}

void MDialog::NotifyModelChanged() {
  if (modelChanged_.exchange(true)) return;  // the view has not picked up the last change yet
  std::lock_guard lock(listenerMu_);
  if (listener_ != nullptr) listener_->OnModelChanged();
}

void MDialog::Wake() {
  std::lock_guard lock(listenerMu_);
  if (listener_ != nullptr) listener_->OnWake();
}

// --- Input ---

int MDialog::Dispatch(int id, int event, std::int64_t value, std::int64_t extra) {
  return OnMessage(id, event, value, extra);
}

bool MDialog::InputFocus(MControl* control) {
  if (control != nullptr && (!control->IsUsable() || !control->TakesFocus())) return false;
  if (control == focus_) return true;
  MControl* old = focus_;
  focus_ = control;
  if (old != nullptr) {
    old->SetFocused(false);
    if (old->IsTextEditable()) Dispatch(old->GetID(), kEventEditEnd, 0);
  }
  if (control != nullptr && focus_ == control) {
    control->SetFocused(true);
    if (control->IsTextEditable()) Dispatch(control->GetID(), kEventEditFocus, 0);
  }
  return true;
}

bool MDialog::InputClick(MControl* control, int index) {
  if (control == nullptr || !control->IsUsable()) return false;
  // A click moves the focus first, so an edit being typed in is finished before the click
  // is handled, as it is for a user.
  if (control->TakesFocus()) {
    InputFocus(control);
  } else {
    InputFocus(nullptr);
  }
  std::int64_t value = 0;
  if (!control->ApplyClick(index, value)) return false;
  Dispatch(control->GetID(), kEventClick, value);
  return true;
}

bool MDialog::InputRightClick(MControl* control, int index) {
  if (control == nullptr || !control->IsUsable()) return false;
  std::int64_t value = index;
  if (!control->ApplyRightClick(index, value)) return false;
  Dispatch(control->GetID(), kEventRightClick, value);
  return true;
}

bool MDialog::InputChoose(MControl* control, int index) {
  if (control == nullptr || !control->IsUsable()) return false;
  if (control->TakesFocus()) InputFocus(control);
  std::int64_t value = 0;
  if (!control->ApplyChoose(index, value)) return false;
  Dispatch(control->GetID(), kEventClick, value);
  return true;
}

bool MDialog::AcceptText(MControl& control, const std::string& text) const {
  EditRules rules = control.GetEditRules();
  if (rules.readOnly) return false;
  if (rules.maxChars > 0 && CharacterCount(text) > static_cast<std::size_t>(rules.maxChars)) {
    return false;
  }
  if (rules.numberOnly) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      bool digit = text[i] >= '0' && text[i] <= '9';
      bool minus = rules.allowMinus && i == 0 && text[i] == '-';
      if (!digit && !minus) return false;
    }
  }
  return true;
}

bool MDialog::InputEditText(MControl* control, const std::string& text) {
  if (control == nullptr || !control->IsUsable() || !control->IsTextEditable()) return false;
  if (!AcceptText(*control, text)) return false;
  if (control->StoreEditText(text)) Dispatch(control->GetID(), kEventChanging, 0);
  return true;
}

bool MDialog::InputFinishEdit(MControl* control) {
  if (control == nullptr || !control->IsTextEditable()) return false;
  if (control == focus_) return InputFocus(nullptr);
  Dispatch(control->GetID(), kEventEditEnd, 0);
  return true;
}

bool MDialog::InputSlide(MControl* control, int position, bool released) {
  if (control == nullptr || !control->IsUsable()) return false;
  std::int64_t value = 0;
  if (!control->ApplySlide(position, value)) return false;
  Dispatch(control->GetID(), released ? kEventClick : kEventChanging, value);
  return true;
}

void MDialog::InputClose() {
  InputFocus(nullptr);
  OnUserCloseWindow();
}

void MDialog::InputActivate(bool active) { OnNcActivate(active); }

bool MDialog::OnUserCloseWindow() {
  DoCancel();
  return true;
}

// --- User actions ---

MControl* MDialog::FindUserControl(int id) const {
  MControl* first = nullptr;
  for (MControl* c : GetControls()) {
    if (c->GetID() != id) continue;
    if (c->IsShown()) return c;
    if (first == nullptr) first = c;
  }
  return first;
}

bool MDialog::UserClick(int id, int index) { return InputClick(FindUserControl(id), index); }
bool MDialog::UserRightClick(int id, int index) { return InputRightClick(FindUserControl(id), index); }
bool MDialog::UserChoose(int id, int index) { return InputChoose(FindUserControl(id), index); }

bool MDialog::UserFocus(int id) {
  MControl* c = FindUserControl(id);
  return c != nullptr && InputFocus(c);
}

bool MDialog::UserType(int id, const std::string& text) {
  MControl* c = FindUserControl(id);
  if (c == nullptr || !c->IsUsable() || !c->IsTextEditable()) return false;
  if (c->TakesFocus() && !InputFocus(c)) return false;
  // Select all, then type: the first character replaces the old text.
  std::string typed;
  bool first = true;
  for (const std::string& ch : SplitCharacters(text)) {
    std::string next = first ? ch : typed + ch;
    if (InputEditText(c, next)) {
      typed = next;
      first = false;
    }
  }
  return true;
}

bool MDialog::UserFinishEdit(int id) {
  MControl* c = FindUserControl(id);
  if (c == nullptr) return false;
  if (c == focus_) return InputFocus(nullptr);
  return InputFinishEdit(c);
}

bool MDialog::UserPressEnter(int id) { return InputFinishEdit(FindUserControl(id)); }

bool MDialog::UserSlide(int id, int position) {
  MControl* c = FindUserControl(id);
  if (c == nullptr || !c->IsUsable()) return false;
  if (c->TakesFocus()) InputFocus(c);
  return InputSlide(c, position, false) && InputSlide(c, position, true);
}

// --- Manager ---

void Manager::SetInstance(void* /*instance*/) {}

void Manager::SetFontName(std::string family) {
  std::lock_guard lock(FontMu());
  DefaultFont() = std::move(family);
}

std::string Manager::GetFontName() {
  std::lock_guard lock(FontMu());
  return DefaultFont();
}

}  // namespace zq::ui
