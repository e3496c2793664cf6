#pragma once
// A firmware emulator of the mouse, so that the program, its tests and its
// benchmarks can run without the hardware. It answers the command reports,
// the version feature report and the receiver status report the way the
// firmware does, including its silences: a request with a bad checksum or an
// unknown command gets no reply at all.
//
// The storage is kept raw, exactly as the firmware holds it: six settings
// blocks of 46 bytes (a blank profile is all 0xFF), nine four-byte key codes
// per profile, one 4224-byte macro image. Decoding these bytes into values,
// functions and macros belongs in separate decoder classes that take the
// accessors below; button presses that act on the stored functions plug in
// through SetButtonHandler.
//
// Thread-safe: the device worker talks to it through SimBackend while a
// control panel on another thread plugs it, switches it or presses buttons.
// Hot-plug events are delivered to the listener outside the internal lock,
// on the thread that caused them.

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "device/HidBackend.h"
#include "platform/Clock.h"

namespace zq::sim {

// Connection modes, numbered as the catalogue numbers them.
enum class SimMode { Cable = 0, Receiver = 1, Bluetooth = 2, SecondReceiver = 3 };

// What can go wrong with the next request(s). Each injected fault is used by
// exactly one request, in the order injected.
enum class SimFault {
  WriteFailure,          // the write itself fails (-1), nothing reaches the mouse
  NoReply,               // the request is taken but never answered
  Nak,                   // answered with a non-acknowledging marker
  WrongEcho,             // acknowledged, but byte 1 names another command
  LateReply,             // answered after LateReplyDelay() on the clock
  BadLength,             // the reply is cut short (7 bytes)
  NotificationFirst,     // a battery notification arrives just before the reply
  UnplugMidTransaction,  // the device disappears after taking the request
  Garbage,               // the reply is noise (byte 0 never 0xAA)
};

// Vendor and product id per connection mode. The defaults are the
// placeholder ids of resources/config.xml.
struct SimIds {
  uint16_t vendor_id = 0xFFF7;
  uint16_t cable = 0x5701;
  uint16_t receiver = 0x5702;
  uint16_t bluetooth = 0x5704;
  uint16_t second_receiver = 0x5703;
  // Front of the interface paths; two simulated mice need different ones.
  std::string path_prefix = "sim";
  uint16_t ProductOf(SimMode mode) const;
};

class SimulatedMouse {
 public:
  static constexpr int kProfiles = 6;
  static constexpr int kBlockSize = 46;
  static constexpr int kKeySlots = 9;
  static constexpr int kMacroImageSize = 4224;
  static constexpr int kReportSize = 64;
  static constexpr uint8_t kNak = 0xEE;

  using Report = std::array<uint8_t, kReportSize>;
  using Block = std::array<uint8_t, kBlockSize>;
  using KeyCodes = std::array<uint8_t, kKeySlots * 4>;
  using EventListener = std::function<void(const DeviceEvent&)>;
  // slot 0..8, profile index 0..5, the four bytes stored for that slot.
  using ButtonHandler =
      std::function<void(SimulatedMouse&, int slot, int profile, std::array<uint8_t, 4> code)>;

  // realtime: reads wake as soon as a report arrives (for the program, with a
  // real clock). Otherwise a read waits on the clock only, which keeps a
  // VirtualClock's sleep log an exact record of the waits.
  explicit SimulatedMouse(Clock& clock, SimIds ids = {}, bool realtime = false);

  // --- connection ---------------------------------------------------------
  // Starts unplugged in cable mode with the mouse switched on.
  void Plug();
  void Unplug();
  bool Plugged() const;
  // Switching while plugged removes the old interfaces and adds the new ones.
  void SetMode(SimMode mode);
  SimMode Mode() const;
  // The mouse behind a receiver can be switched off; the receiver stays.
  void SetMouseOn(bool on);
  bool MouseOn() const;
  void SetEventListener(EventListener listener);

  // --- the HID side, used by SimBackend ------------------------------------
  std::vector<HidDeviceInfo> Interfaces() const;
  // The kernel-style HID name of a present interface ("" when absent).
  std::string HidNameOf(const std::string& path) const;
  // A token for an opened path; it stops working when the interface goes.
  struct Token {
    uint64_t generation = 0;
    std::string path;
  };
  bool OpenInterface(const std::string& path, Token& token) const;
  int Write(const Token& token, const uint8_t* data, size_t length);
  int Read(const Token& token, uint8_t* data, size_t length, int timeout_ms);
  int SendFeature(const Token& token, const uint8_t* data, size_t length);
  int GetFeature(const Token& token, uint8_t* data, size_t length);

  // --- firmware storage (raw) -----------------------------------------------
  Block SettingsBlock(int profile) const;
  void SetSettingsBlock(int profile, const Block& block);
  void BlankProfile(int profile);
  bool ProfileBlank(int profile) const;
  KeyCodes KeyCodesOf(int profile) const;
  void SetKeyCodes(int profile, const KeyCodes& codes);
  std::vector<uint8_t> MacroImage() const;
  void SetMacroImage(const std::vector<uint8_t>& image);
  // How often the host finished a macro download (command 0x10).
  int MacroCompleteCount() const;
  int ActiveDpiLevel() const;  // 1..6
  int ActiveDpiValue() const;
  int ReportRate() const;  // rate code 1..4
  int LightingMode() const;
  int BatteryLevel() const;
  int ChargingState() const;
  void SetBattery(int level, int state);
  // Three ASCII bytes answered at offsets 23-25 of command 0x03.
  void SetFirmwareDigits(const std::string& three);
  // Texts of the version feature report: target 0x00 and target 0xAA.
  void SetVersionTexts(const std::string& first, const std::string& receiver);

  // --- the mouse's own events --------------------------------------------
  // Each returns false when the report cannot reach the host (unplugged,
  // Bluetooth, or the mouse is off).
  bool PushDpiButton(int level, int rate);  // also changes the active level
  bool PushLightingChange(int mode);
  bool PushEmoji(uint8_t event, int number);  // event 0x50 or 0x60
  bool PushBattery(int level, int state);
  bool PushDpiRequest();  // asks the host for the active DPI level
  bool PushNotification(uint8_t event, uint8_t first, uint8_t second);
  bool PushRawReport(const std::vector<uint8_t>& bytes);
  // A press of the button in `slot` of `profile`, handed to the handler.
  void PressButton(int slot, int profile);
  void SetButtonHandler(ButtonHandler handler);

  // The firmware's live state as one unit, for behaviours built outside this
  // class (the button actions) that must read and change it without a host
  // request slipping in between.
  struct FirmwareState {
    std::array<Block, kProfiles>& blocks;
    int& dpi_level;  // 1..6
    int& dpi_value;
    int& report_rate;  // rate code 1..4
    int& lighting;
  };
  // Runs `edit` under the mouse's lock; it must not call back into the mouse.
  void EditFirmware(const std::function<void(FirmwareState&)>& edit);

  // --- fault injection ------------------------------------------------------
  void InjectFault(SimFault fault, int times = 1);
  // The next `times` feature reads come back empty.
  void FailFeatureReads(int times);
  void SetLateReplyDelay(uint32_t ms);
  uint32_t LateReplyDelay() const;
  void ClearFaults();
  size_t PendingFaults() const;

  // --- observation ------------------------------------------------------------
  // Every output report that reached the mouse (payload without report id).
  std::vector<Report> Requests() const;
  size_t RequestCount() const;
  void ClearRequests();
  size_t PendingInputReports() const;

 private:
  struct Input {
    uint64_t ready_at;
    std::vector<uint8_t> bytes;
  };
  struct Interface {
    HidDeviceInfo info;
    std::string hid_name;
    bool command = false;  // the collection that takes command reports
  };

  bool ValidLocked(const Token& token) const;
  const Interface* FindLocked(const std::string& path) const;
  bool ReachableLocked() const;
  bool ProfileBlankLocked(int profile) const;
  void BuildInterfacesLocked();
  void EventsLocked(uint32_t code, std::vector<DeviceEvent>& out) const;
  void UnplugLocked(std::vector<DeviceEvent>& events);
  void Deliver(const std::vector<DeviceEvent>& events);
  bool PushLocked(std::vector<uint8_t> bytes, uint64_t ready_at);
  // Runs a command; false when the firmware stays silent.
  bool ExecuteLocked(const Report& request, Report& reply);

  Clock& clock_;
  const SimIds ids_;
  const bool realtime_;

  mutable std::mutex mutex_;
  std::condition_variable input_ready_;
  bool plugged_ = false;
  SimMode mode_ = SimMode::Cable;
  bool mouse_on_ = true;
  uint64_t generation_ = 1;
  int instance_ = 0;
  std::vector<Interface> interfaces_;
  std::deque<Input> input_;
  std::deque<SimFault> faults_;
  int feature_failures_ = 0;
  uint32_t late_delay_ = 1500;
  uint8_t feature_target_ = 0;
  uint32_t noise_ = 0x2545F491;
  std::vector<Report> requests_;

  std::array<Block, kProfiles> blocks_{};
  std::array<KeyCodes, kProfiles> keys_{};
  std::vector<uint8_t> macro_image_;
  int macro_complete_ = 0;
  int dpi_level_ = 2;
  int dpi_value_ = 1600;
  int report_rate_ = 4;
  int lighting_ = 1;
  int battery_level_ = 80;
  int charging_ = 0;
  std::string firmware_digits_ = "105";
  std::string first_version_ = "1.0.5";
  std::string receiver_version_ = "2.0.1";

  std::mutex listener_mutex_;
  EventListener listener_;
  ButtonHandler button_handler_;
};

}  // namespace zq::sim
