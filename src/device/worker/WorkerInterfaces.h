#pragma once
// What the device worker needs from the rest of the program, as two narrow
// interfaces: the device link (WorkerDevice) and the main window with its
// pages and the settings store (WorkerWindow). Every operation here is
// called on the worker thread unless noted, so implementations must be safe
// to call from there.

#include <cstdint>
#include <optional>
#include <string>

namespace zq {

// The device link. Operations that exchange commands return true when the
// mouse acknowledged every command they sent.
class WorkerDevice {
 public:
  virtual ~WorkerDevice() = default;

  // At least one opened interface of the selected device type.
  virtual bool IsDevicePresent() = 0;
  // The mouse can be configured through the current connection (UI thread).
  virtual bool IsMouseOnline() = 0;
  // 0 cable, 1 receiver, 2 Bluetooth LE, 3 second receiver mode, -1 none.
  // Called on both threads.
  virtual int ConnectionMode() = 0;
  // Re-enumerates the interfaces and updates the connection state and the
  // status controls.
  virtual void RefreshDevices() = 0;

  virtual bool ReadBattery() = 0;
  virtual bool ReadButtonCodes(int profile) = 0;
  virtual bool ReadSettingsBlock(int profile) = 0;
  virtual bool WriteMacroImage() = 0;
  virtual bool WriteButtonCodes(int profile) = 0;
  virtual bool WriteSettingsBlock(int profile) = 0;
  virtual bool WriteDpiLevel(int profile) = 0;
  virtual bool WriteReportRate(int profile) = 0;
  virtual bool WriteLightingMode(int mode) = 0;

  // One notification poll (it keeps its own 200 ms spacing); true when the
  // mouse asks for the active DPI level.
  virtual bool PollNotification() = 0;
  virtual void ShowVersionTexts() = 0;
  virtual void ShowVersionCommand() = 0;
};

// The main window as the worker sees it.
class WorkerWindow {
 public:
  virtual ~WorkerWindow() = default;

  // The profile (1 to 5) the pages and the device link work on.
  virtual int CurrentProfile() = 0;
  // The lighting mode chosen in the lighting-mode list (3 until it is set).
  virtual int CurrentLightingMode() = 0;

  // Page hooks.
  virtual void RefillProfileCombo() = 0;
  // FillButtonLists, RefreshButtonsPage with the first position selected,
  // FillMacroList and LoadPerformancePage, in this order.
  virtual void ReloadPages() = 0;
  virtual void RestorePointerDefaults() = 0;
  virtual void SelectFirstLightingMode() = 0;
  virtual void HideMacroItemEditor() = 0;

  // DoOK on the current wait dialog when there is one. The close can come
  // before the dialog is on screen (the worker may finish within one cycle
  // of the queueing): the window must create the wait dialog before it
  // queues the task and keep a dialog that was closed early from opening.
  virtual void CloseWaitDialog() = 0;
  // Posts (never sends) a window message to the main window.
  virtual void PostMessage(uint32_t message, intptr_t wparam, intptr_t lparam) = 0;

  // UI thread: the modal message box; returns 2 when the user declined.
  virtual int ShowMessageBox(int text_key, int caption_key, int kind) = 0;

  // Settings store: one configuration value of a profile, as decimal text.
  virtual void SetConfig(int profile, const std::string& key, const std::string& value) = 0;
  // UI thread: resets the settings database of that name to its defaults.
  virtual bool ResetDatabase(const std::string& name) = 0;
  // UI thread: the device_attr of the first catalogue mouse record of that
  // device type, or nothing when there is none.
  virtual std::optional<std::string> CatalogueDeviceAttr(int device_type) = 0;
};

}  // namespace zq
