#include "device/ops/DeviceOperations.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "device/codec/Command.h"
#include "device/codec/KeyReport.h"
#include "platform/Text.h"

namespace zq {
namespace {

bool ValidProfile(int profile) {
  return profile >= 1 && profile <= DeviceOperations::kMouseProfiles;
}

uint8_t IndexOf(int profile) { return static_cast<uint8_t>(profile - 1); }

// The version command's reply is read into a larger buffer than a report,
// zeroed beyond it.
constexpr size_t kVersionBufferSize = 128;

}  // namespace

DeviceOperations::DeviceOperations(HidDeviceManager& manager, ConfigStore& store,
                                   DevicePageEffects& effects, KeystrokeSink& keystrokes,
                                   CurrentProfileFn current_profile)
    : manager_(manager),
      store_(store),
      effects_(effects),
      keystrokes_(keystrokes),
      current_profile_(std::move(current_profile)) {}

int DeviceOperations::CurrentProfile() const { return current_profile_ ? current_profile_() : 1; }

bool DeviceOperations::Send(codec::CommandBuffer& buffer) {
  return manager_.SendCommand(buffer);
}

codec::SettingsValues DeviceOperations::ReadSettingsValues(int profile) {
  codec::SettingsValues values;
  for (const std::string& key : codec::SettingsBlockKeys()) {
    std::string text;
    if (store_.GetConfig(profile, key, text)) values[key] = text;
  }
  return values;
}

// --- settings block and single values -------------------------------------------

bool DeviceOperations::WriteSettingsBlock(int profile) {
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b = codec::BuildWriteSettings(IndexOf(profile), ReadSettingsValues(profile));
  return Send(b);
}

bool DeviceOperations::ReadSettingsBlock(int profile) {
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b = codec::BuildReadSettings(IndexOf(profile));
  Send(b);
  const codec::SettingsReply reply = codec::UnpackSettingsReply(b);
  switch (reply.kind) {
    case codec::SettingsReplyKind::Ignored:
      return false;
    case codec::SettingsReplyKind::Empty:
      return true;
    case codec::SettingsReplyKind::NoSettings:
      // A blank profile in the mouse takes what the store holds for it.
      return WriteSettingsBlock(profile);
    case codec::SettingsReplyKind::Values:
      for (const auto& [key, text] : reply.values) store_.SetConfig(profile, key, text);
      return true;
  }
  return false;
}

bool DeviceOperations::WriteDpiLevel(int profile) {
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b = codec::BuildSetDpiLevel(IndexOf(profile), ReadSettingsValues(profile));
  return Send(b);
}

bool DeviceOperations::WriteReportRate(int profile) {
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b =
      codec::BuildSetReportRate(IndexOf(profile), ReadSettingsValues(profile));
  return Send(b);
}

bool DeviceOperations::WriteLightingMode(int mode) {
  const int profile = CurrentProfile();
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b = codec::BuildSetLightingMode(IndexOf(profile), mode);
  return Send(b);
}

// --- buttons and macros --------------------------------------------------------------

codec::MacroImage DeviceOperations::BuildStoredMacroImage() {
  std::vector<Macro> macros;
  store_.ListMacros(macros);
  return BuildImageOf(macros);
}

codec::MacroImage DeviceOperations::BuildImageOf(const std::vector<Macro>& macros) {
  std::vector<std::vector<MacroRecord>> items(macros.size());
  for (size_t i = 0; i < macros.size(); ++i) store_.ListMacroRecords(macros[i].macro_id, items[i]);
  return codec::BuildMacroImage(items);
}

bool DeviceOperations::WriteMacroImage() {
  const codec::MacroImage image = BuildStoredMacroImage();
  bool all = true;
  // Every chunk is sent even after one failed: the mouse keeps what it took,
  // and the result says the memory is incomplete.
  for (codec::CommandBuffer b : codec::BuildMacroImageCommands(image)) all = Send(b) && all;
  return all;
}

bool DeviceOperations::WriteButtonCodes(int profile) {
  if (!ValidProfile(profile)) return false;
  std::vector<Macro> macros;
  store_.ListMacros(macros);
  // The numbers the buttons send must be those of the image as it is laid
  // out, also when this write goes without one (restoring defaults).
  const codec::MacroImage image = BuildImageOf(macros);
  std::vector<ButtonAssignment> assignments;
  store_.ListAssignments(profile, assignments);
  codec::CommandBuffer b =
      codec::BuildWriteButtonCodes(IndexOf(profile), assignments, macros, &image.placement);
  return Send(b);
}

bool DeviceOperations::ReadButtonCodes(int profile) {
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b = codec::BuildReadButtonCodes(IndexOf(profile));
  Send(b);
  // A reply to another command would store its bytes as functions.
  if (!codec::IsReplyTo(b, codec::kReadButtonCodes)) return false;
  std::vector<Macro> macros;
  store_.ListMacros(macros);
  for (const ButtonAssignment& a : codec::DecodeButtonCodesReply(profile, b, macros)) {
    store_.SaveAssignment(a);
  }
  return true;
}

// --- status ------------------------------------------------------------------------------

bool DeviceOperations::ReadBattery() {
  const int profile = CurrentProfile();
  if (!ValidProfile(profile)) return false;
  codec::CommandBuffer b = codec::BuildReadBattery(IndexOf(profile));
  Send(b);
  const auto battery = codec::ParseBatteryReply(b);
  if (!battery) return false;
  // The control draws 0..100; a notification is limited the same way.
  effects_.SetBatteryInfo(std::min(battery->level, 100), battery->state);
  return true;
}

bool DeviceOperations::PollNotification() {
  Clock& clock = manager_.GetClock();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const uint64_t now = clock.TickCount();
    if (polled_ && now - last_poll_ < kPollSpacingMs) return false;
    polled_ = true;
    last_poll_ = now;
  }

  std::array<uint8_t, kCommandReportSize> report{};
  // Through the manager, so the read never interleaves with an exchange.
  const int n = manager_.ReadInputReport(report.data(), codec::kNotificationSize, kPollTimeoutMs);
  // A failed read may leave anything in the buffer; it counts as none.
  if (n <= 0) report.fill(0);
  const codec::Notification note =
      codec::ParseNotification(std::span<const uint8_t>(report.data(), codec::kNotificationSize));

  const int profile = CurrentProfile();
  switch (note.kind) {
    case codec::NotificationKind::DpiLevelRequest:
      return true;
    case codec::NotificationKind::Emoji:
      // Typed here on the worker, before the poll goes on.
      TypeEmoji(note.emoji, keystrokes_, clock);
      break;
    case codec::NotificationKind::Battery:
      effects_.SetBatteryInfo(note.battery_level, note.battery_state);
      break;
    case codec::NotificationKind::DpiOrReportRate: {
      codec::DpiNotificationTracker::Update update;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        update = dpi_tracker_.Apply(note.value1, note.value2);
      }
      if (update.level_changed) {
        store_.SetConfig(profile, "dpi_index", FormatInt(update.dpi_index));
        effects_.CheckDpiLevel(update.level);
      }
      store_.SetConfig(profile, "report_rate", FormatInt(update.report_rate));
      effects_.CheckReportRate(update.report_rate);
      break;
    }
    case codec::NotificationKind::LightingMode:
      effects_.SelectLightingMode(note.light_mode);
      store_.SetConfig(profile, "light_mode", FormatInt(note.light_mode));
      break;
    case codec::NotificationKind::None:
    case codec::NotificationKind::Other:
      break;
  }
  return false;
}

void DeviceOperations::ShowVersions() {
  std::string first, receiver;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    first = first_version_;
    receiver = receiver_version_;
  }
  effects_.SetVersionFields(first, receiver);
}

void DeviceOperations::ShowVersionTexts() {
  std::string first;
  manager_.ReadVersionText(0, first);  // "0.0.0" without a reply
  std::string receiver = "0.0.0";
  const int mode = manager_.ConnectionMode();
  if (mode == kModeReceiver || mode == kModeSecondReceiver) {
    manager_.ReadVersionText(kModeReceiver, receiver);
    manager_.ReadVersionText(kModeSecondReceiver, receiver);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    first_version_ = first;
    receiver_version_ = receiver;
  }
  ShowVersions();
}

void DeviceOperations::ShowVersionCommand() {
  std::array<uint8_t, kVersionBufferSize> buffer{};
  const codec::CommandBuffer request = codec::BuildReadVersion();
  std::memcpy(buffer.data(), request.data(), request.size());
  manager_.SendCommand(buffer.data(), buffer.size());
  const auto text = codec::ParseVersionReply(buffer);
  if (!text) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    first_version_ = *text;
  }
  ShowVersions();
}

std::string DeviceOperations::FirstVersion() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return first_version_;
}

std::string DeviceOperations::ReceiverVersion() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return receiver_version_;
}

}  // namespace zq
