#pragma once
// A drawing surface: solid polylines of an integer width and RGB colour,
// single pixels, and for printer pages the extent along x. A line leaves
// its end pixel unpainted. Vector surfaces also fill polygons as shapes.

#include <cstdint>
#include <vector>

namespace kavor {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct DevicePoint {
  int32_t x = 0, y = 0;
  bool operator==(const DevicePoint&) const = default;
};

// The rings of a polygon in device points, each closed by its first point.
using DeviceRings = std::vector<std::vector<DevicePoint>>;

class Surface {
 public:
  virtual ~Surface() = default;
  virtual void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) = 0;
  virtual void set_pixel(DevicePoint p, Rgb colour) = 0;
  virtual int page_extent_x() const { return 0; }
  // Whether the surface fills a polygon as one shape. Surfaces of pixels
  // decline: the engine then fills row by row, the exact pixels of the
  // scan conversion.
  virtual bool draws_polygons() const { return false; }
  // Fills the rings by the even-odd rule; only on a surface that draws polygons.
  virtual void fill_polygon(const DeviceRings& /*rings*/, Rgb /*colour*/) {}
};

}  // namespace kavor
