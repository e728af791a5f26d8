#pragma once
// The hard-clip rectangle that a run's options give (plotter, paper,
// magnifications, trimming), learnt without drawing: the options are
// parsed and the interpreter initialised on an engine of its own that shows
// no message and reads no input.

#include <string>
#include <vector>

namespace kavor {

struct HardClipExtent {
  double width = 0, height = 0;  // plotter units; 0 when the options end in a fatal error
  bool real_size = false;        // -SM REAL: the drawing keeps its true size
};

// args: an argument vector, entry 0 included; input files are passed over.
HardClipExtent measure_hard_clip(const std::string& settings_dir, const std::vector<std::string>& args);

// The argument vector of a parameter file, or an empty one when the file
// cannot be read (the real run reports that).
std::vector<std::string> parameter_file_arguments(const std::string& settings_dir, const std::string& path);

}  // namespace kavor
