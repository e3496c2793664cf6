#pragma once
// HidBackend over a SimulatedMouse: the interfaces of its current connection
// mode, and connections that stop working when it is unplugged or switched.

#include <memory>

#include "device/HidBackend.h"
#include "sim/SimulatedMouse.h"

namespace zq::sim {

class SimBackend final : public HidBackend {
 public:
  explicit SimBackend(std::shared_ptr<SimulatedMouse> mouse);
  std::vector<HidDeviceInfo> Enumerate() override;
  std::unique_ptr<HidConnection> Open(const std::string& path) override;
  SimulatedMouse& Mouse() { return *mouse_; }

 private:
  std::shared_ptr<SimulatedMouse> mouse_;
};

}  // namespace zq::sim
