#pragma once
// An SVG file written element by element as the picture is drawn, so that
// nothing of it is held in memory: one polyline element per polyline, one
// unit square per single pixel. Coordinates are view pixels; lines run
// through pixel centres, as they do on the bitmap.

#include <ostream>

#include "device/surface.h"

namespace kavor {

class SvgSurface : public Surface {
 public:
  // Writes the document head and the white background.
  SvgSurface(std::ostream& out, int width, int height);

  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override;
  void set_pixel(DevicePoint p, Rgb colour) override;
  // Closes the document; false when a write failed.
  bool finish();

 private:
  std::ostream& out_;
  int width_, height_;
};

}  // namespace kavor
