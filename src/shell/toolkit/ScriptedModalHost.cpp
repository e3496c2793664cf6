#include "shell/toolkit/ScriptedModalHost.h"

#include <algorithm>
#include <atomic>

#include "shell/toolkit/MDialog.h"

namespace zq::ui {

namespace {

std::atomic<ModalHost*> g_host{nullptr};

ScriptedModalHost& FallbackHost() {
  static ScriptedModalHost host;
  return host;
}

bool IsButton(const MControl& c) {
  return dynamic_cast<const MButton*>(&c) != nullptr && dynamic_cast<const MCheckable*>(&c) == nullptr;
}

}  // namespace

void SetModalHost(ModalHost* host) { g_host.store(host); }

ModalHost& GetModalHost() {
  ModalHost* host = g_host.load();
  return host != nullptr ? *host : FallbackHost();
}

void ScriptedModalHost::AnswerButton(std::string title) {
  std::lock_guard lock(mu_);
  answers_.push_back({Answer::Kind::Button, std::move(title), 0, {}});
}

void ScriptedModalHost::AnswerClick(int controlId) {
  std::lock_guard lock(mu_);
  answers_.push_back({Answer::Kind::Click, {}, controlId, {}});
}

void ScriptedModalHost::AnswerWith(DialogAction action) {
  std::lock_guard lock(mu_);
  answers_.push_back({Answer::Kind::Action, {}, 0, std::move(action)});
}

void ScriptedModalHost::AnswerWaitForEnd() {
  std::lock_guard lock(mu_);
  answers_.push_back({Answer::Kind::Wait, {}, 0, {}});
}

void ScriptedModalHost::AnswerMenu(int itemId) {
  std::lock_guard lock(mu_);
  menuAnswers_.push_back(itemId);
}

std::vector<ShownDialog> ScriptedModalHost::Dialogs() const {
  std::lock_guard lock(mu_);
  return dialogs_;
}

std::vector<ShownMenu> ScriptedModalHost::Menus() const {
  std::lock_guard lock(mu_);
  return menus_;
}

std::size_t ScriptedModalHost::PendingAnswers() const {
  std::lock_guard lock(mu_);
  return answers_.size() + menuAnswers_.size();
}

void ScriptedModalHost::Clear() {
  std::lock_guard lock(mu_);
  answers_.clear();
  menuAnswers_.clear();
  dialogs_.clear();
  menus_.clear();
}

ShownDialog ScriptedModalHost::Describe(const MDialog& dialog) {
  ShownDialog shown;
  shown.windowText = dialog.GetWindowText();
  shown.windowRect = dialog.GetWindowRect();
  std::vector<std::pair<int, std::string>> buttons;
  for (MControl* c : dialog.GetControls()) {
    if (!c->IsShown()) continue;
    if (auto* text = dynamic_cast<MText*>(c)) {
      shown.texts.push_back(text->GetTitle());
    } else if (IsButton(*c)) {
      buttons.emplace_back(c->GetRect().left, static_cast<MButton*>(c)->GetTitle());
    }
  }
  std::stable_sort(buttons.begin(), buttons.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& b : buttons) shown.buttons.push_back(std::move(b.second));
  return shown;
}

bool ScriptedModalHost::WaitForEnd(MDialog& dialog) {
  auto deadline = std::chrono::steady_clock::now() + waitLimit_;
  for (;;) {
    dialog.DispatchPostedMessages();
    if (dialog.IsEndRequested()) return true;
    auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    dialog.WaitForWake(std::min<std::chrono::milliseconds>(
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now),
        std::chrono::milliseconds(50)));
  }
}

int ScriptedModalHost::RunModal(MDialog& dialog, int /*show*/) {
  ShownDialog shown = Describe(dialog);
  std::optional<Answer> answer;
  {
    std::lock_guard lock(mu_);
    if (!answers_.empty()) {
      answer = std::move(answers_.front());
      answers_.pop_front();
    }
  }
  dialog.DispatchPostedMessages();
  if (answer && !dialog.IsEndRequested()) {
    shown.answered = true;
    switch (answer->kind) {
      case Answer::Kind::Button:
        for (MControl* c : dialog.GetControls()) {
          if (c->IsShown() && IsButton(*c) && static_cast<MButton*>(c)->GetTitle() == answer->title) {
            dialog.InputClick(c);
            break;
          }
        }
        break;
      case Answer::Kind::Click:
        dialog.UserClick(answer->id);
        break;
      case Answer::Kind::Action:
        answer->action(dialog);
        break;
      case Answer::Kind::Wait:
        break;
    }
    if (!dialog.IsEndRequested() &&
        (answer->kind == Answer::Kind::Action || answer->kind == Answer::Kind::Wait)) {
      shown.timedOut = !WaitForEnd(dialog);
    }
  }
  dialog.DispatchPostedMessages();
  if (!dialog.IsEndRequested()) {
    // Nothing ended it: close it as Escape would, and if the dialog refuses, force it, so that
    // the test goes on and sees the dialog recorded as unanswered.
    dialog.InputClose();
    if (!dialog.IsEndRequested()) dialog.EndDialog(kIdCancel);
  }
  shown.result = dialog.GetEndCode();
  std::lock_guard lock(mu_);
  dialogs_.push_back(std::move(shown));
  return dialogs_.back().result;
}

int ScriptedModalHost::RunMenu(MenuWnd& menu) {
  ShownMenu shown{menu.GetItems(), menu.GetPosition(), menu.GetMessage(), menu.GetWidth(), 0};
  std::lock_guard lock(mu_);
  if (!menuAnswers_.empty()) {
    shown.chosen = menuAnswers_.front();
    menuAnswers_.pop_front();
  }
  menus_.push_back(shown);
  return shown.chosen;
}

}  // namespace zq::ui
