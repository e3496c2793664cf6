#include "shell/dialogs/MessageBox.h"

#include "platform/Localization.h"

namespace zq {

namespace {
constexpr std::uint32_t kPopupStyle = 0x96000000;  // popup, visible, clip siblings
constexpr std::uint32_t kToolWindow = 0x80;
constexpr ui::Color kTextColor = 0xFFB8D3EF;

ui::MButton* MakeButton(ui::MDialog& dlg, int id, const ui::Rect& rect, int key) {
  auto* button = dlg.CreateControlT<ui::MButton>(id, rect, LoadLanText(kLanSection, key));
  button->SetImage("img_button.png");
  button->SetFont(15);
  button->SetTextColor(kTextColor);
  return button;
}
}  // namespace

CUIMessageBox::CUIMessageBox(std::string caption, std::string message, int kind)
    : caption_(std::move(caption)), message_(std::move(message)), kind_(kind) {}

void CUIMessageBox::InitUI(const ui::Rect& client) {
  const int w = client.Width();
  const int h = client.Height();
  SetLayeredWindow(true);
  auto* caption = CreateControlT<ui::MText>(31, {20, 15, w - 20, 45}, caption_);
  caption->SetFont(16);
  caption->SetAlignment(ui::Align::Center);
  caption->SetTextColor(kTextColor);
  auto* message = CreateControlT<ui::MText>(32, {20, 50, w - 20, h - 50}, message_);
  message->SetFont(16);
  message->SetAlignment(ui::Align::Center);
  message->SetVAlignment(ui::VAlign::Center);
  message->SetTextColor(kTextColor);
  if (kind_ == kMessageBoxOk) {
    MakeButton(*this, 33, {60, h - 50, w - 60, h - 14}, 20);
  } else if (kind_ == kMessageBoxOkCancel) {
    MakeButton(*this, 33, {w / 2 - 120, h - 50, w / 2 - 20, h - 14}, 23);
    MakeButton(*this, 34, {w / 2 + 20, h - 50, w / 2 + 120, h - 14}, 25);
  }
}

int CUIMessageBox::OnInitDialog() {
  ui::MDialog::OnInitDialog();
  SetTopMost(true);
  return 1;
}

int CUIMessageBox::OnMessage(int id, int event, std::int64_t, std::int64_t) {
  if (event != ui::kEventClick) return 0;
  if (id == 33) {
    DoOK();
    return 1;
  }
  if (id == 34) {
    DoCancel();
    return 1;
  }
  return 0;
}

int ShowMessageBox(ui::MDialog* owner, const std::string& message, const std::string& caption,
                   int kind) {
  CUIMessageBox box(caption, message, kind);
  box.LoadBKImage("bk_prompt.png");
  box.SetBackMode(1, 30);
  box.Create(owner, "MessageBox", kPopupStyle, kToolWindow, {0, 0, 430, 230});
  box.CenterWindow();
  return box.ShowModal(1);
}

int ShowMessageBoxKeys(ui::MDialog* owner, int messageKey, int captionKey, int kind) {
  return ShowMessageBox(owner, LoadLanText(kLanSection, messageKey),
                        LoadLanText(kLanSection, captionKey), kind);
}

void WaitDlg::InitUI(const ui::Rect&) {
  SetLayeredWindow(true);
  auto* gif = CreateControlT<ui::CGifPicture>(30, {1, 1, 101, 101});
  gif->SetImage("loading.gif");
  gif->AddMTimer(10);
  gif->Start();
}

int WaitDlg::OnInitDialog() {
  ui::MDialog::OnInitDialog();
  SetBackColor(0x333333);
  SetTopMost(true);
  SetMTimer(10);
  EnableWndDrag(true);
  return 1;
}

int ShowWaitDialog(WaitDlg& dialog, ui::MDialog* owner) {
  ui::Rect around = owner != nullptr ? owner->GetWindowRect() : ui::Rect{0, 0, 102, 102};
  int x = around.left + (around.Width() - 102) / 2;
  int y = around.top + (around.Height() - 102) / 2;
  ui::Rect rect{x, y, x + 102, y + 102};
  if (!dialog.IsCreated()) {
    dialog.Create(owner, "WaitDlg", kPopupStyle, kToolWindow, rect);
    if (owner == nullptr) dialog.CenterWindow();
  } else if (owner != nullptr) {
    dialog.MoveWindow(rect);
  }
  return dialog.ShowModal(5);
}

int ShowWaitDialog(WaitDlg& dialog, ui::MDialog* owner, const std::function<void()>& startTask) {
  dialog.PrepareModal();
  if (startTask) startTask();
  return ShowWaitDialog(dialog, owner);
}

}  // namespace zq
