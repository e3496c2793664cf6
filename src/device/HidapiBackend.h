#pragma once
// HidBackend over hidapi's hidraw backend. hidapi is initialised once per
// process; when that fails the backend finds nothing and opens nothing, so
// the program runs in its no-device state instead of failing.

#include "device/HidBackend.h"

namespace zq {

class HidapiBackend final : public HidBackend {
 public:
  HidapiBackend();
  // True when hidapi initialised.
  bool Available() const { return available_; }
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const std::string& path) override;

 private:
  bool available_ = false;
};

}  // namespace zq
