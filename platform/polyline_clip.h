#pragma once
// Clipping of device polylines to a rectangle, so that coordinates far off
// the device never reach a drawing back end that cannot hold them.

#include <cstdint>
#include <vector>

#include "device/surface.h"

namespace kavor {

struct ClipBox {
  int64_t xmin = 0, ymin = 0, xmax = 0, ymax = 0;
  bool contains(DevicePoint p) const { return p.x >= xmin && p.x <= xmax && p.y >= ymin && p.y <= ymax; }
};

// The box that polylines on a device of the given pixel rectangle are clipped
// to: far enough beyond its edges that a clipped end never shows, small
// enough for any rasteriser or file reader.
ClipBox device_clip_box(int64_t left, int64_t top, int64_t right, int64_t bottom, int pen_width);

// The visible parts of the polyline as connected runs of at least two
// points. A polyline wholly inside comes back unchanged, as one run.
std::vector<std::vector<DevicePoint>> clip_polyline(const DevicePoint* points, int count, const ClipBox& box);

}  // namespace kavor
