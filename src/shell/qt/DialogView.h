#pragma once
// The Qt window of one toolkit dialog: one child widget per control, kept in step with the
// model. The model may change on any thread; the dialog's listener only posts a request to this
// window's thread, where Sync() reads the model and repaints.

#include <QHash>
#include <QPointer>
#include <QWidget>

#include <memory>
#include <string>

#include "shell/toolkit/MDialog.h"

#include <QEventLoop>
class QLabel;
class QTimer;

namespace zq::ui {

class ControlWidget;
class ImageStore;

class DialogView : public QWidget {
  Q_OBJECT
 public:
  DialogView(MDialog& dialog, std::shared_ptr<ImageStore> images, QWidget* owner);
  ~DialogView() override;

  MDialog& Dialog() { return dialog_; }
  ImageStore& Images() { return *images_; }
  // Reads the model: creates widgets for new controls, places, shows and repaints them.
  void Sync();
  void SetLoop(QEventLoop* loop) { loop_ = loop; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void moveEvent(QMoveEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  class Listener;
  void OnWake();
  void ApplyWindow();
  void ShowNotice();

  MDialog& dialog_;
  std::shared_ptr<ImageStore> images_;
  std::unique_ptr<Listener> listener_;
  QHash<MControl*, ControlWidget*> widgets_;
  QPointer<QEventLoop> loop_;
  QTimer* timer_ = nullptr;
  QLabel* notice_ = nullptr;
  QTimer* noticeTimer_ = nullptr;
  std::uint64_t noticeSerial_ = 0;
  QPoint dragOffset_;
  bool dragging_ = false;
  bool applying_ = false;
  WindowState appliedState_ = WindowState::Normal;
};

}  // namespace zq::ui
