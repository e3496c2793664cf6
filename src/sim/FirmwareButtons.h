#pragma once
// Button presses that act as the firmware would on the function a button
// holds: an emoji button sends the emoji notification, the DPI buttons change
// the active level and the report-rate buttons the rate, each announced with
// event 0x10 (level, rate). Other functions act on the computer through the
// ordinary input collections, which the host's command interface never
// sees, so they send nothing here.

#include "sim/SimulatedMouse.h"

namespace zq::sim {

// Makes `mouse`'s PressButton act on the pressed button's function.
void InstallFirmwareButtons(SimulatedMouse& mouse);

// The mouse's own lighting control: the profile's block takes the mode and
// event 0x11 tells the host. False when the report cannot reach the host.
bool ChangeLightingOnMouse(SimulatedMouse& mouse, int profile, int mode);

}  // namespace zq::sim
