// The main window's layout drawn by the real Qt view on the offscreen platform: every tab in
// both languages, grabbed to pictures in $ZQ_SCREENSHOT_DIR (default /tmp) for a look by eye,
// and checked for the faults a picture shows: a tab that draws nothing, a text that does not fit.

#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <set>
#include <string>

#include "platform/Localization.h"
#include "platform/Paths.h"
#include "shell/layout/MainLayout.h"
#include "shell/qt/QtModalHost.h"
#include "shell/qt/Theme.h"

namespace zq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "layout_qt_tests";
  static char* argv[] = {name, nullptr};
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

QString ScreenshotPath(const std::string& name) {
  const char* dir = std::getenv("ZQ_SCREENSHOT_DIR");
  return QString::fromUtf8(dir != nullptr ? dir : "/tmp") + "/" + QString::fromStdString(name);
}

std::size_t DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 3) {
    for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
  }
  return colours.size();
}

// The main window as far as the layout goes: the frame's tab switch shows the second background
// away from home, and the pages hold what they would after a first read of the mouse.
class LayoutWindow : public ui::MDialog {
 public:
  void InitUI(const ui::Rect&) override { BuildMainLayout(*this); }
  void UISize(const ui::Rect& client) override { PlaceMainLayout(*this, client); }
  int OnMessage(int id, int, std::int64_t value, std::int64_t) override {
    if (id != ids::kTabCtrl) return 0;
    auto* tabs = GetControl<ui::MTabCtrl>(ids::kTabCtrl);
    GetControl(ids::kBackground2)->SetVisible(tabs->GetItemID(static_cast<int>(value)) !=
                                              ids::kTabItemHome);
    return 1;
  }

  void FillPages() {
    auto* profiles = GetControl<ui::MComboBox>(ids::kProfileCombo);
    profiles->DelAllItems();
    for (int key : {800, 801, 811, 821, 831}) profiles->AddItem(LoadLanText(kLanSection, key), key);
    profiles->SetCurSel(0);
    const int types[] = {1, 2, 3, 5, 6, 7, 8, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26};
    const int texts[] = {121, 123, 122, 124, 125, 127, 128, 150, 151,
                         152, 153, 154, 155, 160, 161, 162, 163, 164};
    const int defaults[] = {0, 2, 1, 3, 4, 5, 6};
    for (int n = 0; n < ids::kButtonListCount; ++n) {
      auto* list = GetControl<ui::MComboBox>(ids::ButtonListId(n));
      list->DelAllItems();
      for (int i = 0; i < 18; ++i) list->AddItem(LoadLanText(kLanSection, texts[i]), types[i]);
      list->SetCurSel(defaults[n]);
    }
    GetControl(ids::kLeftButtonList)->SetEnabled(false);
    GetControl<ui::MEdit>(ids::kDebounceEdit)->SetTitle("4");
    auto* state = GetControl<ui::CDeviceState>(ids::kDeviceState);
    state->SetTitle(LoadLanText(kLanSection, 52));
    state->SetState(1);
    GetControl<ui::BatteryCtrl>(ids::kBattery)->SetBatteryInfo(80, 0);
    GetControl<ui::DPIControl>(ids::DpiLevelId(1))->SetCheckState(true);
    GetControl<ui::DPISlider>(ids::kDpiSlider)->SetProgress(24);
    GetControl<ui::ColorButtonEx>(ids::kRate1000)->SetCheck(true);

    auto* macros = GetControl<ui::MacroList>(ids::kMacroList);
    macros->DeleteAllItems();
    std::string custom = LoadLanText(kLanSection, 351);
    macros->AddString(custom + "1", 1);
    macros->AddString(custom + "2", 2);
    macros->AddString("Burst fire", 3);
    macros->SetCurSel(0);
    auto* records = GetControl<ui::CRecordList>(ids::kRecordList);
    records->DeleteAllItems();
    records->AddRecord("\u2193  A", 2, 65, 1);
    records->AddRecord(" -   10 ms", 1, 10, 2);
    records->AddRecord("\u2191  A", 3, 65, 1);
    records->AddRecord("\u2193  LB", 4, 1, 3);
    records->AddRecord(" -   35 ms", 1, 35, 4);
    records->AddRecord("\u2191  LB", 5, 1, 3);
    records->SetCurSel(1);
    // A delay step is selected: the item editor shows it.
    for (int id = ids::kItemKindLabel; id <= ids::kItemDownButton; ++id) {
      GetControl(id)->SetVisible(id != ids::kItemButtonCombo);
    }
    auto* kind = GetControl<ui::MComboBox>(ids::kItemKindCombo);
    kind->DelAllItems();
    kind->AddItem(LoadLanText(kLanSection, 395), 3);
    kind->SetCurSel(0);
    GetControl<ui::MEdit>(ids::kItemValueEdit)->SetTitle("10");
    GetControl<ui::MComboBox>(ids::kLanguageCombo)->SelectData(CurrentLanguageId());
    for (int id : {ids::kMouseFirmwareValue, ids::kReceiverFirmwareValue}) {
      GetControl<ui::MText>(id)->SetTitle("1.0.7");
    }
    GetControl<ui::MText>(ids::kSoftwareVersionValue)->SetTitle("1.2.0.1");
  }
};

// Texts that are wider than their control at the opening size: a cut-off caption in either
// language is a layout fault.
std::vector<std::string> TextsThatDoNotFit(const LayoutWindow& dlg) {
  std::vector<std::string> faults;
  for (ui::MControl* c : dlg.GetControls()) {
    if (!c->IsShown()) continue;
    auto* t = dynamic_cast<ui::MControlFont*>(c);
    if (t == nullptr || t->GetTitle().empty()) continue;
    if (dynamic_cast<ui::MComboBox*>(c) != nullptr || dynamic_cast<ui::MEdit*>(c) != nullptr ||
        dynamic_cast<ui::MTabCtrl*>(c) != nullptr || dynamic_cast<ui::DPIControl*>(c) != nullptr) {
      continue;  // titles of lists and edits scroll or elide by design
    }
    QFont font = ui::theme::MakeFont(
        t->GetFontName().empty() ? ui::Manager::GetFontName() : t->GetFontName(),
        t->GetFontSize(), t->GetFontWidth(), t->GetFontStyle());
    int room = c->GetRect().Width();
    if (dynamic_cast<ui::MCheckable*>(c) != nullptr) room -= 26;  // the box or the dot
    if (dynamic_cast<ui::CArea*>(c) != nullptr) room -= 32 + 90;  // margins and corner buttons
    if (dynamic_cast<ui::MButton*>(c) != nullptr) room -= 12;
    if (dynamic_cast<ui::CIconButton*>(c) != nullptr) room -= 36;
    int need = QFontMetrics(font).horizontalAdvance(QString::fromStdString(t->GetTitle()));
    if (need > room) {
      faults.push_back(std::to_string(c->GetID()) + " \"" + t->GetTitle() + "\" needs " +
                       std::to_string(need) + " of " + std::to_string(room));
    }
  }
  return faults;
}

class LayoutQtTest : public ::testing::TestWithParam<int> {
 protected:
  void SetUp() override {
    App();
    ui::SetModalHost(&host);
  }
  void TearDown() override {
    ui::SetModalHost(nullptr);
    SetCurrentLanguageId(kLanguageEnglish);
  }
  ui::QtModalHost host{GetProgramFolder()};
};

TEST_P(LayoutQtTest, EveryTabDrawsAndItsTextsFit) {
  const int language = GetParam();
  const std::string suffix = language == kLanguageEnglish ? "en" : "zh";
  SetCurrentLanguageId(language);
  LayoutWindow dlg;
  dlg.Create(nullptr, "Zintor Q57 mouse", 0, 0, {0, 0, kDesignWidth, kDesignHeight});
  ApplyLayoutTexts(dlg);
  dlg.FillPages();
  const char* names[] = {"home", "keys", "dpi", "macros", "settings"};
  QTimer::singleShot(0, [&] {
    QWidget* view = host.ViewOf(dlg);
    ASSERT_NE(view, nullptr);
    for (int tab = 0; tab < 5; ++tab) {
      ASSERT_TRUE(dlg.UserClick(ids::kTabCtrl, tab));
      QApplication::processEvents();
      QImage picture = view->grab().toImage();
      picture.save(ScreenshotPath(std::string("layout_") + names[tab] + "_" + suffix + ".png"));
      EXPECT_GT(DistinctColours(picture), 50u) << names[tab];  // a blank grab has one
      for (const std::string& fault : TextsThatDoNotFit(dlg)) {
        ADD_FAILURE() << names[tab] << " " << suffix << ": " << fault;
      }
    }
    dlg.DoOK();
  });
  EXPECT_EQ(dlg.ShowModal(1), ui::kIdOk);
}

INSTANTIATE_TEST_SUITE_P(Languages, LayoutQtTest,
                         ::testing::Values(kLanguageEnglish, kLanguageChinese));

}  // namespace
}  // namespace zq
