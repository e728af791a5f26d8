#include "cli/picture_layout.h"

#include <algorithm>
#include <cmath>

#include "engine/units.h"

namespace kavor {

namespace {

// A side of a picture from a length, at least one pixel; 0 when it is out
// of range.
int side(double length, int max_side) {
  if (!std::isfinite(length) || length > max_side + 0.5) return 0;
  return std::max(1, static_cast<int>(std::lround(length)));
}

}  // namespace

bool picture_layout(int32_t sheet_width, int32_t sheet_height, const SizeRequest& request, int max_side,
                    PictureLayout& layout) {
  const double w = std::max<int32_t>(sheet_width, 1), h = std::max<int32_t>(sheet_height, 1);
  layout = PictureLayout{};
  layout.dpi = request.dpi;
  if (request.dpi > 0) {
    const double dots = static_cast<double>(request.dpi) / kPlotterUnitsPerInch;
    layout.drawing = {side(w * dots, max_side), side(h * dots, max_side)};
    layout.picture = layout.drawing;
  } else if (request.height > 0) {
    layout.picture = {request.width, request.height};
    layout.drawing = layout.picture;
    if (!request.stretch) {
      const double scale = std::min(request.width / w, request.height / h);
      layout.drawing = {side(w * scale, max_side), side(h * scale, max_side)};
      layout.offset = {(request.width - layout.drawing.width) / 2, (request.height - layout.drawing.height) / 2};
    }
  } else {
    const int width = request.width > 0 ? request.width : kDefaultPictureWidth;
    layout.drawing = {width, side(width * h / w, max_side)};
    layout.picture = layout.drawing;
  }
  return layout.picture.width > 0 && layout.picture.height > 0 && layout.picture.width <= max_side &&
         layout.picture.height <= max_side && layout.drawing.width > 0 && layout.drawing.height > 0;
}

}  // namespace kavor
