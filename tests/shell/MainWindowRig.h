#pragma once
// The main window over a simulated mouse on a virtual clock, with every folder in a temporary
// directory and a scripted modal host: no display, no real home. The worker's thread is not
// started; Settle() runs its cycles on the test thread, in between delivering the window's
// posted messages, so every test sees one exact order of events.

#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "device/DeviceDiscovery.h"
#include "device/HidDeviceManager.h"
#include "device/worker/WorkerInterfaces.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/Localization.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "shell/DeviceMainDlg.h"
#include "shell/toolkit/ScriptedModalHost.h"
#include "buttons/RecordingKeystrokeSink.h"
#include "sim/FirmwareButtons.h"
#include "sim/SimBackend.h"
#include "sim/SimulatedMouse.h"
#include "store/ConfigStore.h"
#include "platform/TempDir.h"

namespace zq::test {

// The window's own device link (the device operations over the simulated mouse), with the
// operations the worker asks for logged, so that a test sees which exchanges each task runs.
class RecordingDevice final : public WorkerDevice {
 public:
  explicit RecordingDevice(std::unique_ptr<WorkerDevice> inner) : inner_(std::move(inner)) {}

  std::vector<std::string> Take() {
    std::lock_guard lock(mu_);
    std::vector<std::string> out;
    out.swap(log_);
    return out;
  }

  bool IsDevicePresent() override { return inner_->IsDevicePresent(); }
  bool IsMouseOnline() override { return inner_->IsMouseOnline(); }
  int ConnectionMode() override { return inner_->ConnectionMode(); }
  void RefreshDevices() override { inner_->RefreshDevices(); }
  bool ReadBattery() override { return Log("ReadBattery", inner_->ReadBattery()); }
  bool ReadButtonCodes(int p) override { return Log("ReadButtonCodes", inner_->ReadButtonCodes(p), p); }
  bool ReadSettingsBlock(int p) override {
    return Log("ReadSettingsBlock", inner_->ReadSettingsBlock(p), p);
  }
  bool WriteMacroImage() override { return Log("WriteMacroImage", inner_->WriteMacroImage()); }
  bool WriteButtonCodes(int p) override {
    return Log("WriteButtonCodes", inner_->WriteButtonCodes(p), p);
  }
  bool WriteSettingsBlock(int p) override {
    return Log("WriteSettingsBlock", inner_->WriteSettingsBlock(p), p);
  }
  bool WriteDpiLevel(int p) override { return Log("WriteDpiLevel", inner_->WriteDpiLevel(p), p); }
  bool WriteReportRate(int p) override {
    return Log("WriteReportRate", inner_->WriteReportRate(p), p);
  }
  bool WriteLightingMode(int m) override {
    return Log("WriteLightingMode", inner_->WriteLightingMode(m), m);
  }
  bool PollNotification() override { return inner_->PollNotification(); }
  void ShowVersionTexts() override { inner_->ShowVersionTexts(); }
  void ShowVersionCommand() override { inner_->ShowVersionCommand(); }

 private:
  bool Log(const std::string& name, bool result, int arg = -1) {
    std::lock_guard lock(mu_);
    log_.push_back(arg < 0 ? name : name + " " + std::to_string(arg));
    return result;
  }
  std::unique_ptr<WorkerDevice> inner_;
  std::mutex mu_;
  std::vector<std::string> log_;
};

class MainWindowRig {
 public:
  MainWindowRig()
      : home_("HOME", tmp_.path() + "/home"),
        config_("XDG_CONFIG_HOME", tmp_.path() + "/config"),
        runtime_("XDG_RUNTIME_DIR", tmp_.path() + "/run"),
        mouse(std::make_shared<sim::SimulatedMouse>(clock)),
        manager(std::make_shared<sim::SimBackend>(mouse), clock),
        registry(tmp_.path() + "/config/Zintor Q57 mouse"),
        autostart(tmp_.path() + "/config/autostart/zintor-q57-mouse.desktop",
                  "/opt/zq/zintor-q57-mouse") {
    registry.CreateKey();
    CreateFolderChain(DataFolder() + "db");
    SetCurrentLanguageId(kLanguageEnglish);
    ui::SetModalHost(&host);
    sim::InstallFirmwareButtons(*mouse);
    mouse->SetEventListener([this](const DeviceEvent& event) {
      if (dialog) dialog->PostDeviceEvent(event);
    });
  }

  ~MainWindowRig() {
    mouse->SetEventListener({});
    dialog.reset();
    ui::SetModalHost(nullptr);
  }

  // Builds the window and runs its initialisation, then the initial read.
  void Start(bool plugged = true) {
    if (plugged) mouse->Plug();
    MainServices services{manager,
                          store,
                          registry,
                          autostart,
                          clock,
                          ProgramFolder(),
                          DataFolder(),
                          [this](DeviceMainDlg& w) {
                            auto d = std::make_unique<RecordingDevice>(w.MakeOperationsDevice());
                            device = d.get();
                            return d;
                          },
                          [this](int code) { exits.push_back(code); },
                          {},
                          {},
                          false,
                          &keystrokes};
    dialog = std::make_unique<DeviceMainDlg>(std::move(services));
    dialog->Create(nullptr, kAppName, 0x96000000, 0, {0, 0, kMainWidth, kMainHeight});
    dialog->OnInitDialog();
    Settle();
  }

  // Delivers the posted messages and runs worker cycles until nothing is left to do.
  void Settle() {
    for (int round = 0; round < 64; ++round) {
      dialog->DispatchPostedMessages();
      if (dialog->Worker().PendingTasks().empty()) return;
      dialog->Worker().Run();
    }
  }

  // Lets the notification spacing pass and runs one idle cycle (the worker's notification
  // poll), then whatever task the poll queued.
  void Poll() {
    clock.Advance(1000);
    dialog->Worker().Run();
    Settle();
  }

  // Queues nothing, runs one cycle: what the worker does while the wait dialog is shown.
  ui::ScriptedModalHost::DialogAction RunOneCycle() {
    return [this](ui::MDialog&) { dialog->Worker().Run(); };
  }

  static std::string ProgramFolder() {
    const char* folder = std::getenv("ZQ_PROGRAM_FOLDER");
    return folder != nullptr ? folder : std::string(ZQ_BIN_DIR) + "/";
  }
  std::string DataFolder() const { return tmp_.path() + "/data/"; }
  std::string Text(int key) const { return LoadLanText(kLanSection, key); }
  std::string StatusText() const {
    return dialog->GetControl<ui::CDeviceState>(ids::kDeviceState)->GetTitle();
  }
  ui::MTabCtrl& Tabs() const { return *dialog->GetControl<ui::MTabCtrl>(ids::kTabCtrl); }
  const TempDir& Tmp() const { return tmp_; }

 private:
  TempDir tmp_;
  ScopedEnv home_;
  ScopedEnv config_;
  ScopedEnv runtime_;

 public:
  VirtualClock clock;
  std::shared_ptr<sim::SimulatedMouse> mouse;
  HidDeviceManager manager;
  ConfigStore store;
  Registry registry;
  Autostart autostart;
  ui::ScriptedModalHost host;
  RecordingKeystrokeSink keystrokes{clock};
  std::vector<int> exits;
  RecordingDevice* device = nullptr;
  std::unique_ptr<DeviceMainDlg> dialog;
};

}  // namespace zq::test
