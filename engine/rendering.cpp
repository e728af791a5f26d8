#include "engine/rendering.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/run.h"

namespace kavor {

bool run_rendering(Engine& e, const DeviceTargets& targets, const std::function<void(Engine&)>& run) {
  e.device.targets = targets;
  reset_display_batch(e);
  bool finished = true;
  try {
    run(e);
  } catch (const FatalError&) {
    finished = false;
  }
  flush_display_batch(e);
  e.device.targets = DeviceTargets{};
  return finished;
}

void switch_targets(Engine& e, const DeviceTargets& targets) {
  flush_display_batch(e);
  e.device.targets = targets;
  e.device.remembered = DeviceState{}.remembered;
  reset_display_batch(e);
}

bool run_rendering(Engine& e, const DeviceTargets& targets) {
  return run_rendering(e, targets, [](Engine& engine) { engine_run(engine); });
}

}  // namespace kavor
