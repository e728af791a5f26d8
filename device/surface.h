#pragma once
// A drawing surface: solid polylines of an integer width and RGB colour,
// single pixels, and for printer pages the extent along x. A line leaves
// its end pixel unpainted.

#include <cstdint>

namespace kavor {

struct Rgb {
  uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

struct DevicePoint {
  int32_t x = 0, y = 0;
  bool operator==(const DevicePoint&) const = default;
};

class Surface {
 public:
  virtual ~Surface() = default;
  virtual void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) = 0;
  virtual void set_pixel(DevicePoint p, Rgb colour) = 0;
  virtual int page_extent_x() const { return 0; }
};

}  // namespace kavor
