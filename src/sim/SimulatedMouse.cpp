#include "sim/SimulatedMouse.h"

#include <algorithm>
#include <chrono>
#include <cstring>

#include <fmt/printf.h>

namespace zq::sim {
namespace {

// The Bluetooth HID service as it appears in a Bluetooth LE interface path.
constexpr const char* kBleServicePath = "{00001812-0000-1000-8000-00805f9b34fb}";
constexpr size_t kMaxLoggedRequests = 65536;
constexpr int kLongestWaitMs = 60000;

uint8_t Checksum(const SimulatedMouse::Report& payload) {
  unsigned sum = 0;
  for (int i = 4; i < SimulatedMouse::kReportSize; ++i) sum += payload[i];
  return static_cast<uint8_t>(sum);
}

SimulatedMouse::Block FactoryBlock(int profile) {
  SimulatedMouse::Block block{};
  block[0] = static_cast<uint8_t>(profile);
  block[1] = 1;  // lighting mode
  block[2] = 4;  // 1000 Hz
  block[3] = 6;  // six DPI levels
  block[4] = 2;  // active level, 1-based
  const int dpi[6] = {400, 800, 1600, 3200, 6400, 12800};
  for (int i = 0; i < 6; ++i) {
    block[5 + 2 * i] = static_cast<uint8_t>(dpi[i] & 0xFF);
    block[6 + 2 * i] = static_cast<uint8_t>(dpi[i] >> 8);
  }
  const uint8_t rgb[6][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255},
                             {255, 255, 0}, {0, 255, 255}, {128, 0, 128}};
  for (int i = 0; i < 6; ++i) std::memcpy(&block[17 + 3 * i], rgb[i], 3);
  block[40] = 0;  // scroll direction
  block[41] = 1;  // lift-off distance
  block[42] = 0;  // sensor options
  block[43] = 4;  // debounce
  block[44] = 3;  // sleep time
  block[45] = 1;  // game mode
  return block;
}

SimulatedMouse::KeyCodes FactoryKeys() {
  SimulatedMouse::KeyCodes keys{};
  const uint8_t codes[8][4] = {{0x20, 0x01, 0, 0}, {0x20, 0x02, 0, 0}, {0x20, 0x04, 0, 0},
                               {0x20, 0x08, 0, 0}, {0x20, 0x10, 0, 0}, {0x21, 0x55, 0, 0},
                               {0x21, 0x38, 0x01, 0}, {0x21, 0x38, 0xFF, 0}};
  for (int i = 0; i < 8; ++i) std::memcpy(&keys[4 * i], codes[i], 4);
  return keys;
}

bool ValidProfile(int profile) { return profile >= 0 && profile < SimulatedMouse::kProfiles; }

}  // namespace

uint16_t SimIds::ProductOf(SimMode mode) const {
  switch (mode) {
    case SimMode::Cable: return cable;
    case SimMode::Receiver: return receiver;
    case SimMode::Bluetooth: return bluetooth;
    case SimMode::SecondReceiver: return second_receiver;
  }
  return cable;
}

SimulatedMouse::SimulatedMouse(Clock& clock, SimIds ids, bool realtime)
    : clock_(clock), ids_(ids), realtime_(realtime), macro_image_(kMacroImageSize, 0) {
  for (int p = 0; p < kProfiles; ++p) {
    blocks_[p] = FactoryBlock(p);
    keys_[p] = FactoryKeys();
  }
  dpi_value_ = 800;
}

// --- connection --------------------------------------------------------------

void SimulatedMouse::BuildInterfacesLocked() {
  interfaces_.clear();
  const uint16_t pid = ids_.ProductOf(mode_);
  auto add = [&](std::string path, uint16_t page, uint16_t usage, bool command, HidBus bus) {
    Interface item;
    item.info.path = std::move(path);
    item.info.vendor_id = ids_.vendor_id;
    item.info.product_id = pid;
    item.info.release_number = 0x0105;
    item.info.usage_page = page;
    item.info.usage = usage;
    item.info.bus = bus;
    item.hid_name = fmt::sprintf("%04X:%04X:%04X.%04X", bus == HidBus::Bluetooth ? 5 : 3,
                                 ids_.vendor_id, pid, instance_);
    item.command = command;
    interfaces_.push_back(std::move(item));
  };
  if (mode_ == SimMode::Bluetooth) {
    // Over Bluetooth LE only the ordinary input collections are reachable.
    add(fmt::sprintf("%s:ble-%d/%s_dev_vid&02%04x_pid&%04x_kbd", ids_.path_prefix, instance_,
                     kBleServicePath,
                     ids_.vendor_id, pid),
        0x0001, 0x0002, false, HidBus::Bluetooth);
    return;
  }
  const bool cable = mode_ == SimMode::Cable;
  for (int i = 0; i < 3; ++i) {
    std::string path = fmt::sprintf("%s:hidraw%d", ids_.path_prefix, instance_ * 3 + i);
    if (i == 0) add(path, 0x0001, 0x0002, false, HidBus::Usb);
    if (i == 1) add(path, 0x0001, 0x0006, false, HidBus::Usb);
    if (i == 2) {
      add(path, cable ? 0xFF01 : 0xFF0A, cable ? 0x10 : 0x01, true, HidBus::Usb);
    }
  }
}

void SimulatedMouse::EventsLocked(uint32_t code, std::vector<DeviceEvent>& out) const {
  for (const Interface& item : interfaces_) {
    out.push_back(DeviceEvent{code, MakeInterfaceName(item.info.path, item.hid_name)});
  }
}

void SimulatedMouse::UnplugLocked(std::vector<DeviceEvent>& events) {
  if (!plugged_) return;
  EventsLocked(kDeviceRemoveComplete, events);
  plugged_ = false;
  interfaces_.clear();
  input_.clear();
  ++generation_;
  input_ready_.notify_all();
}

void SimulatedMouse::Deliver(const std::vector<DeviceEvent>& events) {
  if (events.empty()) return;
  EventListener listener;
  {
    std::lock_guard<std::mutex> lock(listener_mutex_);
    listener = listener_;
  }
  // Called without a lock, so the listener may call back into the mouse.
  if (!listener) return;
  for (const DeviceEvent& event : events) listener(event);
}

void SimulatedMouse::Plug() {
  std::vector<DeviceEvent> events;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (plugged_) return;
    plugged_ = true;
    ++instance_;
    ++generation_;
    BuildInterfacesLocked();
    EventsLocked(kDeviceArrival, events);
  }
  Deliver(events);
}

void SimulatedMouse::Unplug() {
  std::vector<DeviceEvent> events;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    UnplugLocked(events);
  }
  Deliver(events);
}

bool SimulatedMouse::Plugged() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return plugged_;
}

void SimulatedMouse::SetMode(SimMode mode) {
  std::vector<DeviceEvent> events;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (mode == mode_) return;
    const bool was_plugged = plugged_;
    UnplugLocked(events);
    mode_ = mode;
    if (was_plugged) {
      plugged_ = true;
      ++instance_;
      BuildInterfacesLocked();
      EventsLocked(kDeviceArrival, events);
    }
  }
  Deliver(events);
}

SimMode SimulatedMouse::Mode() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return mode_;
}

void SimulatedMouse::SetMouseOn(bool on) {
  std::lock_guard<std::mutex> lock(mutex_);
  mouse_on_ = on;
}

bool SimulatedMouse::MouseOn() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return mouse_on_;
}

void SimulatedMouse::SetEventListener(EventListener listener) {
  std::lock_guard<std::mutex> lock(listener_mutex_);
  listener_ = std::move(listener);
}

// --- the HID side ------------------------------------------------------------

std::vector<HidDeviceInfo> SimulatedMouse::Interfaces() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<HidDeviceInfo> list;
  for (const Interface& item : interfaces_) list.push_back(item.info);
  return list;
}

std::string SimulatedMouse::HidNameOf(const std::string& path) const {
  std::lock_guard<std::mutex> lock(mutex_);
  const Interface* item = FindLocked(path);
  return item ? item->hid_name : std::string();
}

const SimulatedMouse::Interface* SimulatedMouse::FindLocked(const std::string& path) const {
  for (const Interface& item : interfaces_) {
    if (item.info.path == path) return &item;
  }
  return nullptr;
}

bool SimulatedMouse::ValidLocked(const Token& token) const {
  return plugged_ && token.generation == generation_ && FindLocked(token.path) != nullptr;
}

bool SimulatedMouse::ReachableLocked() const {
  if (!plugged_ || mode_ == SimMode::Bluetooth) return false;
  return mode_ == SimMode::Cable || mouse_on_;
}

bool SimulatedMouse::OpenInterface(const std::string& path, Token& token) const {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!plugged_ || !FindLocked(path)) return false;
  token.generation = generation_;
  token.path = path;
  return true;
}

bool SimulatedMouse::PushLocked(std::vector<uint8_t> bytes, uint64_t ready_at) {
  // Reports keep their order: one cannot overtake a late one ahead of it.
  if (!input_.empty()) ready_at = std::max(ready_at, input_.back().ready_at);
  input_.push_back(Input{ready_at, std::move(bytes)});
  input_ready_.notify_all();
  return true;
}

bool SimulatedMouse::ExecuteLocked(const Report& request, Report& reply) {
  if (request[0] != 0x55 || request[3] != Checksum(request)) return false;
  const uint8_t code = request[1];
  const int profile = request[7];
  reply = request;
  reply[0] = 0xAA;
  auto nak = [&] { reply[0] = kNak; };
  switch (code) {
    case 0x03:
      for (int i = 0; i < 3; ++i) reply[23 + i] = static_cast<uint8_t>(firmware_digits_[i]);
      break;
    case 0x08:
      if (!ValidProfile(profile)) return nak(), true;
      std::copy(keys_[profile].begin(), keys_[profile].end(), reply.begin() + 8);
      break;
    case 0x09:
      if (!ValidProfile(profile)) return nak(), true;
      std::copy(request.begin() + 8, request.begin() + 40, keys_[profile].begin());
      break;
    case 0x0D: {
      const int offset = request[5] | (request[6] << 8);
      const int length = request[4];
      if (length > 56 || offset + length > kMacroImageSize) return nak(), true;
      std::copy(request.begin() + 8, request.begin() + 8 + length, macro_image_.begin() + offset);
      break;
    }
    case 0x0E:
      if (!ValidProfile(profile)) return nak(), true;
      std::copy(blocks_[profile].begin(), blocks_[profile].end(), reply.begin() + 8);
      break;
    case 0x0F:
      if (!ValidProfile(profile)) return nak(), true;
      std::copy(request.begin() + 8, request.begin() + 8 + kBlockSize, blocks_[profile].begin());
      break;
    case 0x10:
      ++macro_complete_;
      break;
    case 0x21:
      lighting_ = request[10];
      if (ValidProfile(profile) && !ProfileBlankLocked(profile)) blocks_[profile][1] = request[10];
      break;
    case 0x22:
      if (request[10] < 1 || request[10] > 6) return nak(), true;
      dpi_level_ = request[10];
      dpi_value_ = request[11] | (request[12] << 8);
      if (ValidProfile(profile) && !ProfileBlankLocked(profile)) blocks_[profile][4] = request[10];
      break;
    case 0x23:
      if (request[10] < 1 || request[10] > 4) return nak(), true;
      report_rate_ = request[10];
      if (ValidProfile(profile) && !ProfileBlankLocked(profile)) blocks_[profile][2] = request[10];
      break;
    case 0x30:
      reply[8] = static_cast<uint8_t>(battery_level_);
      reply[9] = static_cast<uint8_t>(charging_);
      break;
    default:
      return false;  // the firmware ignores what it does not know
  }
  return true;
}

int SimulatedMouse::Write(const Token& token, const uint8_t* data, size_t length) {
  std::vector<DeviceEvent> events;
  int result = -1;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const Interface* target = ValidLocked(token) ? FindLocked(token.path) : nullptr;
    if (!target || !target->command || !data || length < 2) return -1;
    const bool has_fault = !faults_.empty();
    const SimFault fault = has_fault ? faults_.front() : SimFault::NoReply;
    if (has_fault) faults_.pop_front();
    if (has_fault && fault == SimFault::WriteFailure) return -1;

    Report request{};
    std::memcpy(request.data(), data + 1, std::min<size_t>(length - 1, kReportSize));
    if (requests_.size() >= kMaxLoggedRequests) {
      requests_.erase(requests_.begin(), requests_.begin() + kMaxLoggedRequests / 2);
    }
    requests_.push_back(request);

    Report reply{};
    bool answer = false;
    const bool receiver = mode_ == SimMode::Receiver || mode_ == SimMode::SecondReceiver;
    if (receiver && request[0] == 0x01) {
      // The receiver itself answers its status report, mouse on or off.
      unsigned sum = 0;
      for (uint8_t b : request) sum += b;
      if ((sum & 0xFF) == 0xA1) {
        reply[0] = 0x01;
        reply[2] = 0x8C;
        reply[4] = static_cast<uint8_t>(0x01 | (mouse_on_ ? 0x08 : 0x00));
        answer = true;
      }
    } else if (ReachableLocked()) {
      answer = ExecuteLocked(request, reply);
    }

    uint64_t ready_at = clock_.TickCount();
    size_t reply_length = kReportSize;
    if (has_fault) {
      switch (fault) {
        case SimFault::NoReply: answer = false; break;
        case SimFault::Nak: reply[0] = kNak; break;
        case SimFault::WrongEcho: reply[1] ^= 0x80; break;
        case SimFault::LateReply: ready_at += late_delay_; break;
        case SimFault::BadLength: reply_length = 7; break;
        case SimFault::NotificationFirst: {
          std::vector<uint8_t> note(kReportSize, 0);
          note[0] = 0xAA;
          note[1] = 0xFA;
          note[8] = 0xD0;
          note[9] = static_cast<uint8_t>(battery_level_);
          note[10] = static_cast<uint8_t>(charging_);
          PushLocked(std::move(note), ready_at);
          break;
        }
        case SimFault::UnplugMidTransaction:
          answer = false;
          UnplugLocked(events);
          break;
        case SimFault::Garbage:
          for (uint8_t& b : reply) {
            noise_ = noise_ * 1103515245u + 12345u;
            b = static_cast<uint8_t>(noise_ >> 16);
          }
          if (reply[0] == 0xAA) reply[0] = 0x5A;
          break;
        case SimFault::WriteFailure: break;
      }
    }
    if (answer) {
      PushLocked(std::vector<uint8_t>(reply.begin(), reply.begin() + reply_length), ready_at);
    }
    result = static_cast<int>(length);
  }
  Deliver(events);
  return result;
}

int SimulatedMouse::Read(const Token& token, uint8_t* data, size_t length, int timeout_ms) {
  std::unique_lock<std::mutex> lock(mutex_);
  if (timeout_ms < 0) timeout_ms = kLongestWaitMs;
  const uint64_t deadline = clock_.TickCount() + static_cast<uint64_t>(timeout_ms);
  for (;;) {
    if (!ValidLocked(token)) return -1;
    const uint64_t now = clock_.TickCount();
    if (!input_.empty() && input_.front().ready_at <= now) {
      std::vector<uint8_t> bytes = std::move(input_.front().bytes);
      input_.pop_front();
      const size_t n = std::min(length, bytes.size());
      if (n) std::memcpy(data, bytes.data(), n);
      return static_cast<int>(n);
    }
    if (now >= deadline) return 0;
    uint64_t until = deadline;
    if (!input_.empty()) until = std::min(until, input_.front().ready_at);
    const auto wait_ms = static_cast<uint32_t>(until - now);
    if (realtime_) {
      input_ready_.wait_for(lock, std::chrono::milliseconds(wait_ms), [&] {
        return !ValidLocked(token) ||
               (!input_.empty() && input_.front().ready_at <= clock_.TickCount());
      });
    } else {
      lock.unlock();
      clock_.Sleep(wait_ms);
      lock.lock();
    }
  }
}

int SimulatedMouse::SendFeature(const Token& token, const uint8_t* data, size_t length) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Interface* target = ValidLocked(token) ? FindLocked(token.path) : nullptr;
  if (!target || !target->command || !data || length < 3 || data[0] != 0x51) return -1;
  feature_target_ = data[2];
  return static_cast<int>(length);
}

int SimulatedMouse::GetFeature(const Token& token, uint8_t* data, size_t length) {
  std::lock_guard<std::mutex> lock(mutex_);
  const Interface* target = ValidLocked(token) ? FindLocked(token.path) : nullptr;
  if (!target || !target->command || !data || length < 3 || data[0] != 0x51) return -1;
  if (feature_failures_ > 0) {
    --feature_failures_;
    return 0;
  }
  const bool receiver = mode_ == SimMode::Receiver || mode_ == SimMode::SecondReceiver;
  std::string text;
  if (feature_target_ == 0xAA) {
    if (receiver) text = receiver_version_;
  } else if (ReachableLocked()) {
    text = first_version_;
  }
  const size_t size = std::min<size_t>(length, 21);
  std::memset(data, 0, size);
  data[0] = 0x51;
  data[1] = 0x04;
  data[2] = static_cast<uint8_t>(std::min<size_t>(text.size(), 255));
  std::memcpy(data + 3, text.data(), std::min(text.size(), size - 3));
  return static_cast<int>(size);
}

// --- firmware storage ----------------------------------------------------------

bool SimulatedMouse::ProfileBlankLocked(int profile) const {
  return std::all_of(blocks_[profile].begin(), blocks_[profile].end(),
                     [](uint8_t b) { return b == 0xFF; });
}

SimulatedMouse::Block SimulatedMouse::SettingsBlock(int profile) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ValidProfile(profile) ? blocks_[profile] : Block{};
}

void SimulatedMouse::SetSettingsBlock(int profile, const Block& block) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ValidProfile(profile)) blocks_[profile] = block;
}

void SimulatedMouse::BlankProfile(int profile) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ValidProfile(profile)) blocks_[profile].fill(0xFF);
}

bool SimulatedMouse::ProfileBlank(int profile) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ValidProfile(profile) && ProfileBlankLocked(profile);
}

SimulatedMouse::KeyCodes SimulatedMouse::KeyCodesOf(int profile) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return ValidProfile(profile) ? keys_[profile] : KeyCodes{};
}

void SimulatedMouse::SetKeyCodes(int profile, const KeyCodes& codes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ValidProfile(profile)) keys_[profile] = codes;
}

std::vector<uint8_t> SimulatedMouse::MacroImage() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return macro_image_;
}

void SimulatedMouse::SetMacroImage(const std::vector<uint8_t>& image) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::fill(macro_image_.begin(), macro_image_.end(), 0);
  std::copy_n(image.begin(), std::min<size_t>(image.size(), kMacroImageSize),
              macro_image_.begin());
}

int SimulatedMouse::MacroCompleteCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return macro_complete_;
}

int SimulatedMouse::ActiveDpiLevel() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return dpi_level_;
}

int SimulatedMouse::ActiveDpiValue() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return dpi_value_;
}

int SimulatedMouse::ReportRate() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return report_rate_;
}

int SimulatedMouse::LightingMode() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return lighting_;
}

int SimulatedMouse::BatteryLevel() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return battery_level_;
}

int SimulatedMouse::ChargingState() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return charging_;
}

void SimulatedMouse::SetBattery(int level, int state) {
  std::lock_guard<std::mutex> lock(mutex_);
  battery_level_ = level;
  charging_ = state;
}

void SimulatedMouse::SetFirmwareDigits(const std::string& three) {
  std::lock_guard<std::mutex> lock(mutex_);
  firmware_digits_ = (three + "000").substr(0, 3);
}

void SimulatedMouse::SetVersionTexts(const std::string& first, const std::string& receiver) {
  std::lock_guard<std::mutex> lock(mutex_);
  first_version_ = first;
  receiver_version_ = receiver;
}

// --- the mouse's own events ----------------------------------------------------

bool SimulatedMouse::PushNotification(uint8_t event, uint8_t first, uint8_t second) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ReachableLocked()) return false;
  std::vector<uint8_t> note(kReportSize, 0);
  note[0] = 0xAA;
  note[1] = 0xFA;
  note[8] = event;
  note[9] = first;
  note[10] = second;
  return PushLocked(std::move(note), clock_.TickCount());
}

bool SimulatedMouse::PushRawReport(const std::vector<uint8_t>& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ReachableLocked()) return false;
  return PushLocked(bytes, clock_.TickCount());
}

bool SimulatedMouse::PushDpiButton(int level, int rate) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (level >= 1 && level <= 6) dpi_level_ = level;
    if (rate >= 1 && rate <= 4) report_rate_ = rate;
  }
  return PushNotification(0x10, static_cast<uint8_t>(level), static_cast<uint8_t>(rate));
}

bool SimulatedMouse::PushLightingChange(int mode) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    lighting_ = mode;
  }
  return PushNotification(0x11, static_cast<uint8_t>(mode), 0);
}

bool SimulatedMouse::PushEmoji(uint8_t event, int number) {
  return PushNotification(event, static_cast<uint8_t>(number), 0);
}

bool SimulatedMouse::PushBattery(int level, int state) {
  SetBattery(level, state);
  return PushNotification(0xD0, static_cast<uint8_t>(level), static_cast<uint8_t>(state));
}

bool SimulatedMouse::PushDpiRequest() {
  uint8_t rate;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    rate = static_cast<uint8_t>(report_rate_);
  }
  return PushNotification(0x10, 0xFF, rate);
}

void SimulatedMouse::PressButton(int slot, int profile) {
  if (slot < 0 || slot >= kKeySlots || !ValidProfile(profile)) return;
  std::array<uint8_t, 4> code{};
  ButtonHandler handler;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    std::copy_n(keys_[profile].begin() + 4 * slot, 4, code.begin());
  }
  {
    std::lock_guard<std::mutex> lock(listener_mutex_);
    handler = button_handler_;
  }
  if (handler) handler(*this, slot, profile, code);
}

void SimulatedMouse::EditFirmware(const std::function<void(FirmwareState&)>& edit) {
  if (!edit) return;
  std::lock_guard<std::mutex> lock(mutex_);
  FirmwareState state{blocks_, dpi_level_, dpi_value_, report_rate_, lighting_};
  edit(state);
}

void SimulatedMouse::SetButtonHandler(ButtonHandler handler) {
  std::lock_guard<std::mutex> lock(listener_mutex_);
  button_handler_ = std::move(handler);
}

// --- fault injection -------------------------------------------------------------

void SimulatedMouse::InjectFault(SimFault fault, int times) {
  std::lock_guard<std::mutex> lock(mutex_);
  for (int i = 0; i < times; ++i) faults_.push_back(fault);
}

void SimulatedMouse::FailFeatureReads(int times) {
  std::lock_guard<std::mutex> lock(mutex_);
  feature_failures_ = std::max(0, times);
}

void SimulatedMouse::SetLateReplyDelay(uint32_t ms) {
  std::lock_guard<std::mutex> lock(mutex_);
  late_delay_ = ms;
}

uint32_t SimulatedMouse::LateReplyDelay() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return late_delay_;
}

void SimulatedMouse::ClearFaults() {
  std::lock_guard<std::mutex> lock(mutex_);
  faults_.clear();
  feature_failures_ = 0;
}

size_t SimulatedMouse::PendingFaults() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return faults_.size();
}

// --- observation -------------------------------------------------------------------

std::vector<SimulatedMouse::Report> SimulatedMouse::Requests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_;
}

size_t SimulatedMouse::RequestCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return requests_.size();
}

void SimulatedMouse::ClearRequests() {
  std::lock_guard<std::mutex> lock(mutex_);
  requests_.clear();
}

size_t SimulatedMouse::PendingInputReports() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return input_.size();
}

}  // namespace zq::sim
