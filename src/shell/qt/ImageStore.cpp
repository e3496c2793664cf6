#include "shell/qt/ImageStore.h"

#include <QDir>
#include <QFileInfo>

namespace zq::ui {

ImageStore::ImageStore(std::string folder) : folder_(QString::fromStdString(folder)) {
  if (!folder_.isEmpty() && !folder_.endsWith('/')) folder_ += '/';
}

QString ImageStore::PathOf(const std::string& file) const {
  QString name = QString::fromStdString(file);
  name.replace('\\', '/');
  if (QFileInfo(name).isAbsolute()) return name;
  return folder_ + name;
}

const QPixmap& ImageStore::Get(const std::string& file) {
  static const QPixmap none;
  if (file.empty()) return none;
  QString path = PathOf(file);
  auto it = cache_.find(path);
  if (it == cache_.end()) it = cache_.insert(path, QPixmap(path));
  return it.value();
}

QPixmap ImageStore::State(const std::string& file, int count, int state) {
  const QPixmap& pix = Get(file);
  if (pix.isNull() || count <= 1 || pix.height() % count != 0) return pix;
  int h = pix.height() / count;
  state = std::clamp(state, 0, count - 1);
  return pix.copy(0, state * h, pix.width(), h);
}

}  // namespace zq::ui
