#include "engine/hard_clip_measure.h"

#include <fstream>
#include <iterator>

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/null_host.h"
#include "engine/run.h"

namespace kavor {

HardClipExtent measure_hard_clip(const std::string& settings_dir, const std::vector<std::string>& args) {
  NullHost host(settings_dir, {1, 1});
  Engine e(host);
  try {
    reset_run_state(e);
    prepare_run(e, separate_inputs(e, args).parameters);
  } catch (const FatalError&) {
    return {};
  }
  const PlotArea& a = e.gs.area;
  return {a.clip_xmax - a.clip_xmin, a.clip_ymax - a.clip_ymin, e.options.size_mode == SIZE_REAL};
}

std::vector<std::string> parameter_file_arguments(const std::string& settings_dir, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  NullHost host(settings_dir, {1, 1});
  Engine e(host);
  try {
    return tokenise_parameter_file(e, bytes);
  } catch (const FatalError&) {
    return {};
  }
}

}  // namespace kavor
