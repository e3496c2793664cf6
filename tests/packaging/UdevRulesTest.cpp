// The udev rules must open exactly the catalogue's devices to the user:
// a mode missing from the rules cannot be configured without root, and a
// rule for an id the catalogue does not know opens a stranger's device.

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>

#include "platform/Text.h"

namespace zq {
namespace {

struct Id {
  unsigned vid;
  unsigned pid;
  bool bluetooth;
  auto operator<=>(const Id&) const = default;
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Attribute(const std::string& element, const std::string& name) {
  std::smatch m;
  std::regex pattern("\\b" + name + "=\"([^\"]*)\"");
  return std::regex_search(element, m, pattern) ? m[1].str() : std::string();
}

std::set<Id> CatalogueIds(const std::string& xml) {
  // Comments may mention ids too; only elements count.
  const std::string text = std::regex_replace(xml, std::regex("<!--[\\s\\S]*?-->"), "");
  std::set<Id> ids;
  const std::regex mode("<mode\\b[^>]*>");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), mode);
       it != std::sregex_iterator(); ++it) {
    const std::string element = it->str();
    ids.insert({ParseHex(Attribute(element, "vid")), ParseHex(Attribute(element, "pid")),
                ParseDecimal(Attribute(element, "value")) == 2});
  }
  return ids;
}

std::set<Id> RuleIds(const std::string& rules, std::vector<std::string>& untagged) {
  std::set<Id> ids;
  std::istringstream lines(rules);
  std::string line;
  const std::regex usb("ATTRS\\{idVendor\\}==\"([0-9a-fA-F]{4})\",\\s*"
                       "ATTRS\\{idProduct\\}==\"([0-9a-fA-F]{4})\"");
  const std::regex bluetooth("KERNELS==\"0005:([0-9a-fA-F]{4}):([0-9a-fA-F]{4})\\.\\*\"");
  while (std::getline(lines, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::smatch m;
    bool is_usb = std::regex_search(line, m, usb);
    bool is_bt = !is_usb && std::regex_search(line, m, bluetooth);
    if (!is_usb && !is_bt) continue;
    ids.insert({ParseHex(m[1].str()), ParseHex(m[2].str()), is_bt});
    if (line.find("TAG+=\"uaccess\"") == std::string::npos) untagged.push_back(line);
  }
  return ids;
}

TEST(UdevRules, CoverExactlyTheCatalogueIds) {
  const std::string xml = ReadAll(std::string(ZQ_SOURCE_DIR) + "/resources/config.xml");
  const std::string rules =
      ReadAll(std::string(ZQ_SOURCE_DIR) + "/packaging/udev/70-zintor-q57-mouse.rules");
  ASSERT_FALSE(xml.empty());
  ASSERT_FALSE(rules.empty());

  std::vector<std::string> untagged;
  const std::set<Id> catalogue = CatalogueIds(xml);
  EXPECT_EQ(catalogue.size(), 4u);
  EXPECT_EQ(RuleIds(rules, untagged), catalogue);
  EXPECT_TRUE(untagged.empty()) << untagged.front();
  // The rules apply to hidraw nodes only, never to the input devices.
  EXPECT_NE(rules.find("SUBSYSTEM!=\"hidraw\", GOTO="), std::string::npos);
}

TEST(UdevRules, ReaderSeesAMissingRule) {
  // The check itself: a catalogue with one id more than the rules differs.
  std::vector<std::string> untagged;
  const std::string xml = "<config><device><mouse device_type=\"101\">"
                          "<mode value=\"0\" vid=\"FFF7\" pid=\"5701\"/>"
                          "<mode value=\"2\" vid=\"FFF7\" pid=\"5704\"/>"
                          "</mouse></device></config>";
  const std::string rules =
      "SUBSYSTEM!=\"hidraw\", GOTO=\"end\"\n"
      "ATTRS{idVendor}==\"fff7\", ATTRS{idProduct}==\"5701\", TAG+=\"uaccess\"\n";
  EXPECT_NE(RuleIds(rules, untagged), CatalogueIds(xml));
  const std::string both = rules + "KERNELS==\"0005:FFF7:5704.*\", TAG+=\"uaccess\"\n";
  EXPECT_EQ(RuleIds(both, untagged), CatalogueIds(xml));
}

}  // namespace
}  // namespace zq
