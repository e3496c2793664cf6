#pragma once
// The device catalogue, config.xml beside the program: every connection
// mode of the mouse with its vendor and product id and interface text.

#include <cstdint>
#include <string>
#include <vector>

namespace zq {

// One `mouse` element (mode fields empty) or one of its `mode` elements
// (carrying its mouse's attributes too).
struct CatalogueRecord {
  std::string name;
  int device_type = 0;
  std::string device_attr;
  int value = 0;  // connection mode
  uint16_t vid = 0;
  uint16_t pid = 0;
  std::string desc;
  std::string hid_interface;
};

struct SoftwareInfo {
  std::string caption;
  std::string version;
  std::string website;
  std::string store;
  std::string upgrade;
  std::string copyright;
};

struct Catalogue {
  std::vector<CatalogueRecord> mice;
  std::vector<CatalogueRecord> modes;
  SoftwareInfo software;
};

// Reads a catalogue file. A missing or unparsable file, or one without the
// `config` root, gives false and an empty catalogue.
bool ReadCatalogue(const std::string& path, Catalogue& catalogue);

}  // namespace zq
