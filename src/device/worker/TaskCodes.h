#pragma once
// The task codes that the UI thread (and, for the DPI level, the worker
// itself) queues for the device worker, and the window message by which the
// worker reports the end of an apply or a restore.

#include <cstdint>
#include <optional>

namespace zq {

enum TaskCode : int {
  kTaskInitialRead = 1,
  kTaskArrival = 2,
  kTaskRemoval = 3,
  kTaskProfileSwitched = 5,
  kTaskApply = 6,
  kTaskReadFromMouse = 7,
  kTaskLightingMode = 9,
  kTaskDpiLevel = 10,
  kTaskRestoreDefaults = 15,
  kTaskFactoryReset = 16,
};

// Posted to the main window (wParam 0) once an apply or a restore has ended
// and its wait dialog is closed; lParam says which and whether the mouse
// took every write.
inline constexpr uint32_t kMsgTaskCompleted = 1714;

enum CompletionCode : intptr_t {
  kApplyDone = 1,          // task 6, every write acknowledged
  kRestoreDone = 2,        // task 15, every write acknowledged
  kApplyIncomplete = 3,    // task 6, some write not acknowledged or no mouse
  kRestoreIncomplete = 4,  // task 15, some write not acknowledged or no mouse
};

// What the main window shows for message 1714: a one-button message box with
// these language keys. A mouse that did not take everything must not be
// told "done": keys 213 "Apply" and 214 "Some settings did not reach the
// mouse. Check the connection and apply again."
struct CompletionMessage {
  int caption_key;
  int text_key;
};

constexpr std::optional<CompletionMessage> CompletionMessageFor(intptr_t lparam) {
  switch (lparam) {
    case kApplyDone: return CompletionMessage{115, 210};
    case kRestoreDone: return CompletionMessage{112, 212};
    case kApplyIncomplete:
    case kRestoreIncomplete: return CompletionMessage{213, 214};
    default: return std::nullopt;
  }
}

}  // namespace zq
