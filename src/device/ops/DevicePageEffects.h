#pragma once
// What the device operations change on the pages. The operations run on the
// device worker thread and call these from there; the main window implements
// them on its controls (the control model is thread-safe), tests record them.

#include <string>

namespace zq {

class DevicePageEffects {
 public:
  virtual ~DevicePageEffects() = default;

  // The header's battery control. `state` is the mouse's byte, unchanged.
  virtual void SetBatteryInfo(int level, int state) = 0;
  // The mouse switched to DPI level 1..6 on its own: check DPI control
  // 100 + level, make it the current DPI control and set the DPI slider to
  // that control's DPI value / 100.
  virtual void CheckDpiLevel(int level) = 0;
  // Check the report-rate button of a rate code: 1 -> 125 Hz, 2 -> 250 Hz,
  // 3 -> 500 Hz, anything else 1000 Hz (codec::ReportRateHz).
  virtual void CheckReportRate(int rate_code) = 0;
  // Select the entry with data `mode` (0..6) in the lighting-mode list,
  // without queueing a lighting task.
  virtual void SelectLightingMode(int mode) = 0;
  // The two firmware version fields of the settings page: the mouse's and
  // the receiver's ("0.0.0" when nothing was read).
  virtual void SetVersionFields(const std::string& first, const std::string& receiver) = 0;
};

}  // namespace zq
