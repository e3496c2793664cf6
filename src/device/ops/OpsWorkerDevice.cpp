#include "device/ops/OpsWorkerDevice.h"

namespace zq {

bool OpsWorkerDevice::IsDevicePresent() { return discovery_.DevicePresent(); }
bool OpsWorkerDevice::IsMouseOnline() { return discovery_.MouseOnline(); }
int OpsWorkerDevice::ConnectionMode() { return manager_.ConnectionMode(); }
void OpsWorkerDevice::RefreshDevices() { discovery_.RefreshDevices(); }

bool OpsWorkerDevice::ReadBattery() { return ops_.ReadBattery(); }
bool OpsWorkerDevice::ReadButtonCodes(int profile) { return ops_.ReadButtonCodes(profile); }
bool OpsWorkerDevice::ReadSettingsBlock(int profile) { return ops_.ReadSettingsBlock(profile); }
bool OpsWorkerDevice::WriteMacroImage() { return ops_.WriteMacroImage(); }
bool OpsWorkerDevice::WriteButtonCodes(int profile) { return ops_.WriteButtonCodes(profile); }
bool OpsWorkerDevice::WriteSettingsBlock(int profile) { return ops_.WriteSettingsBlock(profile); }
bool OpsWorkerDevice::WriteDpiLevel(int profile) { return ops_.WriteDpiLevel(profile); }
bool OpsWorkerDevice::WriteReportRate(int profile) { return ops_.WriteReportRate(profile); }
bool OpsWorkerDevice::WriteLightingMode(int mode) { return ops_.WriteLightingMode(mode); }

bool OpsWorkerDevice::PollNotification() { return ops_.PollNotification(); }
void OpsWorkerDevice::ShowVersionTexts() { ops_.ShowVersionTexts(); }
void OpsWorkerDevice::ShowVersionCommand() { ops_.ShowVersionCommand(); }

}  // namespace zq
