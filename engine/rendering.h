#pragma once
// One rendering on the drawing device, bracketed as the device needs it:
// every program and test that renders goes through here.

#include <functional>

#include "device/draw_device.h"

namespace kavor {

struct Engine;

// Points the drawing device at targets, empties the display batch, runs
// `run`, draws the pending polyline (which also ends an open conversion
// file), and clears the targets again. A fatal error ends `run` after the
// host has shown it; the bracket still closes and the result is false.
bool run_rendering(Engine& e, const DeviceTargets& targets, const std::function<void(Engine&)>& run);
// The same for engine_run: the parameter file $param.kv of the settings
// directory, as the desktop program renders its view, pages and exports.
bool run_rendering(Engine& e, const DeviceTargets& targets);

// Moves a rendering that is under way to other targets (a host that keeps
// pages apart, at a page end): the pending polyline is drawn on the old
// targets, which also ends an open conversion file; the new targets start
// with an empty display batch and a printer page on which nothing was drawn.
void switch_targets(Engine& e, const DeviceTargets& targets);

}  // namespace kavor
