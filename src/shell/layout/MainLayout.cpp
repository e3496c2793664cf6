#include "shell/layout/MainLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "platform/Localization.h"

namespace zq {

namespace {

using ui::Align;
using ui::Color;
using ui::MControl;
using ui::MDialog;
using ui::Rect;
using ui::VAlign;

// --- Layout-only controls (never dispatched) ---
constexpr int kKeyProfileArea = 900;
constexpr int kKeyDebounceArea = 901;
constexpr int kKeyActionArea = 902;
constexpr int kKeyMapArea = 903;
constexpr int kDpiArea = 910;
constexpr int kDpiLevelsCaption = 911;
constexpr int kDpiCountCaption = 912;
constexpr int kDpiSliderTrack = 913;
constexpr int kRateArea = 914;
constexpr int kLiftOffArea = 915;
constexpr int kSleepArea = 916;
constexpr int kSensorArea = 917;
constexpr int kScrollArea = 918;
constexpr int kGameModeArea = 919;
constexpr int kMacroListArea = 930;
constexpr int kMacroStepsArea = 931;
constexpr int kMacroOptionsArea = 932;
constexpr int kDelayCaption = 933;
constexpr int kPlayCaption = 934;
constexpr int kDelayUnit = 935;
constexpr int kEditStepArea = 936;
constexpr int kMoveXCaption = 937;
constexpr int kMoveYCaption = 938;
constexpr int kInfoArea = 950;
constexpr int kGeneralArea = 951;
constexpr int kPointerArea = 952;
// The drop-down arrow over a list: the list's image is a frame that stretches to any width, so
// the arrow is a picture of its own, a child of the list (it hides with it and lets clicks
// through to it).
constexpr int kChevronBase = 1000;
// The two wheel modes of the system settings exclude each other like any radio pair.
constexpr const char* kWheelModeGroup = "IDC_SYS_WHEEL_MODE";

constexpr Color kTextColor = 0xFFB8D3EF;
constexpr Color kDimColor = 0xFF7D93AD;
constexpr Color kBrightColor = 0xFFEAF6FF;
constexpr Color kPanelColor = 0xE61A2333;  // slightly translucent, so the background shows

// Controls that are placed but start hidden: their pages show them when they apply.
bool StartsHidden(int id) {
  return id == ids::kRate2000 || id == ids::kRate4000 || id == ids::kRate8000 ||
         (id >= ids::kItemKindLabel && id <= ids::kMoveYEdit);
}

std::string Text(int key) { return LoadLanText(kLanSection, key); }

// --- Geometry: the design space mapped onto the client rectangle ---
struct Frame {
  int width = 0;
  int height = 0;
  float scale = 1.0f;  // client height / 780: the factor the program reports
  float unit = 1.0f;   // the factor the pages are drawn with: the scale, unless the window is
                       // too narrow for it, so that nothing ever leaves the window
  int ox = 0;          // where the design's origin lands (the pages stay centred)
  int oy = 0;

  explicit Frame(const Rect& client) : width(client.Width()), height(client.Height()) {
    width = std::max(width, 1);
    height = std::max(height, 1);
    scale = static_cast<float>(height) / static_cast<float>(kDesignHeight);
    unit = std::min(scale, static_cast<float>(width) / static_cast<float>(kDesignWidth));
    ox = client.left + static_cast<int>(std::lround((width - kDesignWidth * unit) / 2.0f));
    oy = client.top + static_cast<int>(std::lround((height - kDesignHeight * unit) / 2.0f));
  }
  int X(int x) const { return ox + static_cast<int>(std::lround(x * unit)); }
  int Y(int y) const { return oy + static_cast<int>(std::lround(y * unit)); }
  int L(int length) const { return static_cast<int>(std::lround(length * unit)); }
  // A design rectangle; never empty, since an empty rectangle marks a control not yet placed.
  Rect D(int l, int t, int r, int b) const { return NonEmpty({X(l), Y(t), X(r), Y(b)}); }
  // A rectangle measured from the right edge of the client area (the window buttons).
  Rect RightAnchored(int fromRight, int t, int w, int h) const {
    int right = width - L(fromRight);
    return NonEmpty({right - L(w), Y(t), right, Y(t) + L(h)});
  }
  static Rect NonEmpty(Rect r) {
    if (r.right <= r.left) r.right = r.left + 1;
    if (r.bottom <= r.top) r.bottom = r.top + 1;
    return r;
  }
};

// --- Building ---

class Builder {
 public:
  explicit Builder(MDialog& dlg) : dlg_(dlg) {}

  template <class T>
  T* Make(int id, MControl* parent, const std::string& title = {}) {
    T* c = dlg_.CreateControlT<T>(id, Rect{}, title, parent);
    if constexpr (!std::is_same_v<T, ui::MTabLayout>) c->SetVisible(false);
    return c;
  }
  ui::CArea* Area(int id, MControl* parent, bool panel = true) {
    auto* a = Make<ui::CArea>(id, parent);
    if (panel) a->SetBackColor(kPanelColor);
    a->SetFont(16);
    return a;
  }
  ui::MText* Label(int id, MControl* parent, int font = 14, Color color = kTextColor,
                   Align align = Align::Left) {
    auto* t = Make<ui::MText>(id, parent);
    t->SetFont(font);
    t->SetTextColor(color);
    t->SetAlignment(align);
    return t;
  }
  ui::MButton* Button(int id, MControl* parent) {
    auto* b = Make<ui::MButton>(id, parent);
    b->SetImage("img_button.png");
    b->SetFont(14);
    return b;
  }
  ui::CImageButton* ImageButton(int id, MControl* parent, const std::string& image) {
    auto* b = Make<ui::CImageButton>(id, parent);
    b->SetImage(image);
    return b;
  }
  ui::MComboBox* Combo(int id, MControl* parent) {
    auto* c = Make<ui::MComboBox>(id, parent);
    c->SetImage("img_combobox.png");
    c->SetFont(14);
    c->SetTextColorEx(kTextColor);
    auto* arrow = Make<ui::MPicture>(kChevronBase + id, c);
    arrow->SetImage("img_combobox_arrow.png");
    return c;
  }
  ui::CRadioButton* Radio(int id, MControl* parent, const char* group) {
    auto* r = Make<ui::CRadioButton>(id, parent);
    r->SetImage("btn_radiobox.png");
    r->SetGroupName(group);
    r->SetFont(14);
    return r;
  }
  ui::CCheckButton* Check(int id, MControl* parent) {
    auto* c = Make<ui::CCheckButton>(id, parent);
    c->SetImage("btn_checkbox.png");
    c->SetFont(14);
    return c;
  }
  ui::CSwitchButton* Switch(int id, MControl* parent) {
    auto* s = Make<ui::CSwitchButton>(id, parent);
    s->SetImages("img_switch_btn_off.png", "img_switch_btn_on.png");
    return s;
  }
  ui::MEdit* Edit(int id, MControl* parent) {
    auto* e = Make<ui::MEdit>(id, parent);
    e->SetImage("img_edit.png");
    e->SetFont(14);
    return e;
  }

 private:
  MDialog& dlg_;
};

void BuildFrame(Builder& b, MDialog& dlg) {
  b.Make<ui::MPicture>(ids::kBackground, nullptr)->SetImage("background.png");
  b.Make<ui::MPicture>(ids::kBackground2, nullptr)->SetImage("background2.png");
  auto* title = b.Area(ids::kTitleArea, nullptr, false);
  (void)title;
  b.Make<ui::MPicture>(ids::kLogo, nullptr)->SetImage("logo\\logo.png");
  auto* name = b.Label(ids::kTitleText, nullptr, 18, kBrightColor);
  name->SetTitle("Zintor Q57 mouse");
  auto* version = b.Label(ids::kVersionText, nullptr, 12, kDimColor, Align::Right);
  version->SetTitle("1.2.0.1");
  b.Label(ids::kTitleExtraText, nullptr, 12, kDimColor);
  b.Make<ui::CTextButton>(ids::kTitleLink, nullptr)->SetFont(12);
  b.ImageButton(ids::kMinimizeButton, nullptr, "sysbtn_min.png");
  b.ImageButton(ids::kMaximizeButton, nullptr, "sysbtn_maximize.png");
  b.ImageButton(ids::kCloseButton, nullptr, "sysbtn_close.png");
  auto* battery = b.Make<ui::BatteryCtrl>(ids::kBattery, nullptr);
  battery->SetImages("icon\\icon_battery_bkg.png", "icon\\icon_charge.png",
                     "icon\\icon_batteryvalue.png");
  auto* state = b.Make<ui::CDeviceState>(ids::kDeviceState, nullptr);
  state->SetImage("img_state.png");
  state->SetFont(14);
  state->SetFontName(kInterfaceFontName);
  state->SetTitle(Text(50));

  auto* tabs = b.Make<ui::MTabCtrl>(ids::kTabCtrl, nullptr);
  tabs->SetFont(14);
  auto* home = b.Make<ui::MTabLayout>(ids::kPageHome, nullptr);
  auto* keys = b.Make<ui::MTabLayout>(ids::kPageKeys, nullptr);
  auto* perf = b.Make<ui::MTabLayout>(ids::kPagePerformance, nullptr);
  auto* macros = b.Make<ui::MTabLayout>(ids::kPageMacros, nullptr);
  auto* unused = b.Make<ui::MTabLayout>(ids::kPageUnused, nullptr);
  unused->SetVisible(false);
  auto* settings = b.Make<ui::MTabLayout>(ids::kPageSettings, nullptr);
  tabs->InsertItem(ids::kTabItemHome, Text(71), "icon\\tab_home.png", home);
  tabs->InsertItem(ids::kTabItemKeys, Text(72), "icon\\tab_key.png", keys);
  tabs->InsertItem(ids::kTabItemPerformance, Text(73), "icon\\tab_dpi.png", perf);
  tabs->InsertItem(ids::kTabItemMacros, Text(74), "icon\\tab_macro.png", macros);
  tabs->InsertItem(ids::kTabItemSettings, Text(76), "icon\\tab_set.png", settings);
  tabs->SetSelectItem(0);
  (void)dlg;
}

void BuildHome(Builder& b, MControl* page) {
  b.Make<ui::MPicture>(ids::kHomeArea, page)->SetImage("img_area3.png");
  b.Make<ui::MPicture>(ids::kHomeMouse, page)->SetImage("device\\img_mouse.png");
  b.Label(ids::kHomeHint, page, 18, kTextColor, Align::Center);
  b.Label(ids::kHomeText2, page, 13, kDimColor, Align::Center);
}

void BuildKeys(Builder& b, MControl* page) {
  b.Area(kKeyProfileArea, page);
  b.Combo(ids::kProfileCombo, page);
  b.Area(kKeyDebounceArea, page);
  auto* debounce = b.Make<ui::NumberEdit>(ids::kDebounceEdit, page);
  debounce->SetImage("img_edit.png");
  debounce->SetRange(0, 20);
  debounce->SetNumberOnly(true);
  debounce->SetFont(14);
  b.Area(kKeyActionArea, page);
  for (int id = ids::kApplyButton; id <= ids::kExportProfileButton; ++id) b.Button(id, page);
  b.Area(kKeyMapArea, page);
  b.Make<ui::MPicture>(ids::kKeyMousePicture, page)->SetImage("device\\img_mouse.png");
  auto* map = b.Make<ui::MouseCtrl>(ids::kMouseCtrl, page);
  map->SetImage("img_key_bkg.png");
  // The button map numbers the positions on the picture; the lists beside it carry the
  // functions, so the map's own labels need no place.
  std::string word = Text(103);
  for (int n = 1; n <= ids::kButtonListCount; ++n) {
    map->AddItem(word + " " + std::to_string(n), Rect{});
  }
  for (int n = 0; n < ids::kButtonListCount; ++n) {
    b.Label(ids::ButtonLabelId(n), page, 13, kDimColor);
    b.Combo(ids::ButtonListId(n), page);
  }
}

void BuildPerformance(Builder& b, MControl* page) {
  b.Area(kDpiArea, page);
  b.Label(kDpiLevelsCaption, page, 13, kDimColor);
  b.ImageButton(ids::kDpiHelp, page, "img_help.png");
  b.ImageButton(ids::kDpiReset, page, "btn_reset.png");
  b.Label(kDpiCountCaption, page, 14);
  auto* count = b.Make<ui::MComboBox>(ids::kDpiCountCombo, page);
  count->SetImage("img_combobox.png");
  const Color colours[ids::kDpiLevelCount] = {255, 65280, 0xFF0000, 0xFFFF, 0xFFFF00, 0x800080};
  const int values[ids::kDpiLevelCount] = {1200, 2400, 3200, 4800, 6400, 12000};
  for (int i = 0; i < ids::kDpiLevelCount; ++i) {
    auto* level = b.Make<ui::DPIControl>(ids::DpiLevelId(i), page);
    level->SetGroupName(ids::kDpiGroup);
    level->SetColor(colours[i]);
    level->SetDPIValue(values[i]);
    level->SetFont(14);
  }
  b.Make<ui::MPicture>(kDpiSliderTrack, page)->SetImage("img_area2.png");
  b.ImageButton(ids::kDpiSubtract, page, "img_btn_subtract.png");
  auto* slider = b.Make<ui::DPISlider>(ids::kDpiSlider, page);
  slider->SetBarImage("img_dpi_bar.png");
  slider->SetImage("img_area2.png");
  b.ImageButton(ids::kDpiAdd, page, "img_btn_addvalue.png");

  b.Area(kRateArea, page);
  b.ImageButton(ids::kRateHelp, page, "img_help.png");
  b.ImageButton(ids::kRateReset, page, "btn_reset.png");
  const char* rates[ids::kRateButtonCount] = {"125Hz",  "250Hz",  "500Hz", "1000Hz",
                                              "2000Hz", "4000Hz", "8000Hz"};
  for (int i = 0; i < ids::kRateButtonCount; ++i) {
    auto* rate = b.Make<ui::ColorButtonEx>(ids::RateButtonId(i), page, rates[i]);
    rate->SetGroupName(ids::kRateGroup);
    rate->SetFont(14);
  }

  // The lighting area exists for the lighting logic, but this mouse has no lighting setting in
  // its page: it is never placed, so it never shows.
  auto* lighting = b.Area(ids::kLightingArea, page);
  b.Label(ids::kLightingCaption, lighting, 14);
  auto* light = b.Combo(ids::kLightingCombo, lighting);
  for (int i = 0; i < 7; ++i) light->AddItem({}, i);

  b.Area(kLiftOffArea, page);
  b.ImageButton(ids::kLiftOffHelp, page, "img_help.png");
  b.Radio(ids::kLiftOff1mm, page, ids::kLiftOffGroup)->SetTitle("1.0mm");
  b.Radio(ids::kLiftOff2mm, page, ids::kLiftOffGroup)->SetTitle("2.0mm");

  b.Area(kSleepArea, page);
  auto* sleep = b.Combo(ids::kSleepCombo, page);
  for (int minutes : {1, 3, 5, 10, 20, 30, 60}) sleep->AddItem({}, minutes);

  b.Area(kSensorArea, page);
  b.ImageButton(ids::kSensorHelp, page, "img_help.png");
  for (int id = ids::kSensorOption1; id <= ids::kSensorOption3; ++id) b.Check(id, page);

  b.Area(kScrollArea, page);
  b.ImageButton(ids::kScrollHelp, page, "img_help.png");
  b.Radio(ids::kScrollStandard, page, ids::kScrollGroup);
  b.Radio(ids::kScrollReversed, page, ids::kScrollGroup);

  auto* game = b.Area(kGameModeArea, page, false);
  game->SetImage("img_area_content.png");
  b.ImageButton(ids::kGameModeHelp, page, "img_help.png");
  b.Radio(ids::kGameModeOn, page, ids::kGameModeGroup);
  b.Radio(ids::kGameModeOff, page, ids::kGameModeGroup);
}

void InitPerformanceStates(MDialog& dlg) {
  if (auto* first = dlg.GetControl<ui::DPIControl>(ids::kDpiLevel1)) first->SetCheckState(true);
  if (auto* slider = dlg.GetControl<ui::DPISlider>(ids::kDpiSlider)) slider->SetProgress(12);
  if (auto* rate = dlg.GetControl<ui::ColorButtonEx>(ids::kRate125)) rate->SetCheck(true);
  if (auto* light = dlg.GetControl<ui::MComboBox>(ids::kLightingCombo)) light->SetCurSel(0);
  if (auto* sleep = dlg.GetControl<ui::MComboBox>(ids::kSleepCombo)) sleep->SetCurSel(5);
  for (int id : {ids::kLiftOff1mm, ids::kSensorOption3, ids::kScrollStandard, ids::kGameModeOn}) {
    if (auto* c = dlg.GetControl<ui::MCheckable>(id)) c->SetCheck(true);
  }
}

void BuildMacros(Builder& b, MControl* page) {
  b.Area(kMacroListArea, page);
  auto* list = b.Make<ui::MacroList>(ids::kMacroList, page);
  list->SetImage("btn_more.png");
  list->SetFont(14);
  list->SetFontName(kInterfaceFontName);
  b.Button(ids::kNewMacroButton, page);
  b.Button(ids::kImportMacroButton, page);
  b.Button(ids::kExportMacroButton, page);

  b.Area(kMacroStepsArea, page);
  auto* records = b.Make<ui::CRecordList>(ids::kRecordList, page);
  records->SetImage("icon\\icon_record.png");
  records->SetFont(14);
  records->SetFontName(kInterfaceFontName);
  b.Button(ids::kInsertButton, page);
  b.Button(ids::kDeleteItemButton, page);
  auto* record = b.Make<ui::CIconButton>(ids::kRecordButton, page);
  record->SetImage("img_button.png");
  record->SetIcon("icon\\icon_rec.png");
  record->SetFont(15);

  b.Area(kMacroOptionsArea, page);
  b.Label(kDelayCaption, page, 13, kDimColor);
  b.Radio(ids::kDelayNone, page, ids::kMacroDelayGroup);
  b.Radio(ids::kDelayRecorded, page, ids::kMacroDelayGroup);
  b.Radio(ids::kDelayFixed, page, ids::kMacroDelayGroup);
  auto* delay = b.Edit(ids::kDelayEdit, page);
  delay->SetTitle("10");
  delay->SetNumberOnly(true);
  delay->SetLimitText(5);
  delay->SetAlignment(Align::Center);
  b.Label(kDelayUnit, page, 14, kDimColor)->SetTitle("ms");
  b.Label(kPlayCaption, page, 13, kDimColor);
  b.Radio(ids::kPlayWhileHeld, page, ids::kMacroLoopGroup);
  b.Radio(ids::kPlayToggle, page, ids::kMacroLoopGroup);
  b.Radio(ids::kPlayCount, page, ids::kMacroLoopGroup);
  auto* count = b.Edit(ids::kPlayCountEdit, page);
  count->SetTitle("1");
  count->SetNumberOnly(true);
  count->SetLimitText(3);
  count->SetAlignment(Align::Center);

  b.Area(kEditStepArea, page);
  b.Label(ids::kItemKindLabel, page, 13, kDimColor);
  auto* kind = b.Combo(ids::kItemKindCombo, page);
  kind->SetFontName(kInterfaceFontName);
  b.Label(ids::kItemValueLabel, page, 13, kDimColor);
  b.Edit(ids::kItemValueEdit, page);
  auto* buttons = b.Combo(ids::kItemButtonCombo, page);
  buttons->SetFontName(kInterfaceFontName);
  for (int data : {1, 3, 2, 5, 6, 7, 8}) buttons->AddItem({}, data);
  auto* up = b.Button(ids::kItemUpButton, page);
  up->SetImage("img_recorditem_up.png");
  auto* down = b.Button(ids::kItemDownButton, page);
  down->SetImage("img_recorditem_down.png");

  // The captions of the move editor are children of its "X:" and "Y:" labels, so they come and
  // go with the editor however the macro page shows it.
  auto* x = b.Label(ids::kMoveXLabel, page, 14);
  x->SetTitle("X:");
  b.Label(kMoveXCaption, x, 13, kDimColor);
  b.Radio(ids::kMoveLeft, page, ids::kMoveXGroup);
  b.Radio(ids::kMoveRight, page, ids::kMoveXGroup);
  for (int id : {ids::kMoveXEdit, ids::kMoveYEdit}) {
    auto* e = b.Edit(id, page);
    e->SetNumberOnly(true);
    e->SetLimitText(2);
    e->SetAlignment(Align::Center);
  }
  auto* y = b.Label(ids::kMoveYLabel, page, 14);
  y->SetTitle("Y:");
  b.Label(kMoveYCaption, y, 13, kDimColor);
  b.Radio(ids::kMoveUp, page, ids::kMoveYGroup);
  b.Radio(ids::kMoveDown, page, ids::kMoveYGroup);
}

void InitMacroStates(MDialog& dlg) {
  // The options of a new macro: recorded delays, a play count of one.
  if (auto* c = dlg.GetControl<ui::MCheckable>(ids::kDelayRecorded)) c->SetCheck(true);
  if (auto* c = dlg.GetControl<ui::MCheckable>(ids::kPlayCount)) c->SetCheck(true);
  if (auto* e = dlg.GetControl(ids::kDelayEdit)) e->SetEnabled(false);
  if (auto* c = dlg.GetControl<ui::MCheckable>(ids::kMoveRight)) c->SetCheck(true);
  if (auto* c = dlg.GetControl<ui::MCheckable>(ids::kMoveDown)) c->SetCheck(true);
}

void BuildSettings(Builder& b, MControl* page) {
  b.Area(kInfoArea, page);
  b.Label(ids::kDeviceInfoTitle, page, 16);
  for (int i = 0; i < 3; ++i) {
    b.Label(ids::kMouseFirmwareCaption + i, page, 14, kDimColor);
    auto* value = b.Label(ids::kMouseFirmwareValue + i, page, 14, kBrightColor, Align::Right);
    value->SetTitle("0.0.0");
  }
  b.Area(kGeneralArea, page);
  b.Label(ids::kAutostartCaption, page, 14);
  b.Switch(ids::kAutostartSwitch, page);
  b.Label(ids::kLanguageCaption, page, 14);
  auto* language = b.Combo(ids::kLanguageCombo, page);
  language->AddItem("English", kLanguageEnglish);
  language->AddItem("简体中文", kLanguageChinese);
  language->SelectData(CurrentLanguageId());
  b.Label(ids::kLeftLockCaption, page, 14);
  b.Switch(ids::kLeftLockSwitch, page)->SetCheck(true);
  b.Label(ids::kFactoryResetCaption, page, 14);
  b.Button(ids::kFactoryResetButton, page);
  b.Label(ids::kMouseSettingsCaption, page, 14);
  b.Button(ids::kMouseSettingsButton, page);

  b.Area(kPointerArea, page);
  b.Label(ids::kPointerCaption, page, 16);
  b.ImageButton(ids::kPointerHelp, page, "img_help.png");
  b.Label(ids::kPointerSpeedCaption, page, 14);
  b.Label(ids::kPointerSpeedValue, page, 14, kBrightColor, Align::Right)->SetTitle("10");
  auto* speed = b.Make<ui::MSlider>(ids::kPointerSpeedSlider, page);
  speed->SetRange(0, 19);
  speed->SetProgress(9);
  speed->SetBarImage("img_slider_bar.png");
  b.Label(ids::kPointerSlowLabel, page, 12, kDimColor);
  b.Label(ids::kPointerFastLabel, page, 12, kDimColor, Align::Right);
  b.Check(ids::kPointerPrecision, page)->SetCheck(true);
  b.Label(ids::kScrollModeCaption, page, 14);
  b.Radio(ids::kScrollByLines, page, kWheelModeGroup)->SetCheck(true);
  auto* lines = b.Make<ui::NumberEdit2>(ids::kScrollLinesEdit, page);
  lines->SetImage("img_edit.png");
  lines->SetRange(1, 20);
  lines->SetNumberOnly(true);
  lines->SetFont(14);
  lines->SetTitle("3");
  b.Radio(ids::kScrollOneScreen, page, kWheelModeGroup);
  b.Label(ids::kDoubleClickCaption, page, 14);
  b.Label(ids::kDoubleClickValue, page, 14, kBrightColor, Align::Right)->SetTitle("550");
  auto* dbl = b.Make<ui::MSlider>(ids::kDoubleClickSlider, page);
  dbl->SetRange(0, 10);
  dbl->SetProgress(5);
  dbl->SetBarImage("img_slider_bar.png");
  b.Label(ids::kDoubleClickSlowLabel, page, 12, kDimColor);
  b.Label(ids::kDoubleClickFastLabel, page, 12, kDimColor, Align::Right);
}

// --- Placing ---

class Placer {
 public:
  Placer(MDialog& dlg, const Frame& f) : dlg_(dlg), f_(f) {}

  // Places one control. The first placement shows it (unless it starts hidden); a font size
  // of the design scales with the window.
  void Put(int id, const Rect& r, int font = 0) {
    MControl* c = dlg_.GetControl(id);
    if (c == nullptr) return;
    if (c->GetRect().IsEmpty() && dynamic_cast<ui::MTabLayout*>(c) == nullptr) {
      c->SetVisible(!StartsHidden(id) && (id != ids::kBackground2 || !HomeSelected()));
    }
    c->SetRect(r);
    if (font > 0) {
      if (auto* t = dynamic_cast<ui::MControlFont*>(c)) {
        t->SetFont(std::max(7, static_cast<int>(std::lround(font * f_.unit))), t->GetFontStyle());
      }
    }
    if (dynamic_cast<ui::MComboBox*>(c) != nullptr) PutChevron(id, r);
  }
  void Put(int id, int l, int t, int r, int b, int font = 0) { Put(id, f_.D(l, t, r, b), font); }

  // A panel and the standard spots of its corner buttons.
  void Panel(int id, int l, int t, int r, int b) { Put(id, l, t, r, b, 16); }
  void CornerHelp(int id, int right, int top, bool besideReset) {
    int r = besideReset ? right - 52 : right - 16;
    Put(id, r - 24, top + 12, r, top + 36);
  }
  void CornerReset(int id, int right, int top) { Put(id, right - 46, top + 10, right - 16, top + 40); }

  const Frame& F() const { return f_; }

 private:
  bool HomeSelected() const {
    auto* tabs = dlg_.GetControl<ui::MTabCtrl>(ids::kTabCtrl);
    return tabs == nullptr || tabs->GetItemID(tabs->GetSelectItem()) == ids::kTabItemHome;
  }
  void PutChevron(int comboId, const Rect& r) {
    MControl* arrow = dlg_.GetControl(kChevronBase + comboId);
    if (arrow == nullptr) return;
    int size = std::max(1, std::min(r.Height(), f_.L(20)));
    int right = r.right - f_.L(10);
    int top = r.top + (r.Height() - size) / 2;
    if (arrow->GetRect().IsEmpty()) arrow->SetVisible(true);
    arrow->SetRect(Frame::NonEmpty({right - size, top, right, top + size}));
  }

  MDialog& dlg_;
  const Frame& f_;
};

// Design rectangles shared by the placement and the report-rate arrangement.
constexpr Rect kRateAreaRect{24, 404, 548, 536};
constexpr int kRateButtonWidth = 100;
constexpr int kRateButtonGap = 12;

void ArrangeRates(MDialog& dlg, const Frame& f) {
  std::vector<MControl*> shown;
  for (int i = 0; i < ids::kRateButtonCount; ++i) {
    MControl* c = dlg.GetControl(ids::RateButtonId(i));
    if (c != nullptr && c->IsVisible()) shown.push_back(c);
  }
  if (shown.empty()) return;
  // The slot pitch follows the scale; buttons narrow when more than the row holds are shown.
  int n = static_cast<int>(shown.size());
  int avail = kRateAreaRect.right - 16 - (kRateAreaRect.left + 16);
  int width = std::min(kRateButtonWidth, (avail - (n - 1) * kRateButtonGap) / n);
  int top = kRateAreaRect.top + 58;
  for (int i = 0; i < n; ++i) {
    int left = kRateAreaRect.left + 16 + i * (width + kRateButtonGap);
    shown[i]->SetRect(f.D(left, top, left + width, top + 40));
  }
}

void PlaceFrame(Placer& p, const Frame& f) {
  Rect all{0, 0, f.width, f.height};
  p.Put(ids::kBackground, Frame::NonEmpty(all));
  p.Put(ids::kBackground2, Frame::NonEmpty(all));
  p.Put(ids::kTitleArea, Frame::NonEmpty({0, 0, f.width, f.Y(60)}));
  p.Put(ids::kLogo, 24, 16, 96, 44);
  p.Put(ids::kTitleText, 108, 14, 420, 46, 18);
  p.Put(ids::kCloseButton, f.RightAnchored(12, 12, 36, 32));
  p.Put(ids::kMaximizeButton, f.RightAnchored(50, 12, 36, 32));
  p.Put(ids::kMinimizeButton, f.RightAnchored(88, 12, 36, 32));
  p.Put(ids::kVersionText, f.RightAnchored(136, 18, 140, 20), 12);
  p.Put(ids::kTabCtrl, 24, 66, 24 + 5 * 124, 140, 14);
  p.Put(ids::kBattery, 1097 - 186, 93, 1097 - 150, 113);
  p.Put(ids::kDeviceState, 1097 - 140, 87, 1097, 119, 14);
  for (int page : {ids::kPageHome, ids::kPageKeys, ids::kPagePerformance, ids::kPageMacros,
                   ids::kPageSettings}) {
    p.Put(page, 24, 152, 1097, 756);
  }
}

void PlaceHome(Placer& p) {
  p.Put(ids::kHomeArea, 280, 160, 840, 720);
  p.Put(ids::kHomeMouse, 450, 196, 670, 576);
  p.Put(ids::kHomeHint, 260, 648, 860, 680, 18);
  p.Put(ids::kHomeText2, 260, 686, 860, 712, 13);
}

// The callouts of the button map: position index, label corner (left, top).
struct Callout {
  int left;
  int top;
};
constexpr Callout kCallouts[ids::kButtonListCount] = {
    {340, 188},  // left button
    {852, 188},  // right button
    {852, 308},  // middle button
    {340, 428},  // forward
    {340, 548},  // backward
    {852, 428},  // wheel up
    {852, 548},  // wheel down
};

void PlaceKeys(Placer& p) {
  p.Panel(kKeyProfileArea, 24, 152, 304, 252);
  p.Put(ids::kProfileCombo, 40, 196, 288, 234, 14);
  p.Panel(kKeyDebounceArea, 24, 264, 304, 364);
  p.Put(ids::kDebounceEdit, 40, 308, 160, 346, 14);
  p.Panel(kKeyActionArea, 24, 376, 304, 756);
  const int tops[] = {396, 450, 504, 640, 694};
  for (int i = 0; i < 5; ++i) p.Put(ids::kApplyButton + i, 40, tops[i], 288, tops[i] + 42, 14);
  p.Panel(kKeyMapArea, 316, 152, 1097, 756);
  p.Put(ids::kKeyMousePicture, 596, 264, 816, 644);
  p.Put(ids::kMouseCtrl, 316, 152, 1097, 756);
  for (int n = 0; n < ids::kButtonListCount; ++n) {
    const Callout& c = kCallouts[n];
    p.Put(ids::ButtonLabelId(n), c.left, c.top, c.left + 220, c.top + 22, 13);
    p.Put(ids::ButtonListId(n), c.left, c.top + 26, c.left + 220, c.top + 64, 14);
  }
}

void PlacePerformance(Placer& p, MDialog& dlg, const Frame& f) {
  p.Panel(kDpiArea, 24, 152, 1097, 392);
  p.CornerReset(ids::kDpiReset, 1097, 152);
  p.CornerHelp(ids::kDpiHelp, 1097, 152, true);
  p.Put(kDpiLevelsCaption, 40, 190, 600, 212, 13);
  const int cardWidth = 161, gap = 15;
  for (int i = 0; i < ids::kDpiLevelCount; ++i) {
    int left = 40 + i * (cardWidth + gap);
    p.Put(ids::DpiLevelId(i), left, 218, left + cardWidth, 302, 14);
  }
  p.Put(kDpiSliderTrack, 40, 318, 1081, 376);
  p.Put(ids::kDpiSubtract, 54, 331, 86, 363);
  p.Put(ids::kDpiSlider, 98, 331, 1023, 363);
  p.Put(ids::kDpiAdd, 1035, 331, 1067, 363);

  p.Panel(kRateArea, kRateAreaRect.left, kRateAreaRect.top, kRateAreaRect.right,
          kRateAreaRect.bottom);
  p.CornerReset(ids::kRateReset, kRateAreaRect.right, kRateAreaRect.top);
  p.CornerHelp(ids::kRateHelp, kRateAreaRect.right, kRateAreaRect.top, true);
  // First placement shows the rate buttons; their row is then lined up from what is visible.
  for (int i = 0; i < ids::kRateButtonCount; ++i) p.Put(ids::RateButtonId(i), 0, 0, 1, 1, 14);
  ArrangeRates(dlg, f);

  p.Panel(kLiftOffArea, 560, 404, 828, 536);
  p.CornerHelp(ids::kLiftOffHelp, 828, 404, false);
  p.Put(ids::kLiftOff1mm, 576, 466, 696, 494, 14);
  p.Put(ids::kLiftOff2mm, 704, 466, 812, 494, 14);

  p.Panel(kSleepArea, 840, 404, 1097, 536);
  p.Put(ids::kSleepCombo, 856, 461, 1081, 499, 14);

  p.Panel(kSensorArea, 24, 548, 548, 756);
  p.CornerHelp(ids::kSensorHelp, 548, 548, false);
  for (int i = 0; i < 3; ++i) {
    p.Put(ids::kSensorOption1 + i, 40, 600 + i * 44, 532, 628 + i * 44, 14);
  }
  p.Panel(kScrollArea, 560, 548, 828, 756);
  p.CornerHelp(ids::kScrollHelp, 828, 548, false);
  p.Put(ids::kScrollStandard, 576, 600, 812, 628, 14);
  p.Put(ids::kScrollReversed, 576, 644, 812, 672, 14);
  p.Panel(kGameModeArea, 840, 548, 1097, 756);
  p.CornerHelp(ids::kGameModeHelp, 1097, 548, false);
  p.Put(ids::kGameModeOn, 856, 600, 1081, 628, 14);
  p.Put(ids::kGameModeOff, 856, 644, 1081, 672, 14);
}

void PlaceMacros(Placer& p) {
  p.Panel(kMacroListArea, 24, 152, 324, 756);
  p.Put(ids::kMacroList, 36, 192, 312, 636, 14);
  p.Put(ids::kNewMacroButton, 36, 648, 312, 690, 14);
  p.Put(ids::kImportMacroButton, 36, 702, 170, 744, 14);
  p.Put(ids::kExportMacroButton, 178, 702, 312, 744, 14);

  p.Panel(kMacroStepsArea, 336, 152, 756, 756);
  p.Put(ids::kRecordList, 348, 192, 744, 628, 14);
  p.Put(ids::kInsertButton, 348, 640, 460, 682, 14);
  p.Put(ids::kDeleteItemButton, 468, 640, 580, 682, 14);
  p.Put(ids::kItemUpButton, 664, 643, 700, 679);
  p.Put(ids::kItemDownButton, 708, 643, 744, 679);
  p.Put(ids::kRecordButton, 348, 694, 744, 744, 15);

  p.Panel(kMacroOptionsArea, 768, 152, 1097, 452);
  p.Put(kDelayCaption, 784, 190, 1081, 210, 13);
  p.Put(ids::kDelayNone, 784, 214, 1081, 240, 14);
  p.Put(ids::kDelayRecorded, 784, 244, 1081, 270, 14);
  p.Put(ids::kDelayFixed, 784, 274, 952, 300, 14);
  p.Put(ids::kDelayEdit, 958, 271, 1036, 303, 14);
  p.Put(kDelayUnit, 1042, 271, 1081, 303, 14);
  p.Put(kPlayCaption, 784, 318, 1081, 338, 13);
  p.Put(ids::kPlayWhileHeld, 784, 342, 1081, 368, 14);
  p.Put(ids::kPlayToggle, 784, 372, 1081, 398, 14);
  p.Put(ids::kPlayCount, 784, 402, 952, 428, 14);
  p.Put(ids::kPlayCountEdit, 958, 399, 1036, 431, 14);

  p.Panel(kEditStepArea, 768, 464, 1097, 756);
  p.Put(ids::kItemKindLabel, 784, 504, 1081, 524, 13);
  p.Put(ids::kItemKindCombo, 784, 528, 1081, 566, 14);
  p.Put(ids::kItemValueLabel, 784, 582, 1081, 602, 13);
  p.Put(ids::kItemValueEdit, 784, 606, 1081, 644, 14);
  p.Put(ids::kItemButtonCombo, 784, 606, 1081, 644, 14);

  p.Put(kMoveXCaption, 784, 504, 1081, 524, 13);
  p.Put(ids::kMoveXLabel, 784, 530, 808, 562, 14);
  p.Put(ids::kMoveLeft, 812, 532, 896, 560, 14);
  p.Put(ids::kMoveRight, 900, 532, 990, 560, 14);
  p.Put(ids::kMoveXEdit, 1001, 530, 1081, 562, 14);
  p.Put(kMoveYCaption, 784, 582, 1081, 602, 13);
  p.Put(ids::kMoveYLabel, 784, 608, 808, 640, 14);
  p.Put(ids::kMoveUp, 812, 610, 896, 638, 14);
  p.Put(ids::kMoveDown, 900, 610, 990, 638, 14);
  p.Put(ids::kMoveYEdit, 1001, 608, 1081, 640, 14);
}

void PlaceSettings(Placer& p) {
  p.Panel(kInfoArea, 24, 152, 548, 344);
  p.Put(ids::kDeviceInfoTitle, 40, 162, 532, 188, 16);
  for (int i = 0; i < 3; ++i) {
    int top = 204 + i * 44;
    p.Put(ids::kMouseFirmwareCaption + i, 40, top, 330, top + 28, 14);
    p.Put(ids::kMouseFirmwareValue + i, 330, top, 532, top + 28, 14);
  }
  p.Panel(kGeneralArea, 24, 356, 548, 756);
  struct Row {
    int caption;
    int control;
    int width;
    int height;
  };
  const Row rows[] = {
      {ids::kAutostartCaption, ids::kAutostartSwitch, 52, 28},
      {ids::kLanguageCaption, ids::kLanguageCombo, 200, 38},
      {ids::kLeftLockCaption, ids::kLeftLockSwitch, 52, 28},
      {ids::kFactoryResetCaption, ids::kFactoryResetButton, 140, 40},
      {ids::kMouseSettingsCaption, ids::kMouseSettingsButton, 140, 40},
  };
  for (int i = 0; i < 5; ++i) {
    int top = 374 + i * 76;
    const Row& r = rows[i];
    p.Put(r.caption, 40, top, 532 - r.width - 12, top + 44, 14);
    int ctop = top + (44 - r.height) / 2;
    p.Put(r.control, 532 - r.width, ctop, 532, ctop + r.height, 14);
  }

  p.Panel(kPointerArea, 560, 152, 1097, 756);
  p.Put(ids::kPointerCaption, 576, 162, 1040, 188, 16);
  p.CornerHelp(ids::kPointerHelp, 1097, 152, false);
  p.Put(ids::kPointerSpeedCaption, 576, 214, 940, 240, 14);
  p.Put(ids::kPointerSpeedValue, 940, 214, 1081, 240, 14);
  p.Put(ids::kPointerSpeedSlider, 576, 248, 1081, 276);
  p.Put(ids::kPointerSlowLabel, 576, 280, 820, 300, 12);
  p.Put(ids::kPointerFastLabel, 840, 280, 1081, 300, 12);
  p.Put(ids::kPointerPrecision, 576, 336, 1081, 364, 14);
  p.Put(ids::kScrollModeCaption, 576, 410, 1081, 436, 14);
  p.Put(ids::kScrollByLines, 576, 446, 820, 474, 14);
  p.Put(ids::kScrollLinesEdit, 961, 443, 1081, 477, 14);
  p.Put(ids::kScrollOneScreen, 576, 488, 1081, 516, 14);
  p.Put(ids::kDoubleClickCaption, 576, 564, 940, 590, 14);
  p.Put(ids::kDoubleClickValue, 940, 564, 1081, 590, 14);
  p.Put(ids::kDoubleClickSlider, 576, 598, 1081, 626);
  p.Put(ids::kDoubleClickSlowLabel, 576, 630, 820, 650, 12);
  p.Put(ids::kDoubleClickFastLabel, 840, 630, 1081, 650, 12);
}

void SetTitle(MDialog& dlg, int id, const std::string& text) {
  if (auto* c = dlg.GetControl<ui::MControlFont>(id)) c->SetTitle(text);
}

void SetTooltip(MDialog& dlg, int id, const std::string& text) {
  if (auto* c = dlg.GetControl(id)) c->SetTooltip(text);
}

void SetItem(MDialog& dlg, int comboId, int index, const std::string& text) {
  if (auto* c = dlg.GetControl<ui::MComboBox>(comboId)) c->SetItemText(index, text);
}

}  // namespace

void BuildMainLayout(MDialog& dlg) {
  Builder b(dlg);
  BuildFrame(b, dlg);
  BuildHome(b, dlg.GetControl(ids::kPageHome));
  BuildKeys(b, dlg.GetControl(ids::kPageKeys));
  BuildPerformance(b, dlg.GetControl(ids::kPagePerformance));
  BuildMacros(b, dlg.GetControl(ids::kPageMacros));
  BuildSettings(b, dlg.GetControl(ids::kPageSettings));
  InitPerformanceStates(dlg);
  InitMacroStates(dlg);
  ApplyLayoutTexts(dlg);
}

float PlaceMainLayout(MDialog& dlg, const Rect& client) {
  Frame f(client);
  Placer p(dlg, f);
  PlaceFrame(p, f);
  PlaceHome(p);
  PlaceKeys(p);
  PlacePerformance(p, dlg, f);
  PlaceMacros(p);
  PlaceSettings(p);
  return f.scale;
}

void ArrangeReportRateButtons(MDialog& dlg) { ArrangeRates(dlg, Frame(dlg.GetClientRect())); }

int NoticeFontSize(float scale) { return static_cast<int>(16.0f * scale); }

Rect NoticeRect(const Rect& client) {
  Frame f(client);
  return f.D(360, 680, 760, 730);
}

void ApplyLayoutTexts(MDialog& dlg) {
  // Window buttons. The close button's text is the dialogs' "Close" (5): key 36 is also the name
  // of the Ctrl+X shortcut and reads "Cut".
  SetTooltip(dlg, ids::kCloseButton, Text(5));
  SetTooltip(dlg, ids::kMinimizeButton, Text(37));
  SetTooltip(dlg, ids::kMaximizeButton, Text(38));
  SetTitle(dlg, ids::kTitleText, "Zintor Q57 mouse");
  SetTitle(dlg, ids::kHomeHint, Text(57));

  if (auto* tabs = dlg.GetControl<ui::MTabCtrl>(ids::kTabCtrl)) {
    const int keys[] = {71, 72, 73, 74, 76};
    for (int i = 0; i < 5; ++i) tabs->SetItemText(i, Text(keys[i]));
  }

  // Buttons page.
  SetTitle(dlg, kKeyProfileArea, Text(101));
  SetTitle(dlg, kKeyDebounceArea, Text(111));
  const int actionKeys[] = {22, 21, 112, 113, 114};
  for (int i = 0; i < 5; ++i) SetTitle(dlg, ids::kApplyButton + i, Text(actionKeys[i]));
  const int positionKeys[ids::kButtonListCount] = {121, 122, 123, 124, 125, 127, 128};
  for (int n = 0; n < ids::kButtonListCount; ++n) {
    SetTitle(dlg, ids::ButtonLabelId(n), std::to_string(n + 1) + "  " + Text(positionKeys[n]));
  }

  // DPI and performance page.
  SetTitle(dlg, kDpiArea, Text(249));
  SetTitle(dlg, kDpiLevelsCaption, Text(171));
  SetTitle(dlg, kDpiCountCaption, Text(260));
  SetTitle(dlg, kRateArea, Text(255));
  SetTitle(dlg, ids::kLightingCaption, Text(500));
  SetTitle(dlg, kLiftOffArea, Text(560));
  SetTitle(dlg, kSensorArea, Text(573));
  SetTitle(dlg, kScrollArea, Text(600));
  SetTitle(dlg, kGameModeArea, Text(605));
  SetTitle(dlg, kSleepArea, Text(610));
  SetTooltip(dlg, ids::kDpiHelp, Text(252));
  SetTooltip(dlg, ids::kRateHelp, Text(256));
  SetTooltip(dlg, ids::kLiftOffHelp, Text(561));
  SetTooltip(dlg, ids::kSensorHelp, Text(577) + "\n" + Text(578));
  SetTooltip(dlg, ids::kScrollHelp, Text(603));
  SetTooltip(dlg, ids::kGameModeHelp, Text(608));
  SetTooltip(dlg, ids::kDpiReset, Text(253));
  SetTooltip(dlg, ids::kRateReset, Text(257));
  for (int i = 0; i < ids::kDpiLevelCount; ++i) {
    SetTitle(dlg, ids::DpiLevelId(i), Text(261) + std::to_string(i + 1));
  }
  for (int i = 0; i < 7; ++i) SetItem(dlg, ids::kLightingCombo, i, Text(531 + i));
  for (int i = 0; i < 3; ++i) SetTitle(dlg, ids::kSensorOption1 + i, Text(585 + i));
  SetTitle(dlg, ids::kScrollStandard, Text(601));
  SetTitle(dlg, ids::kScrollReversed, Text(602));
  SetTitle(dlg, ids::kGameModeOn, Text(606));
  SetTitle(dlg, ids::kGameModeOff, Text(607));
  const int minutes[] = {1, 3, 5, 10, 20, 30};
  for (int i = 0; i < 6; ++i) {
    SetItem(dlg, ids::kSleepCombo, i, std::to_string(minutes[i]) + " " + Text(611));
  }
  SetItem(dlg, ids::kSleepCombo, 6, "1 " + Text(613));

  // Macro page.
  SetTitle(dlg, kMacroListArea, Text(350));
  SetTitle(dlg, kMacroStepsArea, Text(352));
  SetTitle(dlg, kMacroOptionsArea, Text(355));
  SetTitle(dlg, kDelayCaption, Text(360));
  SetTitle(dlg, kPlayCaption, Text(364));
  SetTitle(dlg, kEditStepArea, Text(388));
  SetTitle(dlg, kMoveXCaption, Text(389));
  SetTitle(dlg, kMoveYCaption, Text(390));
  SetTitle(dlg, ids::kItemKindLabel, Text(391));
  SetTitle(dlg, ids::kItemValueLabel, Text(392));
  SetTitle(dlg, ids::kNewMacroButton, Text(353));
  SetTitle(dlg, ids::kImportMacroButton, Text(26));
  SetTitle(dlg, ids::kExportMacroButton, Text(27));
  SetTitle(dlg, ids::kDeleteItemButton, Text(357));
  SetTitle(dlg, ids::kInsertButton, Text(39));
  // The record button says what a press does: record, or stop while recording.
  if (auto* rec = dlg.GetControl<ui::CIconButton>(ids::kRecordButton)) {
    rec->SetTitle(Text(rec->GetIcon() == "icon\\icon_stop_rec.png" ? 359 : 358));
  }
  const int radioKeys[][2] = {{ids::kDelayNone, 361},     {ids::kDelayRecorded, 362},
                              {ids::kDelayFixed, 363},    {ids::kPlayWhileHeld, 365},
                              {ids::kPlayToggle, 366},    {ids::kPlayCount, 367}};
  for (const auto& [id, key] : radioKeys) SetTitle(dlg, id, Text(key));
  if (auto* kind = dlg.GetControl<ui::MComboBox>(ids::kItemKindCombo)) {
    std::int64_t data = kind->GetItemCount() > 0 ? kind->GetItemData(0) : 0;
    if (data >= 1 && data <= 3) kind->SetItemText(0, Text(392 + static_cast<int>(data)));
  }
  const int buttonKeys[] = {121, 122, 123, 124, 125, 127, 128};
  for (int i = 0; i < 7; ++i) SetItem(dlg, ids::kItemButtonCombo, i, Text(buttonKeys[i]));
  const int moveKeys[][2] = {{ids::kMoveLeft, 411}, {ids::kMoveRight, 412},
                             {ids::kMoveUp, 413},   {ids::kMoveDown, 414}};
  for (const auto& [id, key] : moveKeys) {
    SetTitle(dlg, id, Text(key));
    SetTooltip(dlg, id, Text(key));
  }

  // Settings page.
  const int settingKeys[][2] = {
      {ids::kDeviceInfoTitle, 650},        {ids::kMouseFirmwareCaption, 651},
      {ids::kReceiverFirmwareCaption, 652}, {ids::kSoftwareVersionCaption, 653},
      {ids::kAutostartCaption, 654},        {ids::kLanguageCaption, 657},
      {ids::kFactoryResetCaption, 658},     {ids::kLeftLockCaption, 672},
      {ids::kMouseSettingsCaption, 630},    {ids::kPointerCaption, 630},
      {ids::kPointerSpeedCaption, 631},     {ids::kPointerSlowLabel, 632},
      {ids::kPointerFastLabel, 633},        {ids::kDoubleClickSlowLabel, 632},
      {ids::kDoubleClickFastLabel, 633},    {ids::kPointerPrecision, 634},
      {ids::kScrollModeCaption, 635},       {ids::kScrollByLines, 636},
      {ids::kScrollOneScreen, 637},         {ids::kDoubleClickCaption, 638},
      {ids::kFactoryResetButton, 659},      {ids::kMouseSettingsButton, 641},
  };
  for (const auto& [id, key] : settingKeys) SetTitle(dlg, id, Text(key));
  SetTooltip(dlg, ids::kPointerHelp, Text(639) + "\n" + Text(640));
}

}  // namespace zq
