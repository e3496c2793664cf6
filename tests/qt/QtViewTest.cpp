// The real Qt view on the offscreen platform: message boxes and the busy indicator run their
// modal loops, are operated with real mouse and key events, and are rendered to pictures.
// Screenshots go to $ZQ_SCREENSHOT_DIR (default /tmp) for a look by eye.

#include <gtest/gtest.h>

#include <QApplication>
#include <QImageReader>
#include <QLineEdit>
#include <QMovie>
#include <QTest>
#include <QTimer>

#include <cstdlib>
#include <functional>
#include <set>
#include <thread>

#include "platform/Localization.h"
#include "platform/Paths.h"
#include "shell/dialogs/MessageBox.h"
#include "shell/qt/QtModalHost.h"

namespace zq {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "qt_tests";
  static char* argv[] = {name, nullptr};
  // These tests never need a display, whatever the environment of the run says.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

QString ScreenshotPath(const char* name) {
  const char* dir = std::getenv("ZQ_SCREENSHOT_DIR");
  return QString::fromUtf8(dir != nullptr ? dir : "/tmp") + "/" + name;
}

// Distinct colours in a picture: a blank or single-colour grab has one.
std::size_t DistinctColours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); y += 2) {
    for (int x = 0; x < image.width(); x += 2) colours.insert(image.pixel(x, y));
  }
  return colours.size();
}

class QtViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App();
    SetCurrentLanguageId(kLanguageEnglish);
    ui::SetModalHost(&host);
  }
  void TearDown() override {
    ui::SetModalHost(nullptr);
    SetCurrentLanguageId(kLanguageEnglish);
  }
  // Runs `act` inside the next modal loop, on the UI thread, with the window of the dialog shown.
  template <class D>
  void WhenShown(D& dialog, std::function<void(QWidget&)> act) {
    QTimer::singleShot(0, [this, &dialog, act] {
      QWidget* view = host.ViewOf(dialog);
      ASSERT_NE(view, nullptr);
      act(*view);
    });
  }
  static QWidget* ControlAt(QWidget& view, const ui::MControl& control) {
    ui::Rect r = control.GetRect();
    return view.childAt(r.left + r.Width() / 2, r.top + r.Height() / 2);
  }
  ui::QtModalHost host{GetProgramFolder()};
};

struct BoxCase {
  const char* file;
  int language;
  int kind;
  int clickId;  // 0: press Escape
  int expected;
};

TEST_F(QtViewTest, MessageBoxesRenderAndAnswerRealClicks) {
  const BoxCase cases[] = {
      {"msgbox_ok_en.png", kLanguageEnglish, kMessageBoxOk, 33, ui::kIdOk},
      {"msgbox_okcancel_en.png", kLanguageEnglish, kMessageBoxOkCancel, 34, 2},
      {"msgbox_ok_zh.png", kLanguageChinese, kMessageBoxOk, 33, ui::kIdOk},
      {"msgbox_okcancel_zh.png", kLanguageChinese, kMessageBoxOkCancel, 33, ui::kIdOk},
      {"msgbox_nobutton_en.png", kLanguageEnglish, 2, 0, 2},
  };
  for (const BoxCase& c : cases) {
    SCOPED_TRACE(c.file);
    SetCurrentLanguageId(c.language);
    CUIMessageBox* shownBox = nullptr;
    QImage picture;
    // The box lives inside ShowMessageBox; find it through the host while its loop runs.
    QTimer::singleShot(0, [&] {
      for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->isVisible() || w->windowTitle() != "MessageBox") continue;
        picture = w->grab().toImage();
        picture.save(ScreenshotPath(c.file));
        if (c.clickId == 0) {
          QTest::keyClick(w, Qt::Key_Escape);
          return;
        }
        // The buttons lie in the strip 50 to 14 pixels above the bottom.
        int y = w->height() - 32;
        int x = c.kind == kMessageBoxOk ? w->width() / 2
                : c.clickId == 33      ? w->width() / 2 - 70
                                       : w->width() / 2 + 70;
        QWidget* button = w->childAt(x, y);
        ASSERT_NE(button, nullptr);
        QPoint local = button->mapFrom(w, QPoint(x, y));
        QTest::mouseClick(button, Qt::LeftButton, {}, local);
        return;
      }
      ADD_FAILURE() << "no message box on screen";
    });
    (void)shownBox;
    int code = ShowMessageBoxKeys(nullptr, c.kind == kMessageBoxOkCancel ? 258 : 210,
                                  c.kind == kMessageBoxOkCancel ? 253 : 115, c.kind);
    EXPECT_EQ(code, c.expected);
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(430, 230));
    EXPECT_GT(DistinctColours(picture), 20u);  // artwork and text, not an empty window
  }
}

TEST_F(QtViewTest, WaitDialogRunsARealModalLoopUntilAnotherThreadEndsIt) {
  ui::MDialog owner;
  owner.Create(nullptr, "DeviceMainDlg", 0, 0, {0, 0, 1121, 780});
  WaitDlg wait;
  std::atomic<bool> grabbed{false};
  QImage picture;
  std::thread worker;
  QTimer::singleShot(0, [&] {
    QWidget* view = host.ViewOf(wait);
    ASSERT_NE(view, nullptr);
    // Let the animation run for a few frames so that the grab shows a frame, not a blank.
    QTest::qWait(120);
    picture = view->grab().toImage();
    picture.save(ScreenshotPath("wait_dialog.png"));
    grabbed = true;
  });
  worker = std::thread([&] {
    while (!grabbed.load()) std::this_thread::yield();
    wait.PostMessage(1714, 0, 1);
    wait.DoOK();
  });
  EXPECT_EQ(ShowWaitDialog(wait, &owner), ui::kIdOk);
  worker.join();
  ASSERT_FALSE(picture.isNull());
  EXPECT_EQ(picture.size(), QSize(102, 102));
  EXPECT_GT(DistinctColours(picture), 10u);
}

TEST_F(QtViewTest, LoadingAnimationIsAnAnimatedGifThatDecodesToTheEnd) {
  QString path = QString::fromStdString(GetProgramFolder() + "loading.gif");
  QMovie movie(path);
  ASSERT_TRUE(movie.isValid());
  EXPECT_GT(movie.frameCount(), 1);
  QImageReader reader(path);
  std::vector<QImage> frames;
  for (QImage frame = reader.read(); !frame.isNull(); frame = reader.read()) frames.push_back(frame);
  ASSERT_EQ(static_cast<int>(frames.size()), movie.frameCount());
  for (const QImage& frame : frames) EXPECT_EQ(frame.size(), QSize(100, 100));
  EXPECT_NE(frames.front(), frames[frames.size() / 2]);  // it moves
}

// A dialog with an edit and a button, recording its events.
class EditDialog : public ui::MDialog {
 public:
  void InitUI(const ui::Rect&) override {
    edit = CreateControlT<ui::NumberEdit>(85, {20, 20, 120, 50}, "8");
    CreateControlT<ui::MButton>(88, {20, 70, 140, 106}, "Apply")->SetImage("img_button.png");
  }
  int OnMessage(int id, int event, std::int64_t, std::int64_t) override {
    events.emplace_back(id, event);
    if (id == 88 && event == ui::kEventClick) DoOK();
    return 1;
  }
  ui::NumberEdit* edit = nullptr;
  std::vector<std::pair<int, int>> events;
};

TEST_F(QtViewTest, KeyboardInputInARealEditGivesTheEditEventsInOrder) {
  EditDialog dlg;
  dlg.Create(nullptr, "Edit", 0, 0, {0, 0, 300, 140});
  QTimer::singleShot(0, [&] {
    QWidget* view = host.ViewOf(dlg);
    ASSERT_NE(view, nullptr);
    view->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(view));
    auto* line = view->findChild<QLineEdit*>();
    ASSERT_NE(line, nullptr);
    QTest::mouseClick(line, Qt::LeftButton);
    line->selectAll();
    QTest::keyClicks(line, "1x5");
    QWidget* button = ControlAt(*view, *dlg.GetControl(88));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton);
  });
  EXPECT_EQ(dlg.ShowModal(1), ui::kIdOk);
  EXPECT_EQ(dlg.edit->GetEditText(), "15");
  EXPECT_EQ(dlg.events, (std::vector<std::pair<int, int>>{{85, 30}, {85, 26}, {85, 26}, {85, 29}, {88, 2}}));
}

// Every control class on one page, drawn by the real view: each must draw something, and the
// screenshot shows how they look together before the page artwork exists.
class Gallery : public ui::MDialog {
 public:
  void InitUI(const ui::Rect&) override {
    SetBackColor(0x141B28);
    auto* tabs = CreateControlT<ui::MTabCtrl>(45, {20, 20, 620, 90});
    auto* page = CreateControlT<ui::MTabLayout>(47, {0, 100, 900, 600});
    tabs->InsertItem(1, "Home", "", nullptr);
    tabs->InsertItem(3, "DPI", "", page);
    tabs->InsertItem(4, "Macro", "", nullptr);
    tabs->SetSelectItem(1);
    auto* area = page->CreateArea(300, {20, 100, 880, 330});
    area->SetBackColor(0xFF1A2333);
    area->SetTitle("DPI");
    for (int i = 0; i < 6; ++i) {
      auto* level = static_cast<ui::DPIControl*>(
          page->CreateControl("DPIControl", 101 + i, {40 + i * 138, 140, 168 + i * 138, 210}, "DPI " + std::to_string(i + 1)));
      level->SetGroupName("MOUSE_DPICTRL");
      level->SetDPIValue(std::vector<int>{1200, 2400, 3200, 4800, 6400, 12000}[i]);
      level->SetColor(std::vector<ui::Color>{255, 65280, 0xFF0000, 0xFFFF, 0xFFFF00, 0x800080}[i]);
    }
    static_cast<ui::DPIControl*>(GetControl(102))->SetCheckState(true);
    auto* slider = static_cast<ui::DPISlider*>(page->CreateControl("DPISlider", 107, {40, 230, 700, 254}, ""));
    slider->SetProgress(24);
    for (int i = 0; i < 4; ++i) {
      auto* rate = static_cast<ui::ColorButtonEx*>(page->CreateControl(
          "ColorButtonEx", 114 + i, {40 + i * 110, 275, 140 + i * 110, 311},
          std::vector<std::string>{"125Hz", "250Hz", "500Hz", "1000Hz"}[i]));
      rate->SetGroupName("REPORTRATE");
      if (i == 3) rate->SetCheck(true);
    }
    auto* combo = static_cast<ui::MComboBox*>(page->CreateControl("MComboBox", 126, {500, 275, 700, 311}, ""));
    combo->AddItem("10 minutes", 10);
    combo->SetCurSel(0);
    auto* r1 = static_cast<ui::CRadioButton*>(page->CreateControl("CRadioButton", 130, {40, 350, 160, 374}, "1.0mm"));
    auto* r2 = static_cast<ui::CRadioButton*>(page->CreateControl("CRadioButton", 131, {170, 350, 290, 374}, "2.0mm"));
    r1->SetGroupName("LOD");
    r2->SetGroupName("LOD");
    r1->SetCheck(true);
    static_cast<ui::CCheckButton*>(page->CreateControl("CCheckButton", 135, {300, 350, 460, 374}, "Ripple control"))->SetCheck(true);
    page->CreateControl("CCheckButton", 135, {470, 350, 620, 374}, "Angle snapping");
    static_cast<ui::CSwitchButton*>(page->CreateControl("CSwitchButton", 274, {640, 350, 690, 374}, ""))->SetCheck(true);
    page->CreateControl("CSwitchButton", 265, {700, 350, 750, 374}, "");
    page->CreateControl("NumberEdit", 85, {40, 395, 140, 427}, "8");
    static_cast<ui::MEdit*>(page->CreateControl("MEdit", 176, {150, 395, 300, 427}, ""))->SetPlaceholder("Delay (ms)");
    page->CreateControl("MButton", 88, {320, 393, 440, 429}, "Apply");
    static_cast<ui::MButton*>(page->CreateControl("MButton", 89, {450, 393, 570, 429}, "Read"))->SetEnabled(false);
    page->CreateControl("CTextButton", 44, {590, 395, 700, 427}, "Website");
    auto* macros = static_cast<ui::MacroList*>(page->CreateControl("MacroList", 155, {40, 445, 240, 580}, ""));
    macros->AddString("Custom1", 1);
    macros->AddString("Burst fire", 2);
    macros->SetCurSel(1);
    auto* records = static_cast<ui::CRecordList*>(page->CreateControl("CRecordList", 166, {260, 445, 520, 580}, ""));
    records->AddRecord("\u2193  A", 2, 65, 1);
    records->AddRecord(" -   10 ms", 1, 10, 2);
    records->AddRecord("\u2191  A", 3, 65, 1);
    records->SetCurSel(1);
    auto* battery = CreateControlT<ui::BatteryCtrl>(40, {660, 40, 700, 60});
    battery->SetBatteryInfo(70, 0);
    auto* state = CreateControlT<ui::CDeviceState>(41, {710, 36, 890, 64}, "Cable connected");
    state->SetState(1);
    auto* speed = static_cast<ui::MSlider*>(page->CreateControl("MSlider", 238, {540, 460, 860, 484}, ""));
    speed->SetRange(0, 19);
    speed->SetProgress(9);
    auto* hint = static_cast<ui::MText*>(page->CreateControl("MText", 57, {540, 500, 860, 580}, "Changes are stored at once and reach the mouse when you apply them."));
    hint->SetFont(13);
    hint->SetTextColor(0xFF6F859E);
  }
};

TEST_F(QtViewTest, EveryControlClassDraws) {
  Gallery gallery;
  gallery.Create(nullptr, "Gallery", 0, 0, {0, 0, 900, 600});
  QImage picture;
  QTimer::singleShot(0, [&] {
    QWidget* view = host.ViewOf(gallery);
    ASSERT_NE(view, nullptr);
    picture = view->grab().toImage();
    picture.save(ScreenshotPath("gallery.png"));
    for (ui::MControl* c : gallery.GetControls()) {
      if (!c->IsShown() || dynamic_cast<ui::MTabLayout*>(c) != nullptr) continue;
      ui::Rect r = c->GetRect();
      QImage part = picture.copy(r.left, r.top, r.Width(), r.Height());
      EXPECT_GT(DistinctColours(part), 1u) << c->GetClassName() << " " << c->GetID();
    }
    gallery.DoOK();
  });
  EXPECT_EQ(gallery.ShowModal(1), ui::kIdOk);
}

}  // namespace
}  // namespace zq
