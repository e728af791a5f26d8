#pragma once
// A polygon of the buffer as one shape for the surfaces that fill polygons
// themselves: its subpolygons as rings of device points, cut to a box.

#include <cstdint>

#include "device/surface.h"
#include "geometry/polygon_buffer.h"

namespace kavor {

// An axis-aligned box of device pixels, ends included.
struct PixelBox {
  int64_t xmin, ymin, xmax, ymax;
};

// The subpolygons of the vertices (device pixels, whole numbers) as rings
// cut to the box, keeping what the even-odd rule fills inside it. False
// when a subpolygon is open: the scan fill drops a crossing on each of its
// rows, which no shape reproduces.
bool polygon_rings(const std::vector<Vertex>& vertices, const PixelBox& box, DeviceRings& rings);

}  // namespace kavor
