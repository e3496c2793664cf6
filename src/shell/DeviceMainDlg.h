#pragma once
// The main window: the hub of the interface. It builds the frame and the pages, routes every
// control event to the page concerned, reacts to window messages (device arrival and removal,
// completion of an apply or a restore, requests of other processes), switches tabs, keeps the
// autostart entry and ends the program.
//
// The device worker is a member (composition rather than a second base class): the window owns
// exactly one worker, starts it at the end of its initialisation and stops it before the
// process ends. The worker reaches the window through WorkerWindow, and discovery through
// DiscoveryEffects, and the device operations reach the pages through DevicePageEffects; all
// three are implemented by small adapters of this class, so that their PostMessage and
// QueueTask never collide with the dialog's own operations.
//
// No Qt here: the window is a toolkit model, run by the Qt host in the program and by the
// scripted host in tests.

#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "buttons/Emoji.h"

#include "device/DeviceDiscovery.h"
#include "device/HidBackend.h"
#include "device/HidDeviceManager.h"
#include "device/ops/DeviceOperations.h"
#include "device/ops/DevicePageEffects.h"
#include "device/worker/DeviceWorker.h"
#include "device/worker/WorkerInterfaces.h"
#include "platform/Autostart.h"
#include "platform/Clock.h"
#include "platform/Registry.h"
#include "shell/DeviceMainDef.h"
#include "shell/dialogs/MessageBox.h"
#include "shell/toolkit/MDialog.h"
#include "store/ConfigStore.h"

namespace zq {

class DeviceMainDlg;

// Builds the device link the worker talks through, over the window (whose discovery, device
// operations and state it uses). Called once, while the window is constructed.
using WorkerDeviceFactory = std::function<std::unique_ptr<WorkerDevice>(DeviceMainDlg&)>;

struct MainServices {
  HidDeviceManager& manager;
  ConfigStore& store;
  Registry& registry;
  Autostart& autostart;
  Clock& clock;
  // Where config.xml, the language files and the artwork lie (trailing "/").
  std::string programFolder;
  // The data folder holding "db/" (trailing "/").
  std::string dataFolder;
  // Empty: the window's device operations (OpsWorkerDevice over Operations()).
  WorkerDeviceFactory makeDevice;
  // Ends the process; the window has stopped the worker before it calls this. Empty: exit().
  std::function<void(int code)> endProcess;
  // Called once the window can take requests of other processes (a second start, --send).
  std::function<void()> onWindowReady;
  // Opens the desktop's mouse settings; empty: nothing to open.
  std::function<void()> openMouseSettings;
  // False in tests that drive the worker's cycles themselves (Worker().Run()).
  bool startWorkerThread = true;
  // Where emoji texts the mouse asks for are typed; null: they are dropped.
  KeystrokeSink* keystrokes = nullptr;
};

class DeviceMainDlg : public ui::MDialog, public DeviceMainDef {
 public:
  explicit DeviceMainDlg(MainServices services);
  // Stops the worker (bounded, then joined) before the members it uses go away.
  ~DeviceMainDlg() override;

  // --- toolkit overrides ---
  void InitUI(const ui::Rect& client) override;
  void UISize(const ui::Rect& client) override;
  int OnInitDialog() override;
  std::int64_t OnWindowMessage(std::uint32_t message, std::uint64_t wParam,
                               std::int64_t lParam) override;
  int OnMessage(int id, int event, std::int64_t value, std::int64_t extra) override;
  // The desktop's close (window manager, session end): an orderly Shutdown.
  bool OnUserCloseWindow() override;
  int OnNcActivate(bool active) override;

  // Stops the worker (up to 1000 ms), forgets the selected device records and ends the modal
  // loop, so that the program returns from ShowModal and unwinds normally.
  void Shutdown();

  // Any thread: a hot-plug event, delivered in order to UpdateUSBDevice on the UI thread by
  // window message 0x0219.
  void PostDeviceEvent(const DeviceEvent& event);

  // --- operations of the pages ---
  void RefillProfileCombo();
  int OnProfileSelected();
  int RestoreProfileDefaults();
  int OnAutostartSwitch();
  void ApplyLanguage();
  // Apply (6), read from the mouse (7), restore (15): queues the task and shows the busy
  // indicator until the worker closes it.
  void RunTaskWithWaitDialog(int code);

  DeviceWorker& Worker() { return worker_; }
  DeviceDiscovery& Discovery() { return discovery_; }
  WorkerDevice& Device() { return *device_; }
  // The exchanges with the mouse, over the store and the window's pages.
  DeviceOperations& Operations() { return operations_; }
  // The link the worker uses unless MainServices::makeDevice builds another.
  std::unique_ptr<WorkerDevice> MakeOperationsDevice();
  const MainServices& Services() const { return services_; }
  HidDeviceManager& Manager() { return services_.manager; }
  ConfigStore& Store() { return services_.store; }
  int CurrentProfile() const { return currentProfile.load(); }

  // What the worker and discovery change in the window (any thread).
  void SetStatusText(int textKey);
  void ShowNoDevice(bool shown);
  void SelectTabIndex(int index);
  // Shows the current profile's stored DPI levels, report rate and lighting mode on the
  // performance page (after every device read, on profile and language changes).
  void LoadPerformancePage();
  // Checks DPI level control `controlId` (101..106), makes it the current one and puts its
  // value on the slider.
  void ShowCurrentDpiLevel(int controlId);
  // Checks the report-rate button of a rate code: 1 125 Hz, 2 250 Hz, 3 500 Hz, else 1000 Hz.
  void CheckReportRateButton(int rateCode);

 private:
  class ForWorker;
  class ForDiscovery;
  class ForPages;
  class DroppedKeystrokes final : public KeystrokeSink {
    void SendUnit(char16_t) override {}
  };

  int OnTabSwitch(std::int64_t index);
  void EnterTab(int itemId);
  int OnMaximizeButton();
  void Exit();
  void ShowCompletionMessage(std::int64_t lParam);
  void CloseWaitDialog();
  void ShowVersion();

  MainServices services_;
  std::unique_ptr<ForWorker> forWorker_;
  std::unique_ptr<ForDiscovery> forDiscovery_;
  std::unique_ptr<ForPages> forPages_;
  DeviceDiscovery discovery_;
  DroppedKeystrokes droppedKeystrokes_;
  DeviceOperations operations_;
  std::unique_ptr<WorkerDevice> device_;
  DeviceWorker worker_;

  std::mutex waitMu_;
  WaitDlg* currentWait_ = nullptr;
  std::mutex refillMu_;  // one profile refill at a time (UI thread and worker)
  std::mutex eventsMu_;
  std::deque<DeviceEvent> deviceEvents_;
};

}  // namespace zq
