#include "cli/view_size.h"

#include <algorithm>
#include <cmath>

#include "engine/hard_clip_measure.h"
#include "engine/numeric.h"
#include "engine/run.h"

namespace kavor {

namespace {

constexpr int kMaxSide = 20000;

}  // namespace

PixelSize converter_view_size(const std::string& settings_dir, int width, int height,
                              const std::vector<std::string>& options) {
  if (height > 0) return {width, height};
  const HardClipExtent clip =
      measure_hard_clip(settings_dir, options.empty() ? std::vector<std::string>{kProgramName} : options);
  if (!(clip.width > 0) || !(clip.height > 0) || !std::isfinite(clip.width) || !std::isfinite(clip.height))
    return {width, std::max(1, width * 3 / 4)};
  return {width, std::clamp(round_to_int32(width * clip.height / clip.width), 1, kMaxSide)};
}

}  // namespace kavor
