// Draws the real program on the simulated mouse and saves one picture of each tab:
//   shell_screenshots <folder> <language tag>   ->  <folder>/app_<tab>_<tag>.png
// The language is the one the value file names (LCID), so a run per language needs its own
// XDG_CONFIG_HOME; scripts: bench/shell/screenshots.sh.

#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "shell/App.h"
#include "shell/DeviceMainDlg.h"
#include "shell/qt/QtModalHost.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s <folder> <language tag>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::string tag = argv[2];
  char simulate[] = "--simulate";
  char* args[] = {argv[0], simulate, nullptr};

  zq::AppHooks hooks;
  hooks.onFirstPaint = [folder, tag](zq::DeviceMainDlg& dialog, zq::ui::QtModalHost& host) {
    static const char* const names[] = {"home", "keys", "dpi", "macros", "settings"};
    auto step = std::make_shared<std::function<void(int)>>();
    *step = [&dialog, &host, folder, tag, step](int index) {
      if (index == 5) {
        std::fflush(nullptr);
        std::_Exit(0);
      }
      dialog.UserClick(zq::ids::kTabCtrl, index);
      QTimer::singleShot(400, [&dialog, &host, folder, tag, step, index] {
        if (QWidget* view = host.ViewOf(dialog)) {
          const std::string path = folder + "/app_" + names[index] + "_" + tag + ".png";
          std::printf("%s %s\n", path.c_str(), view->grab().save(QString::fromStdString(path))
                                                   ? "saved"
                                                   : "NOT saved");
        }
        (*step)(index + 1);
      });
    };
    // Give the initial read its moment before the first picture.
    QTimer::singleShot(1500, [step] { (*step)(0); });
  };
  return zq::RunApp(2, args, hooks);
}
