#include "device/worker/DeviceWorker.h"

#include "platform/Text.h"

namespace zq {
namespace {

// Message box kinds and language keys of the factory-reset request.
constexpr int kBoxOneButton = 0;
constexpr int kBoxConfirm = 4;
constexpr int kBoxDeclined = 2;
constexpr int kResetCaptionKey = 676;
constexpr int kResetNoMouseKey = 57;
constexpr int kResetBluetoothKey = 56;
constexpr int kResetConfirmKey = 671;
constexpr int kResetConfirmCaptionKey = 670;
constexpr int kModeCable = 0;
constexpr int kModeBluetooth = 2;

}  // namespace

DeviceWorker::DeviceWorker(WorkerDevice& device, WorkerWindow& window, Registry& registry,
                           Clock& clock)
    : CThreadBasic(clock), device_(device), window_(window), registry_(registry) {}

// Run uses the members of this class; the thread must be gone before they
// are.
DeviceWorker::~DeviceWorker() { Join(); }

void DeviceWorker::QueueTask(int code) {
  std::lock_guard<std::mutex> lock(queue_mutex_);
  queue_.push_back(code);
}

std::vector<int> DeviceWorker::PendingTasks() const {
  std::lock_guard<std::mutex> lock(queue_mutex_);
  return {queue_.begin(), queue_.end()};
}

std::optional<int> DeviceWorker::PopTask() {
  std::lock_guard<std::mutex> lock(queue_mutex_);
  if (queue_.empty()) return std::nullopt;
  int code = queue_.front();
  queue_.pop_front();
  return code;
}

void DeviceWorker::Run() {
  std::optional<int> code = PopTask();
  if (!code) {
    if (device_.IsDevicePresent() && device_.PollNotification()) QueueTask(kTaskDpiLevel);
    return;
  }
  // Arrival and removal are how a device comes back, so they run without one.
  if (*code == kTaskArrival || *code == kTaskRemoval) {
    DeviceChanged(*code == kTaskArrival);
    return;
  }
  if (!device_.IsDevicePresent()) {
    DropTask(*code);
    return;
  }
  RunTask(*code);
}

void DeviceWorker::DropTask(int code) {
  switch (code) {
    case kTaskApply:
    case kTaskRestoreDefaults:
      FinishTask();
      window_.PostMessage(kMsgTaskCompleted, 0,
                          code == kTaskApply ? kApplyIncomplete : kRestoreIncomplete);
      break;
    case kTaskProfileSwitched:
    case kTaskReadFromMouse:
    case kTaskLightingMode:
    case kTaskDpiLevel:
      // A wait dialog left open here would block the window for good.
      FinishTask();
      break;
    default:
      break;
  }
}

void DeviceWorker::RunTask(int code) {
  switch (code) {
    case kTaskInitialRead:
      InitialRead();
      break;
    case kTaskProfileSwitched:
      window_.RefillProfileCombo();
      window_.ReloadPages();
      FinishTask();
      break;
    case kTaskApply: {
      bool ok = WriteAllToDevice(true);
      FinishTask();
      window_.PostMessage(kMsgTaskCompleted, 0, ok ? kApplyDone : kApplyIncomplete);
      break;
    }
    case kTaskReadFromMouse:
      ReadAllFromDevice();
      window_.ReloadPages();
      FinishTask();
      break;
    case kTaskLightingMode:
      device_.WriteLightingMode(window_.CurrentLightingMode());
      FinishTask();
      break;
    case kTaskDpiLevel:
      device_.WriteDpiLevel(window_.CurrentProfile());
      FinishTask();
      break;
    case kTaskRestoreDefaults: {
      bool ok = WriteAllToDevice(false);
      window_.RestorePointerDefaults();
      window_.SelectFirstLightingMode();
      FinishTask();
      window_.PostMessage(kMsgTaskCompleted, 0, ok ? kRestoreDone : kRestoreIncomplete);
      break;
    }
    case kTaskFactoryReset:
      FactoryReset();
      break;
    default:
      // Codes without a task are consumed without effect.
      break;
  }
}

void DeviceWorker::InitialRead() {
  if (initial_read_done_.load()) return;
  window_.RefillProfileCombo();
  ReadAllFromDevice();
  window_.ReloadPages();
  device_.ShowVersionTexts();
  device_.ShowVersionCommand();
  initial_read_done_ = true;
}

void DeviceWorker::DeviceChanged(bool arrival) {
  if (arrival) clock().Sleep(kArrivalWaitMs);
  device_.RefreshDevices();
  window_.RefillProfileCombo();
  ReadAllFromDevice();
  window_.ReloadPages();
  device_.ShowVersionTexts();
  if (!arrival) return;
  device_.ShowVersionCommand();
  // The first device of the session: it also gets the initial read. Without
  // a device that read would only fail and mark itself done.
  if (device_.IsDevicePresent()) InitialRead();
}

bool DeviceWorker::ReadAllFromDevice() {
  bool ok = device_.ReadBattery();
  for (int profile = 1; profile <= kReadProfiles; ++profile) {
    ok = device_.ReadButtonCodes(profile) && ok;
  }
  ok = device_.ReadSettingsBlock(window_.CurrentProfile()) && ok;
  return ok;
}

// Every write is sent even after one failed: the mouse keeps whatever it
// did take, and the caller reports the whole as incomplete.
bool DeviceWorker::WriteAllToDevice(bool with_macro_image) {
  bool ok = true;
  if (with_macro_image) ok = device_.WriteMacroImage() && ok;
  for (int profile = 1; profile <= kWriteProfiles; ++profile) {
    ok = device_.WriteButtonCodes(profile) && ok;
  }
  const int profile = window_.CurrentProfile();
  ok = device_.WriteSettingsBlock(profile) && ok;
  ok = device_.WriteDpiLevel(profile) && ok;
  ok = device_.WriteReportRate(profile) && ok;
  return ok;
}

void DeviceWorker::FinishTask() {
  window_.CloseWaitDialog();
  clock().Sleep(kFinishWaitMs);
}

void DeviceWorker::FactoryReset() {
  window_.RefillProfileCombo();
  window_.ReloadPages();
  const int profile = window_.CurrentProfile();
  window_.SetConfig(profile, "report_rate", device_.ConnectionMode() == kModeCable ? "4" : "2");
  device_.WriteMacroImage();
  for (int p = 1; p <= kWriteProfiles; ++p) device_.WriteButtonCodes(p);
  device_.WriteSettingsBlock(profile);
  device_.ReadBattery();
  window_.SelectFirstLightingMode();
  window_.HideMacroItemEditor();
  window_.RestorePointerDefaults();
}

bool DeviceWorker::RequestFactoryReset() {
  if (!device_.IsMouseOnline()) {
    window_.ShowMessageBox(kResetNoMouseKey, kResetCaptionKey, kBoxOneButton);
    return false;
  }
  if (device_.ConnectionMode() == kModeBluetooth) {
    window_.ShowMessageBox(kResetBluetoothKey, kResetCaptionKey, kBoxOneButton);
    return false;
  }
  if (window_.ShowMessageBox(kResetConfirmKey, kResetConfirmCaptionKey, kBoxConfirm) ==
      kBoxDeclined) {
    return false;
  }
  const int device_type = ParseDecimal(registry_.Read("DeviceType").value_or(""));
  const std::string name = window_.CatalogueDeviceAttr(device_type).value_or("Mouse");
  window_.ResetDatabase(name);
  QueueTask(kTaskFactoryReset);
  initial_read_done_ = false;
  return true;
}

}  // namespace zq
