#pragma once
// Finding the mouse from the main window's side: the catalogue's record
// lists, the connection state the window shows (selected device type, device
// present, mouse online), the refresh that rebuilds the manager's lists, and
// the handling of device arrival and removal.
//
// The window is reached only through DiscoveryEffects, so all of this runs
// headless in tests and drives the real window later. The main window owns
// one DeviceDiscovery. LoadCatalogue and UpdateUSBDevice run on the UI
// thread; RefreshDevices on the UI thread at start-up and on the device
// worker afterwards, so the state is guarded for both.

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "device/Catalogue.h"
#include "device/HidDeviceManager.h"
#include "platform/Registry.h"

namespace zq {

// Language text keys of the connection status and messages.
inline constexpr int kTextNoDevice = 50;
inline constexpr int kTextCable = 51;
inline constexpr int kTextReceiver = 52;
inline constexpr int kTextMouseOffline = 53;
inline constexpr int kTextBluetooth = 54;
inline constexpr int kTextBluetoothMessage = 56;

// What discovery changes in the window.
class DiscoveryEffects {
 public:
  virtual ~DiscoveryEffects() = default;
  virtual void SetStatusText(int textKey) = 0;
  virtual void EnableTabs(bool enabled) = 0;
  virtual void SelectTab(int index) = 0;
  // true: the no-device picture and text are shown and the page controls
  // hidden; false: the other way round.
  virtual void ShowNoDevice(bool shown) = 0;
  virtual void SetBatteryInfo(int level, int state) = 0;
  // The dialog message line; 0 clears it.
  virtual void SetMessage(int textKey) = 0;
  virtual void QueueTask(int code) = 0;
  virtual void OpenSettingsDatabase(const std::string& deviceAttr) = 0;
  // Start-up steps that belong to the window system; nothing by default.
  virtual void SwitchInputMethodOff() {}
  virtual void RegisterDeviceNotifications() {}
};

class DeviceDiscovery {
 public:
  DeviceDiscovery(HidDeviceManager& manager, Registry& registry, DiscoveryEffects& effects);

  // Reads config.xml from the program folder and performs the start-up:
  // known ids, registry value, settings database, notifications, refresh.
  // False when the catalogue could not be read (the window then shows the
  // no-device state).
  bool LoadCatalogue(const std::string& programFolder);
  // The same start-up over a catalogue already in memory.
  void StartWith(Catalogue catalogue);
  void RefreshDevices();
  // Device-interface notification; returns 0 for an event it ignores.
  int UpdateUSBDevice(uint32_t event, std::string_view interfaceName);

  int SelectedDeviceType() const { return selected_type_.load(); }
  bool DevicePresent() const { return device_present_.load(); }
  bool MouseOnline() const { return mouse_online_.load(); }
  void SetMouseOnline(bool online) { mouse_online_.store(online); }

  std::vector<CatalogueRecord> MouseRecords() const;
  std::vector<CatalogueRecord> ModeRecords() const;
  std::vector<CatalogueRecord> RecordsOfType() const;
  SoftwareInfo Software() const;
  // device_attr of the first mouse record of a type ("" when none).
  std::string DeviceAttrOf(int deviceType) const;

 private:
  bool IsCommandInterface(std::string_view path) const;

  HidDeviceManager& manager_;
  Registry& registry_;
  DiscoveryEffects& effects_;

  std::atomic<int> selected_type_{0};
  std::atomic<bool> device_present_{false};
  std::atomic<bool> mouse_online_{false};

  // One refresh at a time: two interleaved would open every interface twice.
  std::mutex refresh_mutex_;
  mutable std::mutex mutex_;
  Catalogue catalogue_;
  std::vector<CatalogueRecord> of_type_;
};

}  // namespace zq
