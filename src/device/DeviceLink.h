#pragma once
// Chooses what the program talks to: the real mouse through hidapi, or the
// simulated mouse (--simulate on the command line, or ZQ_SIMULATE=1).
//
// Wiring in the shell, before anything touches HidDeviceManager::Instance():
//   zq::DeviceLink link = zq::MakeDeviceLink(zq::WantsSimulation(argc, argv),
//                                            zq::DefaultClock());
//   zq::SetProgramBackend(link.backend);
// link.mouse is set in simulation (plugged in, cable mode) so that a control
// panel can switch it, and link.events is where hot-plug events come from:
// a HotPlugMonitor for the real backend, the mouse's listener in simulation.

#include <memory>

#include "device/HidBackend.h"
#include "platform/Clock.h"
#include "sim/SimulatedMouse.h"

namespace zq {

struct DeviceLink {
  std::shared_ptr<HidBackend> backend;
  std::shared_ptr<sim::SimulatedMouse> mouse;  // only in simulation
  bool simulated = false;
};

// True for "--simulate" among the arguments, or ZQ_SIMULATE=1.
bool WantsSimulation(int argc, const char* const* argv);
DeviceLink MakeDeviceLink(bool simulate, Clock& clock);

// The backend HidDeviceManager::Instance() is built over. When none was set,
// the first call makes one by the environment (ZQ_SIMULATE).
void SetProgramBackend(std::shared_ptr<HidBackend> backend);
std::shared_ptr<HidBackend> ProgramBackend();

}  // namespace zq
