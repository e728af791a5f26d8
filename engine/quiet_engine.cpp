#include "engine/quiet_engine.h"

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

std::vector<std::string> parameter_file_arguments(const std::string& settings_dir, const std::string& path) {
  QuietEngine quiet(settings_dir);
  try {
    return read_parameter_file(quiet.engine, path);
  } catch (const FatalError&) {
    return {};
  }
}

HardClipExtent measure_hard_clip(const std::string& settings_dir, const std::vector<std::string>& args) {
  QuietEngine quiet(settings_dir);
  try {
    if (!quiet.prepare(separate_inputs(quiet.engine, args).parameters)) return {};
  } catch (const FatalError&) {
    return {};
  }
  const PlotArea& a = quiet.engine.gs.area;
  return {a.clip_xmax - a.clip_xmin, a.clip_ymax - a.clip_ymin, quiet.engine.options.size_mode == SIZE_REAL};
}

}  // namespace kavor
