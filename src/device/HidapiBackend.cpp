#include "device/HidapiBackend.h"

#include <hidapi.h>

#include <cstdlib>
#include <cwchar>
#include <mutex>

#include "platform/Log.h"
#include "platform/Text.h"

namespace zq {
namespace {

bool InitialiseOnce() {
  static std::once_flag once;
  static bool ok = false;
  std::call_once(once, [] {
    ok = hid_init() == 0;
    if (!ok) {
      Log(LogLevel::Warning, "hidapi could not be initialised; no device will be found");
      hid_exit();  // releases whatever the failed start left behind
      return;
    }
    // Released at exit, after the objects built on top of it (they were
    // constructed after this registration, so they are destroyed before).
    std::atexit([] { hid_exit(); });
  });
  return ok;
}

// hidapi hands out wide strings; the program's text is UTF-8.
std::string WideToUtf8(const wchar_t* text) {
  std::string out;
  for (; text && *text; ++text) AppendUtf8(out, static_cast<char32_t>(*text));
  return out;
}

class HidapiConnection final : public HidConnection {
 public:
  explicit HidapiConnection(hid_device* device) : device_(device) {}
  ~HidapiConnection() override { Close(); }

  int Write(const uint8_t* data, size_t length) override {
    return device_ ? hid_write(device_, data, length) : -1;
  }
  int ReadTimeout(uint8_t* data, size_t length, int timeout_ms) override {
    return device_ ? hid_read_timeout(device_, data, length, timeout_ms) : -1;
  }
  int SendFeatureReport(const uint8_t* data, size_t length) override {
    return device_ ? hid_send_feature_report(device_, data, length) : -1;
  }
  int GetFeatureReport(uint8_t* data, size_t length) override {
    return device_ ? hid_get_feature_report(device_, data, length) : -1;
  }
  std::string ProductString() override { return ReadString(&hid_get_product_string); }
  std::string ManufacturerString() override {
    return ReadString(&hid_get_manufacturer_string);
  }
  void Close() override {
    if (device_) hid_close(device_);
    device_ = nullptr;
  }

 private:
  std::string ReadString(int (*get)(hid_device*, wchar_t*, size_t)) {
    // The strings are kept in buffers of 1024 bytes.
    wchar_t buffer[1024 / sizeof(wchar_t)] = {};
    if (!device_ || get(device_, buffer, std::size(buffer) - 1) != 0) return {};
    buffer[std::size(buffer) - 1] = L'\0';
    return WideToUtf8(buffer);
  }

  hid_device* device_;
};

HidBus BusOf(const hid_device_info* info) {
  switch (info->bus_type) {
    case HID_API_BUS_USB: return HidBus::Usb;
    case HID_API_BUS_BLUETOOTH: return HidBus::Bluetooth;
    case HID_API_BUS_UNKNOWN: return HidBus::Unknown;
    default: return HidBus::Other;
  }
}

}  // namespace

HidapiBackend::HidapiBackend() : available_(InitialiseOnce()) {}

std::vector<HidDeviceInfo> HidapiBackend::Enumerate() {
  std::vector<HidDeviceInfo> list;
  if (!available_) return list;
  std::lock_guard<std::mutex> lock(mutex_);
  hid_device_info* all = hid_enumerate(0, 0);
  for (hid_device_info* info = all; info; info = info->next) {
    HidDeviceInfo item;
    item.path = info->path ? info->path : "";
    item.vendor_id = info->vendor_id;
    item.product_id = info->product_id;
    item.release_number = info->release_number;
    item.usage_page = info->usage_page;
    item.usage = info->usage;
    item.bus = BusOf(info);
    list.push_back(std::move(item));
  }
  hid_free_enumeration(all);
  return list;
}

std::unique_ptr<HidConnection> HidapiBackend::Open(const std::string& path) {
  if (!available_) return nullptr;
  std::lock_guard<std::mutex> lock(mutex_);
  hid_device* device = hid_open_path(path.c_str());
  if (!device) return nullptr;
  return std::make_unique<HidapiConnection>(device);
}

}  // namespace zq
