#pragma once
// A window and the controls it owns. The dialog is the model of a window: its controls, its
// look (background image, colour, layered, topmost), its modal state and the queue of posted
// window messages. A view (the Qt renderer) or the scripted host of the tests presents it.
//
// Threads: controls may be changed from any thread; PostMessage, DoOK, DoCancel and EndDialog
// may be called from any thread. Everything else, in particular the Input*/User* operations
// that turn a user's action into events, runs on the UI thread, and so do the handlers
// OnMessage and OnWindowMessage.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <tuple>
#include <type_traits>
#include <vector>

#include "shell/toolkit/Controls.h"
#include "shell/toolkit/Lists.h"
#include "shell/toolkit/MComboBox.h"
#include "shell/toolkit/MEdit.h"
#include "shell/toolkit/Sliders.h"
#include "shell/toolkit/Tabs.h"

namespace zq::ui {

// What a view registers to hear about a dialog. Called from any thread, so an implementation
// only schedules work on its own thread and returns.
class ViewListener {
 public:
  virtual ~ViewListener() = default;
  virtual void OnModelChanged() = 0;  // some control or the dialog's look changed
  virtual void OnWake() = 0;          // a message was posted or the dialog was asked to end
};

struct Notice {
  std::string text;
  Rect rect;
  int fontSize = 16;
  std::uint64_t serial = 0;  // 0: no notice shown yet
};

enum class WindowState { Normal, Minimized, Maximized };

class MDialog {
 public:
  MDialog();
  virtual ~MDialog();
  MDialog(const MDialog&) = delete;
  MDialog& operator=(const MDialog&) = delete;

  // --- Window ---
  // Records the window and builds it: InitUI and UISize run with the client rectangle
  // (0, 0, width, height). `rect` is in screen coordinates.
  bool Create(MDialog* owner, std::string text, std::uint32_t style, std::uint32_t exStyle,
              const Rect& rect);
  bool IsCreated() const { return created_; }
  MDialog* GetOwnerWindow() const { return owner_; }
  std::string GetWindowText() const;
  std::uint32_t GetStyle() const { return style_; }
  std::uint32_t GetExStyle() const { return exStyle_; }
  Rect GetWindowRect() const;
  Rect GetClientRect() const;
  // Centres the window over its owner, or over the screen when it has none.
  void CenterWindow();
  // Called by the view when the user moved or resized the window; a new size runs UISize.
  void MoveWindow(const Rect& rect);

  // --- Controls ---
  // Creates a control by its class name ("MText", "MComboBox", ...); nullptr for an unknown
  // class. `parent` (a page or an area) decides the control's visibility with its own.
  MControl* CreateControl(const std::string& className, int id, const Rect& rect,
                          const std::string& title, int flag1 = 0, int flag2 = 0,
                          MControl* parent = nullptr);
  template <class T>
  T* CreateControlT(int id, const Rect& rect, const std::string& title = {},
                    MControl* parent = nullptr);
  CArea* CreateArea(int id, const Rect& rect, MControl* parent = nullptr);
  // The first control with the id (ids repeat where a page creates several controls with one id).
  MControl* GetControl(int id) const;
  template <class T>
  T* GetControl(int id) const {
    return dynamic_cast<T*>(GetControl(id));
  }
  std::vector<MControl*> GetControls() const;

  // --- Look ---
  void LoadBKImage(std::string file);
  std::string GetBKImage() const;
  // Mode 0 stretches the background image; mode 1 keeps a border of `value` pixels unstretched
  // (nine-slice), so that rounded corners and frames stay crisp at any size.
  void SetBackMode(int mode, int value);
  std::pair<int, int> GetBackMode() const;
  void SetBackColor(Color rgb);
  Color GetBackColor() const;
  void SetLayeredWindow(bool layered);
  bool IsLayeredWindow() const;
  void SetTopMost(bool topmost);
  bool IsTopMost() const;
  void EnableWndDrag(bool enable);
  bool IsWndDragEnabled() const;
  // Period of the dialog's timer in milliseconds (0: off); each tick runs OnTimer.
  void SetMTimer(int periodMs);
  int GetMTimer() const;
  // A transient notice over the window, e.g. "Saved". The view fades it after a moment.
  void SetMessage(std::string text, const Rect& rect, int fontSize);
  Notice GetNotice() const;

  // --- Window state (applied by the view) ---
  void ShowWindow(int show);  // 0 hides, anything else shows
  bool IsWindowShown() const;
  void SetWindowState(WindowState state);
  WindowState GetWindowState() const;
  bool IsZoomed() const { return GetWindowState() == WindowState::Maximized; }

  // --- Modal operation ---
  // Runs the dialog modally on the current modal host and returns the code that ended it:
  // kIdOk from DoOK, kIdCancel from DoCancel or a close by the user. `show` 0 starts hidden.
  int ShowModal(int show = 1);
  // Makes the dialog accept an end request before ShowModal has started, for a worker that may
  // finish its task before the UI thread shows the dialog. ShowModal then returns at once.
  void PrepareModal();
  void DoOK() { EndDialog(kIdOk); }
  void DoCancel() { EndDialog(kIdCancel); }
  // Any thread. The first request wins; a dialog that is neither shown nor prepared ignores it.
  bool EndDialog(int code);
  bool IsModalRunning() const;
  bool IsEndRequested() const;
  int GetEndCode() const;

  // --- Messages ---
  // Any thread: queued and delivered to OnWindowMessage on the UI thread by the modal loop.
  void PostMessage(std::uint32_t message, std::uint64_t wParam, std::int64_t lParam);
  // UI thread: delivers the queued messages; returns how many.
  int DispatchPostedMessages();
  // Blocks until something is posted, an end is requested or the time is up (hosts without an
  // event loop of their own wait here).
  void WaitForWake(std::chrono::milliseconds timeout);

  // --- Views ---
  void SetViewListener(ViewListener* listener);
  void NotifyModelChanged();
  // True once after each change; the view clears it before it reads the model.
  bool TakeModelChanged() { return modelChanged_.exchange(false); }

  // --- Input: what the view reports (UI thread). Each returns false when the control cannot
  // take the action (hidden, disabled, not that kind of control). ---
  bool InputClick(MControl* control, int index = -1);
  bool InputRightClick(MControl* control, int index = -1);
  bool InputChoose(MControl* control, int index);
  // Moves the keyboard focus (nullptr: to the window itself). The edit losing it reports 29,
  // the edit gaining it 30.
  bool InputFocus(MControl* control);
  // The whole new text of a focused editable control; reports 26 when accepted and changed.
  bool InputEditText(MControl* control, const std::string& text);
  // Enter in an edit, or the end of an in-place rename: reports 29 and drops the focus.
  bool InputFinishEdit(MControl* control);
  bool InputSlide(MControl* control, int position, bool released);
  // The user closes the window (close box, Escape, the desktop's close). OnUserCloseWindow decides.
  void InputClose();
  void InputActivate(bool active);
  MControl* GetFocus() const { return focus_; }

  // --- User actions for tests: the same events a user produces through the view. The control
  // is found by id, preferring one that the user can see. ---
  bool UserClick(int id, int index = -1);
  bool UserRightClick(int id, int index = -1);
  bool UserChoose(int id, int index);
  bool UserFocus(int id);
  // Focuses the control if needed, selects its text and types `text` character by character.
  bool UserType(int id, const std::string& text);
  // Focus leaves the control (clicking the window background).
  bool UserFinishEdit(int id);
  bool UserPressEnter(int id);
  // Drags the slider to `position` and releases it.
  bool UserSlide(int id, int position);
  void UserPressEscape() { InputClose(); }
  MControl* FindUserControl(int id) const;

  // Radio-group support for MCheckable: checks `control` and unchecks the rest of its group.
  void CheckInGroup(MCheckable& control, const std::string& group);

  // --- Virtual operations ---
  virtual std::int64_t OnWindowMessage(std::uint32_t message, std::uint64_t wParam,
                                       std::int64_t lParam);
  virtual int OnInitDialog() { return 1; }
  virtual void InitUI(const Rect& /*client*/) {}
  virtual void UISize(const Rect& /*client*/) {}
  virtual int OnMessage(int /*id*/, int /*event*/, std::int64_t /*value*/, std::int64_t /*extra*/) {
    return 0;
  }
  virtual void OnTimer(int /*timerId*/) {}
  // Returns true when the close was handled. The default cancels the dialog, so every dialog,
  // even one without a button, can be closed by the user.
  virtual bool OnUserCloseWindow();
  virtual void OnMinimize() { SetWindowState(WindowState::Minimized); }
  virtual void OnMaximize() {
    SetWindowState(IsZoomed() ? WindowState::Normal : WindowState::Maximized);
  }
  virtual int OnNcActivate(bool /*active*/) { return 0; }

 protected:
  int Dispatch(int id, int event, std::int64_t value, std::int64_t extra = 0);

 private:
  enum class ModalState { Idle, Prepared, Running };
  void Wake();
  bool AcceptText(MControl& control, const std::string& text) const;

  MDialog* owner_ = nullptr;
  bool created_ = false;
  std::uint32_t style_ = 0;
  std::uint32_t exStyle_ = 0;

  mutable std::mutex mu_;  // window fields below
  std::string windowText_;
  Rect windowRect_{0, 0, 400, 300};
  std::string bkImage_;
  int backMode_ = 0;
  int backValue_ = 0;
  Color backColor_ = 0x1A2230;
  bool layered_ = false;
  bool topmost_ = false;
  bool drag_ = false;
  int timer_ = 0;
  Notice notice_;
  bool shown_ = true;
  WindowState windowState_ = WindowState::Normal;

  mutable std::mutex controlsMu_;
  std::vector<std::unique_ptr<MControl>> controls_;
  std::mutex groupMu_;  // one group change at a time, so a group never ends with two checked

  mutable std::mutex modalMu_;
  std::condition_variable wakeCv_;
  ModalState modal_ = ModalState::Idle;
  bool endRequested_ = false;
  int endCode_ = kIdCancel;
  std::deque<std::tuple<std::uint32_t, std::uint64_t, std::int64_t>> posted_;
  std::uint64_t wakeSerial_ = 0;

  std::mutex listenerMu_;
  ViewListener* listener_ = nullptr;
  std::atomic<bool> modelChanged_{true};

  MControl* focus_ = nullptr;  // UI thread only
};

template <class T>
T* MDialog::CreateControlT(int id, const Rect& rect, const std::string& title, MControl* parent) {
  auto control = std::make_unique<T>(this, parent, id);
  T* raw = control.get();
  raw->SetRect(rect);
  if constexpr (std::is_base_of_v<MControlFont, T>) {
    if (!title.empty()) raw->SetTitle(title);
  }
  {
    std::lock_guard lock(controlsMu_);
    controls_.push_back(std::move(control));
  }
  NotifyModelChanged();
  return raw;
}

// The process-wide defaults of the toolkit.
class Manager {
 public:
  static void SetInstance(void* instance);
  static void SetFontName(std::string family);
  static std::string GetFontName();
};

}  // namespace zq::ui
