// Reading config.xml: the shipped catalogue, the forms of its values, and
// files that are missing or broken.

#include <gtest/gtest.h>

#include <fstream>

#include "../platform/TempDir.h"
#include "TestRig.h"
#include "device/Catalogue.h"
#include "device/DeviceDiscovery.h"

namespace zq {
namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

TEST(Catalogue, ShippedFileListsTheFourModes) {
  Catalogue c;
  ASSERT_TRUE(ReadCatalogue(std::string(ZQ_SOURCE_DIR) + "/resources/config.xml", c));
  ASSERT_EQ(c.mice.size(), 1u);
  EXPECT_EQ(c.mice[0].device_type, 101);
  EXPECT_EQ(c.mice[0].device_attr, "Q57");
  ASSERT_EQ(c.modes.size(), 4u);
  const int values[] = {0, 1, 3, 2};
  const uint16_t pids[] = {0x5701, 0x5702, 0x5703, 0x5704};
  sim::SimIds sim_ids;  // the simulated mouse presents the same ids
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(c.modes[i].value, values[i]);
    EXPECT_EQ(c.modes[i].vid, sim_ids.vendor_id);
    EXPECT_EQ(c.modes[i].pid, pids[i]);
    EXPECT_EQ(c.modes[i].pid, sim_ids.ProductOf(static_cast<sim::SimMode>(values[i])));
    EXPECT_EQ(c.modes[i].device_attr, "Q57");  // the mouse's attributes travel along
  }
  EXPECT_EQ(c.software.version, "1.2.0");
  EXPECT_FALSE(c.software.copyright.empty());
}

TEST(Catalogue, ValuesAreReadInTheirForms) {
  test::TempDir dir;
  WriteFile(dir / "config.xml",
            "<config><device>"
            "<mouse name=\"A\" device_type=\"101\" device_attr=\"Q57\">"
            "<mode value=\"0\" vid=\"1915\" pid=\"0x00ff\" hid_interface=\"\"/>"
            "<mode value=\"x\" vid=\"zz\" pid=\"15701\"/>"
            "</mouse>"
            "<mouse name=\"B\" device_type=\"102\" device_attr=\"Other\">"
            "<mode value=\"1\" vid=\"2\" pid=\"3\"/></mouse>"
            "</device><software version=\"9.9\"><copyright info=\"c\"/></software></config>");
  Catalogue c;
  ASSERT_TRUE(ReadCatalogue(dir / "config.xml", c));
  ASSERT_EQ(c.mice.size(), 2u);
  ASSERT_EQ(c.modes.size(), 3u);
  EXPECT_EQ(c.modes[0].vid, 0x1915);
  EXPECT_EQ(c.modes[0].pid, 0x00FF);
  EXPECT_EQ(c.modes[1].value, 0);  // malformed numbers read as 0
  EXPECT_EQ(c.modes[1].vid, 0);
  EXPECT_EQ(c.modes[1].pid, 0);  // too long for a USB id: not cut down to 5701
  EXPECT_EQ(c.modes[2].device_type, 102);
  EXPECT_EQ(c.software.version, "9.9");
  EXPECT_EQ(c.software.copyright, "c");
}

struct NullEffects : DiscoveryEffects {
  void SetStatusText(int key) override { status = key; }
  void EnableTabs(bool) override {}
  void SelectTab(int) override {}
  void ShowNoDevice(bool) override {}
  void SetBatteryInfo(int, int) override {}
  void SetMessage(int) override {}
  void QueueTask(int) override {}
  void OpenSettingsDatabase(const std::string&) override {}
  int status = -1;
};

TEST(Catalogue, MissingOrBrokenFileLeavesNoRecords) {
  const char* contents[] = {nullptr, "", "garbage <<< not xml", "<other><device/></other>",
                            "<config><device><mouse device_type=\"101\">"};
  for (const char* content : contents) {
    test::TempDir dir;
    if (content) WriteFile(dir / "config.xml", content);
    test::Rig rig;  // a mouse is plugged in, but nothing names it
    test::TempDir values;
    Registry registry(values.path());
    NullEffects effects;
    DeviceDiscovery discovery(rig.manager, registry, effects);
    EXPECT_FALSE(discovery.LoadCatalogue(dir.path() + "/")) << (content ? content : "missing");
    EXPECT_TRUE(discovery.ModeRecords().empty());
    EXPECT_FALSE(rig.manager.IsKnown(0xFFF7, 0x5701));
    EXPECT_EQ(effects.status, kTextNoDevice);
    EXPECT_FALSE(discovery.DevicePresent());
  }
}

}  // namespace
}  // namespace zq
