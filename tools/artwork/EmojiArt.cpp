// The emoji picker's pictures: simple round faces built from a few features (eyes, mouth, a
// detail), and a row of symbols. 64 x 64 each, drawn into the picker's cells.

#include <QString>

#include <cmath>
#include <cstdio>

#include "Art.h"

namespace zq::artwork {
namespace {

const QColor kInk(0x3A, 0x24, 0x10);
const QColor kFace(0xFF, 0xCF, 0x4A);
const QColor kFaceEdge(0xE0, 0x9A, 0x1E);

QPen Stroke(const QColor& c, qreal w) { return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin); }

QPainterPath Heart(const QPointF& c, qreal r) {
  QPainterPath h;
  h.moveTo(c.x(), c.y() + r);
  h.cubicTo(c.x() - r * 1.8, c.y() - r * 0.2, c.x() - r * 0.8, c.y() - r * 1.5, c.x(), c.y() - r * 0.5);
  h.cubicTo(c.x() + r * 0.8, c.y() - r * 1.5, c.x() + r * 1.8, c.y() - r * 0.2, c.x(), c.y() + r);
  return h;
}

QPainterPath Star(const QPointF& c, qreal r) {
  QPainterPath s;
  for (int i = 0; i < 10; ++i) {
    double a = -M_PI / 2 + i * M_PI / 5;
    double rr = i % 2 == 0 ? r : r * 0.45;
    QPointF p(c.x() + rr * std::cos(a), c.y() + rr * std::sin(a));
    if (i == 0) s.moveTo(p); else s.lineTo(p);
  }
  s.closeSubpath();
  return s;
}

void Eyes(QPainter& p, int kind) {
  const QPointF l(22, 26), r(42, 26);
  p.setPen(Stroke(kInk, 3.2));
  p.setBrush(kInk);
  switch (kind) {
    case 0: p.drawEllipse(l, 3.4, 4.4); p.drawEllipse(r, 3.4, 4.4); break;             // dots
    case 1:                                                                            // happy arcs
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(l.x() - 5, l.y() - 3, 10, 8), 0, 180 * 16);
      p.drawArc(QRectF(r.x() - 5, r.y() - 3, 10, 8), 0, 180 * 16);
      break;
    case 2:                                                                            // closed
      p.drawLine(l + QPointF(-5, 1), l + QPointF(5, 1));
      p.drawLine(r + QPointF(-5, 1), r + QPointF(5, 1));
      break;
    case 3:                                                                            // wink
      p.drawEllipse(l, 3.4, 4.4);
      p.setBrush(Qt::NoBrush);
      p.drawArc(QRectF(r.x() - 5, r.y() - 2, 10, 8), 0, 180 * 16);
      break;
    case 4:                                                                            // hearts
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xE8, 0x3A, 0x5A));
      p.drawPath(Heart(l, 5));
      p.drawPath(Heart(r, 5));
      break;
    default:                                                                           // stars
      p.setPen(Qt::NoPen);
      p.setBrush(QColor(0xFF, 0xF4, 0xC0));
      p.drawPath(Star(l, 6.5));
      p.drawPath(Star(r, 6.5));
      p.setPen(Stroke(kInk, 1.2));
      p.setBrush(Qt::NoBrush);
      p.drawPath(Star(l, 6.5));
      p.drawPath(Star(r, 6.5));
      break;
  }
}

void Mouth(QPainter& p, int kind) {
  p.setPen(Stroke(kInk, 3.2));
  p.setBrush(Qt::NoBrush);
  switch (kind) {
    case 0: p.drawArc(QRectF(20, 30, 24, 16), 200 * 16, 140 * 16); break;          // smile
    case 1: {                                                                       // grin
      QPainterPath m;
      m.moveTo(18, 38);
      m.quadTo(32, 56, 46, 38);
      m.closeSubpath();
      p.setBrush(QColor(0x7A, 0x2A, 0x1C));
      p.drawPath(m);
      break;
    }
    case 2: p.drawLine(QPointF(24, 44), QPointF(40, 44)); break;                   // flat
    case 3: p.drawArc(QRectF(22, 42, 20, 14), 20 * 16, 140 * 16); break;           // frown
    case 4: p.setBrush(QColor(0x7A, 0x2A, 0x1C)); p.drawEllipse(QPointF(32, 45), 5, 6); break;  // O
    default: {                                                                      // tongue
      p.drawArc(QRectF(20, 32, 24, 14), 200 * 16, 140 * 16);
      p.setPen(Stroke(QColor(0xC0, 0x3A, 0x4A), 1));
      p.setBrush(QColor(0xF0, 0x6A, 0x7A));
      p.drawRoundedRect(QRectF(29, 44, 9, 9), 4, 4);
      break;
    }
  }
}

void Detail(QPainter& p, int kind) {
  p.setPen(Qt::NoPen);
  if (kind == 1) {  // blush
    p.setBrush(QColor(0xFF, 0x7A, 0x7A, 110));
    p.drawEllipse(QPointF(15, 37), 5, 3.5);
    p.drawEllipse(QPointF(49, 37), 5, 3.5);
  } else if (kind == 2) {  // a drop of sweat
    QPainterPath d;
    d.moveTo(50, 10);
    d.quadTo(57, 20, 53, 24);
    d.quadTo(47, 26, 47, 19);
    d.closeSubpath();
    p.setBrush(QColor(0x6A, 0xC8, 0xFF));
    p.drawPath(d);
  }
}

QImage Face(int n) {
  QImage img = Canvas(64, 64);
  QPainter p(&img);
  Smooth(p);
  QRadialGradient g(QPointF(26, 22), 36);
  g.setColorAt(0, QColor(0xFF, 0xE2, 0x7A));
  g.setColorAt(1, kFace);
  p.setPen(QPen(kFaceEdge, 2));
  p.setBrush(g);
  p.drawEllipse(QPointF(32, 32), 28, 28);
  Eyes(p, n % 6);
  Mouth(p, (n / 6) % 6);
  Detail(p, (n / 36) % 3);
  return img;
}

QImage Symbol(int k) {
  QImage img = Canvas(64, 64);
  QPainter p(&img);
  Smooth(p);
  const QPointF c(32, 32);
  static const QColor colours[] = {QColor(0xE8, 0x3A, 0x5A), QColor(0xFF, 0xC8, 0x3A),
                                   kAccent, QColor(0x7A, 0xD0, 0x6A), QColor(0xB0, 0x7A, 0xFF)};
  QColor col = colours[k % 5];
  p.setPen(Qt::NoPen);
  p.setBrush(col);
  switch (k % 7) {
    case 0: p.drawPath(Heart(QPointF(32, 34), 20)); break;
    case 1: p.drawPath(Star(c, 26)); break;
    case 2:  // sun
      for (int i = 0; i < 8; ++i) {
        double a = i * M_PI / 4;
        p.setPen(Stroke(col, 4));
        p.drawLine(QPointF(32 + 18 * std::cos(a), 32 + 18 * std::sin(a)),
                   QPointF(32 + 27 * std::cos(a), 32 + 27 * std::sin(a)));
      }
      p.setPen(Qt::NoPen);
      p.drawEllipse(c, 13, 13);
      break;
    case 3: {  // moon
      QPainterPath moon;
      moon.addEllipse(c, 24, 24);
      QPainterPath bite;
      bite.addEllipse(QPointF(44, 24), 20, 20);
      p.drawPath(moon.subtracted(bite));
      break;
    }
    case 4:  // check
      p.drawEllipse(c, 26, 26);
      p.setPen(Stroke(QColor(0x0B, 0x12, 0x20), 6));
      p.drawPolyline(QPolygonF({QPointF(20, 33), QPointF(28, 41), QPointF(44, 23)}));
      break;
    case 5:  // music note
      p.drawEllipse(QPointF(22, 46), 9, 7);
      p.drawEllipse(QPointF(44, 40), 9, 7);
      p.setPen(Stroke(col, 5));
      p.drawLine(QPointF(30, 46), QPointF(30, 14));
      p.drawLine(QPointF(52, 40), QPointF(52, 10));
      p.drawLine(QPointF(30, 14), QPointF(52, 10));
      break;
    default: {  // gift
      p.drawRoundedRect(QRectF(12, 26, 40, 30), 4, 4);
      p.setBrush(col.lighter(130));
      p.drawRoundedRect(QRectF(9, 18, 46, 10), 3, 3);
      p.setBrush(QColor(0xFF, 0xF4, 0xE0));
      p.drawRect(QRectF(29, 18, 6, 38));
      break;
    }
  }
  return img;
}

}  // namespace

std::vector<Picture> EmojiPictures() {
  // The file names must outlive the table, which keeps plain pointers to them.
  static std::vector<std::string> names;
  const int count = 109, faces = 90;
  names.clear();
  names.reserve(count);
  std::vector<Picture> pictures;
  for (int n = 0; n < count; ++n) {
    char name[40];
    std::snprintf(name, sizeof name, "Emoji/wechat_emoji_%02d.png", n);
    names.emplace_back(name);
    if (n < faces) {
      pictures.push_back({nullptr, [n] { return Face(n); }});
    } else {
      pictures.push_back({nullptr, [n] { return Symbol(n - faces); }});
    }
  }
  for (int n = 0; n < count; ++n) pictures[n].file = names[n].c_str();
  return pictures;
}

}  // namespace zq::artwork
