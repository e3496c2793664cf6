#pragma once
// The DPI and performance tab, with the two related controls of other tabs (the debounce edit of
// the buttons tab and the left-button lock switch of the settings tab), shown from the store.
//
// Loading only changes controls and reads the store, so the device worker may run it while it
// reloads the pages; it takes no lock of its own.

#include "shell/layout/ControlIds.h"
#include "shell/toolkit/MDialog.h"

namespace zq {

class ConfigStore;

// What the window keeps after a load: the DPI level control the slider and the DPI handlers act
// on (101..106), and whether the left button is locked (1) or free (0).
struct PerformancePageState {
  int dpiLevelControlId = ids::kDpiLevel1;
  int leftButtonLock = 1;
};

// The report-rate button of a stored rate code: 1, 2, 3 are 125, 250, 500 Hz; anything else
// is 1000 Hz.
int ReportRateButtonOf(int code);

// Shows the profile's stored configuration. `connectionMode` is the mouse's connection mode
// (0 cable, 1 receiver, 2 Bluetooth LE, 3 second receiver mode, -1 none): over a cable the mouse
// always reports at 1000 Hz, so only that rate is offered.
//
// Every stored number reads through the plain decimal conversion, so a missing or malformed
// value reads as 0 and shows as such. A DPI level outside 0..5 selects the first level.
PerformancePageState LoadPerformancePage(ui::MDialog& dlg, ConfigStore& store, int profile,
                                         int connectionMode);

// The reload of both tabs after a device read, a profile change or a language change, in the
// order that leaves the left button's list usable exactly when the lock is off: the lists are
// refilled (which disables it), the assignments shown, then the performance tab loaded.
PerformancePageState ReloadButtonAndPerformancePages(ui::MDialog& dlg, ConfigStore& store,
                                                     int profile, int connectionMode);

}  // namespace zq
