#include "shell/qt/DialogView.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QTimer>

#include "shell/qt/ControlWidget.h"
#include "shell/qt/ImageStore.h"
#include "shell/qt/Theme.h"

namespace zq::ui {

// Runs on whatever thread changed the model: it only queues work for the view's thread. A
// queued call whose view is gone by then is dropped by Qt together with its context object.
class DialogView::Listener : public ViewListener {
 public:
  explicit Listener(DialogView* view) : view_(view) {}
  void OnModelChanged() override {
    QMetaObject::invokeMethod(view_, [v = view_] { v->Sync(); }, Qt::QueuedConnection);
  }
  void OnWake() override {
    QMetaObject::invokeMethod(view_, [v = view_] { v->OnWake(); }, Qt::QueuedConnection);
  }

 private:
  DialogView* view_;
};

DialogView::DialogView(MDialog& dialog, std::shared_ptr<ImageStore> images, QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::FramelessWindowHint), dialog_(dialog), images_(std::move(images)),
      listener_(std::make_unique<Listener>(this)) {
  if ((dialog.GetExStyle() & 0x80) != 0) setWindowFlag(Qt::Tool);
  setWindowTitle(QString::fromStdString(dialog.GetWindowText()));
  setFocusPolicy(Qt::StrongFocus);
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, [this] { dialog_.OnTimer(1); });
  notice_ = new QLabel(this);
  notice_->hide();
  notice_->setAlignment(Qt::AlignCenter);
  notice_->setAttribute(Qt::WA_TransparentForMouseEvents);
  noticeTimer_ = new QTimer(this);
  noticeTimer_->setSingleShot(true);
  connect(noticeTimer_, &QTimer::timeout, notice_, &QWidget::hide);
  noticeSerial_ = dialog.GetNotice().serial;
  dialog_.SetViewListener(listener_.get());
  dialog_.TakeModelChanged();
  Sync();
}

DialogView::~DialogView() {
  // After this returns no thread calls the listener again.
  dialog_.SetViewListener(nullptr);
}

void DialogView::ApplyWindow() {
  applying_ = true;
  Rect r = dialog_.GetWindowRect();
  if (size() != QSize(r.Width(), r.Height())) resize(r.Width(), r.Height());
  if (pos() != QPoint(r.left, r.top)) move(r.left, r.top);
  bool layered = dialog_.IsLayeredWindow();
  if (testAttribute(Qt::WA_TranslucentBackground) != layered) setAttribute(Qt::WA_TranslucentBackground, layered);
  bool top = dialog_.IsTopMost();
  if (((windowFlags() & Qt::WindowStaysOnTopHint) != 0) != top) {
    bool wasVisible = isVisible();
    setWindowFlag(Qt::WindowStaysOnTopHint, top);
    if (wasVisible) show();
  }
  int period = dialog_.GetMTimer();
  if (period <= 0 && timer_->isActive()) timer_->stop();
  if (period > 0 && timer_->interval() != period) timer_->setInterval(period);
  if (period > 0 && !timer_->isActive()) timer_->start();
  // Shown or hidden by the program (a start with -hide, a second start bringing it back).
  if (loop_ && dialog_.IsWindowShown() != isVisible()) {
    if (dialog_.IsWindowShown()) {
      show();
      raise();
      activateWindow();
    } else {
      hide();
    }
  }
  WindowState state = dialog_.GetWindowState();
  if (state != appliedState_) {
    appliedState_ = state;
    if (state == WindowState::Minimized) showMinimized();
    if (state == WindowState::Maximized) showMaximized();
    if (state == WindowState::Normal && (isMaximized() || isMinimized())) showNormal();
  }
  applying_ = false;
}

void DialogView::Sync() {
  dialog_.TakeModelChanged();
  ApplyWindow();
  for (MControl* c : dialog_.GetControls()) {
    ControlWidget*& w = widgets_[c];
    if (w == nullptr) {
      w = new ControlWidget(*c, *this, this);
      w->raise();
    }
    w->Sync();
  }
  notice_->raise();
  ShowNotice();
  update();
}

void DialogView::ShowNotice() {
  Notice n = dialog_.GetNotice();
  if (n.serial == noticeSerial_) return;
  noticeSerial_ = n.serial;
  notice_->setText(QString::fromStdString(n.text));
  notice_->setFont(theme::MakeFont(Manager::GetFontName(), n.fontSize));
  notice_->setStyleSheet(QStringLiteral("QLabel{background:rgba(11,18,32,225);color:%1;border:1px solid %2;"
                                        "border-radius:8px;padding:6px 14px;}")
                             .arg(theme::kText.name(), theme::kAccentDeep.name()));
  QRect r(n.rect.left, n.rect.top, n.rect.Width(), n.rect.Height());
  if (r.isEmpty()) {
    notice_->adjustSize();
    r = QRect(QPoint((width() - notice_->width()) / 2, height() - notice_->height() - 40), notice_->size());
  }
  notice_->setGeometry(r);
  notice_->show();
  noticeTimer_->start(1800);
}

void DialogView::OnWake() {
  dialog_.DispatchPostedMessages();
  if (dialog_.IsEndRequested() && loop_) loop_->quit();
}

void DialogView::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
  const QPixmap& bk = images_->Get(dialog_.GetBKImage());
  auto [mode, value] = dialog_.GetBackMode();
  if (!bk.isNull()) {
    if (mode == 1) {
      theme::DrawNineSlice(p, rect(), bk, value);
    } else {
      p.drawPixmap(rect(), bk);
    }
    return;
  }
  QColor back = theme::FromArgb(dialog_.GetBackColor() | 0xFF000000u);
  if (dialog_.IsLayeredWindow()) {
    p.setPen(QPen(theme::kBorder, 1));
    p.setBrush(back);
    p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
  } else {
    p.fillRect(rect(), back);
  }
}

void DialogView::mousePressEvent(QMouseEvent* event) {
  setFocus(Qt::MouseFocusReason);  // a click on the background finishes an edit
  dialog_.InputFocus(nullptr);
  if (event->button() == Qt::LeftButton && dialog_.IsWndDragEnabled() && !isMaximized()) {
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
  }
}

void DialogView::mouseMoveEvent(QMouseEvent* event) {
  if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
}

void DialogView::mouseReleaseEvent(QMouseEvent*) { dragging_ = false; }

void DialogView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    dialog_.InputClose();
    return;
  }
  QWidget::keyPressEvent(event);
}

void DialogView::closeEvent(QCloseEvent* event) {
  // The desktop's close: the dialog decides (a message box cancels); the window itself stays
  // until the modal loop ends.
  event->ignore();
  dialog_.InputClose();
}

void DialogView::moveEvent(QMoveEvent*) {
  if (applying_) return;
  Rect r = dialog_.GetWindowRect();
  dialog_.MoveWindow({x(), y(), x() + r.Width(), y() + r.Height()});
}

void DialogView::resizeEvent(QResizeEvent*) {
  if (applying_) return;
  dialog_.MoveWindow({x(), y(), x() + width(), y() + height()});
}

void DialogView::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange) dialog_.InputActivate(isActiveWindow());
  if (event->type() == QEvent::WindowStateChange && !applying_) {
    WindowState state = isMinimized() ? WindowState::Minimized
                        : isMaximized() ? WindowState::Maximized : WindowState::Normal;
    appliedState_ = state;
    dialog_.SetWindowState(state);
  }
  QWidget::changeEvent(event);
}

}  // namespace zq::ui
