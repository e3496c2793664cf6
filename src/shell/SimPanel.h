#pragma once
// A small control panel for the simulated mouse (only with --simulate): plug and unplug it,
// switch its connection, switch it off behind the receiver, press its DPI button, change its
// battery, and press a button that asks for an emoji, so that one can watch the program react
// without the hardware.

#include <QWidget>

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
  explicit SimPanel(std::shared_ptr<sim::SimulatedMouse> mouse, QWidget* parent = nullptr);
  ~SimPanel() override;

 private:
  void Refresh();
  void PressDpiButton();
  void SendBattery();
  void Report(const QString& text, bool reached);

  std::shared_ptr<sim::SimulatedMouse> mouse_;
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
