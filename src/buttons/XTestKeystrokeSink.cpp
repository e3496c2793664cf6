#include "buttons/XTestKeystrokeSink.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <cstdlib>
#include <mutex>

#include "platform/Log.h"

namespace zq {
namespace {

// Xlib's default error handler ends the process; a failing keyboard request
// must only cost the keystroke.
int IgnoreXError(Display*, XErrorEvent* event) {
  Log(LogLevel::Warning, "X11 request failed while typing text (error %d, request %d)",
      static_cast<int>(event->error_code), static_cast<int>(event->request_code));
  return 0;
}

}  // namespace

unsigned long KeysymOfCodePoint(char32_t cp) {
  if (cp == '\n') return XK_Return;
  if (cp == '\t') return XK_Tab;
  if ((cp >= 0x20 && cp <= 0x7E) || (cp >= 0xA0 && cp <= 0xFF)) return cp;
  return 0x01000000UL | cp;
}

struct XTestKeystrokeSink::Impl {
  Display* display = nullptr;
  int keysyms_per_keycode = 1;
  std::vector<KeyCode> spare;          // keycodes without symbols and modifiers
  size_t next_spare = 0;
  std::map<char32_t, KeyCode> bound;   // bindings of the text being typed
  std::vector<KeyCode> changed;        // keycodes to give their empty mapping back
  XErrorHandler previous_handler = nullptr;
  bool in_text = false;

  ~Impl() {
    if (display) XCloseDisplay(display);
  }

  bool FindSpareKeycodes() {
    spare.clear();
    next_spare = 0;
    int min_kc = 0, max_kc = 0;
    XDisplayKeycodes(display, &min_kc, &max_kc);
    int per = 0;
    KeySym* map = XGetKeyboardMapping(display, static_cast<KeyCode>(min_kc),
                                      max_kc - min_kc + 1, &per);
    if (!map) return false;
    keysyms_per_keycode = per > 0 ? per : 1;
    XModifierKeymap* mods = XGetModifierMapping(display);
    auto is_modifier = [mods](int kc) {
      if (!mods) return false;
      for (int i = 0; i < 8 * mods->max_keypermod; ++i)
        if (mods->modifiermap[i] == kc) return true;
      return false;
    };
    for (int kc = min_kc; kc <= max_kc; ++kc) {
      bool empty = true;
      for (int j = 0; j < per; ++j)
        if (map[(kc - min_kc) * per + j] != NoSymbol) empty = false;
      if (empty && !is_modifier(kc)) spare.push_back(static_cast<KeyCode>(kc));
    }
    if (mods) XFreeModifiermap(mods);
    XFree(map);
    return !spare.empty();
  }

  void Bind(KeyCode kc, KeySym sym) {
    std::vector<KeySym> syms(static_cast<size_t>(keysyms_per_keycode), sym);
    XChangeKeyboardMapping(display, kc, keysyms_per_keycode, syms.data(), 1);
    XSync(display, False);
  }
};

XTestKeystrokeSink::XTestKeystrokeSink(std::string display_name, Clock& clock, uint32_t settle_ms)
    : display_name_(std::move(display_name)),
      clock_(clock),
      settle_ms_(settle_ms),
      impl_(std::make_unique<Impl>()) {}

XTestKeystrokeSink::~XTestKeystrokeSink() {
  if (impl_->in_text) EndText();
}

bool XTestKeystrokeSink::Available() const { return impl_->display != nullptr; }

void XTestKeystrokeSink::Unavailable(const std::string& reason) {
  if (logged_) return;
  logged_ = true;
  Log(LogLevel::Warning, "emoji text is not typed: %s", reason);
}

void XTestKeystrokeSink::BeginText() {
  pending_high_ = 0;
  if (!impl_->display) {
    static std::once_flag threads_once;
    std::call_once(threads_once, [] { XInitThreads(); });
    const char* env_display = std::getenv("DISPLAY");
    if (display_name_.empty() && (!env_display || !*env_display)) {
      const char* wayland = std::getenv("WAYLAND_DISPLAY");
      Unavailable(wayland && *wayland
                      ? "Wayland session without an X11 display (XWayland is not running)"
                      : "no X11 display (DISPLAY is not set)");
      return;
    }
    const std::string name = display_name_.empty() ? std::string(env_display) : display_name_;
    Display* display = XOpenDisplay(name.c_str());
    if (!display) {
      Unavailable(std::string("cannot open the X11 display \"").append(name).append("\""));
      return;
    }
    int event_base = 0, error_base = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(display, &event_base, &error_base, &major, &minor)) {
      XCloseDisplay(display);
      Unavailable(
          std::string("the X11 display \"").append(name).append("\" has no XTest extension"));
      return;
    }
    impl_->display = display;
  }
  impl_->previous_handler = XSetErrorHandler(IgnoreXError);
  impl_->in_text = true;
  if (!impl_->FindSpareKeycodes()) Unavailable("the X11 keyboard has no free keycode");
}

void XTestKeystrokeSink::SendUnit(char16_t unit) {
  if (!impl_->in_text || impl_->spare.empty()) return;
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    pending_high_ = unit;
    return;
  }
  if (unit >= 0xDC00 && unit <= 0xDFFF) {
    if (pending_high_ == 0) return;  // a lone low surrogate is no character
    const char32_t cp = 0x10000 + ((static_cast<char32_t>(pending_high_) - 0xD800) << 10) +
                        (static_cast<char32_t>(unit) - 0xDC00);
    pending_high_ = 0;
    TypeCodePoint(cp);
    return;
  }
  pending_high_ = 0;
  TypeCodePoint(unit);
}

void XTestKeystrokeSink::TypeCodePoint(char32_t cp) {
  Impl& x = *impl_;
  KeyCode kc = 0;
  auto it = x.bound.find(cp);
  if (it != x.bound.end()) {
    kc = it->second;
  } else {
    // One keycode per character of the text while spare keycodes last, so an
    // earlier keystroke never changes meaning before it has been read.
    kc = x.spare[x.next_spare % x.spare.size()];
    ++x.next_spare;
    for (auto b = x.bound.begin(); b != x.bound.end(); ++b) {
      if (b->second == kc) {
        x.bound.erase(b);
        break;
      }
    }
    x.Bind(kc, KeysymOfCodePoint(cp));
    x.bound[cp] = kc;
    bool known = false;
    for (KeyCode c : x.changed) known = known || c == kc;
    if (!known) x.changed.push_back(kc);
  }
  XTestFakeKeyEvent(x.display, kc, True, CurrentTime);
  XTestFakeKeyEvent(x.display, kc, False, CurrentTime);
  XSync(x.display, False);
}

void XTestKeystrokeSink::EndText() {
  Impl& x = *impl_;
  if (!x.in_text) return;
  if (!x.changed.empty()) {
    clock_.Sleep(settle_ms_);
    for (KeyCode kc : x.changed) x.Bind(kc, NoSymbol);
  }
  x.changed.clear();
  x.bound.clear();
  XSetErrorHandler(x.previous_handler);
  x.previous_handler = nullptr;
  x.in_text = false;
  pending_high_ = 0;
}

}  // namespace zq
