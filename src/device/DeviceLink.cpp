#include "device/DeviceLink.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "device/HidapiBackend.h"
#include "sim/SimBackend.h"

namespace zq {
namespace {

std::mutex g_mutex;
std::shared_ptr<HidBackend> g_backend;

bool SimulationRequestedByEnvironment() {
  const char* value = std::getenv("ZQ_SIMULATE");
  return value && std::strcmp(value, "1") == 0;
}

}  // namespace

bool WantsSimulation(int argc, const char* const* argv) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i] && std::strcmp(argv[i], "--simulate") == 0) return true;
  }
  return SimulationRequestedByEnvironment();
}

DeviceLink MakeDeviceLink(bool simulate, Clock& clock) {
  DeviceLink link;
  link.simulated = simulate;
  if (simulate) {
    link.mouse = std::make_shared<sim::SimulatedMouse>(clock, sim::SimIds{}, true);
    link.mouse->Plug();
    link.backend = std::make_shared<sim::SimBackend>(link.mouse);
  } else {
    link.backend = std::make_shared<HidapiBackend>();
  }
  return link;
}

void SetProgramBackend(std::shared_ptr<HidBackend> backend) {
  std::lock_guard<std::mutex> lock(g_mutex);
  g_backend = std::move(backend);
}

std::shared_ptr<HidBackend> ProgramBackend() {
  std::lock_guard<std::mutex> lock(g_mutex);
  if (!g_backend) g_backend = MakeDeviceLink(SimulationRequestedByEnvironment(), DefaultClock()).backend;
  return g_backend;
}

}  // namespace zq
