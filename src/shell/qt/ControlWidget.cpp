#include "shell/qt/ControlWidget.h"

#include <QFocusEvent>
#include <QIntValidator>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpressionValidator>

#include <algorithm>

#include "shell/qt/DialogView.h"
#include "shell/qt/ImageStore.h"
#include "shell/qt/Theme.h"

namespace zq::ui {

namespace {

constexpr int kMacroRow = 34;
constexpr int kRecordRow = 28;
constexpr int kEmojiCell = 52;
constexpr int kArrowWidth = 18;

QString Q(const std::string& s) { return QString::fromStdString(s); }

int AlignFlags(const MControlFont& c) {
  int flags = 0;
  switch (c.GetAlignment()) {
    case Align::Left: flags |= Qt::AlignLeft; break;
    case Align::Center: flags |= Qt::AlignHCenter; break;
    case Align::Right: flags |= Qt::AlignRight; break;
  }
  switch (c.GetVAlignment()) {
    case VAlign::Top: flags |= Qt::AlignTop; break;
    case VAlign::Center: flags |= Qt::AlignVCenter; break;
    case VAlign::Bottom: flags |= Qt::AlignBottom; break;
  }
  return flags;
}

QFont FontOf(const MControlFont& c) {
  return theme::MakeFont(c.GetFontName().empty() ? Manager::GetFontName() : c.GetFontName(),
                         c.GetFontSize(), c.GetFontWidth(), c.GetFontStyle());
}

bool Clickable(const MControl& c) {
  // Texts, pictures, areas and pages let the press through to the window, which drags it.
  return dynamic_cast<const MText*>(&c) == nullptr && dynamic_cast<const MPicture*>(&c) == nullptr &&
         dynamic_cast<const CArea*>(&c) == nullptr && dynamic_cast<const MTabLayout*>(&c) == nullptr &&
         dynamic_cast<const CDeviceState*>(&c) == nullptr && dynamic_cast<const BatteryCtrl*>(&c) == nullptr;
}

void RoundedFill(QPainter& p, const QRectF& r, qreal radius, const QColor& fill,
                 const QColor& border = QColor()) {
  p.setPen(border.isValid() ? QPen(border, 1) : Qt::NoPen);
  p.setBrush(fill);
  p.drawRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
}

}  // namespace

ControlWidget::ControlWidget(MControl& control, DialogView& view, QWidget* parent)
    : QWidget(parent), control_(control), view_(view) {
  setAttribute(Qt::WA_Hover);
  setMouseTracking(true);
  if (!Clickable(control)) setAttribute(Qt::WA_TransparentForMouseEvents);
  if (control.TakesFocus()) setFocusPolicy(Qt::ClickFocus);
  bool lineEdit = dynamic_cast<MEdit*>(&control) != nullptr || dynamic_cast<DPIControl*>(&control) != nullptr;
  if (lineEdit) {
    edit_ = new QLineEdit(this);
    edit_->setFrame(false);
    edit_->installEventFilter(this);
    edit_->setAttribute(Qt::WA_MacShowFocusRect, false);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
      if (syncing_) return;
      // Typing means the edit has the focus, even where the window system was late to say so.
      if (Dialog().GetFocus() != &control_) Dialog().InputFocus(&control_);
      Dialog().InputEditText(&control_, text.toStdString());
      SyncEdit();  // a refused or changed text shows what the model holds
    });
    connect(edit_, &QLineEdit::returnPressed, this, [this] {
      Dialog().InputFinishEdit(&control_);
      view_.setFocus(Qt::OtherFocusReason);
    });
    // The edit's own focus is the control's focus.
    setFocusProxy(edit_);
  }
  if (auto* gif = dynamic_cast<CGifPicture*>(&control)) {
    (void)gif;
    movie_ = new QMovie(this);
    connect(movie_, &QMovie::frameChanged, this, [this] { update(); });
  }
}

ControlWidget::~ControlWidget() = default;

MDialog& ControlWidget::Dialog() { return view_.Dialog(); }

QRect ControlWidget::EditRect() const {
  if (dynamic_cast<DPIControl*>(&control_) != nullptr) {
    int h = std::min(height() / 2, 26);
    return QRect(10, height() - h - 6, width() - 20, h);
  }
  if (dynamic_cast<NumberEdit*>(&control_) != nullptr) {
    return rect().adjusted(8, 2, -kArrowWidth - 4, -2);
  }
  return rect().adjusted(8, 2, -8, -2);
}

void ControlWidget::SyncEdit() {
  if (!edit_) return;
  syncing_ = true;
  EditRules rules = control_.GetEditRules();
  edit_->setReadOnly(rules.readOnly);
  edit_->setMaxLength(rules.maxChars > 0 ? rules.maxChars : 32767);
  QString text = Q(control_.GetEditText());
  if (edit_->text() != text) edit_->setText(text);
  if (auto* e = dynamic_cast<MEdit*>(&control_)) edit_->setPlaceholderText(Q(e->GetPlaceholder()));
  QFont font = theme::MakeFont(Manager::GetFontName(), 14);
  QColor text_color = theme::kText;
  if (auto* f = dynamic_cast<MControlFont*>(&control_)) {
    font = FontOf(*f);
    text_color = theme::FromArgb(f->GetTextColor());
  }
  if (dynamic_cast<DPIControl*>(&control_) != nullptr) font.setPixelSize(16);
  edit_->setFont(font);
  Qt::Alignment align = Qt::AlignVCenter;
  if (auto* f = dynamic_cast<MControlFont*>(&control_)) {
    align |= f->GetAlignment() == Align::Center ? Qt::AlignHCenter
             : f->GetAlignment() == Align::Right ? Qt::AlignRight : Qt::AlignLeft;
  }
  edit_->setAlignment(align);
  edit_->setStyleSheet(QStringLiteral("QLineEdit{background:transparent;color:%1;"
                                      "selection-background-color:%2;selection-color:#0B1220;}"
                                      "QLineEdit:disabled{color:%3;}")
                           .arg(text_color.name(), theme::kAccent.name(), theme::kTextDim.name()));
  edit_->setGeometry(EditRect());
  syncing_ = false;
}

void ControlWidget::Sync() {
  Rect r = control_.GetRect();
  QRect geometry(r.left, r.top, r.Width(), r.Height());
  if (geometry != this->geometry()) setGeometry(geometry);
  bool visible = control_.IsShown() && !r.IsEmpty();
  setEnabled(control_.IsUsable());
  QString tip = Q(control_.GetTooltip());
  if (toolTip() != tip) setToolTip(tip);
  if (movie_ != nullptr) {
    auto& gif = static_cast<CGifPicture&>(control_);
    std::string file = gif.GetImage();
    if (file != movieFile_) {
      movie_->stop();
      movie_->setFileName(view_.Images().PathOf(file));
      movieFile_ = file;
    }
    bool run = gif.IsRunning() && visible;
    if (run && movie_->state() != QMovie::Running) movie_->start();
    if (!run && movie_->state() == QMovie::Running) movie_->setPaused(true);
  }
  SyncEdit();
  if (isVisible() != visible) setVisible(visible);
  std::uint64_t revision = control_.Revision();
  if (revision != revision_) {
    revision_ = revision;
    update();
  }
}

// --- Input ---

int ControlWidget::ItemAt(const QPoint& pos) const {
  if (auto* tabs = dynamic_cast<MTabCtrl*>(&control_)) {
    int n = tabs->GetItemCount();
    if (n <= 0 || width() <= 0) return -1;
    return std::clamp(pos.x() * n / width(), 0, n - 1);
  }
  if (auto* list = dynamic_cast<MacroList*>(&control_)) {
    int i = scroll_ + pos.y() / kMacroRow;
    return i < list->GetItemCount() ? i : -1;
  }
  if (auto* list = dynamic_cast<CRecordList*>(&control_)) {
    int i = scroll_ + pos.y() / kRecordRow;
    return i < list->GetItemCount() ? i : -1;
  }
  if (auto* emoji = dynamic_cast<EmojiControl*>(&control_)) {
    int cols = std::max(1, width() / kEmojiCell);
    int i = (scroll_ + pos.y() / kEmojiCell) * cols + pos.x() / kEmojiCell;
    return pos.x() / kEmojiCell < cols && i < emoji->GetItemCount() ? i : -1;
  }
  if (auto* mouse = dynamic_cast<MouseCtrl*>(&control_)) {
    auto items = mouse->GetItems();
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
      const Rect& a = items[i].anchor;
      if (QRect(a.left - control_.GetRect().left, a.top - control_.GetRect().top, a.Width(), a.Height())
              .contains(pos)) {
        return i;
      }
    }
    return -1;
  }
  if (dynamic_cast<NumberEdit*>(&control_) != nullptr) {
    if (pos.x() < width() - kArrowWidth - 2) return -1;
    return pos.y() < height() / 2 ? 0 : 1;
  }
  return -1;
}

int ControlWidget::SliderPosition(const QPoint& pos) const {
  auto& s = static_cast<MSlider&>(control_);
  int lo = s.GetMin(), hi = s.GetMax();
  int usable = std::max(1, width() - height());
  double t = std::clamp((pos.x() - height() / 2.0) / usable, 0.0, 1.0);
  return lo + static_cast<int>(t * (hi - lo) + 0.5);
}

void ControlWidget::mousePressEvent(QMouseEvent* event) {
  if (!control_.IsUsable()) return;
  if (event->button() == Qt::RightButton) {
    Dialog().InputRightClick(&control_, ItemAt(event->position().toPoint()));
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  pressed_ = true;
  if (dynamic_cast<MSlider*>(&control_) != nullptr) {
    sliding_ = true;
    Dialog().InputFocus(&control_);
    Dialog().InputSlide(&control_, SliderPosition(event->position().toPoint()), false);
  }
  update();
}

void ControlWidget::mouseMoveEvent(QMouseEvent* event) {
  QPoint pos = event->position().toPoint();
  if (sliding_) {
    Dialog().InputSlide(&control_, SliderPosition(pos), false);
    return;
  }
  int item = ItemAt(pos);
  if (item != hoverItem_) {
    hoverItem_ = item;
    update();
  }
}

void ControlWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !pressed_) return;
  pressed_ = false;
  QPoint pos = event->position().toPoint();
  if (sliding_) {
    sliding_ = false;
    Dialog().InputSlide(&control_, SliderPosition(pos), true);
    return;
  }
  update();
  if (!rect().contains(pos)) return;  // released outside: no click, as with any button
  if (dynamic_cast<MComboBox*>(&control_) != nullptr) {
    Dialog().InputFocus(&control_);
    OpenComboPopup();
    return;
  }
  Dialog().InputClick(&control_, ItemAt(pos));
}

void ControlWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (dynamic_cast<MacroList*>(&control_) != nullptr && event->button() == Qt::LeftButton &&
      ItemAt(event->position().toPoint()) >= 0) {
    StartRename();
    return;
  }
  mousePressEvent(event);
}

void ControlWidget::wheelEvent(QWheelEvent* event) {
  int rows = 0, count = 0, rowHeight = 1;
  if (auto* list = dynamic_cast<MacroList*>(&control_)) {
    count = list->GetItemCount();
    rowHeight = kMacroRow;
  } else if (auto* records = dynamic_cast<CRecordList*>(&control_)) {
    count = records->GetItemCount();
    rowHeight = kRecordRow;
  } else if (auto* emoji = dynamic_cast<EmojiControl*>(&control_)) {
    int cols = std::max(1, width() / kEmojiCell);
    count = (emoji->GetItemCount() + cols - 1) / cols;
    rowHeight = kEmojiCell;
  } else {
    event->ignore();
    return;
  }
  rows = std::max(1, height() / rowHeight);
  int step = event->angleDelta().y() > 0 ? -1 : 1;
  scroll_ = std::clamp(scroll_ + step, 0, std::max(0, count - rows));
  update();
}

void ControlWidget::enterEvent(QEnterEvent*) {
  hover_ = true;
  update();
}

void ControlWidget::leaveEvent(QEvent*) {
  hover_ = false;
  hoverItem_ = -1;
  update();
}

void ControlWidget::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  Dialog().InputFocus(&control_);
}

void ControlWidget::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  if (event->reason() == Qt::PopupFocusReason || event->reason() == Qt::ActiveWindowFocusReason) return;
  if (Dialog().GetFocus() == &control_) Dialog().InputFocus(nullptr);
}

bool ControlWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_) {
    if (event->type() == QEvent::FocusIn) {
      if (renaming_) return false;
      Dialog().InputFocus(&control_);
    } else if (event->type() == QEvent::FocusOut) {
      auto reason = static_cast<QFocusEvent*>(event)->reason();
      if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason) return false;
      if (renaming_) {
        renaming_ = false;
        Dialog().InputFinishEdit(&control_);
        edit_->hide();
      } else if (Dialog().GetFocus() == &control_) {
        Dialog().InputFocus(nullptr);
      }
    } else if (event->type() == QEvent::MouseButtonPress && dynamic_cast<DPIControl*>(&control_)) {
      // A press into a level's number also selects the level, as a click on the card does.
      auto* dpi = static_cast<DPIControl*>(&control_);
      if (!dpi->GetCheckState()) Dialog().InputClick(&control_);
    }
  }
  return QWidget::eventFilter(watched, event);
}

void ControlWidget::OpenComboPopup() {
  auto& combo = static_cast<MComboBox&>(control_);
  auto snap = combo.GetSnapshot();
  if (snap.items.empty()) return;
  QMenu menu(this);
  menu.setFont(FontOf(combo));
  menu.setMinimumWidth(width());
  menu.setStyleSheet(QStringLiteral(
      "QMenu{background:%1;border:1px solid %2;padding:4px;color:%3;}"
      "QMenu::item{padding:6px 14px;border-radius:4px;}"
      "QMenu::item:selected{background:%4;color:#EAF6FF;}")
          .arg(theme::kPanelRaised.name(), theme::kBorder.name(),
               theme::FromArgb(combo.GetTextColorEx()).name(), theme::kAccentDeep.name()));
  QList<QAction*> actions;
  for (const auto& item : snap.items) {
    QAction* a = menu.addAction(Q(item.text));
    a->setCheckable(true);
    a->setChecked(static_cast<int>(actions.size()) == snap.curSel);
    actions.push_back(a);
  }
  QAction* chosen = menu.exec(mapToGlobal(QPoint(0, height() + 2)),
                              snap.curSel >= 0 ? actions[snap.curSel] : nullptr);
  int index = static_cast<int>(actions.indexOf(chosen));
  if (index >= 0) Dialog().InputChoose(&control_, index);
}

void ControlWidget::StartRename() {
  auto* list = dynamic_cast<MacroList*>(&control_);
  if (list == nullptr || list->GetCurSel() < 0) return;
  if (!edit_) {
    edit_ = new QLineEdit(this);
    edit_->installEventFilter(this);
    connect(edit_, &QLineEdit::textEdited, this, [this](const QString& text) {
      Dialog().InputEditText(&control_, text.toStdString());
    });
    connect(edit_, &QLineEdit::returnPressed, this, [this] { view_.setFocus(Qt::OtherFocusReason); });
  }
  int row = list->GetCurSel() - scroll_;
  renaming_ = true;
  edit_->setGeometry(6, row * kMacroRow + 4, width() - 12, kMacroRow - 8);
  edit_->setFont(FontOf(*list));
  edit_->setStyleSheet(QStringLiteral("QLineEdit{background:%1;color:%2;border:1px solid %3;border-radius:4px;}")
                           .arg(theme::kWindow.name(), theme::kText.name(), theme::kAccent.name()));
  edit_->setText(Q(list->GetItemText(list->GetCurSel())));
  edit_->selectAll();
  edit_->show();
  edit_->setFocus(Qt::MouseFocusReason);
}

// --- Painting ---

int ControlWidget::ButtonState() const {
  if (!isEnabled()) return 3;
  if (pressed_ && hover_) return 2;
  return hover_ ? 1 : 0;
}

void ControlWidget::PaintText(QPainter& p, const QRect& r, MControlFont& c, const QString& text,
                              int flags) {
  p.setFont(FontOf(c));
  QColor color = theme::FromArgb(c.GetTextColor());
  if (!isEnabled()) color = theme::kTextDim;
  p.setPen(color);
  p.drawText(r, flags | Qt::TextWordWrap, text);
}

void ControlWidget::PaintPicture(QPainter& p, const std::string& file) {
  const QPixmap& pix = view_.Images().Get(file);
  if (!pix.isNull()) p.drawPixmap(rect(), pix);
}

void ControlWidget::PaintButton(QPainter& p, MButton& c) {
  int state = ButtonState();
  QPixmap pix = view_.Images().State(c.GetImage(), 4, state);
  QRect r = rect();
  if (dynamic_cast<CImageButton*>(&c) != nullptr) {
    if (!pix.isNull()) {
      p.drawPixmap(r, pix);
    } else {
      if (state == 1 || state == 2) RoundedFill(p, r, 4, theme::kPanelRaised);
    }
  } else if (dynamic_cast<CTextButton*>(&c) != nullptr) {
    QFont f = FontOf(c);
    f.setUnderline(state == 1);
    p.setFont(f);
    p.setPen(state == 3 ? theme::kTextDim : theme::kAccent);
    p.drawText(r, AlignFlags(c), Q(c.GetTitle()));
    return;
  } else if (!pix.isNull()) {
    theme::DrawNineSlice(p, r, pix, std::min(pix.height() / 3, 12));
  } else {
    QColor fill = state == 2 ? theme::kAccentDeep : state == 1 ? theme::kPanelRaised.lighter(125) : theme::kPanelRaised;
    RoundedFill(p, r, 6, fill, state == 3 ? theme::kBorder : theme::kAccentDeep);
  }
  QRect textRect = r.adjusted(6, 0, -6, 0);
  if (auto* icon = dynamic_cast<CIconButton*>(&c)) {
    const QPixmap& ip = view_.Images().Get(icon->GetIcon());
    if (!ip.isNull()) {
      int s = std::min(r.height() - 8, ip.height());
      QRect ir(r.left() + 10, r.center().y() - s / 2, s, s);
      p.drawPixmap(ir, ip);
      textRect.setLeft(ir.right() + 8);
    }
  }
  if (!c.GetTitle().empty()) {
    PaintText(p, textRect.translated(0, state == 2 ? 1 : 0), c, Q(c.GetTitle()),
              Qt::AlignCenter);
  }
}

void ControlWidget::PaintCheck(QPainter& p, MCheckable& c) {
  bool checked = c.GetCheck();
  bool radio = dynamic_cast<CRadioButton*>(&c) != nullptr;
  int s = std::min(height(), 18);
  QRect box(1, (height() - s) / 2, s, s);
  QPixmap pix = view_.Images().State(c.GetImage(), 2, checked ? 1 : 0);
  if (!pix.isNull()) {
    p.drawPixmap(box, pix);
  } else {
    QColor edge = hover_ ? theme::kAccent : theme::kTextDim;
    p.setPen(QPen(checked ? theme::kAccent : edge, 1.5));
    p.setBrush(theme::kWindow);
    if (radio) {
      p.drawEllipse(QRectF(box).adjusted(1, 1, -1, -1));
      if (checked) {
        p.setPen(Qt::NoPen);
        p.setBrush(theme::kAccent);
        p.drawEllipse(QRectF(box).adjusted(5, 5, -5, -5));
      }
    } else {
      p.drawRoundedRect(QRectF(box).adjusted(1, 1, -1, -1), 3, 3);
      if (checked) {
        p.setBrush(theme::kAccent);
        p.drawRoundedRect(QRectF(box).adjusted(1, 1, -1, -1), 3, 3);
        p.setPen(QPen(theme::kWindow, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        QPointF a(box.left() + s * 0.27, box.top() + s * 0.52), b(box.left() + s * 0.44, box.top() + s * 0.7),
            d(box.left() + s * 0.75, box.top() + s * 0.32);
        p.drawPolyline(QPolygonF({a, b, d}));
      }
    }
  }
  PaintText(p, rect().adjusted(s + 8, 0, 0, 0), c, Q(c.GetTitle()), Qt::AlignLeft | Qt::AlignVCenter);
}

void ControlWidget::PaintSwitch(QPainter& p, CSwitchButton& c) {
  bool on = c.GetCheck();
  const QPixmap& pix = view_.Images().Get(on ? c.GetOnImage() : c.GetOffImage());
  if (!pix.isNull()) {
    p.drawPixmap(rect(), pix);
    return;
  }
  QRectF r = QRectF(rect()).adjusted(1, 1, -1, -1);
  qreal radius = r.height() / 2;
  RoundedFill(p, r, radius, on ? theme::kAccentDeep : theme::kPanelRaised, on ? theme::kAccent : theme::kBorder);
  qreal d = r.height() - 6;
  QRectF knob(on ? r.right() - d - 3 : r.left() + 3, r.top() + 3, d, d);
  p.setPen(Qt::NoPen);
  p.setBrush(on ? QColor(0xEA, 0xF6, 0xFF) : theme::kTextDim);
  p.drawEllipse(knob);
}

void ControlWidget::PaintRateButton(QPainter& p, ColorButtonEx& c) {
  bool checked = c.GetCheck();
  QColor accent = theme::FromArgb(c.GetColor() | 0xFF000000u);
  QColor fill = checked ? accent.darker(260) : (hover_ ? theme::kPanelRaised.lighter(120) : theme::kPanelRaised);
  RoundedFill(p, rect(), 6, fill, checked ? accent : theme::kBorder);
  QColor old = theme::FromArgb(c.GetTextColor());
  p.setFont(FontOf(c));
  p.setPen(checked ? QColor(0xEA, 0xF6, 0xFF) : old);
  p.drawText(rect(), Qt::AlignCenter, Q(c.GetTitle()));
}

void ControlWidget::PaintEditFrame(QPainter& p) {
  const QPixmap& pix = view_.Images().Get(control_.GetImage());
  bool focus = control_.HasFocus();
  if (!pix.isNull()) {
    theme::DrawNineSlice(p, rect(), pix, std::min(pix.height() / 3, 10));
  } else {
    RoundedFill(p, rect(), 5, theme::kWindow, focus ? theme::kAccent : (hover_ ? theme::kTextDim : theme::kBorder));
  }
  if (dynamic_cast<NumberEdit*>(&control_) != nullptr) {
    int x = width() - kArrowWidth - 2;
    p.setPen(theme::kBorder);
    p.drawLine(x, 4, x, height() - 4);
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 2; ++i) {
      QColor arrow = hoverItem_ == i ? theme::kAccent : theme::kTextDim;
      p.setBrush(arrow);
      qreal cx = x + kArrowWidth / 2.0 + 1, cy = i == 0 ? height() * 0.3 : height() * 0.7;
      QPolygonF tri = i == 0 ? QPolygonF({QPointF(cx - 4, cy + 2), QPointF(cx + 4, cy + 2), QPointF(cx, cy - 3)})
                             : QPolygonF({QPointF(cx - 4, cy - 2), QPointF(cx + 4, cy - 2), QPointF(cx, cy + 3)});
      p.drawPolygon(tri);
    }
  }
}

void ControlWidget::PaintCombo(QPainter& p, MComboBox& c) {
  const QPixmap& pix = view_.Images().Get(c.GetImage());
  if (!pix.isNull()) {
    theme::DrawNineSlice(p, rect(), pix, std::min(pix.height() / 3, 10));
  } else {
    RoundedFill(p, rect(), 5, hover_ && isEnabled() ? theme::kPanelRaised : theme::kPanel,
                c.HasFocus() ? theme::kAccentDeep : theme::kBorder);
    QPointF m(width() - 16, height() / 2.0);
    p.setPen(QPen(isEnabled() ? theme::kAccent : theme::kTextDim, 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({m + QPointF(-4, -2), m + QPointF(0, 2), m + QPointF(4, -2)}));
  }
  PaintText(p, rect().adjusted(10, 0, -28, 0), c, Q(c.GetTitle()), Qt::AlignLeft | Qt::AlignVCenter);
}

void ControlWidget::PaintSlider(QPainter& p, MSlider& c) {
  int lo = c.GetMin(), hi = c.GetMax(), v = c.GetProgress();
  double t = hi > lo ? double(v - lo) / (hi - lo) : 0.0;
  qreal h = height();
  qreal trackH = std::max<qreal>(4, h / 5);
  QRectF track(h / 2, (h - trackH) / 2, width() - h, trackH);
  RoundedFill(p, track, trackH / 2, theme::kWindow, theme::kBorder);
  QRectF filled = track;
  filled.setWidth(track.width() * t);
  const QPixmap& bar = view_.Images().Get(c.GetBarImage().empty() ? c.GetImage() : c.GetBarImage());
  if (!bar.isNull() && filled.width() > 1) {
    p.drawPixmap(filled.toRect(), bar);
  } else if (filled.width() > 0) {
    QLinearGradient g(track.topLeft(), track.topRight());
    g.setColorAt(0, theme::kAccentDeep);
    g.setColorAt(1, theme::kAccent);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(filled, trackH / 2, trackH / 2);
  }
  qreal d = std::min<qreal>(h - 2, 18);
  QPointF center(track.left() + track.width() * t, h / 2);
  p.setPen(QPen(isEnabled() ? theme::kAccent : theme::kTextDim, 2));
  p.setBrush(QColor(0xEA, 0xF6, 0xFF));
  p.drawEllipse(center, d / 2 - 1, d / 2 - 1);
}

void ControlWidget::PaintDpi(QPainter& p, DPIControl& c) {
  bool checked = c.GetCheckState();
  QColor level = theme::FromColorRef(c.GetColor());
  RoundedFill(p, rect(), 8, checked ? theme::kPanelRaised : theme::kPanel,
              checked ? theme::kAccent : (hover_ ? theme::kTextDim : theme::kBorder));
  p.setPen(Qt::NoPen);
  p.setBrush(level);
  p.drawEllipse(QRectF(10, 10, 10, 10));
  PaintText(p, QRect(26, 4, width() - 30, 22), c, Q(c.GetTitle()), Qt::AlignLeft | Qt::AlignVCenter);
  QRect field = EditRect();
  RoundedFill(p, field.adjusted(-2, 0, 2, 0), 4, theme::kWindow,
              c.HasFocus() ? theme::kAccent : theme::kBorder);
}

void ControlWidget::PaintTabs(QPainter& p, MTabCtrl& c) {
  auto items = c.GetItems();
  int n = static_cast<int>(items.size());
  if (n == 0) return;
  int sel = c.GetSelectItem();
  for (int i = 0; i < n; ++i) {
    QRect cell(i * width() / n, 0, (i + 1) * width() / n - i * width() / n, height());
    bool selected = i == sel;
    if (selected || i == hoverItem_) {
      RoundedFill(p, cell.adjusted(4, 4, -4, -4), 8, selected ? theme::kPanelRaised : theme::kPanel);
    }
    const QPixmap& icon = view_.Images().Get(items[i].icon);
    int textTop = cell.top();
    if (!icon.isNull()) {
      int s = std::min(cell.height() / 2, 32);
      p.setOpacity(selected ? 1.0 : 0.65);
      p.drawPixmap(QRect(cell.center().x() - s / 2, cell.top() + 8, s, s), icon);
      p.setOpacity(1.0);
      textTop = cell.top() + 8 + s;
    }
    QFont f = FontOf(c);
    p.setFont(f);
    p.setPen(selected ? QColor(0xEA, 0xF6, 0xFF) : theme::FromArgb(c.GetTextColor()));
    p.drawText(QRect(cell.left(), textTop, cell.width(), cell.bottom() - textTop - 6), Qt::AlignCenter,
               Q(items[i].text));
    if (selected) {
      p.setPen(Qt::NoPen);
      p.setBrush(theme::kAccent);
      p.drawRoundedRect(QRectF(cell.center().x() - 16, cell.bottom() - 6, 32, 3), 1.5, 1.5);
    }
  }
}

void ControlWidget::PaintBattery(QPainter& p, BatteryCtrl& c) {
  int level = std::clamp(c.GetBatteryLevel(), 0, 100);
  const QPixmap& bkg = view_.Images().Get(c.GetBackgroundImage());
  const QPixmap& value = view_.Images().Get(c.GetValueImage());
  QRect body = rect().adjusted(1, height() / 4, -5, -height() / 4);
  if (!bkg.isNull()) {
    p.drawPixmap(rect(), bkg);
  } else {
    RoundedFill(p, body, 3, Qt::transparent, theme::kText);
    p.setBrush(theme::kText);
    p.drawRect(QRectF(body.right() + 1, body.center().y() - 3, 3, 6));
  }
  QRect inner = body.adjusted(2, 2, -2, -2);
  QRect fill(inner.left(), inner.top(), inner.width() * level / 100, inner.height());
  if (!value.isNull()) {
    p.drawPixmap(fill, value, QRect(0, 0, value.width() * level / 100, value.height()));
  } else {
    p.fillRect(fill, level <= 15 ? QColor(0xE0, 0x5A, 0x5A) : theme::kAccent);
  }
  if (c.GetBatteryState() == 1) {
    const QPixmap& charge = view_.Images().Get(c.GetChargeImage());
    if (!charge.isNull()) p.drawPixmap(body, charge);
  }
}

void ControlWidget::PaintState(QPainter& p, CDeviceState& c) {
  const QPixmap& pix = view_.Images().Get(c.GetImage());
  int s = std::min(height(), 14);
  QRect dot(0, (height() - s) / 2, s, s);
  if (!pix.isNull()) {
    p.drawPixmap(dot, pix);
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(c.GetState() != 0 ? theme::kAccent : theme::kTextDim);
    p.drawEllipse(QRectF(dot).adjusted(3, 3, -3, -3));
  }
  PaintText(p, rect().adjusted(s + 6, 0, 0, 0), c, Q(c.GetTitle()), Qt::AlignLeft | Qt::AlignVCenter);
}

void ControlWidget::PaintMouse(QPainter& p, MouseCtrl& c) {
  PaintPicture(p, c.GetImage());
  auto items = c.GetItems();
  Rect origin = c.GetRect();
  for (int i = 0; i < static_cast<int>(items.size()); ++i) {
    const Rect& a = items[i].anchor;
    QRect r(a.left - origin.left, a.top - origin.top, a.Width(), a.Height());
    RoundedFill(p, r, 5, i == hoverItem_ ? theme::kPanelRaised : theme::kPanel, theme::kBorder);
    PaintText(p, r.adjusted(8, 0, -8, 0), c, Q(items[i].text), Qt::AlignLeft | Qt::AlignVCenter);
  }
}

void ControlWidget::PaintMacroList(QPainter& p, MacroList& c) {
  auto items = c.GetItems();
  int sel = c.GetCurSel();
  const QPixmap& more = view_.Images().Get(c.GetImage());
  for (int i = scroll_, row = 0; i < static_cast<int>(items.size()) && row * kMacroRow < height(); ++i, ++row) {
    QRect r(0, row * kMacroRow, width(), kMacroRow);
    if (i == sel) {
      RoundedFill(p, r.adjusted(2, 2, -2, -2), 6, theme::kPanelRaised, theme::kAccentDeep);
    } else if (i == hoverItem_) {
      RoundedFill(p, r.adjusted(2, 2, -2, -2), 6, theme::kPanel);
    }
    if (renaming_ && i == sel) continue;
    PaintText(p, r.adjusted(12, 0, -30, 0), c, Q(items[i].text), Qt::AlignLeft | Qt::AlignVCenter);
    if (!more.isNull() && (i == sel || i == hoverItem_)) {
      p.drawPixmap(QRect(r.right() - 24, r.center().y() - 8, 16, 16), more);
    }
  }
}

void ControlWidget::PaintRecordList(QPainter& p, CRecordList& c) {
  auto items = c.GetRecordItems();
  int sel = c.GetCurSel();
  const QPixmap& icon = view_.Images().Get(c.GetImage());
  for (int i = scroll_, row = 0; i < static_cast<int>(items.size()) && row * kRecordRow < height(); ++i, ++row) {
    QRect r(0, row * kRecordRow, width(), kRecordRow);
    if (i == sel) {
      RoundedFill(p, r.adjusted(2, 1, -2, -1), 5, theme::kPanelRaised, theme::kAccentDeep);
    } else if (i == hoverItem_) {
      RoundedFill(p, r.adjusted(2, 1, -2, -1), 5, theme::kPanel);
    }
    int x = 10;
    if (!icon.isNull()) {
      p.drawPixmap(QRect(x, r.center().y() - 7, 14, 14), icon);
      x += 22;
    }
    PaintText(p, r.adjusted(x, 0, -8, 0), c, Q(items[i].text), Qt::AlignLeft | Qt::AlignVCenter);
  }
}

void ControlWidget::PaintEmoji(QPainter& p, EmojiControl& c) {
  auto items = c.GetItems();
  int sel = c.GetSelectItem();
  int cols = std::max(1, width() / kEmojiCell);
  for (int i = scroll_ * cols; i < static_cast<int>(items.size()); ++i) {
    int row = i / cols - scroll_, col = i % cols;
    if (row * kEmojiCell >= height()) break;
    QRect cell(col * kEmojiCell, row * kEmojiCell, kEmojiCell, kEmojiCell);
    if (i == sel || i == hoverItem_) {
      RoundedFill(p, cell.adjusted(2, 2, -2, -2), 6, theme::kPanelRaised, i == sel ? theme::kAccent : theme::kBorder);
    }
    const QPixmap& pix = view_.Images().Get(items[i].file);
    if (!pix.isNull()) p.drawPixmap(cell.adjusted(8, 8, -8, -8), pix);
  }
}

void ControlWidget::PaintArea(QPainter& p, CArea& c) {
  QColor back = theme::FromArgb(c.GetBackColor());
  if (back.alpha() > 0) RoundedFill(p, rect(), 10, back, theme::kBorder);
  PaintPicture(p, c.GetImage());
  if (!c.GetTitle().empty()) {
    PaintText(p, rect().adjusted(16, 10, -16, 0), c, Q(c.GetTitle()), Qt::AlignLeft | Qt::AlignTop);
  }
}

void ControlWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform | QPainter::TextAntialiasing);
  MControl* c = &control_;
  if (auto* x = dynamic_cast<DPIControl*>(c)) return PaintDpi(p, *x);
  if (auto* x = dynamic_cast<CSwitchButton*>(c)) return PaintSwitch(p, *x);
  if (auto* x = dynamic_cast<ColorButtonEx*>(c)) return PaintRateButton(p, *x);
  if (auto* x = dynamic_cast<MCheckable*>(c)) return PaintCheck(p, *x);
  if (auto* x = dynamic_cast<MButton*>(c)) return PaintButton(p, *x);
  if (dynamic_cast<MEdit*>(c) != nullptr) return PaintEditFrame(p);
  if (auto* x = dynamic_cast<MComboBox*>(c)) return PaintCombo(p, *x);
  if (auto* x = dynamic_cast<MSlider*>(c)) return PaintSlider(p, *x);
  if (auto* x = dynamic_cast<MTabCtrl*>(c)) return PaintTabs(p, *x);
  if (auto* x = dynamic_cast<BatteryCtrl*>(c)) return PaintBattery(p, *x);
  if (auto* x = dynamic_cast<CDeviceState*>(c)) return PaintState(p, *x);
  if (auto* x = dynamic_cast<MouseCtrl*>(c)) return PaintMouse(p, *x);
  if (auto* x = dynamic_cast<MacroList*>(c)) return PaintMacroList(p, *x);
  if (auto* x = dynamic_cast<CRecordList*>(c)) return PaintRecordList(p, *x);
  if (auto* x = dynamic_cast<EmojiControl*>(c)) return PaintEmoji(p, *x);
  if (auto* x = dynamic_cast<CArea*>(c)) return PaintArea(p, *x);
  if (auto* x = dynamic_cast<CGifPicture*>(c)) {
    (void)x;
    QPixmap frame = movie_ != nullptr ? movie_->currentPixmap() : QPixmap();
    if (!frame.isNull()) p.drawPixmap(rect(), frame);
    return;
  }
  if (auto* x = dynamic_cast<MPicture*>(c)) return PaintPicture(p, x->GetImage());
  if (auto* x = dynamic_cast<MText*>(c)) {
    return PaintText(p, rect(), *x, Q(x->GetTitle()), AlignFlags(*x));
  }
}

}  // namespace zq::ui
