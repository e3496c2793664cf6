// Behaviour of the controls that the pages rely on, driven as a user would drive them.

#include <gtest/gtest.h>

#include "RecordingDialog.h"

namespace zq::ui::test {
namespace {

using E = Event;

class ControlsTest : public ::testing::Test {
 protected:
  template <class T>
  T* Make(const char* cls, int id, const std::string& title = {}) {
    auto* c = dynamic_cast<T*>(dlg.CreateControl(cls, id, {0, 0, 50, 20}, title));
    EXPECT_NE(c, nullptr) << cls;
    return c;
  }
  RecordingDialog dlg;
};

TEST_F(ControlsTest, CheckingARadioUnchecksOnlyItsOwnGroup) {
  auto* a1 = Make<CRadioButton>("CRadioButton", 130);
  auto* a2 = Make<CRadioButton>("CRadioButton", 131);
  auto* b1 = Make<CRadioButton>("CRadioButton", 141);
  auto* b2 = Make<CRadioButton>("CRadioButton", 142);
  for (auto* r : {a1, a2}) r->SetGroupName("IDC_PER_STC_LOD");
  for (auto* r : {b1, b2}) r->SetGroupName("IDC_SYS_STC_SROLL");
  a1->SetCheck(true);
  b1->SetCheck(true);

  ASSERT_TRUE(dlg.UserClick(131));
  EXPECT_FALSE(a1->GetCheck());
  EXPECT_TRUE(a2->GetCheck());
  EXPECT_TRUE(b1->GetCheck());  // the other group is left alone

  // Clicking the checked radio keeps it checked and still reports the click.
  ASSERT_TRUE(dlg.UserClick(131));
  EXPECT_TRUE(a2->GetCheck());
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{131, 2, 1}, {131, 2, 1}}));

  // Setting a check from code behaves like the click.
  b2->SetCheck(true);
  EXPECT_FALSE(b1->GetCheck());
}

TEST_F(ControlsTest, DpiLevelsAndRateButtonsAreRadioGroupsToo) {
  std::vector<DPIControl*> levels;
  for (int id = 101; id <= 106; ++id) {
    levels.push_back(Make<DPIControl>("DPIControl", id));
    levels.back()->SetGroupName("MOUSE_DPICTRL");
  }
  levels[0]->SetCheckState(true);
  ASSERT_TRUE(dlg.UserClick(104));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(levels[i]->GetCheckState(), i == 3) << i;

  auto* r125 = Make<ColorButtonEx>("ColorButtonEx", 114, "125Hz");
  auto* r250 = Make<ColorButtonEx>("ColorButtonEx", 115, "250Hz");
  r125->SetGroupName("REPORTRATE");
  r250->SetGroupName("REPORTRATE");
  r125->SetCheck(true);
  dlg.UserClick(115);
  EXPECT_FALSE(r125->GetCheck());
  EXPECT_TRUE(r250->GetCheck());
  EXPECT_TRUE(levels[3]->GetCheckState());
}

TEST_F(ControlsTest, CheckBoxesAndSwitchesToggleAndDisabledControlsIgnoreTheUser) {
  auto* box = Make<CCheckButton>("CCheckButton", 135);
  auto* sw = Make<CSwitchButton>("CSwitchButton", 274);
  dlg.UserClick(135);
  EXPECT_TRUE(box->GetCheck());
  dlg.UserClick(135);
  EXPECT_FALSE(box->GetCheck());
  dlg.UserClick(274);
  EXPECT_TRUE(sw->GetCheck());
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{135, 2, 1}, {135, 2, 0}, {274, 2, 1}}));

  sw->SetEnabled(false);
  EXPECT_FALSE(dlg.UserClick(274));
  EXPECT_TRUE(sw->GetCheck());
  EXPECT_TRUE(dlg.TakeEvents().empty());
}

TEST_F(ControlsTest, ComboSelectDataWithoutMatchKeepsTheSelection) {
  auto* combo = Make<MComboBox>("MComboBox", 126);
  for (int minutes : {1, 3, 5, 10, 20, 30}) combo->AddItem(std::to_string(minutes) + " min", minutes);
  ASSERT_TRUE(combo->SetCurSel(4));

  EXPECT_FALSE(combo->SelectData(7));
  EXPECT_EQ(combo->GetCurSel(), 4);
  EXPECT_EQ(combo->GetCurData(), 20);

  EXPECT_TRUE(combo->SelectData(3));
  EXPECT_EQ(combo->GetCurSel(), 1);
  EXPECT_EQ(combo->GetTitle(), "3 min");
  EXPECT_FALSE(combo->SetCurSel(6));  // out of range: nothing changes
  EXPECT_EQ(combo->GetCurSel(), 1);
}

TEST_F(ControlsTest, ComboShownTextFollowsChoicesButCanBeSetOnItsOwn) {
  auto* combo = Make<MComboBox>("MComboBox", 64);
  combo->AddItem("Left click", 1);
  combo->AddItem("Key combination", 22);
  combo->SelectData(22);
  combo->SetTitle("Ctrl + A");
  EXPECT_EQ(combo->GetCurData(), 22);
  EXPECT_EQ(combo->GetTitle(), "Ctrl + A");

  ASSERT_TRUE(dlg.UserChoose(64, 0));
  EXPECT_EQ(combo->GetTitle(), "Left click");
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{64, 2, 0}}));

  combo->SetItemText(0, "Clic gauche");
  EXPECT_EQ(combo->GetTitle(), "Clic gauche");
  combo->DelAllItems();
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->GetCurData(), 0);
  EXPECT_FALSE(dlg.UserChoose(64, 0));
}

class RecordListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list = dlg.CreateControlT<CRecordList>(166, {0, 0, 300, 400});
    // A key stroke (two items sharing a timestamp), a delay and a recorded key-down.
    list->AddRecord("down A", 2, 65, 100);
    list->AddRecord("up A", 3, 65, 100);
    list->AddRecord(" -   10 ms", 1, 10, 200);
    list->AddRecord("down B", 2, 66, 300);
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& item : list->GetRecordItems()) out.push_back(item.text);
    return out;
  }
  RecordingDialog dlg;
  CRecordList* list = nullptr;
};

TEST_F(RecordListTest, InsertPlacesAtIndexAndAppendsForMinusOneOrPastTheEnd) {
  EXPECT_EQ(list->InsertString(1, "x", 1, 1, 400), 1);
  EXPECT_EQ(list->InsertString(-1, "y", 1, 1, 500), 5);
  EXPECT_EQ(list->InsertString(99, "z", 1, 1, 600), 6);
  EXPECT_EQ(Texts(), (std::vector<std::string>{"down A", "x", "up A", " -   10 ms", "down B", "y", "z"}));
}

TEST_F(RecordListTest, InsertBeforeTheSelectionKeepsTheSelectedItem) {
  list->SetCurSel(2);
  list->InsertString(0, "x", 1, 1, 400);
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_EQ(list->GetRecrodTimeStamp(3), 200u);
}

TEST_F(RecordListTest, DeleteTimeStampRemovesEveryItemOfTheStroke) {
  list->SetCurSel(2);
  EXPECT_EQ(list->DeleteTimeStamp(100), 2);
  EXPECT_EQ(Texts(), (std::vector<std::string>{" -   10 ms", "down B"}));
  EXPECT_EQ(list->GetCurSel(), 0);  // still the delay
  EXPECT_EQ(list->DeleteTimeStamp(200), 1);
  EXPECT_EQ(list->GetCurSel(), -1);
  EXPECT_EQ(list->DeleteTimeStamp(999), 0);
}

TEST_F(RecordListTest, SetRecordInfoByTimestampChangesOnlyThatType) {
  EXPECT_EQ(list->SetRecordInfo(100u, 2, "down C", 67), 1);
  std::string text;
  int type = 0, value = 0;
  std::uint32_t ts = 0;
  ASSERT_TRUE(list->GetRecordInfo(0, text, type, value, ts));
  EXPECT_EQ(std::tie(text, type, value, ts), std::make_tuple(std::string("down C"), 2, 67, 100u));
  ASSERT_TRUE(list->GetRecordInfo(1, text, type, value, ts));
  EXPECT_EQ(text, "up A");

  ASSERT_TRUE(list->SetRecordInfo(2, " -   20 ms", 1, 20, 200u));
  EXPECT_EQ(list->GetRecordItems()[2], (RecordItem{" -   20 ms", 1, 20, 200}));
  EXPECT_FALSE(list->SetRecordInfo(9, "x", 1, 1, 1u));
  EXPECT_FALSE(list->GetRecordInfo(-1, text, type, value, ts));
  EXPECT_EQ(list->GetRecrodTimeStamp(4), 0u);
}

TEST_F(RecordListTest, SwapAndMoves) {
  list->SetCurSel(2);
  ASSERT_TRUE(list->SwapItem(2, 1));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"down A", " -   10 ms", "up A", "down B"}));
  EXPECT_EQ(list->GetCurSel(), 2);  // the caller moves the selection after a swap
  EXPECT_FALSE(list->SwapItem(3, 4));

  list->SetCurSel(3);
  ASSERT_TRUE(list->MoveTop(3));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"down B", "down A", " -   10 ms", "up A"}));
  EXPECT_EQ(list->GetCurSel(), 0);  // the selection follows the moved item
  ASSERT_TRUE(list->MoveBottom(0));
  EXPECT_EQ(Texts(), (std::vector<std::string>{"down A", " -   10 ms", "up A", "down B"}));
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_FALSE(list->MoveTop(4));
  EXPECT_EQ(list->GetItemCount(), 4);
}

TEST_F(RecordListTest, ClickAndRightClickSelectTheItem) {
  ASSERT_TRUE(dlg.UserClick(166, 1));
  EXPECT_EQ(list->GetCurSel(), 1);
  ASSERT_TRUE(dlg.UserRightClick(166, 3));
  EXPECT_EQ(list->GetCurSel(), 3);
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{166, 2, 1}, {166, 9, 3}}));
}

TEST_F(ControlsTest, MacroListRenamesItsSelectedEntryInPlace) {
  auto* list = Make<MacroList>("MacroList", 155);
  list->AddString("Custom1", 11);
  list->AddString("Custom2", 12);
  ASSERT_TRUE(dlg.UserClick(155, 1));
  ASSERT_TRUE(dlg.UserType(155, "Fire"));
  ASSERT_TRUE(dlg.UserPressEnter(155));
  EXPECT_EQ(list->GetItemText(1), "Fire");
  EXPECT_EQ(list->GetItemData(1), 12);
  auto events = dlg.TakeEvents();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.front(), (E{155, 2, 1}));
  EXPECT_EQ(events.back(), (E{155, 29, 0}));

  EXPECT_EQ(list->AddString("First", 10, 0), 0);
  EXPECT_EQ(list->GetCurSel(), 2);
  ASSERT_TRUE(list->DeleteItem(2));
  EXPECT_EQ(list->GetCurSel(), -1);
}

TEST_F(ControlsTest, EmojiPickerSelection) {
  auto* picker = Make<EmojiControl>("EmojiControl", 40);
  int number = 0;
  std::string text;
  EXPECT_FALSE(picker->GetSelectData(number, text));
  picker->AddEmoji(1, "smile", "Emoji/wechat_emoji_00.png");
  picker->AddEmoji(2, "grin", "Emoji/wechat_emoji_01.png");
  ASSERT_TRUE(picker->SetSelectItem(1));
  ASSERT_TRUE(picker->GetSelectData(number, text));
  EXPECT_EQ(number, 2);
  EXPECT_EQ(text, "grin");
  ASSERT_TRUE(dlg.UserClick(40, 0));
  picker->GetSelectData(number, text);
  EXPECT_EQ(number, 1);
  EXPECT_FALSE(picker->SetSelectItem(2));
}

TEST_F(ControlsTest, TabSelectionShowsOnlyItsPageAndThePageDecidesItsControls) {
  auto* tabs = Make<MTabCtrl>("MTabCtrl", 45);
  auto* home = Make<MTabLayout>("MTabLayout", 51);
  auto* dpi = Make<MTabLayout>("MTabLayout", 47);
  auto* level = dpi->CreateControl("DPIControl", 101, {10, 10, 60, 40}, "DPI 1");
  auto* area = dpi->CreateArea(300, {0, 0, 500, 500});
  auto* inArea = area->CreateControl("MText", 301, {0, 0, 10, 10}, "x");
  tabs->InsertItem(1, "Home", "icon\\tab_home.png", home);
  tabs->InsertItem(3, "DPI", "icon\\tab_dpi.png", dpi);
  tabs->SetSelectItem(0);
  EXPECT_TRUE(home->IsShown());
  EXPECT_FALSE(level->IsShown());
  EXPECT_FALSE(dlg.UserClick(101));  // the user cannot reach a control of a hidden page

  ASSERT_TRUE(dlg.UserClick(45, 1));
  EXPECT_EQ(tabs->GetItemID(tabs->GetSelectItem()), 3);
  EXPECT_FALSE(home->IsShown());
  EXPECT_TRUE(level->IsShown());
  EXPECT_TRUE(inArea->IsShown());
  area->SetVisible(false);
  EXPECT_FALSE(inArea->IsShown());
  EXPECT_EQ(tabs->GetItemID(7), 0);
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{45, 2, 1}}));
}

TEST_F(ControlsTest, SlidersClampAndReportDragThenRelease) {
  auto* slider = Make<DPISlider>("DPISlider", 107);
  slider->SetProgress(1000);
  EXPECT_EQ(slider->GetProgress(), 240);
  slider->SetProgress(0);
  EXPECT_EQ(slider->GetProgress(), 2);

  auto* speed = Make<MSlider>("MSlider", 238);
  speed->SetRange(0, 19);
  ASSERT_TRUE(dlg.UserSlide(238, 25));
  EXPECT_EQ(speed->GetProgress(), 19);
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{238, 26, 19}, {238, 2, 19}}));
}

TEST_F(ControlsTest, NumberEditArrowsStepWithinTheRange) {
  auto* lines = Make<NumberEdit2>("NumberEdit2", 247, "19");
  lines->SetRange(1, 20);
  ASSERT_TRUE(dlg.UserClick(247, 0));
  ASSERT_TRUE(dlg.UserClick(247, 0));
  EXPECT_EQ(lines->GetEditText(), "20");
  EXPECT_EQ(dlg.TakeEvents(), (std::vector<E>{{247, 30, 0}, {247, 2, 20}, {247, 2, 20}}));
}

TEST_F(ControlsTest, ControlsByClassNameAndUnknownClasses) {
  for (const char* cls : {"MText", "MButton", "CImageButton", "CTextButton", "CIconButton", "MPicture",
                          "CGifPicture", "CArea", "MComboBox", "MEdit", "NumberEdit", "NumberEdit2",
                          "CCheckButton", "CRadioButton", "CSwitchButton", "ColorButtonEx", "MSlider",
                          "DPISlider", "DPIControl", "MTabCtrl", "MTabLayout", "BatteryCtrl",
                          "CDeviceState", "MouseCtrl", "MacroList", "CRecordList", "EmojiControl"}) {
    MControl* c = dlg.CreateControl(cls, 500, {1, 2, 3, 4}, "t", 7, 8);
    ASSERT_NE(c, nullptr) << cls;
    EXPECT_EQ(c->GetClassName(), cls);
    EXPECT_EQ(c->GetRect(), (Rect{1, 2, 3, 4}));
    EXPECT_EQ(c->GetFlags(), std::make_pair(7, 8));
  }
  EXPECT_EQ(dlg.CreateControl("CListCtrl", 501, {}, ""), nullptr);
  // Ids may repeat (three check boxes share 135): GetControl finds the first.
  MControl* first = dlg.CreateControl("CCheckButton", 135, {}, "a");
  dlg.CreateControl("CCheckButton", 135, {}, "b");
  EXPECT_EQ(dlg.GetControl(135), first);
}

}  // namespace
}  // namespace zq::ui::test
