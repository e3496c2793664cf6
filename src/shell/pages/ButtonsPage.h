#pragma once
// The buttons tab: one choice list per shown button position and the mouse picture's labels,
// filled with the function entries and showing the current profile's stored assignments.
//
// Both operations only change controls and read the store, so the device worker may run them
// while it reloads the pages; they take no lock of their own.

#include <cstdint>

#include "shell/toolkit/MDialog.h"

namespace zq {

class ConfigStore;

// One entry of every button list: the function type it stands for (its item data) and the
// number of the interface text that names it.
struct ButtonListEntry {
  int type;
  int text;
};
inline constexpr int kButtonListEntryCount = 18;
extern const ButtonListEntry kButtonListEntries[kButtonListEntryCount];

// A button position shown on the page, in the order of the lists and the picture's items.
struct ShownPosition {
  int key_code;
  int list_id;
  int default_entry;  // index into kButtonListEntries
  int label_text;     // interface text of the default function, also the picture's label
};
inline constexpr int kShownPositionCount = 7;
extern const ShownPosition kShownPositions[kShownPositionCount];

// The shown position of a key code; nullptr for the positions the page leaves out (6, 9).
const ShownPosition* ShownPositionOf(int key_code);

// Empties the seven lists, gives each the function entries in the current language and selects
// its default entry. The left button's list is disabled: the left-button lock decides whether it
// is usable, and LoadPerformancePage (which reads the lock) runs after this in a page reload.
void FillButtonLists(ui::MDialog& dlg);

// Shows the profile's assignments: every list and picture label starts at its position's
// default function, then each stored assignment of a shown position selects its function's
// entry and shows its text (a key combination, a macro name, a shortcut's name) in the list and
// on the picture.
void RefreshButtonsPage(ui::MDialog& dlg, ConfigStore& store, int profile);

}  // namespace zq
