#pragma once
// Owner of the mouse's opened HID interfaces, the table of known vendor and
// product ids, and the current device; every command exchange with the mouse
// goes through it.
//
// Threads: the lists are rebuilt on the worker (and once on the UI thread at
// start-up) while the UI thread asks for the connection mode, so they are
// guarded by a mutex that is never held across a device read. Exchanges are
// serialised by a second mutex, so two threads never interleave a request
// and its reply. Connections are shared: a refresh that drops the lists does
// not pull an interface away from a transaction that is still using it.

#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "platform/Clock.h"

namespace zq {

// Connection modes as the catalogue numbers them.
inline constexpr int kModeCable = 0;
inline constexpr int kModeReceiver = 1;
inline constexpr int kModeBluetooth = 2;
inline constexpr int kModeSecondReceiver = 3;
inline constexpr int kModeNone = -1;

// The only device type this program configures.
inline constexpr int kMouseDeviceType = 101;

// Sizes of the exchanges.
inline constexpr size_t kCommandReportSize = 65;  // report id + 64-byte payload
inline constexpr size_t kFeatureReportSize = 21;
inline constexpr uint8_t kAck = 0xAA;

struct KnownDevice {
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  int device_type = 0;
  int mode = 0;
  std::string text;  // always empty
};

struct OpenedDevice {
  int index = 0;  // position in the opened-device list when it was added
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  std::string path;
  std::string manufacturer;
  std::string product;
  std::string text;  // always empty
  std::shared_ptr<HidConnection> handle;  // none for Bluetooth entries
  uint16_t release_number = 0;
  int device_type = 0;
  int mode = 0;
  int online = 0;  // 1 = the mouse answers through this interface
};

class HidDeviceManager {
 public:
  HidDeviceManager(std::shared_ptr<HidBackend> backend, Clock& clock);
  ~HidDeviceManager();
  HidDeviceManager(const HidDeviceManager&) = delete;
  HidDeviceManager& operator=(const HidDeviceManager&) = delete;

  // The program's manager, built on first use over ProgramBackend().
  static HidDeviceManager& Instance();

  // --- command exchanges -------------------------------------------------
  // One request/response transaction. `buffer` holds report id 0 and the
  // payload (at least 65 bytes); the checksum is filled in here. On return it
  // holds the last response read, or the request when nothing usable came.
  // True when the response carries the acknowledgement marker.
  bool SendCommand(uint8_t* buffer, size_t size);
  template <size_t N>
  bool SendCommand(std::array<uint8_t, N>& buffer) {
    return SendCommand(buffer.data(), N);
  }
  // One input report from the current device (the mouse's notifications):
  // bytes read, 0 when none came within the timeout, when nothing is open or
  // when there is no current device (then at once, without waiting).
  int ReadInputReport(uint8_t* buffer, size_t size, int timeout_ms);
  // The version text behind feature report 0x51: target 0 for the first
  // field, a receiver mode (1 or 3) for the receiver field. "0.0.0" unless a
  // reply came. False when nothing is open or there is no current device.
  bool ReadVersionText(int target, std::string& text);
  // The receiver status framing: q is the 64-byte payload, replaced by the
  // reply on success.
  bool ReceiverTransfer(HidConnection& handle, std::array<uint8_t, 64>& q);
  int QueryReceiverOnline(OpenedDevice& entry);

  // --- discovery ----------------------------------------------------------
  bool IsOpen() const;
  // Reads the backend's enumeration and opens the catalogue's interfaces.
  void EnumerateDevice();
  // Sets the open flag (the device list has been built).
  void SetOpen();
  // Closes every interface when open; clears the open flag.
  void CloseAll();
  int ConnectionMode() const;
  std::shared_ptr<HidConnection> CurrentDevice();
  int FindOpened(uint16_t vid, uint16_t pid, int mode) const;
  bool IsKnown(uint16_t vid, uint16_t pid) const;
  int TypeOf(uint16_t vid, uint16_t pid) const;
  int ModeOf(uint16_t vid, uint16_t pid) const;
  void AddKnown(uint16_t vid, uint16_t pid, int type, int mode);
  void ClearKnown();
  // Copies the opened entries of the selected type (all when it is 0);
  // false when nothing is open.
  bool CollectOfType(std::vector<OpenedDevice>& list) const;
  std::vector<OpenedDevice> OpenedDevices() const;

  int DeviceType() const;
  void SetDeviceType(int type);  // also forgets the current device
  void ClearCurrentDevice();

  HidBackend& Backend() { return *backend_; }
  Clock& GetClock() { return clock_; }

  // Payload checksum of a command report: sum of payload bytes 4 to 63.
  static uint8_t CommandChecksum(const uint8_t* buffer);
  // Last byte of a receiver status payload, making the whole sum 0xA1.
  static uint8_t ReceiverChecksum(const std::array<uint8_t, 64>& q);

 private:
  // Ranking over the opened list; the lock is held by the caller.
  const OpenedDevice* RankLocked() const;
  const KnownDevice* FindKnownLocked(uint16_t vid, uint16_t pid) const;
  // One read that counts as a response only when the whole report came.
  bool ReadResponse(HidConnection& device, uint8_t* buffer);

  std::shared_ptr<HidBackend> backend_;
  Clock& clock_;

  mutable std::mutex mutex_;  // the lists, the flags and the cache
  std::mutex io_mutex_;       // one exchange at a time
  bool open_ = false;
  int device_type_ = 0;
  std::vector<std::unique_ptr<OpenedDevice>> opened_;
  std::vector<KnownDevice> known_;
  std::shared_ptr<HidConnection> current_;
};

}  // namespace zq
