#pragma once
// The seam between the device manager and the HID facility. The manager never
// talks to hidapi directly: it sees a list of interfaces and, for an opened
// interface, a connection with the few operations a command exchange needs.
// Two implementations exist: hidapi's hidraw backend for a real mouse, and
// the simulated mouse of src/sim for tests, benchmarks and the demo.
//
// Return values follow hidapi: a byte count, 0 for a read that timed out,
// -1 for an error (for example an interface that went away).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zq {

enum class HidBus { Unknown, Usb, Bluetooth, Other };

// One HID top-level collection as the enumeration reports it.
struct HidDeviceInfo {
  std::string path;  // what Open takes (/dev/hidrawN for hidraw)
  uint16_t vendor_id = 0;
  uint16_t product_id = 0;
  uint16_t release_number = 0;
  uint16_t usage_page = 0;
  uint16_t usage = 0;
  HidBus bus = HidBus::Unknown;
};

class HidConnection {
 public:
  virtual ~HidConnection() = default;
  // Output report: data[0] is the report id. Returns bytes written or -1.
  virtual int Write(const uint8_t* data, size_t length) = 0;
  // Input report without its report id; waits at most timeout_ms.
  virtual int ReadTimeout(uint8_t* data, size_t length, int timeout_ms) = 0;
  // Feature reports: data[0] is the report id in both directions.
  virtual int SendFeatureReport(const uint8_t* data, size_t length) = 0;
  virtual int GetFeatureReport(uint8_t* data, size_t length) = 0;
  // UTF-8; empty when the device gives none.
  virtual std::string ProductString() = 0;
  virtual std::string ManufacturerString() = 0;
  // Releases the interface; every later call fails. The destructor closes too.
  virtual void Close() = 0;
};

class HidBackend {
 public:
  virtual ~HidBackend() = default;
  // Every HID interface present now, in the facility's order.
  virtual std::vector<HidDeviceInfo> Enumerate() = 0;
  // Null when the path cannot be opened.
  virtual std::unique_ptr<HidConnection> Open(const std::string& path) = 0;
};

// Device-interface notifications, the Linux stand-in for WM_DEVICECHANGE.
// The event codes are those the discovery code has always dispatched on.
inline constexpr uint32_t kDeviceArrival = 0x8000;
inline constexpr uint32_t kDeviceRemoveComplete = 0x8004;

// The interface name handed to the discovery code: the openable path, then,
// after one blank, the kernel's name of the HID device ("0003:FFF7:5701.0004",
// bus:vendor:product.instance) when it is known. The catalogue's hid_interface
// texts are matched against this name, so they can name a vendor and product
// even though a hidraw node's path does not.
std::string MakeInterfaceName(std::string_view path, std::string_view hidName);
// The openable path at the front of an interface name.
std::string_view PathOfInterfaceName(std::string_view name);

// True for the upper-cased name of a Bluetooth LE HID interface: the
// Bluetooth HID service and "KBD" in the path, or a kernel HID name on the
// Bluetooth bus (0005).
bool IsBluetoothInterfaceText(std::string_view upper);

// The Bluetooth HID service as it appears in an interface path.
inline constexpr const char* kBluetoothHidService = "00001812-0000-1000-8000-00805F9B34FB";

struct DeviceEvent {
  uint32_t code = 0;  // kDeviceArrival or kDeviceRemoveComplete
  std::string interface_name;
};

}  // namespace zq
