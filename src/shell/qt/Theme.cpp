#include "shell/qt/Theme.h"

#include <QPainter>

namespace zq::ui::theme {

QColor FromArgb(std::uint32_t argb) {
  return QColor((argb >> 16) & 0xFF, (argb >> 8) & 0xFF, argb & 0xFF, (argb >> 24) & 0xFF);
}

QColor FromColorRef(std::uint32_t bgr) {
  return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QFont MakeFont(const std::string& family, int pixelSize, int weight, int style) {
  QString name = QString::fromStdString(family);
  int qtWeight = weight > 0 ? weight : QFont::Normal;
  if (name.isEmpty() || name == QLatin1String("Open Sans Semibold")) {
    name = QStringLiteral("Open Sans");
    if (weight <= 0) qtWeight = QFont::DemiBold;
  }
  QFont font;
  font.setFamilies({name, QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(pixelSize > 0 ? pixelSize : 14);
  font.setWeight(static_cast<QFont::Weight>(std::clamp(qtWeight, 100, 900)));
  if ((style & 1) != 0) font.setWeight(QFont::Bold);
  font.setItalic((style & 2) != 0);
  font.setHintingPreference(QFont::PreferVerticalHinting);
  return font;
}

void DrawNineSlice(QPainter& p, const QRect& target, const QPixmap& pix, int border) {
  if (pix.isNull()) return;
  const int w = pix.width();
  const int h = pix.height();
  int b = std::min({border, w / 2, h / 2, target.width() / 2, target.height() / 2});
  if (b <= 0) {
    p.drawPixmap(target, pix);
    return;
  }
  const int tx[4] = {target.left(), target.left() + b, target.right() + 1 - b, target.right() + 1};
  const int ty[4] = {target.top(), target.top() + b, target.bottom() + 1 - b, target.bottom() + 1};
  const int sx[4] = {0, b, w - b, w};
  const int sy[4] = {0, b, h - b, h};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      QRect dst(tx[col], ty[row], tx[col + 1] - tx[col], ty[row + 1] - ty[row]);
      QRect src(sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row]);
      if (dst.isEmpty() || src.isEmpty()) continue;
      p.drawPixmap(dst, pix, src);
    }
  }
}

}  // namespace zq::ui::theme
