#pragma once
// A small control panel for the simulated mouse (only with --simulate): plug and unplug it,
// switch its connection, switch it off behind the receiver, press the button that holds a DPI
// function or an emoji, and change its battery, so that one can watch the program react without
// the hardware. The buttons are pressed through the mouse's own button path, so they do what
// the function stored on them does (nothing, when no button holds such a function).

#include <QWidget>

#include <functional>
#include <memory>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QPushButton;
class QSlider;

namespace zq::sim {
class SimulatedMouse;
}

namespace zq {

class SimPanel : public QWidget {
 public:
  // `hostProfile` answers the profile (1..5) the program works on: the mouse's buttons act with
  // the functions of that profile.
  SimPanel(std::shared_ptr<sim::SimulatedMouse> mouse, std::function<int()> hostProfile,
           QWidget* parent = nullptr);
  ~SimPanel() override;

 private:
  void Refresh();
  // Presses the first button of the host's profile whose function passes `holds`; false when
  // none does.
  bool PressButtonHolding(bool (*holds)(int action));
  void PressDpiButton();
  void PressEmojiButton();
  void SendBattery();
  void Report(const QString& text, bool reached);

  std::shared_ptr<sim::SimulatedMouse> mouse_;
  std::function<int()> hostProfile_;
  QPushButton* plug_ = nullptr;
  QButtonGroup* modes_ = nullptr;
  QCheckBox* mouseOn_ = nullptr;
  QLabel* dpi_ = nullptr;
  QSlider* battery_ = nullptr;
  QLabel* batteryValue_ = nullptr;
  QCheckBox* charging_ = nullptr;
  QLabel* result_ = nullptr;
};

}  // namespace zq
