// The buttons and performance tabs shown from the store: a real main-window layout on the
// control model and a store on a temporary folder with the five profiles a new database gets.

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TempDir.h"
#include "platform/Localization.h"
#include "shell/layout/MainLayout.h"
#include "shell/pages/ButtonsPage.h"
#include "shell/pages/PerformancePage.h"
#include "store/ConfigStore.h"

namespace zq {
namespace {

constexpr int kCable = 0;
constexpr int kReceiver = 1;

std::string Lan(int key) { return LoadLanText(kLanSection, key); }

class PagesTest : public ::testing::Test {
 public:  // the case tables below read the window through the fixture
  void SetUp() override {
    SetCurrentLanguageId(kLanguageEnglish);
    ASSERT_FALSE(Lan(162).empty()) << "language files missing beside the tests";
    std::filesystem::create_directories(tmp_.path() + "/db");
    ASSERT_TRUE(store_.OpenDatabase(tmp_.path() + "/", "Q57"));
    for (int i = 0; i < 5; ++i) ASSERT_EQ(store_.AddProfile(std::to_string(800 + i), ""), i + 1);
    dlg_.Create(nullptr, "Zintor Q57 mouse", 0, 0, {0, 0, kDesignWidth, kDesignHeight});
    BuildMainLayout(dlg_);
    PlaceMainLayout(dlg_, dlg_.GetClientRect());
  }

  bool Checked(int id) const {
    auto* c = dlg_.GetControl<ui::MCheckable>(id);
    return c != nullptr && c->GetCheck();
  }
  bool Visible(int id) const {
    ui::MControl* c = dlg_.GetControl(id);
    return c != nullptr && c->IsVisible();
  }
  std::vector<int> VisibleRates() const {
    std::vector<int> shown;
    for (int n = 0; n < ids::kRateButtonCount; ++n) {
      if (Visible(ids::RateButtonId(n))) shown.push_back(ids::RateButtonId(n));
    }
    return shown;
  }
  std::vector<int> CheckedAmong(int first, int last) const {
    std::vector<int> checked;
    for (int id = first; id <= last; ++id) {
      if (Checked(id)) checked.push_back(id);
    }
    return checked;
  }
  ui::MComboBox& Combo(int id) const { return *dlg_.GetControl<ui::MComboBox>(id); }
  ui::DPIControl& Level(int i) const { return *dlg_.GetControl<ui::DPIControl>(ids::DpiLevelId(i)); }
  int Slider() const { return dlg_.GetControl<ui::DPISlider>(ids::kDpiSlider)->GetProgress(); }
  std::string PictureLabel(int item) const {
    return dlg_.GetControl<ui::MouseCtrl>(ids::kMouseCtrl)->GetItemText(item);
  }
  void Set(int profile, const std::string& key, const std::string& value) {
    ASSERT_TRUE(store_.SetConfig(profile, key, value));
  }

  test::TempDir tmp_;
  ConfigStore store_;
  ui::MDialog dlg_;
};

// --- Performance tab ---------------------------------------------------------------------------

TEST_F(PagesTest, NewProfileShowsItsDefaultsOverAReceiver) {
  PerformancePageState state = ReloadButtonAndPerformancePages(dlg_, store_, 1, kReceiver);

  const int dpi[] = {1200, 2400, 3200, 4800, 6400, 12000};
  const ui::Color colours[] = {255, 65280, 16711680, 65535, 16776960, 8388736};
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(Level(i).GetDPIValue(), dpi[i]) << "level " << i;
    EXPECT_EQ(Level(i).GetColor(), colours[i]) << "level " << i;
  }
  EXPECT_EQ(CheckedAmong(ids::kDpiLevel1, ids::kDpiLevel1 + 5), std::vector<int>{ids::kDpiLevel1});
  EXPECT_EQ(Slider(), 12);
  EXPECT_EQ(state.dpiLevelControlId, ids::kDpiLevel1);

  EXPECT_EQ(VisibleRates(), (std::vector<int>{ids::kRate125, ids::kRate250, ids::kRate500, ids::kRate1000}));
  EXPECT_EQ(CheckedAmong(ids::kRate125, ids::kRate8000), std::vector<int>{ids::kRate250});

  // 53 = 0x35: the bits 0x04 and 0x10 of the boxes are set, 0x08 is not.
  EXPECT_EQ(CheckedAmong(ids::kSensorOption1, ids::kSensorOption3),
            (std::vector<int>{ids::kSensorOption1, ids::kSensorOption3}));
  EXPECT_EQ(dlg_.GetControl<ui::MEdit>(ids::kDebounceEdit)->GetTitle(), "8");
  EXPECT_TRUE(Checked(ids::kGameModeOff));
  EXPECT_FALSE(Checked(ids::kGameModeOn));
  EXPECT_TRUE(Checked(ids::kLiftOff1mm));
  EXPECT_TRUE(Checked(ids::kScrollStandard));
  EXPECT_EQ(Combo(ids::kSleepCombo).GetCurData(), 20);
  EXPECT_EQ(Combo(ids::kLightingCombo).GetCurData(), 1);
  EXPECT_FALSE(Visible(ids::kLightingArea));

  EXPECT_TRUE(Checked(ids::kLeftLockSwitch));
  EXPECT_FALSE(dlg_.GetControl(ids::kLeftButtonList)->IsEnabled());
  EXPECT_EQ(state.leftButtonLock, 1);
}

TEST_F(PagesTest, CableOffersOnly1000HzInTheFirstSlot) {
  LoadPerformancePage(dlg_, store_, 1, kReceiver);
  const ui::Rect firstSlot = dlg_.GetControl(ids::kRate125)->GetRect();
  const ui::Rect fourthSlot = dlg_.GetControl(ids::kRate1000)->GetRect();
  ASSERT_NE(firstSlot, fourthSlot);

  // The stored rate stays 250 Hz; the cable shows and checks 1000 Hz all the same.
  LoadPerformancePage(dlg_, store_, 1, kCable);
  EXPECT_EQ(VisibleRates(), std::vector<int>{ids::kRate1000});
  EXPECT_EQ(CheckedAmong(ids::kRate125, ids::kRate8000), std::vector<int>{ids::kRate1000});
  EXPECT_EQ(dlg_.GetControl(ids::kRate1000)->GetRect(), firstSlot);
  std::string stored;
  store_.GetConfig(1, "report_rate", stored);
  EXPECT_EQ(stored, "2");

  // Every other mode, also none at all, offers the four rates again in their own slots.
  for (int mode : {1, 2, 3, -1}) {
    LoadPerformancePage(dlg_, store_, 1, kCable);
    LoadPerformancePage(dlg_, store_, 1, mode);
    EXPECT_EQ(VisibleRates().size(), 4u) << "mode " << mode;
    EXPECT_EQ(CheckedAmong(ids::kRate125, ids::kRate8000), std::vector<int>{ids::kRate250})
        << "mode " << mode;
    EXPECT_EQ(dlg_.GetControl(ids::kRate1000)->GetRect(), fourthSlot) << "mode " << mode;
  }
}

// Stored values of profile 3 and what they show. The cases run one after the other on the same
// window, each from restored defaults, so a load that leaves a control as the last one set it
// shows up too.
TEST_F(PagesTest, StoredValuesReachTheirControls) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, std::string>> stored;
    int mode;
    std::function<void(const PagesTest&, const PerformancePageState&)> expect;
  };
  const int p = 3;
  const std::vector<Case> cases = {
      {"level 4 current", {{"dpi_index", "3"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState& s) {
         EXPECT_EQ(s.dpiLevelControlId, ids::kDpiLevel1 + 3);
         EXPECT_EQ(t.CheckedAmong(ids::kDpiLevel1, ids::kDpiLevel1 + 5),
                   std::vector<int>{ids::kDpiLevel1 + 3});
         EXPECT_EQ(t.Slider(), 48);
       }},
      {"level beyond 5 is the first", {{"dpi_index", "9"}, {"dpi_group0_value", "1700"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState& s) {
         EXPECT_EQ(s.dpiLevelControlId, ids::kDpiLevel1);
         EXPECT_EQ(t.CheckedAmong(ids::kDpiLevel1, ids::kDpiLevel1 + 5),
                   std::vector<int>{ids::kDpiLevel1});
         EXPECT_EQ(t.Level(0).GetDPIValue(), 1700);
         EXPECT_EQ(t.Slider(), 17);
       }},
      // A negative level would otherwise name the DPI count combo (id 100).
      {"negative level is the first", {{"dpi_index", "-1"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState& s) {
         EXPECT_EQ(s.dpiLevelControlId, ids::kDpiLevel1);
         EXPECT_TRUE(t.Checked(ids::kDpiLevel1));
       }},
      {"level values and colours", {{"dpi_group5_value", "24000"}, {"dpi_group2_rgb", "65535"},
                                    {"dpi_index", "5"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.Level(5).GetDPIValue(), 24000);
         EXPECT_EQ(t.Level(2).GetColor(), 65535u);
         EXPECT_EQ(t.Slider(), 240);
       }},
      {"all sensor options", {{"sensor_flag", "28"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.CheckedAmong(ids::kSensorOption1, ids::kSensorOption3).size(), 3u);
       }},
      {"second sensor option only", {{"sensor_flag", "8"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.CheckedAmong(ids::kSensorOption1, ids::kSensorOption3),
                   std::vector<int>{ids::kSensorOption2});
       }},
      {"left button free", {{"leftbtn_lock", "0"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState& s) {
         EXPECT_EQ(s.leftButtonLock, 0);
         EXPECT_FALSE(t.Checked(ids::kLeftLockSwitch));
         EXPECT_TRUE(t.dlg_.GetControl(ids::kLeftButtonList)->IsEnabled());
       }},
      // Switch, list and kept state agree on what the text converts to.
      {"lock written with a blank", {{"leftbtn_lock", " 1"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState& s) {
         EXPECT_EQ(s.leftButtonLock, 1);
         EXPECT_TRUE(t.Checked(ids::kLeftLockSwitch));
         EXPECT_FALSE(t.dlg_.GetControl(ids::kLeftButtonList)->IsEnabled());
       }},
      {"500 Hz", {{"report_rate", "3"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.CheckedAmong(ids::kRate125, ids::kRate8000), std::vector<int>{ids::kRate500});
       }},
      {"unknown rate code is 1000 Hz", {{"report_rate", "7"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.CheckedAmong(ids::kRate125, ids::kRate8000), std::vector<int>{ids::kRate1000});
       }},
      {"radio pairs flipped", {{"liftoff_height", "2"}, {"scroll_flag", "1"}, {"e-sports_flag", "2"}},
       kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.CheckedAmong(ids::kLiftOff1mm, ids::kLiftOff2mm), std::vector<int>{ids::kLiftOff2mm});
         EXPECT_EQ(t.CheckedAmong(ids::kScrollStandard, ids::kScrollReversed),
                   std::vector<int>{ids::kScrollReversed});
         EXPECT_EQ(t.CheckedAmong(ids::kGameModeOn, ids::kGameModeOff), std::vector<int>{ids::kGameModeOn});
       }},
      {"sleep an hour, lighting mode 4, debounce 12",
       {{"sleep_light", "60"}, {"light_mode", "4"}, {"button_respondtime", "12"}}, kReceiver,
       [](const PagesTest& t, const PerformancePageState&) {
         EXPECT_EQ(t.Combo(ids::kSleepCombo).GetCurData(), 60);
         EXPECT_EQ(t.Combo(ids::kLightingCombo).GetCurData(), 4);
         EXPECT_EQ(t.dlg_.GetControl<ui::MEdit>(ids::kDebounceEdit)->GetTitle(), "12");
       }},
      // Malformed text reads as 0 and breaks nothing else on the page.
      {"malformed values read as 0",
       {{"button_respondtime", "fast"}, {"dpi_group0_value", ""}, {"sensor_flag", "x28"},
        {"leftbtn_lock", "yes"}, {"scroll_flag", "?"}},
       kReceiver,
       [](const PagesTest& t, const PerformancePageState& s) {
         EXPECT_EQ(t.dlg_.GetControl<ui::MEdit>(ids::kDebounceEdit)->GetTitle(), "0");
         EXPECT_EQ(t.Level(0).GetDPIValue(), 0);
         EXPECT_TRUE(t.CheckedAmong(ids::kSensorOption1, ids::kSensorOption3).empty());
         EXPECT_EQ(s.leftButtonLock, 0);
         EXPECT_TRUE(t.Checked(ids::kScrollStandard));
         EXPECT_EQ(t.Level(1).GetDPIValue(), 2400);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    store_.RestoreDefaultConfig(p);
    for (const auto& [key, value] : c.stored) Set(p, key, value);
    c.expect(*this, ReloadButtonAndPerformancePages(dlg_, store_, p, c.mode));
  }
}

// --- Buttons tab -------------------------------------------------------------------------------

// Each shown position: its list, the function type of its default entry and the text naming it
// (which is also the picture's label).
struct PositionView {
  int key_code;
  int list_id;
  int default_type;
  int label_text;
};
constexpr PositionView kPositions[] = {
    {1, 62, 1, 121}, {2, 64, 3, 122}, {3, 66, 2, 123}, {4, 68, 5, 124},
    {5, 70, 6, 125}, {7, 72, 7, 127}, {8, 74, 8, 128},
};

TEST_F(PagesTest, ListsHoldTheFunctionEntriesAndStartAtTheDefaults) {
  FillButtonLists(dlg_);
  RefreshButtonsPage(dlg_, store_, 1);

  const int types[] = {1, 2, 3, 5, 6, 7, 8, 15, 16, 17, 19, 20, 21, 22, 23, 24, 25, 26};
  const int texts[] = {121, 123, 122, 124, 125, 127, 128, 150, 151,
                       152, 153, 154, 155, 160, 161, 162, 163, 164};
  for (int n = 0; n < 7; ++n) {
    const PositionView& p = kPositions[n];
    SCOPED_TRACE("list " + std::to_string(p.list_id));
    ui::MComboBox& list = Combo(p.list_id);
    ASSERT_EQ(list.GetItemCount(), 18);
    for (int i = 0; i < 18; ++i) {
      EXPECT_EQ(list.GetItemData(i), types[i]) << "entry " << i;
      EXPECT_EQ(list.GetItemText(i), Lan(texts[i])) << "entry " << i;
    }
    EXPECT_EQ(list.GetCurData(), p.default_type);
    EXPECT_EQ(list.GetTitle(), Lan(p.label_text));
    EXPECT_EQ(PictureLabel(n), Lan(p.label_text));
    EXPECT_EQ(list.IsEnabled(), p.list_id != ids::kLeftButtonList);
  }

  // A second fill (a language change) replaces the entries instead of adding to them.
  FillButtonLists(dlg_);
  EXPECT_EQ(Combo(ids::kWheelDownList).GetItemCount(), 18);
}

TEST_F(PagesTest, StoredAssignmentsShowInTheirListsAndOnThePicture) {
  const int macro = store_.CreateMacro("Reload");
  ASSERT_GT(macro, 0);
  struct Row {
    int key_code;
    int type;
    int value;
    int value2;
    std::string desc;
    std::string shown;    // list title and picture label
    int selected_type;    // data of the list's selected entry
  };
  const std::vector<Row> rows = {
      {2, 24, 1, 0, "162", Lan(162), 24},
      {3, 22, 4, 1, "Ctrl + A", "Ctrl + A", 22},
      {4, 26, 11, 0, "31", Lan(31), 26},
      {8, 23, macro, 0, "Reload", "Reload", 23},
      // No list entry for emoji: the default entry stays, its text says what the button does.
      {7, 27, 5, 0, "表情符号", "表情符号", 7},
  };
  const int p = 4;
  for (const Row& r : rows) {
    ButtonAssignment a;
    a.profile = p;
    a.key_code = r.key_code;
    a.macro_type = r.type;
    a.macro_value = r.value;
    a.macro_value2 = r.value2;
    a.macro_desc = r.desc;
    ASSERT_GT(store_.SaveAssignment(a), 0);
  }
  // The sixth position is not on the page; its assignment changes nothing shown.
  ButtonAssignment sixth;
  sixth.profile = p;
  sixth.key_code = 6;
  sixth.macro_type = 24;
  sixth.macro_value = 1;
  sixth.macro_desc = "162";
  ASSERT_GT(store_.SaveAssignment(sixth), 0);

  ReloadButtonAndPerformancePages(dlg_, store_, p, kReceiver);
  for (int n = 0; n < 7; ++n) {
    const PositionView& pos = kPositions[n];
    SCOPED_TRACE("position " + std::to_string(pos.key_code));
    std::string shown = Lan(pos.label_text);
    int selected = pos.default_type;
    for (const Row& r : rows) {
      if (r.key_code == pos.key_code) {
        shown = r.shown;
        selected = r.selected_type;
      }
    }
    EXPECT_EQ(Combo(pos.list_id).GetTitle(), shown);
    EXPECT_EQ(Combo(pos.list_id).GetCurData(), selected);
    EXPECT_EQ(PictureLabel(n), shown);
  }

  // Another profile's refresh leaves none of these texts behind.
  RefreshButtonsPage(dlg_, store_, 1);
  for (int n = 0; n < 7; ++n) {
    SCOPED_TRACE("position " + std::to_string(kPositions[n].key_code));
    EXPECT_EQ(Combo(kPositions[n].list_id).GetTitle(), Lan(kPositions[n].label_text));
    EXPECT_EQ(Combo(kPositions[n].list_id).GetCurData(), kPositions[n].default_type);
    EXPECT_EQ(PictureLabel(n), Lan(kPositions[n].label_text));
  }
}

}  // namespace
}  // namespace zq
