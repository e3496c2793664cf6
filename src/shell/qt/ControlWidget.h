#pragma once
// The widget that draws one control and turns the user's mouse and keyboard input into the
// dialog's Input* calls. Edits carry a real QLineEdit so that typing, input methods, selection
// and the clipboard behave as everywhere else on the desktop.

#include <QPointer>
#include <QWidget>

#include <cstdint>

#include "shell/toolkit/MDialog.h"

class QLineEdit;
class QMovie;

namespace zq::ui {

class DialogView;

class ControlWidget : public QWidget {
  Q_OBJECT
 public:
  ControlWidget(MControl& control, DialogView& view, QWidget* parent);
  ~ControlWidget() override;

  MControl& Control() { return control_; }
  // Takes the model's state; called on the UI thread after a change.
  void Sync();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  MDialog& Dialog();
  QRect EditRect() const;
  int ItemAt(const QPoint& pos) const;
  int SliderPosition(const QPoint& pos) const;
  void OpenComboPopup();
  void StartRename();
  void SyncEdit();
  int ButtonState() const;

  void PaintText(QPainter& p, const QRect& r, MControlFont& c, const QString& text, int flags);
  void PaintButton(QPainter& p, MButton& c);
  void PaintCheck(QPainter& p, MCheckable& c);
  void PaintSwitch(QPainter& p, CSwitchButton& c);
  void PaintRateButton(QPainter& p, ColorButtonEx& c);
  void PaintCombo(QPainter& p, MComboBox& c);
  void PaintEditFrame(QPainter& p);
  void PaintSlider(QPainter& p, MSlider& c);
  void PaintDpi(QPainter& p, DPIControl& c);
  void PaintTabs(QPainter& p, MTabCtrl& c);
  void PaintBattery(QPainter& p, BatteryCtrl& c);
  void PaintState(QPainter& p, CDeviceState& c);
  void PaintMouse(QPainter& p, MouseCtrl& c);
  void PaintMacroList(QPainter& p, MacroList& c);
  void PaintRecordList(QPainter& p, CRecordList& c);
  void PaintEmoji(QPainter& p, EmojiControl& c);
  void PaintArea(QPainter& p, CArea& c);
  void PaintPicture(QPainter& p, const std::string& file);

  MControl& control_;
  DialogView& view_;
  QPointer<QLineEdit> edit_;
  QMovie* movie_ = nullptr;
  std::string movieFile_;
  std::uint64_t revision_ = 0;
  bool hover_ = false;
  bool pressed_ = false;
  bool sliding_ = false;
  bool renaming_ = false;
  bool syncing_ = false;
  int hoverItem_ = -1;
  int scroll_ = 0;  // first visible row of a list
};

}  // namespace zq::ui
