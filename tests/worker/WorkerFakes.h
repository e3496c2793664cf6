#pragma once
// Fakes of the device link and the main window that write every call, and
// every sleep of the worker, into one log, so that a test sees the exact
// order of device exchanges, page hooks and waits.

#include <atomic>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "device/worker/WorkerInterfaces.h"
#include "platform/Clock.h"

namespace zq::test {

class CallLog {
 public:
  void Add(std::string entry) {
    std::lock_guard<std::mutex> lock(mutex_);
    entries_.push_back(std::move(entry));
  }
  std::vector<std::string> Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    std::vector<std::string> out;
    out.swap(entries_);
    return out;
  }
  size_t Count(const std::string& entry) const {
    std::lock_guard<std::mutex> lock(mutex_);
    size_t n = 0;
    for (const auto& e : entries_) n += e == entry;
    return n;
  }

 private:
  mutable std::mutex mutex_;
  std::vector<std::string> entries_;
};

// A VirtualClock whose sleeps also appear in the call log.
class LoggingClock final : public Clock {
 public:
  explicit LoggingClock(CallLog& log) : log_(log) {}
  uint64_t TickCount() override { return clock_.TickCount(); }
  void Sleep(uint32_t ms) override {
    if (log_sleeps_) log_.Add("Sleep " + std::to_string(ms));
    clock_.Sleep(ms);
  }
  void set_log_sleeps(bool on) { log_sleeps_ = on; }

 private:
  CallLog& log_;
  VirtualClock clock_;
  bool log_sleeps_ = true;
};

class FakeDevice final : public WorkerDevice {
 public:
  explicit FakeDevice(CallLog& log) : log_(log) {}

  bool present = true;
  bool online = true;
  int mode = 0;
  bool dpi_request = false;
  // Operations ("WriteDpiLevel", ...) that the mouse does not acknowledge.
  std::set<std::string> nak;
  // What RefreshDevices finds.
  bool present_after_refresh = true;
  // A thread idling on a VirtualClock polls without pause: count, don't log.
  bool log_polls = true;
  std::atomic<int> polls{0};

  bool IsDevicePresent() override { return present; }
  bool IsMouseOnline() override { return online; }
  int ConnectionMode() override { return mode; }
  void RefreshDevices() override {
    log_.Add("RefreshDevices");
    present = present_after_refresh;
  }
  bool ReadBattery() override { return Op("ReadBattery"); }
  bool ReadButtonCodes(int profile) override { return Op("ReadButtonCodes", profile); }
  bool ReadSettingsBlock(int profile) override { return Op("ReadSettingsBlock", profile); }
  bool WriteMacroImage() override { return Op("WriteMacroImage"); }
  bool WriteButtonCodes(int profile) override { return Op("WriteButtonCodes", profile); }
  bool WriteSettingsBlock(int profile) override { return Op("WriteSettingsBlock", profile); }
  bool WriteDpiLevel(int profile) override { return Op("WriteDpiLevel", profile); }
  bool WriteReportRate(int profile) override { return Op("WriteReportRate", profile); }
  bool WriteLightingMode(int mode_value) override { return Op("WriteLightingMode", mode_value); }
  bool PollNotification() override {
    ++polls;
    if (log_polls) log_.Add("PollNotification");
    return dpi_request;
  }
  void ShowVersionTexts() override { log_.Add("ShowVersionTexts"); }
  void ShowVersionCommand() override { log_.Add("ShowVersionCommand"); }

 private:
  bool Op(const std::string& name, int arg = -1) {
    log_.Add(arg < 0 ? name : name + " " + std::to_string(arg));
    return nak.count(name) == 0;
  }
  CallLog& log_;
};

class FakeWindow final : public WorkerWindow {
 public:
  explicit FakeWindow(CallLog& log) : log_(log) {}

  int profile = 2;
  int lighting_mode = 3;
  // Answers of the message boxes, in order; 1 (accepted) when none is left.
  std::vector<int> answers;
  std::map<int, std::string> catalogue;

  int CurrentProfile() override { return profile; }
  int CurrentLightingMode() override { return lighting_mode; }
  void RefillProfileCombo() override { log_.Add("RefillProfileCombo"); }
  void ReloadPages() override { log_.Add("ReloadPages"); }
  void RestorePointerDefaults() override { log_.Add("RestorePointerDefaults"); }
  void SelectFirstLightingMode() override { log_.Add("SelectFirstLightingMode"); }
  void HideMacroItemEditor() override { log_.Add("HideMacroItemEditor"); }
  void CloseWaitDialog() override { log_.Add("CloseWaitDialog"); }
  void PostMessage(uint32_t message, intptr_t wparam, intptr_t lparam) override {
    log_.Add("Post " + std::to_string(message) + " " + std::to_string(wparam) + " " +
             std::to_string(lparam));
  }
  int ShowMessageBox(int text_key, int caption_key, int kind) override {
    log_.Add("MessageBox " + std::to_string(text_key) + " " + std::to_string(caption_key) + " " +
             std::to_string(kind));
    if (answers.empty()) return 1;
    int answer = answers.front();
    answers.erase(answers.begin());
    return answer;
  }
  void SetConfig(int p, const std::string& key, const std::string& value) override {
    log_.Add("SetConfig " + std::to_string(p) + " " + key + " " + value);
  }
  bool ResetDatabase(const std::string& name) override {
    log_.Add("ResetDatabase " + name);
    return true;
  }
  std::optional<std::string> CatalogueDeviceAttr(int device_type) override {
    auto it = catalogue.find(device_type);
    if (it == catalogue.end()) return std::nullopt;
    return it->second;
  }

 private:
  CallLog& log_;
};

}  // namespace zq::test
