#pragma once
// The exchanges the device worker runs with the mouse: the settings block,
// the single-value commands (active DPI level, report rate, lighting mode),
// the key reports, the macro image, the battery read, the firmware versions
// and the notification poll. Each one packs what the settings store holds,
// sends it through the device manager, and stores or shows what came back.
//
// Every operation returns whether the mouse acknowledged what it was sent
// (every chunk, for the macro image). A read changes the store only when its
// reply was acknowledged and answers the command that was sent; a failed
// exchange leaves the store as it was.
//
// Profiles are the store's numbers (1-based); the mouse gets number - 1.
// Numbers outside 1..6 (the mouse keeps six) are refused without an
// exchange.
//
// Threads: everything here runs on the device worker. The store has its own
// lock and the page effects are the window's business; the little state kept
// here (the last DPI level and report rate a notification named, the poll
// time, the version texts) is guarded anyway, so a UI-thread reader of the
// version texts is safe.

#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "buttons/Emoji.h"
#include "device/HidDeviceManager.h"
#include "device/codec/MacroImage.h"
#include "device/codec/Notification.h"
#include "device/codec/SettingsBlock.h"
#include "device/ops/DevicePageEffects.h"
#include "store/ConfigStore.h"

namespace zq {

class DeviceOperations {
 public:
  // Notifications are looked for at most this often.
  static constexpr uint32_t kPollSpacingMs = 200;
  // How long one poll waits for a notification.
  static constexpr int kPollTimeoutMs = 1000;
  static constexpr int kMouseProfiles = 6;

  using CurrentProfileFn = std::function<int()>;

  // `current_profile` answers the main window's current profile (1..5) at
  // the moment it is asked. `keystrokes` is where emoji texts are typed; the
  // clock is the manager's.
  DeviceOperations(HidDeviceManager& manager, ConfigStore& store, DevicePageEffects& effects,
                   KeystrokeSink& keystrokes, CurrentProfileFn current_profile);

  // --- settings block and single values (current profile given) -----------
  // Command 0x0E. Bytes 9..11 all zero: nothing is stored. Bytes 13..15 all
  // 0xFF (the mouse holds nothing for the profile): the stored block is
  // written instead and nothing is stored; the result then includes that
  // write. Otherwise the values are stored (DPI values out of 50..26000 keep
  // their old text; colours are never read back).
  bool ReadSettingsBlock(int profile);
  bool WriteSettingsBlock(int profile);  // 0x0F
  bool WriteDpiLevel(int profile);       // 0x22
  bool WriteReportRate(int profile);     // 0x23
  // 0x21 with `mode` for the current profile.
  bool WriteLightingMode(int mode);

  // --- buttons and macros ----------------------------------------------------
  // The key report 0x09 of one profile: the default codes, then every stored
  // assignment at its slot. Macros are numbered as WriteMacroImage lays them
  // out, so a button naming a macro the memory cannot hold sends nothing.
  bool WriteButtonCodes(int profile);
  // The key report 0x08 of one profile; each slot that says something is
  // stored as the assignment of its position in `profile`. The sixth profile
  // of the mouse is stored as profile 6, which no page shows.
  bool ReadButtonCodes(int profile);
  // The macro image of every stored macro, in 56-byte chunks, then 0x10.
  bool WriteMacroImage();

  // --- status -------------------------------------------------------------------
  // Command 0x30 for the current profile; the battery control gets the
  // reply's level (at most 100, as for the battery notification) and state.
  bool ReadBattery();
  // One notification poll, at most every kPollSpacingMs on the clock. True
  // when the mouse asks for the active DPI level (the worker then queues the
  // DPI-level task); everything else a notification says is handled here.
  bool PollNotification();
  // Field A from the version feature report, field B "0.0.0", or the
  // receiver's version when connected through a receiver.
  void ShowVersionTexts();
  // Command 0x03: field A from the reply's three version digits, when the
  // mouse answers.
  void ShowVersionCommand();

  // The texts last shown in the version fields.
  std::string FirstVersion() const;
  std::string ReceiverVersion() const;

  // The macros of the store as the macro memory holds them: the image
  // WriteMacroImage sends and the placement the key reports use.
  codec::MacroImage BuildStoredMacroImage();

 private:
  codec::SettingsValues ReadSettingsValues(int profile);
  codec::MacroImage BuildImageOf(const std::vector<Macro>& macros);
  bool Send(codec::CommandBuffer& buffer);
  int CurrentProfile() const;
  void ShowVersions();

  HidDeviceManager& manager_;
  ConfigStore& store_;
  DevicePageEffects& effects_;
  KeystrokeSink& keystrokes_;
  CurrentProfileFn current_profile_;

  mutable std::mutex mutex_;
  codec::DpiNotificationTracker dpi_tracker_;
  bool polled_ = false;
  uint64_t last_poll_ = 0;
  std::string first_version_ = "0.0.0";
  std::string receiver_version_ = "0.0.0";
};

}  // namespace zq
