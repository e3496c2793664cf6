#pragma once
// What every picture of the artwork generator shares: the palette, a transparent canvas and the
// panel look of the message box. Each picture is a function returning an image; the tables of
// pictures name the files they are saved as, relative to the program folder.

#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <functional>
#include <string>
#include <vector>

namespace zq::artwork {

// The palette of the interface: deep navy surfaces, cool blue-grey text (0xFFB8D3EF), cyan accent.
inline const QColor kNavyTop(0x1D, 0x28, 0x3B);
inline const QColor kNavyBottom(0x10, 0x17, 0x24);
inline const QColor kBorder(0x33, 0x42, 0x5C);
inline const QColor kText(0xB8, 0xD3, 0xEF);
inline const QColor kAccent(0x2B, 0xC4, 0xD8);
inline const QColor kAccentDeep(0x17, 0x8C, 0x9E);

inline QImage Canvas(int w, int h) {
  QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  return img;
}

inline void Smooth(QPainter& p) {
  p.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
}

inline QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// A dark rounded panel with a hairline border, a soft top highlight and a cyan accent line.
inline void Panel(QPainter& p, const QRectF& r, qreal radius, bool accentLine) {
  QLinearGradient body(r.topLeft(), r.bottomLeft());
  body.setColorAt(0, kNavyTop);
  body.setColorAt(1, kNavyBottom);
  QPainterPath shape;
  shape.addRoundedRect(r.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
  p.fillPath(shape, body);
  // Inner highlight along the top edge gives the panel some depth.
  QLinearGradient sheen(r.topLeft(), r.topLeft() + QPointF(0, 40));
  sheen.setColorAt(0, QColor(255, 255, 255, 18));
  sheen.setColorAt(1, QColor(255, 255, 255, 0));
  p.fillPath(shape, sheen);
  p.setPen(QPen(kBorder, 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shape);
  if (accentLine) {
    QLinearGradient line(r.left() + radius, 0, r.right() - radius, 0);
    line.setColorAt(0, WithAlpha(kAccent, 0));
    line.setColorAt(0.5, WithAlpha(kAccent, 230));
    line.setColorAt(1, WithAlpha(kAccent, 0));
    p.setPen(QPen(QBrush(line), 2));
    p.drawLine(QPointF(r.left() + radius, r.top() + 1.5), QPointF(r.right() - radius, r.top() + 1.5));
  }
}

struct Picture {
  const char* file;  // relative to the program folder
  std::function<QImage()> draw;
};

// The main window's pictures: frame, tabs, pages and controls.
std::vector<Picture> WindowPictures();
// The 109 emoji of the emoji picker, Emoji/wechat_emoji_00.png to _108.png.
std::vector<Picture> EmojiPictures();

}  // namespace zq::artwork
