#pragma once
// Trial runs that learn sizes before a rendering: an engine that shows and
// prints nothing, the argument vector of a parameter file, and the
// hard-clip rectangle that a run's options give.

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

// The argument vector held by a parameter file, or an empty one when the
// file cannot be read (the real run reports that).
std::vector<std::string> parameter_file_arguments(const std::string& settings_dir, const std::string& path);

struct HardClipExtent {
  double width = 0, height = 0;  // plotter units; 0 when the options end in a fatal error
  bool real_size = false;        // -SM REAL: the drawing keeps its true size
};

// The hard clip of a run's options (plotter, paper, magnifications,
// trimming); args: an argument vector, entry 0 included, whose input files
// are passed over.
HardClipExtent measure_hard_clip(const std::string& settings_dir, const std::vector<std::string>& args);

}  // namespace kavor
