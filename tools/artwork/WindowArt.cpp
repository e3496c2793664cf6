// The main window's pictures. Sizes follow the layout's design at twice its pixels where the view
// scales a picture into its control, so that they stay sharp on a maximised window; frames that
// the view draws nine-slice are drawn at their design size. Stacked states follow the view's
// rule: push and window buttons four states (normal, hover, pressed, disabled), check boxes and
// radio buttons two (unchecked, checked).

#include <QFont>
#include <QRadialGradient>

#include <cmath>

#include "Art.h"

namespace zq::artwork {
namespace {

const QColor kWhite(0xEA, 0xF6, 0xFF);
const QColor kDim(0x6F, 0x85, 0x9E);
const QColor kDeep(0x0B, 0x12, 0x20);
const QColor kRed(0xE0, 0x5A, 0x5A);

QFont ArtFont(int pixelSize, int weight = QFont::DemiBold) {
  QFont f;
  f.setFamilies({QStringLiteral("Open Sans"), QStringLiteral("WenQuanYi Micro Hei")});
  f.setPixelSize(pixelSize);
  f.setWeight(static_cast<QFont::Weight>(weight));
  return f;
}

QPen Line(const QColor& c, qreal w) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

// --- Backgrounds ---

void FillBackground(QPainter& p, int w, int h, bool hero) {
  QLinearGradient g(0, 0, 0, h);
  g.setColorAt(0, QColor(0x16, 0x1E, 0x2D));
  g.setColorAt(1, QColor(0x0D, 0x13, 0x1E));
  p.fillRect(0, 0, w, h, g);
  // A faint dot grid gives the surface texture without noise.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(255, 255, 255, 9));
  for (int y = 170; y < h; y += 24) {
    for (int x = 12; x < w; x += 24) p.drawEllipse(QPointF(x, y), 0.9, 0.9);
  }
  QRadialGradient glow(hero ? QPointF(w / 2.0, h * 0.55) : QPointF(w * 0.85, -40),
                       hero ? h * 0.55 : h * 0.7);
  glow.setColorAt(0, WithAlpha(kAccent, hero ? 40 : 22));
  glow.setColorAt(1, WithAlpha(kAccent, 0));
  p.fillRect(0, 0, w, h, glow);
  // The title bar sits on a slightly lighter band with a hairline under the tabs.
  QLinearGradient band(0, 0, 0, 146);
  band.setColorAt(0, QColor(255, 255, 255, 8));
  band.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillRect(0, 0, w, 146, band);
  p.setPen(QPen(QColor(0x2E, 0x3B, 0x52, 160), 1));
  p.drawLine(QPointF(0, 145.5), QPointF(w, 145.5));
}

QImage Background() {
  QImage img = Canvas(1121, 780);
  QPainter p(&img);
  Smooth(p);
  FillBackground(p, 1121, 780, true);
  return img;
}

QImage Background2() {
  QImage img = Canvas(1121, 780);
  QPainter p(&img);
  Smooth(p);
  FillBackground(p, 1121, 780, false);
  return img;
}

// --- Logo: an original "Q57" wordmark, a cyan Q ring with a slash tail and the digits ---
QImage Logo() {
  QImage img = Canvas(144, 56);
  QPainter p(&img);
  Smooth(p);
  QLinearGradient g(0, 0, 144, 56);
  g.setColorAt(0, kAccent);
  g.setColorAt(1, QColor(0x5A, 0x8C, 0xFF));
  p.setPen(QPen(QBrush(g), 7, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(6, 7, 40, 40));
  p.drawLine(QPointF(34, 36), QPointF(48, 50));
  p.setPen(kWhite);
  QFont f = ArtFont(40, QFont::Bold);
  f.setItalic(true);
  f.setLetterSpacing(QFont::AbsoluteSpacing, -1);
  p.setFont(f);
  p.drawText(QRectF(52, 0, 92, 56), Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("57"));
  return img;
}

// --- Window buttons: four states of 72 x 64 (drawn into 36 x 32) ---
QImage WindowButton(const std::function<void(QPainter&, const QRectF&, const QColor&)>& glyph,
                    bool danger) {
  const int w = 72, h = 64;
  QImage img = Canvas(w, h * 4);
  QPainter p(&img);
  Smooth(p);
  for (int s = 0; s < 4; ++s) {
    QRectF r(4, s * h + 4, w - 8, h - 8);
    if (s == 1 || s == 2) {
      QColor fill = danger ? (s == 1 ? QColor(0xC4, 0x3C, 0x4A) : QColor(0x9E, 0x2E, 0x3A))
                           : (s == 1 ? QColor(0x2A, 0x37, 0x4E) : QColor(0x1E, 0x29, 0x3B));
      p.setPen(Qt::NoPen);
      p.setBrush(fill);
      p.drawRoundedRect(r, 12, 12);
    }
    QColor c = s == 3 ? kDim : (s == 0 ? kText : kWhite);
    glyph(p, QRectF(w / 2.0 - 11, s * h + h / 2.0 - 11, 22, 22), c);
  }
  return img;
}

QImage CloseButton() {
  return WindowButton(
      [](QPainter& p, const QRectF& r, const QColor& c) {
        p.setPen(Line(c, 3.2));
        p.drawLine(r.topLeft() + QPointF(3, 3), r.bottomRight() - QPointF(3, 3));
        p.drawLine(r.topRight() + QPointF(-3, 3), r.bottomLeft() + QPointF(3, -3));
      },
      true);
}

QImage MinimizeButton() {
  return WindowButton(
      [](QPainter& p, const QRectF& r, const QColor& c) {
        p.setPen(Line(c, 3.2));
        p.drawLine(QPointF(r.left() + 2, r.center().y() + 1), QPointF(r.right() - 2, r.center().y() + 1));
      },
      false);
}

QImage MaximizeButton() {
  return WindowButton(
      [](QPainter& p, const QRectF& r, const QColor& c) {
        p.setPen(Line(c, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(3, 3, -3, -3), 3, 3);
      },
      false);
}

QImage RestoreButton() {
  return WindowButton(
      [](QPainter& p, const QRectF& r, const QColor& c) {
        p.setPen(Line(c, 3));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(r.adjusted(2, 7, -7, -2), 3, 3);
        QPainterPath back;
        back.moveTo(r.left() + 7, r.top() + 6);
        back.lineTo(r.left() + 7, r.top() + 2);
        back.lineTo(r.right() - 2, r.top() + 2);
        back.lineTo(r.right() - 2, r.bottom() - 7);
        back.lineTo(r.right() - 6, r.bottom() - 7);
        p.drawPath(back);
      },
      false);
}

// --- Tab icons: 64 x 64 line art in the text colour with a cyan detail ---
QImage TabIcon(const std::function<void(QPainter&)>& draw) {
  QImage img = Canvas(64, 64);
  QPainter p(&img);
  Smooth(p);
  p.setBrush(Qt::NoBrush);
  draw(p);
  return img;
}

QImage TabHome() {
  return TabIcon([](QPainter& p) {
    p.setPen(Line(kText, 4.5));
    QPainterPath house;
    house.moveTo(10, 30);
    house.lineTo(32, 11);
    house.lineTo(54, 30);
    p.drawPath(house);
    p.drawRoundedRect(QRectF(16, 28, 32, 26), 4, 4);
    p.setPen(Line(kAccent, 4.5));
    p.drawLine(QPointF(27, 54), QPointF(27, 42));
    p.drawLine(QPointF(27, 42), QPointF(37, 42));
    p.drawLine(QPointF(37, 42), QPointF(37, 54));
  });
}

// The mouse outline the button tab, the home page and the button map share.
QPainterPath MouseBody(const QRectF& r) {
  auto P = [&](qreal x, qreal y) { return QPointF(r.left() + x * r.width() / 220.0, r.top() + y * r.height() / 380.0); };
  QPainterPath path;
  path.moveTo(P(110, 6));
  path.cubicTo(P(160, 6), P(196, 30), P(200, 92));
  path.cubicTo(P(206, 170), P(210, 250), P(196, 312));
  path.cubicTo(P(184, 358), P(150, 374), P(110, 374));
  path.cubicTo(P(70, 374), P(36, 358), P(24, 312));
  path.cubicTo(P(10, 250), P(14, 170), P(20, 92));
  path.cubicTo(P(24, 30), P(60, 6), P(110, 6));
  path.closeSubpath();
  return path;
}

QImage TabKey() {
  return TabIcon([](QPainter& p) {
    QRectF r(17, 6, 30, 52);
    p.setPen(Line(kText, 4.5));
    p.drawPath(MouseBody(r));
    p.drawLine(QPointF(32, 8), QPointF(32, 26));
    p.setPen(Line(kAccent, 5));
    p.drawLine(QPointF(32, 15), QPointF(32, 21));
  });
}

QImage TabDpi() {
  return TabIcon([](QPainter& p) {
    p.setPen(Line(kText, 4.5));
    p.drawArc(QRectF(8, 12, 48, 48), 20 * 16, 140 * 16);
    p.drawArc(QRectF(8, 12, 48, 48), -20 * 16, -20 * 16);
    p.setPen(Line(kAccent, 5));
    p.drawLine(QPointF(32, 36), QPointF(46, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(kText);
    p.drawEllipse(QPointF(32, 36), 5.5, 5.5);
    p.setPen(Line(kText, 4.5));
    p.drawLine(QPointF(14, 52), QPointF(50, 52));
  });
}

QImage TabMacro() {
  return TabIcon([](QPainter& p) {
    p.setPen(Line(kText, 4.5));
    p.drawRoundedRect(QRectF(7, 14, 50, 36), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(kText);
    for (int i = 0; i < 4; ++i) p.drawRoundedRect(QRectF(14 + i * 10, 22, 6, 6), 1.5, 1.5);
    p.setBrush(kAccent);
    p.drawRoundedRect(QRectF(18, 36, 28, 6), 2, 2);
  });
}

QImage TabSet() {
  return TabIcon([](QPainter& p) {
    const QPointF c(32, 32);
    QPainterPath gear;
    const int teeth = 8;
    for (int i = 0; i < teeth * 2; ++i) {
      double a = i * M_PI / teeth;
      double r0 = (i % 2 == 0) ? 25 : 19;
      double a0 = a - M_PI / teeth / 2, a1 = a + M_PI / teeth / 2;
      QPointF p0(c.x() + r0 * std::cos(a0), c.y() + r0 * std::sin(a0));
      QPointF p1(c.x() + r0 * std::cos(a1), c.y() + r0 * std::sin(a1));
      if (i == 0) gear.moveTo(p0); else gear.lineTo(p0);
      gear.lineTo(p1);
    }
    gear.closeSubpath();
    p.setPen(Line(kText, 4));
    p.drawPath(gear);
    p.setPen(Line(kAccent, 5));
    p.drawEllipse(c, 7, 7);
  });
}

// --- The mouse: an original stylised gaming mouse seen from above, 440 x 760 ---
void DrawMouse(QPainter& p, const QRectF& r) {
  auto P = [&](qreal x, qreal y) { return QPointF(r.left() + x * r.width() / 220.0, r.top() + y * r.height() / 380.0); };
  const qreal k = r.width() / 220.0;
  QPainterPath body = MouseBody(r);
  // Soft shadow.
  for (int i = 6; i > 0; --i) {
    p.setPen(QPen(QColor(0, 0, 0, 14), i * 4 * k));
    p.setBrush(Qt::NoBrush);
    p.drawPath(body.translated(0, 6 * k));
  }
  QLinearGradient shell(P(0, 0), P(220, 380));
  shell.setColorAt(0, QColor(0x3A, 0x47, 0x5E));
  shell.setColorAt(0.45, QColor(0x22, 0x2B, 0x3B));
  shell.setColorAt(1, QColor(0x14, 0x1A, 0x26));
  p.setPen(QPen(QColor(0x55, 0x66, 0x82), 1.5 * k));
  p.setBrush(shell);
  p.drawPath(body);
  // Highlight along the left flank.
  QPainterPath sheen;
  sheen.moveTo(P(40, 60));
  sheen.cubicTo(P(30, 140), P(34, 250), P(58, 330));
  p.setPen(QPen(QColor(255, 255, 255, 30), 10 * k, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(sheen);
  // The two main buttons end at a palm line; the split runs from the front to the wheel.
  p.setPen(QPen(QColor(0x0B, 0x10, 0x18), 3 * k, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(P(110, 8), P(110, 46));
  p.drawLine(P(110, 112), P(110, 150));
  QPainterPath palm;
  palm.moveTo(P(18, 158));
  palm.cubicTo(P(60, 140), P(160, 140), P(202, 158));
  p.drawPath(palm);
  // Cyan light strip under the palm line.
  QPainterPath strip;
  strip.moveTo(P(34, 168));
  strip.cubicTo(P(70, 154), P(150, 154), P(186, 168));
  QLinearGradient light(P(34, 0), P(186, 0));
  light.setColorAt(0, WithAlpha(kAccent, 0));
  light.setColorAt(0.5, kAccent);
  light.setColorAt(1, WithAlpha(kAccent, 0));
  p.setPen(QPen(QBrush(light), 4 * k, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(strip);
  // Wheel with ribs.
  QRectF wheel(P(99, 50), P(121, 108));
  p.setPen(QPen(QColor(0x0B, 0x10, 0x18), 2 * k));
  p.setBrush(QColor(0x10, 0x16, 0x21));
  p.drawRoundedRect(wheel.adjusted(-3 * k, -3 * k, 3 * k, 3 * k), 8 * k, 8 * k);
  QLinearGradient rubber(wheel.topLeft(), wheel.topRight());
  rubber.setColorAt(0, QColor(0x2A, 0x33, 0x44));
  rubber.setColorAt(0.5, QColor(0x4A, 0x58, 0x70));
  rubber.setColorAt(1, QColor(0x2A, 0x33, 0x44));
  p.setPen(Qt::NoPen);
  p.setBrush(rubber);
  p.drawRoundedRect(wheel, 7 * k, 7 * k);
  p.setPen(QPen(QColor(0x1A, 0x20, 0x2C), 1.5 * k));
  for (int i = 1; i < 9; ++i) {
    qreal y = wheel.top() + i * wheel.height() / 9;
    p.drawLine(QPointF(wheel.left() + 3 * k, y), QPointF(wheel.right() - 3 * k, y));
  }
  // DPI button behind the wheel, with a cyan pip.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x10, 0x16, 0x21));
  p.drawRoundedRect(QRectF(P(102, 120), P(118, 140)), 4 * k, 4 * k);
  p.setBrush(kAccent);
  p.drawEllipse(P(110, 130), 2.5 * k, 2.5 * k);
  // Side buttons on the left flank.
  for (qreal top : {172.0, 224.0}) {
    QRectF side(P(12, top), P(24, top + 44));
    p.setPen(QPen(QColor(0x0B, 0x10, 0x18), 1.5 * k));
    p.setBrush(QColor(0x30, 0x3C, 0x52));
    p.drawRoundedRect(side, 5 * k, 5 * k);
  }
  // The wordmark on the palm.
  p.setPen(QColor(0x8F, 0xA6, 0xC2, 150));
  QFont f = ArtFont(static_cast<int>(22 * k), QFont::Bold);
  f.setItalic(true);
  p.setFont(f);
  p.drawText(QRectF(P(60, 260), P(160, 300)), Qt::AlignCenter, QStringLiteral("Q57"));
}

QImage Mouse() {
  QImage img = Canvas(440, 760);
  QPainter p(&img);
  Smooth(p);
  DrawMouse(p, QRectF(0, 0, 440, 760));
  return img;
}

// The button map over the mouse of the buttons page: numbered markers on the positions, in the
// panel's design size (781 x 604). The mouse lies at 280, 112 to 500, 492 in it.
QImage KeyMap() {
  const qreal s = 2.0;
  QImage img = Canvas(781 * 2, 604 * 2);
  QPainter p(&img);
  Smooth(p);
  p.scale(s, s);
  QRadialGradient glow(QPointF(390, 470), 240);
  glow.setColorAt(0, WithAlpha(kAccent, 34));
  glow.setColorAt(1, WithAlpha(kAccent, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(390, 470), 240, 60);
  struct Marker {
    QPointF at;
    int number;
  };
  const QPointF origin(280, 112);
  const Marker markers[] = {
      {{56, 92}, 1},  {{164, 92}, 2},  {{110, 79}, 3}, {{18, 194}, 4},
      {{18, 246}, 5}, {{142, 50}, 6},  {{142, 108}, 7},
  };
  p.setFont(ArtFont(13, QFont::Bold));
  for (const Marker& m : markers) {
    QPointF c = origin + m.at;
    p.setPen(QPen(kAccent, 2));
    p.setBrush(QColor(0x0E, 0x16, 0x24, 235));
    p.drawEllipse(c, 12, 12);
    p.setPen(kWhite);
    p.drawText(QRectF(c.x() - 12, c.y() - 12, 24, 24), Qt::AlignCenter, QString::number(m.number));
  }
  return img;
}

// The stage under the mouse on the home page: a glowing ring on the floor.
QImage HomeStage() {
  QImage img = Canvas(1120, 1120);
  QPainter p(&img);
  Smooth(p);
  p.scale(2, 2);
  QRadialGradient halo(QPointF(280, 300), 280);
  halo.setColorAt(0, WithAlpha(kAccent, 46));
  halo.setColorAt(0.6, WithAlpha(kAccent, 12));
  halo.setColorAt(1, WithAlpha(kAccent, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(QPointF(280, 300), 280, 280);
  for (int i = 0; i < 3; ++i) {
    p.setPen(QPen(WithAlpha(kAccent, 120 - i * 35), 2.0 - i * 0.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(280, 420), 150 + i * 40, 34 + i * 10);
  }
  return img;
}

// The strip behind the DPI slider (1041 x 58).
QImage SliderStrip() {
  QImage img = Canvas(1041, 58);
  QPainter p(&img);
  Smooth(p);
  p.setPen(QPen(kBorder, 1));
  p.setBrush(QColor(0x10, 0x17, 0x24, 220));
  p.drawRoundedRect(QRectF(0.5, 0.5, 1040, 57), 10, 10);
  return img;
}

// The game mode card (257 x 208): the panel with a lightning mark in its corner.
QImage GameModeCard() {
  QImage img = Canvas(257, 208);
  QPainter p(&img);
  Smooth(p);
  QLinearGradient body(0, 0, 257, 208);
  body.setColorAt(0, QColor(0x1C, 0x28, 0x3A, 235));
  body.setColorAt(1, QColor(0x15, 0x1F, 0x2E, 235));
  p.setPen(QPen(kBorder, 1));
  p.setBrush(body);
  p.drawRoundedRect(QRectF(0.5, 0.5, 256, 207), 10, 10);
  QPainterPath bolt;
  bolt.moveTo(214, 110);
  bolt.lineTo(186, 160);
  bolt.lineTo(206, 160);
  bolt.lineTo(196, 198);
  bolt.lineTo(234, 140);
  bolt.lineTo(212, 140);
  bolt.closeSubpath();
  p.setPen(Qt::NoPen);
  p.setBrush(WithAlpha(kAccent, 40));
  p.drawPath(bolt);
  return img;
}

// --- Status ---
QImage StateDot() {
  QImage img = Canvas(28, 28);
  QPainter p(&img);
  Smooth(p);
  QRadialGradient g(QPointF(14, 14), 14);
  g.setColorAt(0, WithAlpha(kAccent, 120));
  g.setColorAt(1, WithAlpha(kAccent, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(14, 14), 14, 14);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(14, 14), 6, 6);
  return img;
}

// Battery outline, 72 x 40 for a 36 x 20 control: the body the view fills spans 2..62 x 10..30.
QImage BatteryBackground() {
  QImage img = Canvas(72, 40);
  QPainter p(&img);
  Smooth(p);
  p.setPen(QPen(kText, 2.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(2.5, 7.5, 59, 25), 5, 5);
  p.setPen(Qt::NoPen);
  p.setBrush(kText);
  p.drawRoundedRect(QRectF(63, 14, 6, 12), 2, 2);
  return img;
}

QImage BatteryValue() {
  QImage img = Canvas(100, 20);
  QPainter p(&img);
  Smooth(p);
  QLinearGradient g(0, 0, 100, 0);
  g.setColorAt(0, kAccentDeep);
  g.setColorAt(1, kAccent);
  p.fillRect(0, 0, 100, 20, g);
  return img;
}

QImage Charge() {
  QImage img = Canvas(60, 20);
  QPainter p(&img);
  Smooth(p);
  QPainterPath bolt;
  bolt.moveTo(33, 1);
  bolt.lineTo(22, 11);
  bolt.lineTo(30, 11);
  bolt.lineTo(26, 19);
  bolt.lineTo(38, 8);
  bolt.lineTo(30, 8);
  bolt.closeSubpath();
  p.setPen(QPen(kDeep, 1.5));
  p.setBrush(QColor(0xFF, 0xD5, 0x4A));
  p.drawPath(bolt);
  return img;
}

// --- Fields ---
// A field frame for nine-slice drawing (border 10): lists and edits.
QImage FieldFrame(bool raised) {
  QImage img = Canvas(120, 38);
  QPainter p(&img);
  Smooth(p);
  QLinearGradient g(0, 0, 0, 38);
  g.setColorAt(0, raised ? QColor(0x22, 0x2D, 0x40) : QColor(0x0E, 0x14, 0x20));
  g.setColorAt(1, raised ? QColor(0x1B, 0x24, 0x34) : QColor(0x10, 0x17, 0x24));
  p.setPen(QPen(raised ? QColor(0x36, 0x46, 0x62) : kBorder, 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0.5, 0.5, 119, 37), 7, 7);
  return img;
}

QImage Combo() { return FieldFrame(true); }
QImage EditFrame() { return FieldFrame(false); }

QImage ComboArrow() {
  QImage img = Canvas(40, 40);
  QPainter p(&img);
  Smooth(p);
  p.setPen(Line(kAccent, 3.2));
  p.drawPolyline(QPolygonF({QPointF(12, 16), QPointF(20, 24), QPointF(28, 16)}));
  return img;
}

// Two states stacked, 36 x 36 each (drawn into 18 x 18).
QImage CheckBox() {
  QImage img = Canvas(36, 72);
  QPainter p(&img);
  Smooth(p);
  p.setPen(QPen(kDim, 2.5));
  p.setBrush(kDeep);
  p.drawRoundedRect(QRectF(3, 3, 30, 30), 7, 7);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawRoundedRect(QRectF(2, 38, 32, 32), 7, 7);
  p.setPen(Line(kDeep, 4.5));
  p.drawPolyline(QPolygonF({QPointF(10, 55), QPointF(16, 61), QPointF(27, 47)}));
  return img;
}

QImage RadioBox() {
  QImage img = Canvas(36, 72);
  QPainter p(&img);
  Smooth(p);
  p.setPen(QPen(kDim, 2.5));
  p.setBrush(kDeep);
  p.drawEllipse(QPointF(18, 18), 15, 15);
  p.setPen(QPen(kAccent, 2.5));
  p.drawEllipse(QPointF(18, 54), 15, 15);
  p.setPen(Qt::NoPen);
  p.setBrush(kAccent);
  p.drawEllipse(QPointF(18, 54), 8, 8);
  return img;
}

// Switches, 104 x 56 for a 52 x 28 control.
QImage Switch(bool on) {
  QImage img = Canvas(104, 56);
  QPainter p(&img);
  Smooth(p);
  QRectF track(2, 2, 100, 52);
  if (on) {
    QLinearGradient g(track.topLeft(), track.topRight());
    g.setColorAt(0, kAccentDeep);
    g.setColorAt(1, kAccent);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
  } else {
    p.setPen(QPen(kBorder, 2.5));
    p.setBrush(QColor(0x22, 0x2D, 0x40));
  }
  p.drawRoundedRect(track, 26, 26);
  p.setPen(Qt::NoPen);
  p.setBrush(on ? kWhite : kDim);
  p.drawEllipse(on ? QPointF(76, 28) : QPointF(28, 28), 19, 19);
  return img;
}

QImage Bar(const QColor& from, const QColor& to) {
  QImage img = Canvas(400, 12);
  QPainter p(&img);
  Smooth(p);
  QLinearGradient g(0, 0, 400, 0);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0, 0, 400, 12), 6, 6);
  return img;
}

QImage DpiBar() { return Bar(QColor(0x3A, 0x6B, 0xFF), kAccent); }
QImage SliderBar() { return Bar(kAccentDeep, kAccent); }

// --- Round icon buttons: four states of 64 x 64 (drawn into 32 x 32 or smaller) ---
QImage RoundButton(const std::function<void(QPainter&, const QPointF&, const QColor&)>& glyph,
                   bool filled) {
  const int s = 64;
  QImage img = Canvas(s, s * 4);
  QPainter p(&img);
  Smooth(p);
  for (int i = 0; i < 4; ++i) {
    QPointF c(s / 2.0, i * s + s / 2.0);
    if (filled) {
      QColor fill = i == 1 ? QColor(0x2A, 0x37, 0x4E) : i == 2 ? kAccentDeep : QColor(0x1E, 0x29, 0x3B);
      p.setPen(QPen(i == 3 ? kBorder : (i == 0 ? QColor(0x36, 0x46, 0x62) : kAccent), 2));
      p.setBrush(fill);
      p.drawEllipse(c, 29, 29);
    } else if (i == 1 || i == 2) {
      p.setPen(Qt::NoPen);
      p.setBrush(i == 1 ? QColor(0x2A, 0x37, 0x4E) : QColor(0x1E, 0x29, 0x3B));
      p.drawEllipse(c, 30, 30);
    }
    QColor c2 = i == 3 ? kDim : (i == 0 ? kText : kWhite);
    glyph(p, c, c2);
  }
  return img;
}

QImage AddValue() {
  return RoundButton(
      [](QPainter& p, const QPointF& c, const QColor& col) {
        p.setPen(Line(col, 5));
        p.drawLine(c + QPointF(-11, 0), c + QPointF(11, 0));
        p.drawLine(c + QPointF(0, -11), c + QPointF(0, 11));
      },
      true);
}

QImage SubtractValue() {
  return RoundButton(
      [](QPainter& p, const QPointF& c, const QColor& col) {
        p.setPen(Line(col, 5));
        p.drawLine(c + QPointF(-11, 0), c + QPointF(11, 0));
      },
      true);
}

QImage Help() {
  return RoundButton(
      [](QPainter& p, const QPointF& c, const QColor& col) {
        p.setPen(QPen(col, 4));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(c, 20, 20);
        p.setPen(col);
        p.setFont(ArtFont(28, QFont::Bold));
        p.drawText(QRectF(c.x() - 20, c.y() - 21, 40, 40), Qt::AlignCenter, QStringLiteral("?"));
      },
      false);
}

QImage Reset() {
  return RoundButton(
      [](QPainter& p, const QPointF& c, const QColor& col) {
        p.setPen(Line(col, 4.5));
        p.setBrush(Qt::NoBrush);
        QRectF ring(c.x() - 16, c.y() - 16, 32, 32);
        p.drawArc(ring, 70 * 16, 290 * 16);
        QPointF tip(c.x() + 16 * std::cos(70 * M_PI / 180), c.y() - 16 * std::sin(70 * M_PI / 180));
        p.setPen(Qt::NoPen);
        p.setBrush(col);
        p.drawPolygon(QPolygonF({tip + QPointF(-9, -6), tip + QPointF(4, -10), tip + QPointF(1, 4)}));
      },
      false);
}

QImage More() {
  QImage img = Canvas(32, 32);
  QPainter p(&img);
  Smooth(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kText);
  for (int i = 0; i < 3; ++i) p.drawEllipse(QPointF(8 + i * 8, 16), 2.6, 2.6);
  return img;
}

// --- Macro page ---
QImage RecordItemIcon() {
  QImage img = Canvas(28, 28);
  QPainter p(&img);
  Smooth(p);
  p.setPen(Line(kAccent, 2.5));
  p.drawLine(QPointF(6, 9), QPointF(22, 9));
  p.drawLine(QPointF(6, 14), QPointF(18, 14));
  p.drawLine(QPointF(6, 19), QPointF(22, 19));
  return img;
}

QImage RecIcon() {
  QImage img = Canvas(40, 40);
  QPainter p(&img);
  Smooth(p);
  QRadialGradient g(QPointF(20, 20), 19);
  g.setColorAt(0, WithAlpha(kRed, 90));
  g.setColorAt(1, WithAlpha(kRed, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawEllipse(QPointF(20, 20), 19, 19);
  p.setBrush(kRed);
  p.drawEllipse(QPointF(20, 20), 10, 10);
  return img;
}

QImage StopRecIcon() {
  QImage img = Canvas(40, 40);
  QPainter p(&img);
  Smooth(p);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRoundedRect(QRectF(11, 11, 18, 18), 3, 3);
  return img;
}

// Move-up and move-down buttons: four states of 36 x 36, drawn at their design size.
QImage ArrowButton(bool up) {
  const int s = 36;
  QImage img = Canvas(s, s * 4);
  QPainter p(&img);
  Smooth(p);
  for (int i = 0; i < 4; ++i) {
    QRectF r(0.5, i * s + 0.5, s - 1, s - 1);
    QColor fill = i == 1 ? QColor(0x2A, 0x37, 0x4E) : i == 2 ? kAccentDeep : QColor(0x1E, 0x29, 0x3B);
    p.setPen(QPen(i == 3 ? kBorder : QColor(0x36, 0x46, 0x62), 1));
    p.setBrush(fill);
    p.drawRoundedRect(r, 8, 8);
    QColor col = i == 3 ? kDim : (i == 0 ? kText : kWhite);
    p.setPen(Line(col, 2.6));
    qreal cy = i * s + s / 2.0;
    if (up) {
      p.drawPolyline(QPolygonF({QPointF(12, cy + 3), QPointF(18, cy - 3), QPointF(24, cy + 3)}));
    } else {
      p.drawPolyline(QPolygonF({QPointF(12, cy - 3), QPointF(18, cy + 3), QPointF(24, cy - 3)}));
    }
  }
  return img;
}

QImage RecordItemUp() { return ArrowButton(true); }
QImage RecordItemDown() { return ArrowButton(false); }

}  // namespace

std::vector<Picture> WindowPictures() {
  return {
      {"background.png", Background},
      {"background2.png", Background2},
      {"logo/logo.png", Logo},
      {"sysbtn_close.png", CloseButton},
      {"sysbtn_min.png", MinimizeButton},
      {"sysbtn_maximize.png", MaximizeButton},
      {"sysbtn_restore.png", RestoreButton},
      {"icon/tab_home.png", TabHome},
      {"icon/tab_key.png", TabKey},
      {"icon/tab_dpi.png", TabDpi},
      {"icon/tab_macro.png", TabMacro},
      {"icon/tab_set.png", TabSet},
      {"device/img_mouse.png", Mouse},
      {"img_key_bkg.png", KeyMap},
      {"img_area2.png", SliderStrip},
      {"img_area3.png", HomeStage},
      {"img_area_content.png", GameModeCard},
      {"img_state.png", StateDot},
      {"icon/icon_battery_bkg.png", BatteryBackground},
      {"icon/icon_charge.png", Charge},
      {"icon/icon_batteryvalue.png", BatteryValue},
      {"img_combobox.png", Combo},
      {"img_combobox_arrow.png", ComboArrow},
      {"img_edit.png", EditFrame},
      {"btn_radiobox.png", RadioBox},
      {"btn_checkbox.png", CheckBox},
      {"img_switch_btn_off.png", [] { return Switch(false); }},
      {"img_switch_btn_on.png", [] { return Switch(true); }},
      {"img_dpi_bar.png", DpiBar},
      {"img_slider_bar.png", SliderBar},
      {"img_btn_addvalue.png", AddValue},
      {"img_btn_subtract.png", SubtractValue},
      {"img_help.png", Help},
      {"btn_reset.png", Reset},
      {"btn_more.png", More},
      {"icon/icon_record.png", RecordItemIcon},
      {"icon/icon_rec.png", RecIcon},
      {"icon/icon_stop_rec.png", StopRecIcon},
      {"img_recorditem_up.png", RecordItemUp},
      {"img_recorditem_down.png", RecordItemDown},
  };
}

}  // namespace zq::artwork
