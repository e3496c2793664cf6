#include "shell/qt/QtModalHost.h"

#include <QApplication>
#include <QEventLoop>
#include <QMenu>
#include <QScreen>

#include "shell/qt/DialogView.h"
#include "shell/qt/ImageStore.h"
#include "shell/qt/Theme.h"
#include "shell/toolkit/MenuWnd.h"

namespace zq::ui {

namespace {
std::shared_ptr<ImageStore>& Store(const std::string& folder) {
  static std::map<std::string, std::shared_ptr<ImageStore>> stores;
  auto& s = stores[folder];
  if (!s) s = std::make_shared<ImageStore>(folder);
  return s;
}
}  // namespace

QtModalHost::QtModalHost(std::string imageFolder) : imageFolder_(std::move(imageFolder)) {}

QtModalHost::~QtModalHost() = default;

int QtModalHost::RunModal(MDialog& dialog, int show) {
  QWidget* owner = nullptr;
  if (dialog.GetOwnerWindow() != nullptr) owner = ViewOf(*dialog.GetOwnerWindow());
  auto view = std::make_unique<DialogView>(dialog, Store(imageFolder_), owner);
  views_[&dialog] = view.get();
  view->setWindowModality(owner != nullptr ? Qt::WindowModal : Qt::NonModal);
  if (show != 0) {
    view->show();
    view->raise();
    view->activateWindow();
  }
  QEventLoop loop;
  view->SetLoop(&loop);
  view->Sync();
  dialog.DispatchPostedMessages();
  // Checked right before the loop starts: a request that came earlier has been seen here, and
  // one that comes later is delivered by a queued call inside the loop.
  if (!dialog.IsEndRequested()) loop.exec(QEventLoop::DialogExec);
  view->hide();
  views_.erase(&dialog);
  view.reset();
  return dialog.GetEndCode();
}

int QtModalHost::RunMenu(MenuWnd& menu) {
  QWidget* owner = menu.GetOwner() != nullptr ? ViewOf(*menu.GetOwner()) : nullptr;
  QMenu popup(owner);
  popup.setFont(theme::MakeFont(Manager::GetFontName(), 14));
  popup.setMinimumWidth(menu.GetWidth());
  popup.setStyleSheet(QStringLiteral(
      "QMenu{background:%1;border:1px solid %2;padding:4px;color:%3;}"
      "QMenu::item{padding:7px 16px;border-radius:4px;}"
      "QMenu::item:selected{background:%4;color:#EAF6FF;}"
      "QMenu::item:disabled{color:%5;}")
          .arg(theme::kPanelRaised.name(), theme::kBorder.name(), theme::kText.name(),
               theme::kAccentDeep.name(), theme::kTextDim.name()));
  std::map<QAction*, int> ids;
  for (const MenuItem& item : menu.GetItems()) {
    QAction* a = popup.addAction(QString::fromStdString(item.text));
    a->setEnabled(item.enabled);
    ids[a] = item.id;
  }
  QPoint at(menu.GetPosition().x, menu.GetPosition().y);
  if (owner != nullptr) at = owner->mapToGlobal(at);
  QAction* chosen = popup.exec(at);
  auto it = ids.find(chosen);
  return it != ids.end() ? it->second : 0;
}

Rect QtModalHost::ScreenRect() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return ModalHost::ScreenRect();
  QRect g = screen->availableGeometry();
  return {g.left(), g.top(), g.right() + 1, g.bottom() + 1};
}

QWidget* QtModalHost::ViewOf(const MDialog& dialog) const {
  auto it = views_.find(&dialog);
  return it != views_.end() ? it->second : nullptr;
}

}  // namespace zq::ui
