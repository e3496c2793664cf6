#pragma once
// HidBackend over hidapi's hidraw backend. hidapi is initialised once per
// process; when that fails the backend finds nothing and opens nothing, so
// the program runs in its no-device state instead of failing.
// Enumeration and opening are serialised: hidapi keeps the error text of
// these calls in one global without a lock, and the UI thread (checking an
// arriving interface) and the worker (refreshing) may enumerate at once.

#include <mutex>

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
  std::mutex mutex_;
};

}  // namespace zq
