#include <string_view>

#include "device/Catalogue.h"
#include "platform/Text.h"
#include "xml/XmlDocument.h"

namespace zq {
namespace {

// The reader's FindElement goes on after its previous match among the
// siblings of the current level, so elements are read in file order.
// A USB id has 16 bits; a longer text names no device rather than, cut
// down, some other one.
uint16_t ReadId(const std::string& text) {
  const unsigned id = ParseHex(text);
  return id > 0xFFFF ? 0 : static_cast<uint16_t>(id);
}

void ReadMouse(XmlDocument& doc, Catalogue& catalogue) {
  CatalogueRecord mouse;
  mouse.name = doc.GetAttribute("name");
  mouse.device_type = ParseDecimal(doc.GetAttribute("device_type"));
  mouse.device_attr = doc.GetAttribute("device_attr");
  catalogue.mice.push_back(mouse);
  if (!doc.EnterElement()) return;
  while (doc.FindElement("mode")) {
    CatalogueRecord mode = mouse;
    mode.value = ParseDecimal(doc.GetAttribute("value"));
    mode.desc = doc.GetAttribute("desc");
    mode.vid = ReadId(doc.GetAttribute("vid"));
    mode.pid = ReadId(doc.GetAttribute("pid"));
    mode.hid_interface = doc.GetAttribute("hid_interface");
    catalogue.modes.push_back(std::move(mode));
  }
  doc.LeaveElement();
}

void ReadSoftware(XmlDocument& doc, SoftwareInfo& software) {
  software.caption = doc.GetAttribute("caption");
  software.version = doc.GetAttribute("version");
  if (!doc.EnterElement()) return;
  if (doc.FindElement("website")) software.website = doc.GetAttribute("url");
  if (doc.FindElement("store")) software.store = doc.GetAttribute("url");
  if (doc.FindElement("upgrade")) software.upgrade = doc.GetAttribute("url");
  if (doc.FindElement("copyright")) software.copyright = doc.GetAttribute("info");
  doc.LeaveElement();
}

}  // namespace

bool ReadCatalogue(const std::string& path, Catalogue& catalogue) {
  catalogue = Catalogue{};
  XmlDocument doc;
  if (!doc.LoadFile(path)) return false;
  if (!doc.FindElement("config") || !doc.EnterElement()) return false;
  if (doc.FindElement("device") && doc.EnterElement()) {
    while (doc.FindElement("mouse")) ReadMouse(doc, catalogue);
    doc.LeaveElement();
  }
  if (doc.FindElement("software")) ReadSoftware(doc, catalogue.software);
  return true;
}

}  // namespace zq
