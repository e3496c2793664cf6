#pragma once
// The device link as the worker sees it: connection state from the
// discovery code, the connection mode from the manager, every exchange from
// DeviceOperations.
//
// Wiring (main window):
//   DeviceOperations ops(manager, store, page_effects, keystrokes,
//                        [this] { return CurrentProfile(); });
//   OpsWorkerDevice device(discovery, manager, ops);
//   DeviceWorker worker(device, window, registry);

#include "device/DeviceDiscovery.h"
#include "device/HidDeviceManager.h"
#include "device/ops/DeviceOperations.h"
#include "device/worker/WorkerInterfaces.h"

namespace zq {

class OpsWorkerDevice final : public WorkerDevice {
 public:
  OpsWorkerDevice(DeviceDiscovery& discovery, HidDeviceManager& manager, DeviceOperations& ops)
      : discovery_(discovery), manager_(manager), ops_(ops) {}

  bool IsDevicePresent() override;
  bool IsMouseOnline() override;
  int ConnectionMode() override;
  void RefreshDevices() override;

  bool ReadBattery() override;
  bool ReadButtonCodes(int profile) override;
  bool ReadSettingsBlock(int profile) override;
  bool WriteMacroImage() override;
  bool WriteButtonCodes(int profile) override;
  bool WriteSettingsBlock(int profile) override;
  bool WriteDpiLevel(int profile) override;
  bool WriteReportRate(int profile) override;
  bool WriteLightingMode(int mode) override;

  bool PollNotification() override;
  void ShowVersionTexts() override;
  void ShowVersionCommand() override;

 private:
  DeviceDiscovery& discovery_;
  HidDeviceManager& manager_;
  DeviceOperations& ops_;
};

}  // namespace zq
