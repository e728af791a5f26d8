#pragma once
// A surface that keeps every call, so tests can assert on exact device
// coordinates, widths and colours.

#include <string>
#include <vector>

#include "device/surface.h"

namespace kavor::testing {

struct SurfaceCall {
  enum Kind { Polyline, Pixel } kind;
  std::vector<DevicePoint> points;
  int width = 0;
  Rgb colour;
};

class RecordingSurface : public Surface {
 public:
  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override {
    calls.push_back({SurfaceCall::Polyline, std::vector<DevicePoint>(points, points + count), width, colour});
  }
  void set_pixel(DevicePoint p, Rgb colour) override { calls.push_back({SurfaceCall::Pixel, {p}, 1, colour}); }
  int page_extent_x() const override { return extent_x; }

  std::vector<SurfaceCall> calls;
  int extent_x = 0;
};

}  // namespace kavor::testing
