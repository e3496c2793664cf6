// The main window over the simulated mouse with the real device operations: what the mouse
// holds arrives in the store and on the pages, what the store holds reaches the mouse (as its
// firmware reads it), and the mouse's own buttons show up on the DPI page.

#include <gtest/gtest.h>

#include <optional>

#include "MainWindowRig.h"
#include "buttons/Emoji.h"
#include "buttons/FunctionCatalogue.h"
#include "sim/FirmwareDecoders.h"
#include "store/ConfigStore.h"

namespace zq::test {
namespace {

using sim::SimMode;

std::string Config(ConfigStore& store, int profile, const std::string& key) {
  std::string value;
  store.GetConfig(profile, key, value);
  return value;
}

std::optional<ButtonAssignment> AssignmentOf(ConfigStore& store, int profile, int keyCode) {
  std::vector<ButtonAssignment> all;
  store.ListAssignments(profile, all);
  for (const ButtonAssignment& a : all) {
    if (a.key_code == keyCode) return a;
  }
  return std::nullopt;
}

void SetSlot(sim::SimulatedMouse& mouse, int profileIndex, int slot,
             std::array<uint8_t, 4> code) {
  sim::SimulatedMouse::KeyCodes codes = mouse.KeyCodesOf(profileIndex);
  std::copy(code.begin(), code.end(), codes.begin() + 4 * slot);
  mouse.SetKeyCodes(profileIndex, codes);
}

bool Checked(DeviceMainDlg& dialog, int id) {
  auto* control = dialog.GetControl<ui::MCheckable>(id);
  return control != nullptr && control->GetCheck();
}

class DeviceRoundTrip : public ::testing::Test {
 protected:
  MainWindowRig rig;

  std::pair<std::string, std::string> LastBox() const {
    auto dialogs = rig.host.Dialogs();
    for (auto it = dialogs.rbegin(); it != dialogs.rend(); ++it) {
      if (it->windowText == "MessageBox" && it->texts.size() >= 2) {
        return {it->texts[0], it->texts[1]};
      }
    }
    return {};
  }
};

TEST_F(DeviceRoundTrip, StartUpStoresAndShowsWhatTheMouseHolds) {
  // Behind the receiver, so that all four report-rate buttons are on the page.
  rig.mouse->SetMode(SimMode::Receiver);
  sim::SimulatedMouse::Block block = rig.mouse->SettingsBlock(0);
  block[2] = 3;  // 500 Hz
  block[4] = 3;  // active level 3
  block[43] = 7;  // debounce, ms
  block[5 + 2 * 2] = 2100 & 0xFF;
  block[6 + 2 * 2] = 2100 >> 8;
  rig.mouse->SetSettingsBlock(0, block);
  SetSlot(*rig.mouse, 0, SlotOfPosition(3), {0x10, 0x03, 0x0E, 0x00});  // Ctrl+Shift+K
  rig.mouse->SetBattery(73, 1);
  rig.mouse->SetFirmwareDigits("105");

  rig.Start();

  EXPECT_EQ(rig.StatusText(), rig.Text(52));
  EXPECT_EQ(Config(rig.store, 1, "dpi_index"), "2");
  EXPECT_EQ(Config(rig.store, 1, "dpi_group2_value"), "2100");
  EXPECT_EQ(Config(rig.store, 1, "report_rate"), "3");
  const std::optional<ButtonAssignment> key = AssignmentOf(rig.store, 1, 3);
  ASSERT_TRUE(key.has_value());
  EXPECT_EQ(key->macro_type, static_cast<int>(FunctionType::KeyCombination));
  EXPECT_EQ(key->macro_value, 0x0E);
  EXPECT_EQ(key->macro_value2, 0x03);

  DeviceMainDlg& w = *rig.dialog;
  EXPECT_TRUE(Checked(w, ids::DpiLevelId(2)));
  EXPECT_FALSE(Checked(w, ids::DpiLevelId(1)));
  EXPECT_EQ(w.GetControl<ui::DPIControl>(ids::DpiLevelId(2))->GetDPIValue(), 2100);
  EXPECT_EQ(w.GetControl<ui::DPISlider>(ids::kDpiSlider)->GetProgress(), 21);
  EXPECT_EQ(w.currentDpiControlId.load(), ids::DpiLevelId(2));
  EXPECT_TRUE(Checked(w, ids::kRate500));
  EXPECT_FALSE(Checked(w, ids::kRate125));
  EXPECT_EQ(w.GetControl<ui::MEdit>(ids::kDebounceEdit)->GetTitle(), "7");
  EXPECT_EQ(w.GetControl<ui::BatteryCtrl>(ids::kBattery)->GetBatteryLevel(), 73);
  EXPECT_EQ(w.GetControl<ui::MText>(ids::kMouseFirmwareValue)->GetTitle(), "1.0.5");
}

TEST_F(DeviceRoundTrip, ApplyWritesTheStoredSettingsAsTheFirmwareReadsThem) {
  rig.Start();
  ASSERT_TRUE(rig.store.SetConfig(1, "dpi_group1_value", "2500"));
  ASSERT_TRUE(rig.store.SetConfig(1, "dpi_index", "1"));
  ASSERT_TRUE(rig.store.SetConfig(1, "report_rate", "2"));
  ButtonAssignment combo;
  combo.profile = 1;
  combo.key_code = 4;
  combo.macro_type = static_cast<int>(FunctionType::KeyCombination);
  combo.macro_value = 0x1D;  // Z
  combo.macro_value2 = 0x05;  // Ctrl+Alt
  ASSERT_NE(rig.store.SaveAssignment(combo), 0);

  rig.host.AnswerWith(rig.RunOneCycle());
  ASSERT_TRUE(rig.dialog->UserClick(ids::kApplyButton));
  rig.Settle();

  const sim::DecodedSettings settings = sim::DecodeSettingsBlock(rig.mouse->SettingsBlock(0));
  EXPECT_EQ(settings.levels[1].dpi, 2500);
  EXPECT_EQ(settings.active_level, 2);
  EXPECT_EQ(settings.report_rate_hz, 250);
  EXPECT_EQ(rig.mouse->ActiveDpiLevel(), 2);
  const sim::DecodedFunction key = sim::DecodeSlot(rig.mouse->KeyCodesOf(0), SlotOfPosition(4));
  EXPECT_EQ(key.action, sim::ButtonAction::Key);
  EXPECT_EQ(key.modifiers, 0x05);
  EXPECT_EQ(key.usage, 0x1D);
  EXPECT_EQ(LastBox(), std::make_pair(rig.Text(115), rig.Text(210)));
}

TEST_F(DeviceRoundTrip, DpiButtonOfTheMouseChecksTheLevelAndStoresIt) {
  SetSlot(*rig.mouse, 0, 5, {0xF0, 0x01, 0x03, 0x00});  // DPI cycle on button 6
  rig.Start();
  ASSERT_EQ(Config(rig.store, 1, "dpi_index"), "1");  // the factory's level 2

  rig.mouse->PressButton(5, 0);
  rig.Poll();

  EXPECT_EQ(rig.mouse->ActiveDpiLevel(), 3);
  EXPECT_EQ(Config(rig.store, 1, "dpi_index"), "2");
  DeviceMainDlg& w = *rig.dialog;
  EXPECT_TRUE(Checked(w, ids::DpiLevelId(2)));
  EXPECT_FALSE(Checked(w, ids::DpiLevelId(1)));
  EXPECT_EQ(w.currentDpiControlId.load(), ids::DpiLevelId(2));
  EXPECT_EQ(w.GetControl<ui::DPISlider>(ids::kDpiSlider)->GetProgress(),
            w.GetControl<ui::DPIControl>(ids::DpiLevelId(2))->GetDPIValue() / 100);
}

TEST_F(DeviceRoundTrip, EmojiButtonOfTheMouseTypesItsText) {
  SetSlot(*rig.mouse, 0, 4, {0x50, 0x02, 0x00, 0x00});
  rig.Start();
  rig.mouse->PressButton(4, 0);
  rig.Poll();
  ASSERT_FALSE(EmojiCodeOf(2).empty());
  EXPECT_EQ(rig.keystrokes.Text(), EmojiCodeOf(2));
}

TEST_F(DeviceRoundTrip, UnplugShowsTheNoDeviceStateAndKeepsWhatWasRead) {
  sim::SimulatedMouse::Block block = rig.mouse->SettingsBlock(0);
  block[5] = 1300 & 0xFF;
  block[6] = 1300 >> 8;
  rig.mouse->SetSettingsBlock(0, block);
  rig.Start();
  ASSERT_EQ(Config(rig.store, 1, "dpi_group0_value"), "1300");

  rig.mouse->Unplug();
  rig.Settle();
  rig.Poll();

  EXPECT_EQ(rig.StatusText(), rig.Text(50));
  EXPECT_FALSE(rig.Tabs().IsEnabled());
  EXPECT_TRUE(rig.dialog->GetControl(ids::kHomeHint)->IsVisible());
  EXPECT_EQ(Config(rig.store, 1, "dpi_group0_value"), "1300");
  EXPECT_EQ(rig.dialog->GetControl<ui::DPIControl>(ids::DpiLevelId(0))->GetDPIValue(), 1300);
}

}  // namespace
}  // namespace zq::test
