#pragma once
// The program's wiring: single instance, language, data folder, the Qt host, the device link
// (the real mouse through hidapi, or the simulated one), hot-plug events, the main window and,
// in simulation, the simulated mouse's control panel. main() is RunApp.

#include <functional>

namespace zq {

class DeviceMainDlg;
namespace ui {
class QtModalHost;
}

struct AppHooks {
  // Runs on the UI thread once the main window's view is on screen (its first paint).
  std::function<void(DeviceMainDlg&, ui::QtModalHost&)> onFirstPaint;
};

// Returns the process's exit code: 0 after a normal run or when a running instance took the
// start over; 1 for --send without a running instance; 2 for a malformed --send.
int RunApp(int argc, char** argv, const AppHooks& hooks = {});

}  // namespace zq
