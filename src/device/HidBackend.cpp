#include "device/HidBackend.h"

namespace zq {

std::string MakeInterfaceName(std::string_view path, std::string_view hidName) {
  std::string name(path);
  if (!hidName.empty()) {
    name += ' ';
    name += hidName;
  }
  return name;
}

std::string_view PathOfInterfaceName(std::string_view name) {
  size_t blank = name.find(' ');
  return blank == std::string_view::npos ? name : name.substr(0, blank);
}

bool IsBluetoothInterfaceText(std::string_view upper) {
  if (upper.find(kBluetoothHidService) != std::string_view::npos &&
      upper.find("KBD") != std::string_view::npos) {
    return true;
  }
  return upper.find(" 0005:") != std::string_view::npos;
}

}  // namespace zq
