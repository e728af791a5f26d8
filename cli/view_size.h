#pragma once
// The converter's view size: --size WxH exactly, or a width with the height
// taken from the aspect of the hard-clip rectangle that the engine options
// give.

#include <string>
#include <vector>

#include "engine/host.h"

namespace kavor {

// options: an engine argument vector (entry 0 included). height 0 asks for
// the hard-clip aspect.
PixelSize converter_view_size(const std::string& settings_dir, int width, int height,
                              const std::vector<std::string>& options);

}  // namespace kavor
