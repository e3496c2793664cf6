#include "shell/App.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMetaObject>
#include <QPointer>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "buttons/XTestKeystrokeSink.h"
#include "device/DeviceLink.h"
#include "device/HidDeviceManager.h"
#include "device/HotPlugMonitor.h"
#include "platform/Autostart.h"
#include "platform/Localization.h"
#include "platform/Log.h"
#include "platform/Paths.h"
#include "platform/Registry.h"
#include "platform/SingleInstance.h"
#include "shell/DeviceMainDlg.h"
#include "shell/SimPanel.h"
#include "shell/qt/QtModalHost.h"
#include "sim/FirmwareButtons.h"
#include "store/ConfigStore.h"

namespace zq {
namespace {

// The main window's frame: a popup (drawn by the program itself), visible, clipping.
constexpr std::uint32_t kMainStyle = 0x96000000;

// Watches for the main window's first paint: it tells a benchmark (ZQ_FIRST_PAINT_MARKER=1
// prints a line) and the hooks that the program is on screen.
class FirstPaintWatcher : public QObject {
 public:
  FirstPaintWatcher(DeviceMainDlg& dialog, ui::QtModalHost& host, const AppHooks& hooks)
      : dialog_(dialog), host_(host), hooks_(hooks) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (!done_ && event->type() == QEvent::Paint && watched == host_.ViewOf(dialog_)) {
      done_ = true;
      QMetaObject::invokeMethod(
          this,
          [this] {
            const char* marker = std::getenv("ZQ_FIRST_PAINT_MARKER");
            if (marker != nullptr && std::string(marker) == "1") {
              std::printf("first-paint\n");
              std::fflush(stdout);
            }
            if (hooks_.onFirstPaint) hooks_.onFirstPaint(dialog_, host_);
          },
          Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  DeviceMainDlg& dialog_;
  ui::QtModalHost& host_;
  const AppHooks& hooks_;
  bool done_ = false;
};

// The desktop's own mouse settings, the first of the known panels that is installed.
void OpenDesktopMouseSettings() {
  const std::pair<const char*, QStringList> panels[] = {
      {"gnome-control-center", {"mouse"}},
      {"systemsettings", {"kcm_mouse"}},
      {"xfce4-mouse-settings", {}},
      {"lxqt-config-input", {}},
  };
  for (const auto& [program, arguments] : panels) {
    const QString path = QStandardPaths::findExecutable(QString::fromLatin1(program));
    if (!path.isEmpty() && QProcess::startDetached(path, arguments)) return;
  }
  Log(LogLevel::Info, "no desktop mouse settings panel is installed");
}

// The simulated mouse's panel goes beside the centred main window rather than under it, on
// whichever side the screen has room for; on a small screen the window manager decides.
void PlaceBesideMainWindow(QWidget& panel) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  const QRect area = screen->availableGeometry();
  const QSize size = panel.sizeHint().expandedTo(panel.size());
  const int mainLeft = area.x() + (area.width() - kMainWidth) / 2;
  const int mainTop = area.y() + std::max(0, (area.height() - kMainHeight) / 2);
  constexpr int kGap = 16;
  if (mainLeft - area.x() >= size.width() + kGap) {
    panel.move(mainLeft - size.width() - kGap, mainTop);
  } else if (area.right() - (mainLeft + kMainWidth) >= size.width() + kGap) {
    panel.move(mainLeft + kMainWidth + kGap, mainTop);
  }
}

}  // namespace

int RunApp(int argc, char** argv, const AppHooks& hooks) {
  const StartOptions options = ParseStartOptions(argc, argv);
  SingleInstance instance;
  if (std::optional<int> code = HandOverToRunningInstance(instance, options)) return *code;

  InitLanguage();
  CreateFolderChain(GetDataFolder() + "db");

  QApplication app(argc, argv);
  QApplication::setApplicationName(QString::fromUtf8(kAppName));
  ui::Manager::SetFontName(kInterfaceFontName);
  ui::QtModalHost host(GetProgramFolder());
  ui::SetModalHost(&host);

  DeviceLink link = MakeDeviceLink(WantsSimulation(argc, argv), DefaultClock());
  SetProgramBackend(link.backend);
  // The simulated mouse's buttons do what its firmware does with the function each one holds.
  if (link.mouse) sim::InstallFirmwareButtons(*link.mouse);
  // Emoji texts the mouse asks for are typed into the focused window.
  XTestKeystrokeSink keystrokes;
  HidDeviceManager& manager = HidDeviceManager::Instance();
  Registry registry;
  Autostart autostart;
  HotPlugMonitor monitor;

  MainServices services{manager, ConfigStore::Instance(), registry, autostart, DefaultClock(),
                        GetProgramFolder(), GetDataFolder(), {}, {}, {}, {}, true, &keystrokes};
  DeviceMainDlg* window = nullptr;
  services.onWindowReady = [&] {
    // Requests of a second start arrive on the listener's thread: a raise needs the window's
    // view (UI thread, queued); a message goes through the window's own posted queue.
    instance.StartListening([&](const InstanceRequest& request) {
      if (request.kind == InstanceRequest::Kind::kMessage) {
        window->PostMessage(request.message, static_cast<std::uint64_t>(request.wparam),
                            request.lparam);
        return;
      }
      QMetaObject::invokeMethod(
          &app,
          [&] {
            Log(LogLevel::Info, "window raised by a second start");
            window->ShowWindow(1);
            if (QWidget* view = host.ViewOf(*window)) {
              view->showNormal();
              view->raise();
              view->activateWindow();
            }
          },
          Qt::QueuedConnection);
    });
  };
  services.endProcess = [&](int code) {
    // Every change is in the database already (each statement is committed as it is made)
    // and the kernel closes the HID nodes and drops the instance lock, so the process ends at
    // once; no destructor runs that a thread still finishing its work could race.
    instance.StopListening();
    monitor.Stop();
    std::fflush(nullptr);
    std::_Exit(code);
  };
  services.openMouseSettings = OpenDesktopMouseSettings;

  DeviceMainDlg dialog(std::move(services));
  window = &dialog;

  // Hot-plug events come on the thread that noticed them (the monitor's, or the panel's for
  // the simulated mouse); the window takes them through its posted-message queue.
  if (link.simulated) {
    link.mouse->SetEventListener([&dialog](const DeviceEvent& event) {
      dialog.PostDeviceEvent(event);
    });
  } else if (monitor.Open()) {
    monitor.Start([&dialog](const DeviceEvent& event) { dialog.PostDeviceEvent(event); });
  } else {
    Log(LogLevel::Warning, "no udev monitor: plugging the mouse in or out goes unnoticed");
  }

  FirstPaintWatcher watcher(dialog, host, hooks);
  app.installEventFilter(&watcher);

  std::unique_ptr<SimPanel> panel;
  if (link.simulated && !options.hide) {
    panel = std::make_unique<SimPanel>(link.mouse, [&dialog] { return dialog.CurrentProfile(); });
    PlaceBesideMainWindow(*panel);
    panel->show();
  }

  dialog.Create(nullptr, kAppName, kMainStyle, 0, {0, 0, kMainWidth, kMainHeight});
  dialog.CenterWindow();
  dialog.ShowModal(options.hide ? 0 : 1);

  // The desktop closed the window (an orderly Shutdown has stopped the worker).
  app.removeEventFilter(&watcher);
  panel.reset();
  if (link.mouse) link.mouse->SetEventListener({});
  monitor.Stop();
  instance.StopListening();
  ui::SetModalHost(nullptr);
  return 0;
}

}  // namespace zq
