#pragma once
// The device worker: every exchange with the mouse after start-up runs on
// this thread, so the window never waits for a transaction. The UI thread
// queues task codes (TaskCodes.h); every 30 ms the worker takes at most one
// and runs it, and with nothing queued it polls the mouse for notifications.
//
// Wiring (main window):
//   DeviceWorker worker(device, window, registry);
//   worker.QueueTask(kTaskInitialRead);   // after the catalogue is loaded
//   worker.Start();                       // end of the window's initialisation
//   ...
//   worker.Stop();                        // on shutdown; the destructor joins
// Every exit of the program should Stop the worker before the process ends:
// a worker left inside a transaction while static objects (the device
// manager, the store) are destroyed would use them after their end.
// Apply, read and restore: create the wait dialog, QueueTask, show it.

#include <atomic>
#include <deque>
#include <mutex>
#include <optional>
#include <vector>

#include "device/worker/TaskCodes.h"
#include "device/worker/ThreadBasic.h"
#include "device/worker/WorkerInterfaces.h"
#include "platform/Clock.h"
#include "platform/Registry.h"

namespace zq {

class DeviceWorker : public CThreadBasic {
 public:
  // Waits after a task before its completion message, and before a re-read
  // after an arrival (the interfaces need a moment to settle).
  static constexpr uint32_t kFinishWaitMs = 100;
  static constexpr uint32_t kArrivalWaitMs = 1000;
  // Profiles read from the mouse, and profiles written to it.
  static constexpr int kReadProfiles = 6;
  static constexpr int kWriteProfiles = 5;

  DeviceWorker(WorkerDevice& device, WorkerWindow& window, Registry& registry,
               Clock& clock = DefaultClock());
  ~DeviceWorker() override;

  // Any thread. Appends a code; the queue has no bound.
  void QueueTask(int code);
  // A copy of the codes still waiting, oldest first.
  std::vector<int> PendingTasks() const;

  // UI thread, the factory-reset button: checks the connection, asks for
  // confirmation, resets the settings database and queues task 16. True
  // when the reset was queued.
  bool RequestFactoryReset();

  bool InitialReadDone() const { return initial_read_done_.load(); }

  // One cycle: a queued task, or the notification poll when idle. Public so
  // that a caller (or a test) can drive cycles without the thread.
  void Run() override;

 private:
  std::optional<int> PopTask();
  void RunTask(int code);
  // Closes the wait dialog of a task whose device went away, and tells the
  // user that an apply or restore did not reach the mouse.
  void DropTask(int code);

  void InitialRead();
  void DeviceChanged(bool arrival);
  bool ReadAllFromDevice();
  bool WriteAllToDevice(bool with_macro_image);
  void FinishTask();
  void FactoryReset();

  WorkerDevice& device_;
  WorkerWindow& window_;
  Registry& registry_;

  mutable std::mutex queue_mutex_;
  std::deque<int> queue_;
  std::atomic<bool> initial_read_done_{false};
};

}  // namespace zq
