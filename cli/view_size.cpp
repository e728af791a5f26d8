#include "cli/view_size.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>

#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/null_host.h"
#include "engine/numeric.h"
#include "engine/run.h"

namespace kavor {

namespace {

constexpr int kMaxSide = 20000;

// Height over width of the hard-clip rectangle, or 0 when it is unusable.
double hard_clip_aspect(Engine& e, const std::vector<std::string>& options) {
  try {
    reset_run_state(e);
    prepare_run(e, options.empty() ? std::vector<std::string>{kProgramName} : options);
  } catch (const FatalError&) {
    return 0;
  }
  double w = e.gs.area.clip_xmax - e.gs.area.clip_xmin;
  double h = e.gs.area.clip_ymax - e.gs.area.clip_ymin;
  if (!std::isfinite(w) || !std::isfinite(h) || w <= 0 || h <= 0) return 0;
  return h / w;
}

}  // namespace

PixelSize converter_view_size(const std::string& settings_dir, int width, int height,
                              const std::vector<std::string>& options) {
  if (height > 0) return {width, height};
  NullHost host(settings_dir, {width, width * 3 / 4});
  Engine e(host);
  double aspect = hard_clip_aspect(e, options);
  if (aspect <= 0) return {width, std::max(1, width * 3 / 4)};
  return {width, std::clamp(round_to_int32(width * aspect), 1, kMaxSide)};
}

std::vector<std::string> parameter_file_vector(const std::string& settings_dir, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  NullHost host(settings_dir, {1, 1});
  Engine e(host);
  try {
    return tokenise_parameter_file(e, bytes);
  } catch (const FatalError&) {
    return {};
  }
}

}  // namespace kavor
