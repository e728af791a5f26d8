#include "cli/quiet_engine.h"

#include "engine/fatal_error.h"
#include "engine/run.h"

namespace kavor {

bool QuietEngine::prepare(const std::vector<std::string>& run_vector) {
  try {
    reset_run_state(engine);
    prepare_run(engine, run_vector);
    return true;
  } catch (const FatalError&) {
    return false;
  }
}

}  // namespace kavor
