#include "platform/placed_surface.h"

#include "engine/numeric.h"

namespace kavor {

DevicePoint PlacedSurface::place(DevicePoint p) const {
  if (page_height_ > 0) p = {p.y, saturate_to_int32(int64_t{page_height_} - 1 - p.x)};
  return {saturate_to_int32(int64_t{p.x} + offset_.x), saturate_to_int32(int64_t{p.y} + offset_.y)};
}

void PlacedSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  placed_.resize(static_cast<size_t>(count > 0 ? count : 0));
  for (int i = 0; i < count; ++i) placed_[i] = place(points[i]);
  picture_.draw_polyline(placed_.data(), count, width, colour);
}

void PlacedSurface::set_pixel(DevicePoint p, Rgb colour) { picture_.set_pixel(place(p), colour); }

void PlacedSurface::fill_polygon(const DeviceRings& rings, Rgb colour) {
  DeviceRings placed = rings;
  for (std::vector<DevicePoint>& ring : placed)
    for (DevicePoint& p : ring) p = place(p);
  picture_.fill_polygon(placed, colour);
}

}  // namespace kavor
