#pragma once
// The size of a page's picture and where the drawing sits in it.

#include <cstdint>

#include "device/surface.h"
#include "engine/host.h"

namespace kavor {

struct SizeRequest {
  int width = 0, height = 0;  // --size; 0 when not given
  bool stretch = false;       // --stretch: fill W by H whatever the proportions
  int dpi = 0;                // --dpi: the sheet at its true size
};

struct PictureLayout {
  PixelSize picture;    // the whole picture
  PixelSize drawing;    // the view (or printer page) the engine draws on
  DevicePoint offset;   // where the drawing's top-left corner lies in the picture
  int dpi = 0;          // dots per inch when the picture has a true size
};

// The picture of a sheet whose hard-clip rectangle measures sheet_width by
// sheet_height plotter units. At a resolution, the sheet at its true size.
// With a width alone, that width and the sheet's proportions. With a width
// and a height, the sheet's proportions inside them, centred, or the
// whole of them when stretched. No side may exceed max_side: false then.
bool picture_layout(int32_t sheet_width, int32_t sheet_height, const SizeRequest& request, int max_side,
                    PictureLayout& layout);

// The width of a picture when --size and --dpi are not given.
inline constexpr int kDefaultPictureWidth = 1600;

}  // namespace kavor
