#pragma once
// The controls of the main window: the frame (title bar, tabs, status) and the five pages, their
// initial states, their places at any window size and their texts in the current language.
//
// The design is drawn for a client area of 1121 x 780. Every size scales by one factor, the
// client height / 780; when the window is wider (or narrower) than that shape the pages stay
// centred and the title bar's window buttons stay at the right edge.

#include "shell/layout/ControlIds.h"
#include "shell/toolkit/MDialog.h"

namespace zq {

inline constexpr int kDesignWidth = 1121;
inline constexpr int kDesignHeight = 780;

// Builds the frame and the five pages with every control and its initial state. Controls start
// without a place and invisible; PlaceMainLayout shows them. The texts are those of the current
// language (ApplyLayoutTexts).
void BuildMainLayout(ui::MDialog& dlg);

// Places every control for the client rectangle and returns the scale factor (height / 780).
// A control becomes visible the first time it is placed, unless it starts hidden (the second
// background, the report rates the mouse lacks, the item and move editors); afterwards its
// visibility belongs to the pages, so a resize never shows what a page has hidden.
float PlaceMainLayout(ui::MDialog& dlg, const ui::Rect& client);

// Sets every fixed text of the window in the current language: tab names, captions, button
// titles, tooltips, radio and check box titles and the texts of the fixed list entries. Lists
// whose entries come from the store (profiles, button functions, macros) are the pages' to refill.
void ApplyLayoutTexts(ui::MDialog& dlg);

// Lines up the report-rate buttons that are visible, from the first slot on, spaced by the scale
// factor. PlaceMainLayout runs it; a page runs it after showing or hiding rate buttons.
void ArrangeReportRateButtons(ui::MDialog& dlg);

// Font size of a transient notice (SetMessage) at a scale factor: 16 x scale, truncated.
int NoticeFontSize(float scale);
// Where a transient notice shows: centred above the bottom edge of the client area.
ui::Rect NoticeRect(const ui::Rect& client);

}  // namespace zq
