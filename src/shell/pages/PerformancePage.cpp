#include "shell/pages/PerformancePage.h"

#include <string>

#include "platform/Text.h"
#include "shell/layout/MainLayout.h"
#include "shell/pages/ButtonsPage.h"
#include "store/ConfigStore.h"

namespace zq {
namespace {

constexpr int kCableMode = 0;

template <class T>
void Check(ui::MDialog& dlg, int id, bool checked = true) {
  if (auto* c = dlg.GetControl<T>(id)) c->SetCheck(checked);
}

void SelectData(ui::MDialog& dlg, int id, int data) {
  if (auto* combo = dlg.GetControl<ui::MComboBox>(id)) combo->SelectData(data);
}

void Show(ui::MDialog& dlg, int id, bool shown) {
  if (ui::MControl* c = dlg.GetControl(id)) c->SetVisible(shown);
}

void LoadReportRate(ui::MDialog& dlg, int code, int connectionMode) {
  Check<ui::ColorButtonEx>(dlg, ReportRateButtonOf(code));
  const bool cable = connectionMode == kCableMode;
  for (int n = 0; n < ids::kRateButtonCount; ++n) {
    const int id = ids::RateButtonId(n);
    // The rates above 1000 Hz are beyond this mouse whatever the connection.
    const bool offered = cable ? id == ids::kRate1000 : id <= ids::kRate1000;
    Show(dlg, id, offered);
  }
  if (cable) Check<ui::ColorButtonEx>(dlg, ids::kRate1000);
  // The shown buttons close up from the first slot, so over a cable 1000 Hz stands first.
  ArrangeReportRateButtons(dlg);
}

}  // namespace

int ReportRateButtonOf(int code) {
  switch (code) {
    case 1: return ids::kRate125;
    case 2: return ids::kRate250;
    case 3: return ids::kRate500;
    default: return ids::kRate1000;
  }
}

PerformancePageState LoadPerformancePage(ui::MDialog& dlg, ConfigStore& store, int profile,
                                         int connectionMode) {
  auto value = [&](const std::string& key) { return store.GetConfigInt(profile, key); };
  PerformancePageState state;

  SelectData(dlg, ids::kLightingCombo, value("light_mode"));
  if (auto* debounce = dlg.GetControl<ui::MEdit>(ids::kDebounceEdit)) {
    debounce->SetTitle(FormatInt(value("button_respondtime")));
  }

  Check<ui::CRadioButton>(dlg, value("e-sports_flag") == 2 ? ids::kGameModeOn : ids::kGameModeOff);

  LoadReportRate(dlg, value("report_rate"), connectionMode);

  for (int i = 0; i < ids::kDpiLevelCount; ++i) {
    auto* level = dlg.GetControl<ui::DPIControl>(ids::DpiLevelId(i));
    if (level == nullptr) continue;
    const std::string n = std::to_string(i);
    level->SetDPIValue(value("dpi_group" + n + "_value"));
    // A Windows colour value 0x00BBGGRR: whatever the text held, the top byte stays clear.
    level->SetColor(static_cast<ui::Color>(value("dpi_group" + n + "_rgb")) & 0x00FFFFFFu);
  }

  // A negative level would name the control before the first level (the DPI count combo), so
  // anything outside 0..5 selects the first level, not only values above 5.
  int index = value("dpi_index");
  if (index < 0 || index >= ids::kDpiLevelCount) index = 0;
  state.dpiLevelControlId = ids::DpiLevelId(index);
  if (auto* level = dlg.GetControl<ui::DPIControl>(state.dpiLevelControlId)) {
    level->SetCheckState(true);
    if (auto* slider = dlg.GetControl<ui::DPISlider>(ids::kDpiSlider)) {
      slider->SetProgress(level->GetDPIValue() / 100);
    }
  }

  // The combo has no items for this mouse; selecting keeps it in step should it ever get some.
  SelectData(dlg, ids::kDpiCountCombo, value("dpi_count"));

  const int sensor = value("sensor_flag");
  Check<ui::CCheckButton>(dlg, ids::kSensorOption1, (sensor & 0x04) != 0);
  Check<ui::CCheckButton>(dlg, ids::kSensorOption2, (sensor & 0x08) != 0);
  Check<ui::CCheckButton>(dlg, ids::kSensorOption3, (sensor & 0x10) != 0);

  Check<ui::CRadioButton>(dlg, value("liftoff_height") == 2 ? ids::kLiftOff2mm : ids::kLiftOff1mm);
  Check<ui::CRadioButton>(dlg, value("scroll_flag") == 0 ? ids::kScrollStandard : ids::kScrollReversed);

  // The switch, the list and the kept state all follow the same converted number, so " 1" can
  // never show the switch off while the window counts the button as locked.
  const bool locked = value("leftbtn_lock") == 1;
  state.leftButtonLock = locked ? 1 : 0;
  Check<ui::CSwitchButton>(dlg, ids::kLeftLockSwitch, locked);
  if (ui::MControl* left = dlg.GetControl(ids::kLeftButtonList)) left->SetEnabled(!locked);

  SelectData(dlg, ids::kSleepCombo, value("sleep_light"));

  // This mouse has no lighting setting on its page.
  Show(dlg, ids::kLightingArea, false);
  return state;
}

PerformancePageState ReloadButtonAndPerformancePages(ui::MDialog& dlg, ConfigStore& store,
                                                     int profile, int connectionMode) {
  FillButtonLists(dlg);
  RefreshButtonsPage(dlg, store, profile);
  return LoadPerformancePage(dlg, store, profile, connectionMode);
}

}  // namespace zq
