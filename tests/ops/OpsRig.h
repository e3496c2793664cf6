#pragma once
// The device operations end to end: a simulated mouse behind the real device
// manager, a real settings store on a temporary folder with the five
// profiles, a virtual clock, recorded page effects and keystrokes.

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "TempDir.h"
#include "buttons/RecordingKeystrokeSink.h"
#include "device/HidDeviceManager.h"
#include "device/ops/DeviceOperations.h"
#include "platform/Clock.h"
#include "platform/Paths.h"
#include "sim/SimBackend.h"
#include "sim/SimulatedMouse.h"
#include "store/ConfigStore.h"

namespace zq::test {

class RecordingPageEffects final : public DevicePageEffects {
 public:
  void SetBatteryInfo(int level, int state) override {
    Add("battery " + std::to_string(level) + " " + std::to_string(state));
  }
  void CheckDpiLevel(int level) override { Add("dpi " + std::to_string(level)); }
  void CheckReportRate(int code) override { Add("rate " + std::to_string(code)); }
  void SelectLightingMode(int mode) override { Add("lighting " + std::to_string(mode)); }
  void SetVersionFields(const std::string& first, const std::string& receiver) override {
    Add("versions " + first + " " + receiver);
  }
  std::vector<std::string> Log() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return log_;
  }
  void Clear() {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.clear();
  }

 private:
  void Add(std::string entry) {
    std::lock_guard<std::mutex> lock(mutex_);
    log_.push_back(std::move(entry));
  }
  mutable std::mutex mutex_;
  std::vector<std::string> log_;
};

// Everything the store holds that a device operation could change.
struct StoreSnapshot {
  std::map<std::string, std::string> config;  // "profile/key" -> value
  std::vector<std::string> assignments;        // one line per row
  bool operator==(const StoreSnapshot&) const = default;
};

inline const std::vector<std::string>& AllConfigKeys() {
  static const std::vector<std::string> keys = [] {
    std::vector<std::string> k = {"light_mode",     "sleep_light",   "report_rate",
                                  "button_respondtime", "sensor_flag", "liftoff_height",
                                  "scroll_flag",    "e-sports_flag", "leftbtn_lock",
                                  "dpi_flag",       "dpi_index",     "dpi_count"};
    for (int i = 0; i < 6; ++i) {
      k.push_back("dpi_group" + std::to_string(i) + "_value");
      k.push_back("dpi_group" + std::to_string(i) + "_rgb");
    }
    return k;
  }();
  return keys;
}

class OpsTest : public ::testing::Test {
 protected:
  static constexpr int kProfiles = 5;

  OpsTest()
      : mouse_(std::make_shared<sim::SimulatedMouse>(clock_)),
        manager_(std::make_shared<sim::SimBackend>(mouse_), clock_),
        sink_(clock_),
        ops_(manager_, store_, effects_, sink_, [this] { return current_profile_; }) {}

  void SetUp() override {
    folder_ = tmp_.path() + "/";
    ASSERT_TRUE(CreateFolderChain(folder_ + "db"));
    ASSERT_TRUE(store_.OpenDatabase(folder_, "Q57"));
    for (int p = 1; p <= kProfiles; ++p) ASSERT_EQ(store_.AddProfile("20" + std::to_string(p), ""), p);
    Connect(sim::SimMode::Cable);
  }

  // Plugs the mouse in `mode` and opens it as discovery would.
  void Connect(sim::SimMode mode) {
    mouse_->SetMode(mode);
    mouse_->Plug();
    const sim::SimIds ids;
    manager_.ClearKnown();
    manager_.AddKnown(ids.vendor_id, ids.cable, kMouseDeviceType, kModeCable);
    manager_.AddKnown(ids.vendor_id, ids.receiver, kMouseDeviceType, kModeReceiver);
    manager_.AddKnown(ids.vendor_id, ids.bluetooth, kMouseDeviceType, kModeBluetooth);
    manager_.AddKnown(ids.vendor_id, ids.second_receiver, kMouseDeviceType, kModeSecondReceiver);
    manager_.SetDeviceType(kMouseDeviceType);
    manager_.CloseAll();
    manager_.EnumerateDevice();
    manager_.SetOpen();
    mouse_->ClearRequests();
  }

  std::string Config(int profile, const std::string& key) {
    std::string value;
    store_.GetConfig(profile, key, value);
    return value;
  }
  void SetConfig(int profile, const std::map<std::string, std::string>& values) {
    for (const auto& [key, value] : values) ASSERT_TRUE(store_.SetConfig(profile, key, value));
  }

  StoreSnapshot Snapshot() {
    StoreSnapshot s;
    for (int p = 1; p <= 6; ++p) {
      for (const std::string& key : AllConfigKeys()) {
        s.config[std::to_string(p) + "/" + key] = Config(p, key);
      }
      std::vector<ButtonAssignment> rows;
      store_.ListAssignments(p, rows);
      for (const auto& a : rows) {
        s.assignments.push_back(std::to_string(a.profile) + " " + std::to_string(a.key_code) +
                                " " + std::to_string(a.macro_type) + " " +
                                std::to_string(a.macro_value) + " " +
                                std::to_string(a.macro_value2) + " " + a.macro_desc);
      }
    }
    return s;
  }

  // Command codes of the requests that reached the mouse, in order.
  std::vector<int> RequestCodes() const {
    std::vector<int> codes;
    for (const auto& r : mouse_->Requests()) codes.push_back(r[1]);
    return codes;
  }

  VirtualClock clock_;
  TempDir tmp_;
  std::string folder_;
  ConfigStore store_;
  std::shared_ptr<sim::SimulatedMouse> mouse_;
  HidDeviceManager manager_;
  RecordingPageEffects effects_;
  RecordingKeystrokeSink sink_;
  int current_profile_ = 1;
  DeviceOperations ops_;
};

}  // namespace zq::test
