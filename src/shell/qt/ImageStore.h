#pragma once
// Image files of the program folder, loaded once. Names may use either slash
// ("icon\\tab_home.png" as the pages write them).

#include <QHash>
#include <QPixmap>
#include <QString>

#include <string>

namespace zq::ui {

class ImageStore {
 public:
  explicit ImageStore(std::string folder);
  QString PathOf(const std::string& file) const;
  // A null pixmap when the file is missing or unreadable.
  const QPixmap& Get(const std::string& file);
  // One of `count` states stacked vertically (state clamped); the whole picture when its height
  // does not divide into `count`.
  QPixmap State(const std::string& file, int count, int state);

 private:
  QString folder_;
  QHash<QString, QPixmap> cache_;
};

}  // namespace zq::ui
