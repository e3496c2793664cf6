// Typing through XTest into a real X window on a private Xvfb server (never
// the user's own display), and the quiet failure without a display.

#include <gtest/gtest.h>
// After gtest: Xlib's macros (None, Bool) would clash with its names.
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <thread>

#include "buttons/XTestKeystrokeSink.h"
#include "platform/Log.h"
#include "platform/TempDir.h"
#include "platform/Text.h"

namespace zq {
namespace {

bool HaveXvfb() { return access("/usr/bin/Xvfb", X_OK) == 0; }

// Starts Xvfb on a free display number and stops it again.
class PrivateXServer {
 public:
  PrivateXServer() {
    int fds[2];
    if (pipe(fds) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(fds[0]);
      const std::string fd = std::to_string(fds[1]);
      const int devnull = open("/dev/null", O_WRONLY);
      if (devnull >= 0) {
        dup2(devnull, 1);
        dup2(devnull, 2);
      }
      // -noreset: the server would otherwise reset, refusing connections for
      // a moment, each time its last client leaves.
      execl("/usr/bin/Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset",
            "-screen", "0", "320x240x24", static_cast<char*>(nullptr));
      _exit(127);
    }
    close(fds[1]);
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (pid_ > 0 && poll(&p, 1, 15000) > 0) {
      char c;
      if (read(fds[0], &c, 1) != 1 || c == '\n') break;
      number += c;
    }
    close(fds[0]);
    if (!number.empty()) name_ = ":" + number;
  }
  ~PrivateXServer() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      waitpid(pid_, nullptr, 0);
    }
  }
  const std::string& name() const { return name_; }

 private:
  pid_t pid_ = -1;
  std::string name_;
};

// A plain window that takes the focus and collects the characters of its
// key presses. Each key is translated as soon as it arrives, from the
// server's mapping of that moment.
class KeyCollector {
 public:
  explicit KeyCollector(const std::string& display_name) {
    display_ = XOpenDisplay(display_name.c_str());
    if (!display_) return;
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 200, 100, 0, 0, 0);
    XSelectInput(display_, window_, KeyPressMask | StructureNotifyMask);
    XMapWindow(display_, window_);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!mapped_ && std::chrono::steady_clock::now() < deadline) {
      if (!XPending(display_)) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        continue;
      }
      XEvent e;
      XNextEvent(display_, &e);
      if (e.type == MapNotify) mapped_ = true;
    }
    if (!mapped_) return;
    XSetInputFocus(display_, window_, RevertToParent, CurrentTime);
    XSync(display_, False);
    thread_ = std::thread([this] { Run(); });
  }
  ~KeyCollector() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    if (display_) XCloseDisplay(display_);
  }
  bool ready() const { return mapped_; }
  bool connected() const { return display_ != nullptr; }
  // Waits until the window has seen everything sent so far.
  std::string Finish() {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }

 private:
  void Run() {
    while (true) {
      if (!XPending(display_)) {
        if (stop_) return;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        continue;
      }
      XEvent e;
      XNextEvent(display_, &e);
      if (e.type == MappingNotify) XRefreshKeyboardMapping(&e.xmapping);
      if (e.type != KeyPress) continue;
      int per = 0;
      KeySym* syms = XGetKeyboardMapping(display_, static_cast<KeyCode>(e.xkey.keycode), 1, &per);
      const KeySym sym = syms && per > 0 ? syms[0] : NoSymbol;
      if (syms) XFree(syms);
      char32_t cp = 0;
      if (sym >= 0x01000000 && sym <= 0x0110FFFF) cp = static_cast<char32_t>(sym & 0xFFFFFF);
      else if ((sym >= 0x20 && sym <= 0x7E) || (sym >= 0xA0 && sym <= 0xFF))
        cp = static_cast<char32_t>(sym);
      if (cp == 0) continue;
      std::lock_guard<std::mutex> lock(mutex_);
      AppendUtf8(text_, cp);
    }
  }

  Display* display_ = nullptr;
  Window window_ = 0;
  bool mapped_ = false;
  std::atomic<bool> stop_{false};
  std::thread thread_;
  std::mutex mutex_;
  std::string text_;
};

int EmptyKeycodes(const std::string& display_name) {
  Display* d = XOpenDisplay(display_name.c_str());
  if (!d) return -1;
  int min_kc = 0, max_kc = 0, per = 0;
  XDisplayKeycodes(d, &min_kc, &max_kc);
  KeySym* map = XGetKeyboardMapping(d, static_cast<KeyCode>(min_kc), max_kc - min_kc + 1, &per);
  int empty = 0;
  for (int kc = 0; map && kc <= max_kc - min_kc; ++kc) {
    bool none = true;
    for (int j = 0; j < per; ++j) none = none && map[kc * per + j] == NoSymbol;
    empty += none ? 1 : 0;
  }
  if (map) XFree(map);
  XCloseDisplay(d);
  return empty;
}

TEST(XTestTyping, TypesChineseTextIntoTheFocusedWindow) {
  if (!HaveXvfb()) GTEST_SKIP() << "Xvfb is not installed, so there is no X server to type into";
  XInitThreads();
  PrivateXServer server;
  if (server.name().empty()) GTEST_SKIP() << "Xvfb did not start";
  const int empty_before = EmptyKeycodes(server.name());
  ASSERT_GT(empty_before, 4);

  KeyCollector window(server.name());
  ASSERT_TRUE(window.connected());
  ASSERT_TRUE(window.ready());
  SystemClock clock;
  XTestKeystrokeSink sink(server.name(), clock, 300);
  TypeEmojiText("[微笑]", sink, clock);
  EXPECT_TRUE(sink.Available());
  EXPECT_EQ(window.Finish(), "[微笑]");
  // The borrowed keycodes are empty again.
  EXPECT_EQ(EmptyKeycodes(server.name()), empty_before);
}

class CapturedLog {
 public:
  CapturedLog() {
    SetLogSink([this](LogLevel level, const std::string& line) {
      std::lock_guard<std::mutex> lock(mutex_);
      lines_.emplace_back(level, line);
    });
  }
  ~CapturedLog() { SetLogSink({}); }
  std::vector<std::pair<LogLevel, std::string>> lines() {
    std::lock_guard<std::mutex> lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::pair<LogLevel, std::string>> lines_;
};

TEST(XTestTyping, WithoutDisplayTypesNothingAndSaysWhyOnce) {
  struct Case {
    const char* wayland;  // nullptr: not a Wayland session
    const char* reason;
  } cases[] = {{"wayland-0", "Wayland"}, {nullptr, "DISPLAY is not set"}};
  for (const auto& c : cases) {
    test::ScopedEnv no_display("DISPLAY", "");
    test::ScopedEnv wayland("WAYLAND_DISPLAY", c.wayland ? c.wayland : "");
    CapturedLog log;
    VirtualClock clock;
    XTestKeystrokeSink sink({}, clock);
    TypeEmojiText("[微笑]", sink, clock);
    TypeEmojiText("[OK]", sink, clock);
    EXPECT_FALSE(sink.Available());
    const auto lines = log.lines();
    ASSERT_EQ(lines.size(), 1u) << c.reason;
    EXPECT_EQ(lines[0].first, LogLevel::Warning);
    EXPECT_NE(lines[0].second.find(c.reason), std::string::npos) << lines[0].second;
  }
}

TEST(XTestTyping, UnreachableDisplayTypesNothing) {
  CapturedLog log;
  VirtualClock clock;
  XTestKeystrokeSink sink(":98765", clock);
  TypeEmojiText("[OK]", sink, clock);
  EXPECT_FALSE(sink.Available());
  const auto lines = log.lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].second.find(":98765"), std::string::npos);
}

}  // namespace
}  // namespace zq
