// Draws the program's artwork into a folder laid out like the program folder. Every picture is
// one small function in the table at the end; adding a picture is adding a row.
//
// Usage: zq-artwork <output folder>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

#include "Art.h"
#include "GifWriter.h"

namespace zq::artwork {
namespace {

// Message box background (drawn nine-slice with a 30 pixel border).
QImage PromptBackground() {
  QImage img = Canvas(430, 230);
  QPainter p(&img);
  Smooth(p);
  Panel(p, QRectF(0, 0, 430, 230), 14, true);
  return img;
}

// Push button: normal, hover, pressed and disabled stacked vertically.
QImage PushButton() {
  const int w = 120, h = 36;
  QImage img = Canvas(w, h * 4);
  QPainter p(&img);
  Smooth(p);
  struct State {
    QColor top, bottom, border;
  };
  const State states[4] = {
      {QColor(0x1E, 0x4A, 0x5A), QColor(0x16, 0x37, 0x46), WithAlpha(kAccent, 170)},
      {QColor(0x23, 0x5E, 0x70), QColor(0x1A, 0x47, 0x57), kAccent},
      {QColor(0x14, 0x6F, 0x7E), QColor(0x12, 0x5C, 0x6A), kAccent},
      {QColor(0x20, 0x27, 0x34), QColor(0x1B, 0x21, 0x2C), kBorder},
  };
  for (int i = 0; i < 4; ++i) {
    QRectF r(0.5, i * h + 0.5, w - 1, h - 1);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, states[i].top);
    g.setColorAt(1, states[i].bottom);
    p.setPen(QPen(states[i].border, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 8, 8);
    if (i != 3) {
      p.setPen(QPen(QColor(255, 255, 255, i == 2 ? 10 : 28), 1));
      p.drawLine(QPointF(9, i * h + 1.5), QPointF(w - 9, i * h + 1.5));
    }
  }
  return img;
}

// Busy indicator: a ring of twelve dots with a bright head and a fading tail, on a small panel.
std::vector<QImage> LoadingFrames() {
  const int size = 100, frames = 24, dots = 12;
  std::vector<QImage> out;
  for (int f = 0; f < frames; ++f) {
    QImage img = Canvas(size, size);
    QPainter p(&img);
    Smooth(p);
    Panel(p, QRectF(0, 0, size, size), 12, false);
    const QPointF c(size / 2.0, size / 2.0);
    const double head = f * dots / double(frames);
    for (int i = 0; i < dots; ++i) {
      double behind = std::fmod(head - i + dots, double(dots));
      double t = 1.0 - behind / dots;  // 1 at the head, towards 0 along the tail
      double angle = (i / double(dots)) * 2 * M_PI - M_PI / 2;
      QPointF at(c.x() + std::cos(angle) * 26, c.y() + std::sin(angle) * 26);
      double radius = 2.4 + 2.6 * t * t;
      QColor colour = t > 0.85 ? QColor(0xDF, 0xF8, 0xFF) : kAccent;
      colour.setAlphaF(0.18 + 0.82 * t * t);
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawEllipse(at, radius, radius);
    }
    p.end();
    out.push_back(img);
  }
  return out;
}

const std::vector<Picture>& Pictures() {
  static const std::vector<Picture> pictures = [] {
    std::vector<Picture> all = {
        {"bk_prompt.png", PromptBackground},
        {"img_button.png", PushButton},
    };
    for (Picture& p : WindowPictures()) all.push_back(std::move(p));
    for (Picture& p : EmojiPictures()) all.push_back(std::move(p));
    return all;
  }();
  return pictures;
}

struct Animation {
  const char* file;
  std::function<std::vector<QImage>()> draw;
  int delayCs;
};

const std::vector<Animation>& Animations() {
  static const std::vector<Animation> animations = {
      {"loading.gif", LoadingFrames, 4},
  };
  return animations;
}

}  // namespace
}  // namespace zq::artwork

int main(int argc, char** argv) {
  using namespace zq::artwork;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
    return 2;
  }
  QGuiApplication app(argc, argv);
  QDir out(QString::fromLocal8Bit(argv[1]));
  int failures = 0;
  auto target = [&](const char* file) {
    QString path = out.filePath(QString::fromUtf8(file));
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
  };
  for (const Picture& pic : Pictures()) {
    if (!pic.draw().save(target(pic.file), "PNG")) {
      std::fprintf(stderr, "cannot write %s\n", pic.file);
      ++failures;
    }
  }
  for (const Animation& anim : Animations()) {
    if (!WriteGif(target(anim.file), anim.draw(), anim.delayCs)) {
      std::fprintf(stderr, "cannot write %s\n", anim.file);
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
