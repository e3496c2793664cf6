#include "device/DeviceDiscovery.h"

#include "device/TaskQueue.h"
#include "platform/Text.h"

namespace zq {
namespace {

constexpr const char* kDeviceTypeValue = "DeviceType";

bool Contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

}  // namespace

DeviceDiscovery::DeviceDiscovery(HidDeviceManager& manager, Registry& registry,
                                 DiscoveryEffects& effects)
    : manager_(manager), registry_(registry), effects_(effects) {}

bool DeviceDiscovery::LoadCatalogue(const std::string& programFolder) {
  std::string path = programFolder;
  if (!path.empty() && path.back() != '/') path += '/';
  path += "config.xml";
  Catalogue catalogue;
  const bool read = ReadCatalogue(path, catalogue);
  StartWith(std::move(catalogue));
  return read;
}

void DeviceDiscovery::StartWith(Catalogue catalogue) {
  manager_.ClearKnown();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    catalogue_ = std::move(catalogue);
    of_type_.clear();
  }
  if (registry_.KeyExists()) registry_.Write(kDeviceTypeValue, FormatInt(kMouseDeviceType));
  manager_.SetDeviceType(kMouseDeviceType);
  effects_.SwitchInputMethodOff();

  // The settings database follows the stored device type. Without a stored
  // value (the key could not be created) the type just selected is used, so
  // that the settings never land in a database without a device name.
  int type = kMouseDeviceType;
  if (auto stored = registry_.Read(kDeviceTypeValue)) type = ParseDecimal(*stored);
  effects_.OpenSettingsDatabase(DeviceAttrOf(type));

  effects_.RegisterDeviceNotifications();
  RefreshDevices();
}

void DeviceDiscovery::RefreshDevices() {
  std::lock_guard<std::mutex> refresh(refresh_mutex_);
  effects_.SetBatteryInfo(0, 2);
  manager_.ClearKnown();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    of_type_.clear();
    for (const CatalogueRecord& record : catalogue_.modes) {
      if (record.device_type != kMouseDeviceType) continue;
      manager_.AddKnown(record.vid, record.pid, kMouseDeviceType, record.value);
      of_type_.push_back(record);
    }
  }
  manager_.CloseAll();
  manager_.EnumerateDevice();
  manager_.SetOpen();

  std::vector<OpenedDevice> collected;
  manager_.CollectOfType(collected);
  selected_type_.store(kMouseDeviceType);
  effects_.SetMessage(0);

  auto no_device_view = [&](int status) {
    effects_.SetStatusText(status);
    effects_.SelectTab(0);
    effects_.EnableTabs(false);
    effects_.ShowNoDevice(true);
  };

  if (collected.empty()) {
    device_present_.store(false);
    // Nothing to configure: a factory reset asked for now must say so.
    mouse_online_.store(false);
    no_device_view(kTextNoDevice);
    return;
  }
  device_present_.store(true);
  switch (manager_.ConnectionMode()) {
    case kModeCable:
    case kModeReceiver:
    case kModeSecondReceiver: {
      const bool cable = manager_.ConnectionMode() == kModeCable;
      effects_.EnableTabs(true);
      effects_.SelectTab(1);
      effects_.SetStatusText(cable ? kTextCable : kTextReceiver);
      mouse_online_.store(true);
      effects_.ShowNoDevice(false);
      break;
    }
    case kModeBluetooth:
      // The mouse is there, but no command reaches it over Bluetooth.
      no_device_view(kTextBluetooth);
      effects_.SetMessage(kTextBluetoothMessage);
      mouse_online_.store(true);
      break;
    default:
      no_device_view(kTextMouseOffline);
      mouse_online_.store(false);
      break;
  }
}

bool DeviceDiscovery::IsCommandInterface(std::string_view path) const {
  // The collections of a path as the backend's enumeration reports them.
  for (const HidDeviceInfo& info : manager_.Backend().Enumerate()) {
    if (info.path != path) continue;
    if (info.usage_page == 0xFF01 && info.usage == 0x10) return true;
    if (info.usage_page == 0xFF0A && info.usage == 0x01) return true;
  }
  return false;
}

int DeviceDiscovery::UpdateUSBDevice(uint32_t event, std::string_view interfaceName) {
  if (event != kDeviceArrival && event != kDeviceRemoveComplete) return 0;
  const std::string upper = ToUpperAscii(interfaceName);
  const bool bluetooth = IsBluetoothInterfaceText(upper);
  const std::vector<CatalogueRecord> records = RecordsOfType();

  if (event == kDeviceArrival) {
    // A receiver's command collection counts as much as the cable's: without
    // it, plugging in the receiver would go unnoticed.
    const bool command = IsCommandInterface(PathOfInterfaceName(interfaceName));
    for (const CatalogueRecord& record : records) {
      const std::string text = ToUpperAscii(record.hid_interface);
      if (bluetooth && Contains(upper, text)) {
        effects_.QueueTask(kTaskArrival);
        break;
      }
      if (command && manager_.FindOpened(record.vid, record.pid, record.value) == -1) {
        effects_.QueueTask(kTaskArrival);
        break;
      }
    }
    return 1;
  }

  if (!device_present_.load()) return 1;
  for (const CatalogueRecord& record : records) {
    const std::string text = ToUpperAscii(record.hid_interface);
    if (bluetooth && Contains(upper, text)) {
      effects_.QueueTask(kTaskRemoval);
      break;
    }
    if (Contains(upper, text) && manager_.FindOpened(record.vid, record.pid, record.value) != -1) {
      effects_.QueueTask(kTaskRemoval);
      break;
    }
  }
  return 1;
}

std::vector<CatalogueRecord> DeviceDiscovery::MouseRecords() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return catalogue_.mice;
}

std::vector<CatalogueRecord> DeviceDiscovery::ModeRecords() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return catalogue_.modes;
}

std::vector<CatalogueRecord> DeviceDiscovery::RecordsOfType() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return of_type_;
}

SoftwareInfo DeviceDiscovery::Software() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return catalogue_.software;
}

std::string DeviceDiscovery::DeviceAttrOf(int deviceType) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (const CatalogueRecord& mouse : catalogue_.mice) {
    if (mouse.device_type == deviceType) return mouse.device_attr;
  }
  return {};
}

}  // namespace zq
