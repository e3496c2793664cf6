#include "shell/pages/ButtonsPage.h"

#include <string>
#include <vector>

#include "buttons/AssignmentText.h"
#include "buttons/FunctionCatalogue.h"
#include "platform/Localization.h"
#include "shell/layout/ControlIds.h"
#include "store/ConfigStore.h"

namespace zq {

using FT = FunctionType;
constexpr int T(FT type) { return static_cast<int>(type); }

// Fixed functions first, then the categories that open the assignment dialog. The emoji
// category has no entry: the dialog reaches it only from a stored emoji assignment.
const ButtonListEntry kButtonListEntries[kButtonListEntryCount] = {
    {T(FT::LeftClick), 121},     {T(FT::MiddleClick), 123},    {T(FT::RightClick), 122},
    {T(FT::Forward), 124},       {T(FT::Backward), 125},       {T(FT::ScrollUp), 127},
    {T(FT::ScrollDown), 128},    {T(FT::DpiPlus), 150},        {T(FT::DpiMinus), 151},
    {T(FT::DpiLoop), 152},       {T(FT::SpecialF00201), 153},  {T(FT::SpecialF00202), 154},
    {T(FT::SpecialF00203), 155}, {T(FT::KeyCombination), 160}, {T(FT::MacroFunction), 161},
    {T(FT::Disabled), 162},      {T(FT::Multimedia), 163},     {T(FT::Shortcut), 164},
};

const ShownPosition kShownPositions[kShownPositionCount] = {
    {1, ids::ButtonListId(0), 0, 121},  // left button
    {2, ids::ButtonListId(1), 2, 122},  // right button
    {3, ids::ButtonListId(2), 1, 123},  // middle button
    {4, ids::ButtonListId(3), 3, 124},  // forward
    {5, ids::ButtonListId(4), 4, 125},  // backward
    {7, ids::ButtonListId(5), 5, 127},  // wheel up
    {8, ids::ButtonListId(6), 6, 128},  // wheel down
};

const ShownPosition* ShownPositionOf(int key_code) {
  for (const ShownPosition& p : kShownPositions) {
    if (p.key_code == key_code) return &p;
  }
  return nullptr;
}

namespace {

std::string Lan(int key) { return LoadLanText(kLanSection, key); }

}  // namespace

void FillButtonLists(ui::MDialog& dlg) {
  if (ui::MControl* left = dlg.GetControl(ids::kLeftButtonList)) left->SetEnabled(false);
  // The texts are read once for all seven lists; each lookup reads the language file.
  std::vector<std::string> texts;
  texts.reserve(kButtonListEntryCount);
  for (const ButtonListEntry& e : kButtonListEntries) texts.push_back(Lan(e.text));

  for (const ShownPosition& p : kShownPositions) {
    auto* list = dlg.GetControl<ui::MComboBox>(p.list_id);
    if (list == nullptr) continue;
    list->DelAllItems();
    for (int i = 0; i < kButtonListEntryCount; ++i) list->AddItem(texts[i], kButtonListEntries[i].type);
    list->SetCurSel(p.default_entry);
  }
}

void RefreshButtonsPage(ui::MDialog& dlg, ConfigStore& store, int profile) {
  auto* picture = dlg.GetControl<ui::MouseCtrl>(ids::kMouseCtrl);
  for (int n = 0; n < kShownPositionCount; ++n) {
    const ShownPosition& p = kShownPositions[n];
    if (picture != nullptr) picture->SetItemText(n, Lan(p.label_text));
    // Selecting the default entry also drops a text an earlier assignment left on the list.
    if (auto* list = dlg.GetControl<ui::MComboBox>(p.list_id)) list->SetCurSel(p.default_entry);
  }

  std::vector<ButtonAssignment> assignments;
  store.ListAssignments(profile, assignments);
  for (const ButtonAssignment& a : assignments) {
    if (a.fn_layer != 0) continue;
    const ShownPosition* p = ShownPositionOf(a.key_code);
    if (p == nullptr) continue;
    const std::string text = AssignmentDisplayText(a.macro_type, a.macro_desc);
    if (auto* list = dlg.GetControl<ui::MComboBox>(p->list_id)) {
      // A type without an entry of its own (an emoji, a function only the mouse reports) keeps
      // the default entry selected but still shows what the button does.
      list->SelectData(a.macro_type);
      list->SetTitle(text);
    }
    if (picture != nullptr) picture->SetItemText(static_cast<int>(p - kShownPositions), text);
  }
}

}  // namespace zq
