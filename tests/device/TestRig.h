#pragma once
// A device manager over one or more simulated mice on a virtual clock, the
// way the program builds it over hidapi.

#include <memory>
#include <vector>

#include "device/HidDeviceManager.h"
#include "platform/Clock.h"
#include "sim/SimBackend.h"
#include "sim/SimulatedMouse.h"

namespace zq::test {

// Several simulated devices side by side, as on a machine with a cable and
// a receiver plugged in at once.
class CompositeBackend final : public HidBackend {
 public:
  void Add(std::shared_ptr<HidBackend> backend) { parts_.push_back(std::move(backend)); }
  std::vector<HidDeviceInfo> Enumerate() override {
    std::vector<HidDeviceInfo> all;
    for (auto& part : parts_) {
      for (auto& info : part->Enumerate()) all.push_back(info);
    }
    return all;
  }
  std::unique_ptr<HidConnection> Open(const std::string& path) override {
    for (auto& part : parts_) {
      if (auto connection = part->Open(path)) return connection;
    }
    return nullptr;
  }

 private:
  std::vector<std::shared_ptr<HidBackend>> parts_;
};

inline sim::SimIds IdsWithPrefix(const char* prefix) {
  sim::SimIds ids;
  ids.path_prefix = prefix;
  return ids;
}

// The catalogue's four modes, as the discovery code registers them.
inline void AddCatalogueIds(HidDeviceManager& manager, const sim::SimIds& ids = {}) {
  manager.AddKnown(ids.vendor_id, ids.cable, kMouseDeviceType, kModeCable);
  manager.AddKnown(ids.vendor_id, ids.receiver, kMouseDeviceType, kModeReceiver);
  manager.AddKnown(ids.vendor_id, ids.bluetooth, kMouseDeviceType, kModeBluetooth);
  manager.AddKnown(ids.vendor_id, ids.second_receiver, kMouseDeviceType, kModeSecondReceiver);
}

struct Rig {
  explicit Rig(sim::SimMode mode = sim::SimMode::Cable, bool plugged = true)
      : mouse(std::make_shared<sim::SimulatedMouse>(clock)),
        manager(std::make_shared<sim::SimBackend>(mouse), clock) {
    mouse->SetMode(mode);
    if (plugged) mouse->Plug();
    AddCatalogueIds(manager);
    manager.SetDeviceType(kMouseDeviceType);
    Refresh();
  }
  void Refresh() {
    manager.CloseAll();
    manager.EnumerateDevice();
    manager.SetOpen();
    clock.ClearSleeps();
  }

  VirtualClock clock;
  std::shared_ptr<sim::SimulatedMouse> mouse;
  HidDeviceManager manager;
};

// A command report as callers build it: report id 0, then the payload.
inline std::array<uint8_t, 65> Command(uint8_t code, uint8_t access, uint8_t length,
                                       uint8_t profile = 0,
                                       std::initializer_list<uint8_t> data = {}) {
  std::array<uint8_t, 65> buffer{};
  buffer[1] = 0x55;
  buffer[2] = code;
  buffer[3] = access;
  buffer[5] = length;
  buffer[8] = profile;
  size_t at = 9;
  for (uint8_t b : data) buffer[at++] = b;
  return buffer;
}

}  // namespace zq::test
