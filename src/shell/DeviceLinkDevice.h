#pragma once
// The device link the worker uses while the device operations are not part of the build: it
// finds the mouse and follows its connection (presence, online state, mode, refresh through
// discovery), and exchanges no command, so every read and write reports failure and applies
// end with the "did not reach the mouse" message.

#include "device/DeviceDiscovery.h"
#include "device/HidDeviceManager.h"
#include "device/worker/WorkerInterfaces.h"

namespace zq {

class DeviceLinkDevice final : public WorkerDevice {
 public:
  DeviceLinkDevice(DeviceDiscovery& discovery, HidDeviceManager& manager)
      : discovery_(discovery), manager_(manager) {}

  bool IsDevicePresent() override { return discovery_.DevicePresent(); }
  bool IsMouseOnline() override { return discovery_.MouseOnline(); }
  int ConnectionMode() override { return manager_.ConnectionMode(); }
  void RefreshDevices() override { discovery_.RefreshDevices(); }

  bool ReadBattery() override { return false; }
  bool ReadButtonCodes(int) override { return false; }
  bool ReadSettingsBlock(int) override { return false; }
  bool WriteMacroImage() override { return false; }
  bool WriteButtonCodes(int) override { return false; }
  bool WriteSettingsBlock(int) override { return false; }
  bool WriteDpiLevel(int) override { return false; }
  bool WriteReportRate(int) override { return false; }
  bool WriteLightingMode(int) override { return false; }
  bool PollNotification() override { return false; }
  void ShowVersionTexts() override {}
  void ShowVersionCommand() override {}

 private:
  DeviceDiscovery& discovery_;
  HidDeviceManager& manager_;
};

}  // namespace zq
