#pragma once
// An engine that shows and prints nothing, for the trial runs that learn
// the sheets and sizes of a conversion before it renders.

#include <ostream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "engine/null_host.h"

namespace kavor {

struct QuietEngine {
  explicit QuietEngine(const std::string& settings_dir) : host(settings_dir, {1, 1}), engine(host) {
    engine.out = engine.err = &silent;
  }
  // Resets the run state and prepares a run (options and interpreter, no
  // input read); false after a fatal error.
  bool prepare(const std::vector<std::string>& run_vector);

  NullHost host;
  std::ostream silent{nullptr};
  Engine engine;
};

}  // namespace kavor
