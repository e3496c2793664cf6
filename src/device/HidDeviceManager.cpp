#include "device/HidDeviceManager.h"

#include <algorithm>
#include <cstring>

#include "device/DeviceLink.h"
#include "platform/Log.h"
#include "platform/Text.h"

namespace zq {
namespace {

constexpr int kCommandTimeoutMs = 1000;
constexpr uint32_t kWriteRetryWaitMs = 10;
constexpr uint32_t kFirstRetryWaitMs = 100;
constexpr uint32_t kSecondRetryWaitMs = 1000;
constexpr int kFeatureAttempts = 10;
constexpr uint32_t kFeatureWaitMs = 10;
constexpr size_t kMaxVersionChars = 18;
constexpr size_t kResponseSize = 64;

bool IsCommandCollection(const HidDeviceInfo& info) {
  return info.usage_page == 0xFF01 && info.usage == 0x10;
}

bool IsReceiverCollection(const HidDeviceInfo& info) {
  return info.usage_page == 0xFF0A && info.usage == 0x01;
}

// The version texts are single-byte text; bytes above 0x7F are taken as
// Latin-1 so that whatever the firmware sends becomes valid UTF-8.
std::string SingleByteToUtf8(const char* text) {
  std::string out;
  for (; *text; ++text) AppendUtf8(out, static_cast<unsigned char>(*text));
  return out;
}

}  // namespace

HidDeviceManager::HidDeviceManager(std::shared_ptr<HidBackend> backend, Clock& clock)
    : backend_(std::move(backend)), clock_(clock) {}

HidDeviceManager::~HidDeviceManager() { CloseAll(); }

HidDeviceManager& HidDeviceManager::Instance() {
  static HidDeviceManager manager(ProgramBackend(), DefaultClock());
  return manager;
}

uint8_t HidDeviceManager::CommandChecksum(const uint8_t* buffer) {
  unsigned sum = 0;
  for (size_t i = 5; i < kCommandReportSize; ++i) sum += buffer[i];
  return static_cast<uint8_t>(sum);
}

uint8_t HidDeviceManager::ReceiverChecksum(const std::array<uint8_t, 64>& q) {
  unsigned sum = 0;
  for (size_t i = 0; i < 63; ++i) sum += q[i];
  return static_cast<uint8_t>(0xA1 - sum);
}

// --- command exchanges ----------------------------------------------------------

bool HidDeviceManager::ReadResponse(HidConnection& device, uint8_t* buffer) {
  uint8_t in[kCommandReportSize] = {};
  const int n = device.ReadTimeout(in, sizeof in, kCommandTimeoutMs);
  // A report shorter than the mouse's 64 bytes is not a response: taking it
  // would leave request bytes where callers expect reply data.
  if (n < static_cast<int>(kResponseSize)) {
    if (n > 0) Log(LogLevel::Debug, "short reply of %d bytes ignored", n);
    return false;
  }
  std::memcpy(buffer, in, static_cast<size_t>(n));
  return buffer[0] == kAck;
}

bool HidDeviceManager::SendCommand(uint8_t* buffer, size_t size) {
  if (!buffer || size < kCommandReportSize) return false;
  if (!IsOpen()) return false;
  std::shared_ptr<HidConnection> device = CurrentDevice();
  if (!device) return false;

  buffer[4] = CommandChecksum(buffer);
  std::array<uint8_t, kCommandReportSize> request;
  std::memcpy(request.data(), buffer, kCommandReportSize);

  std::lock_guard<std::mutex> io(io_mutex_);
  auto write = [&] { return device->Write(request.data(), request.size()) > 0; };
  if (!write()) {
    clock_.Sleep(kWriteRetryWaitMs);
    if (!write()) return false;
  }
  if (ReadResponse(*device, buffer)) return true;
  // Retries always repeat the request as first built, even when a
  // non-acknowledging report has meanwhile been read into the buffer.
  clock_.Sleep(kFirstRetryWaitMs);
  write();
  if (ReadResponse(*device, buffer)) return true;
  clock_.Sleep(kSecondRetryWaitMs);
  write();
  ReadResponse(*device, buffer);
  return buffer[0] == kAck;
}

int HidDeviceManager::ReadInputReport(uint8_t* buffer, size_t size, int timeout_ms) {
  if (!buffer || size == 0 || !IsOpen()) return 0;
  std::shared_ptr<HidConnection> device = CurrentDevice();
  if (!device) return 0;
  std::lock_guard<std::mutex> io(io_mutex_);
  const int n = device->ReadTimeout(buffer, size, timeout_ms);
  return n > 0 ? n : 0;
}

bool HidDeviceManager::ReadVersionText(int target, std::string& text) {
  text = "0.0.0";
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_ || opened_.empty()) return false;
  }
  std::shared_ptr<HidConnection> device = CurrentDevice();
  if (!device) return false;

  std::lock_guard<std::mutex> io(io_mutex_);
  uint8_t request[kFeatureReportSize] = {0x51, 0x04, static_cast<uint8_t>(target == 0 ? 0 : 0xAA)};
  if (device->SendFeatureReport(request, sizeof request) < 0) return true;

  uint8_t reply[kFeatureReportSize];
  bool replied = false;
  for (int attempt = 0; attempt < kFeatureAttempts; ++attempt) {
    std::memset(reply, 0, sizeof reply);
    reply[0] = 0x51;
    if (device->GetFeatureReport(reply, sizeof reply) > 0) {
      replied = true;
      break;
    }
    clock_.Sleep(kFeatureWaitMs);
  }
  if (replied && reply[2] != 0) {
    char chars[kMaxVersionChars + 1] = {};
    std::memcpy(chars, reply + 3, std::min<size_t>(reply[2], kMaxVersionChars));
    text = SingleByteToUtf8(chars);
  }
  return true;
}

bool HidDeviceManager::ReceiverTransfer(HidConnection& handle, std::array<uint8_t, 64>& q) {
  q[63] = ReceiverChecksum(q);
  std::lock_guard<std::mutex> io(io_mutex_);
  uint8_t in[kCommandReportSize] = {};
  handle.ReadTimeout(in, sizeof in, 100);  // drop a report already waiting

  uint8_t out[kCommandReportSize] = {0};
  std::memcpy(out + 1, q.data(), q.size());
  if (handle.Write(out, sizeof out) <= 0) return false;

  clock_.Sleep(16);
  int n = handle.ReadTimeout(in, sizeof in, 200);
  if (n <= 0) {
    clock_.Sleep(200);
    n = handle.ReadTimeout(in, sizeof in, 100);
  }
  if (n != static_cast<int>(q.size())) return false;
  std::memcpy(q.data(), in, q.size());
  return true;
}

int HidDeviceManager::QueryReceiverOnline(OpenedDevice& entry) {
  if (entry.mode == kModeCable) {
    entry.online = 1;
    return 1;
  }
  if (!entry.handle) return entry.online;
  auto query = [] {
    std::array<uint8_t, 64> q{};
    q[0] = 0x01;
    q[1] = 0x00;
    q[2] = 0x81;
    q[3] = 0x01;
    return q;
  };
  std::array<uint8_t, 64> q = query();
  bool ok = ReceiverTransfer(*entry.handle, q);
  if (!ok || q[2] != 0x8C) {
    clock_.Sleep(100);
    q = query();
    ok = ReceiverTransfer(*entry.handle, q);
  }
  if (ok && q[2] == 0x8C) entry.online = (q[4] & 0x08) ? 1 : 0;
  return entry.online;
}

// --- discovery ------------------------------------------------------------------------

bool HidDeviceManager::IsOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return open_;
}

void HidDeviceManager::SetOpen() {
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = true;
}

void HidDeviceManager::CloseAll() {
  std::vector<std::unique_ptr<OpenedDevice>> dropped;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_) return;
    dropped.swap(opened_);
    current_.reset();
    open_ = false;
  }
  // A connection still used by a running transaction closes when that
  // transaction lets go of it; the rest close here, outside the lock.
  dropped.clear();
}

void HidDeviceManager::EnumerateDevice() {
  std::vector<HidDeviceInfo> records = backend_->Enumerate();
  std::vector<std::unique_ptr<OpenedDevice>> found;
  for (const HidDeviceInfo& record : records) {
    KnownDevice known;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      const KnownDevice* entry = FindKnownLocked(record.vendor_id, record.product_id);
      if (!entry) continue;
      known = *entry;
    }
    const std::string upper = ToUpperAscii(record.path);
    if (IsBluetoothInterfaceText(upper) || record.bus == HidBus::Bluetooth) {
      auto entry = std::make_unique<OpenedDevice>();
      entry->vendor_id = record.vendor_id;
      entry->product_id = record.product_id;
      entry->path = record.path;
      entry->release_number = record.release_number;
      entry->device_type = known.device_type;
      entry->mode = kModeBluetooth;
      entry->online = 1;
      found.push_back(std::move(entry));
    }
    std::unique_ptr<HidConnection> connection = backend_->Open(record.path);
    if (!connection) continue;
    const bool command = IsCommandCollection(record);
    const bool receiver = IsReceiverCollection(record);
    if (!command && !receiver) {
      connection->Close();
      continue;
    }
    auto entry = std::make_unique<OpenedDevice>();
    entry->vendor_id = record.vendor_id;
    entry->product_id = record.product_id;
    entry->path = record.path.substr(0, 1024);
    entry->product = connection->ProductString();
    entry->manufacturer = connection->ManufacturerString();
    entry->handle = std::move(connection);
    entry->release_number = record.release_number;
    entry->device_type = known.device_type;
    entry->mode = known.mode;
    entry->online = 1;
    // A receiver's interface is there whether or not the mouse behind it is
    // switched on; the receiver itself says which.
    if (receiver && entry->mode != kModeCable) QueryReceiverOnline(*entry);
    found.push_back(std::move(entry));
  }
  std::lock_guard<std::mutex> lock(mutex_);
  for (auto& entry : found) {
    entry->index = static_cast<int>(opened_.size());
    opened_.push_back(std::move(entry));
  }
  current_.reset();
}

const OpenedDevice* HidDeviceManager::RankLocked() const {
  const OpenedDevice* first[4] = {nullptr, nullptr, nullptr, nullptr};
  for (const auto& entry : opened_) {
    if (entry->device_type != device_type_) continue;
    if (entry->mode >= 0 && entry->mode <= 3 && !first[entry->mode]) first[entry->mode] = entry.get();
  }
  if (first[kModeCable]) return first[kModeCable];
  if (first[kModeBluetooth]) return first[kModeBluetooth];
  // Only the first interface of a receiver mode is asked; when its mouse is
  // off that mode is out, even if another interface of it follows.
  if (first[kModeReceiver] && first[kModeReceiver]->online) return first[kModeReceiver];
  if (first[kModeSecondReceiver] && first[kModeSecondReceiver]->online) {
    return first[kModeSecondReceiver];
  }
  return nullptr;
}

int HidDeviceManager::ConnectionMode() const {
  std::lock_guard<std::mutex> lock(mutex_);
  const OpenedDevice* chosen = RankLocked();
  return chosen ? chosen->mode : kModeNone;
}

std::shared_ptr<HidConnection> HidDeviceManager::CurrentDevice() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (current_) return current_;
  const OpenedDevice* chosen = RankLocked();
  if (chosen && chosen->mode != kModeBluetooth && chosen->handle) current_ = chosen->handle;
  return current_;
}

void HidDeviceManager::ClearCurrentDevice() {
  std::lock_guard<std::mutex> lock(mutex_);
  current_.reset();
}

int HidDeviceManager::FindOpened(uint16_t vid, uint16_t pid, int mode) const {
  std::lock_guard<std::mutex> lock(mutex_);
  for (size_t i = 0; i < opened_.size(); ++i) {
    const OpenedDevice& entry = *opened_[i];
    if (entry.vendor_id == vid && entry.product_id == pid && entry.mode == mode) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

const KnownDevice* HidDeviceManager::FindKnownLocked(uint16_t vid, uint16_t pid) const {
  for (const KnownDevice& known : known_) {
    if (known.vendor_id == vid && known.product_id == pid) return &known;
  }
  return nullptr;
}

bool HidDeviceManager::IsKnown(uint16_t vid, uint16_t pid) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return FindKnownLocked(vid, pid) != nullptr;
}

int HidDeviceManager::TypeOf(uint16_t vid, uint16_t pid) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const KnownDevice* known = FindKnownLocked(vid, pid);
  return known ? known->device_type : 0;
}

int HidDeviceManager::ModeOf(uint16_t vid, uint16_t pid) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const KnownDevice* known = FindKnownLocked(vid, pid);
  return known ? known->mode : 0;
}

void HidDeviceManager::AddKnown(uint16_t vid, uint16_t pid, int type, int mode) {
  std::lock_guard<std::mutex> lock(mutex_);
  known_.push_back(KnownDevice{vid, pid, type, mode, std::string()});
}

void HidDeviceManager::ClearKnown() {
  std::lock_guard<std::mutex> lock(mutex_);
  known_.clear();
}

bool HidDeviceManager::CollectOfType(std::vector<OpenedDevice>& list) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (opened_.empty()) return false;
  for (const auto& entry : opened_) {
    if (device_type_ == 0 || entry->device_type == device_type_) list.push_back(*entry);
  }
  return true;
}

std::vector<OpenedDevice> HidDeviceManager::OpenedDevices() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<OpenedDevice> list;
  for (const auto& entry : opened_) list.push_back(*entry);
  return list;
}

int HidDeviceManager::DeviceType() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return device_type_;
}

void HidDeviceManager::SetDeviceType(int type) {
  std::lock_guard<std::mutex> lock(mutex_);
  device_type_ = type;
  current_.reset();
}

}  // namespace zq
