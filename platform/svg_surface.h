#pragma once
// An SVG file written element by element as the picture is drawn: a path
// element for each run of strokes of one colour and width, and one for each
// filled polygon (see VectorSurface). Coordinates are view pixels; lines run
// through pixel centres, as they do on the bitmap.

#include <ostream>

#include "platform/vector_surface.h"

namespace kavor {

class SvgSurface : public VectorSurface {
 public:
  // Writes the document head and the white background.
  SvgSurface(std::ostream& out, int width, int height);
  // Closes the document; false when a write failed.
  bool finish();

 private:
  void begin_strokes(int width, Rgb colour) override;
  void move_to(DevicePoint p) override;
  void line_to(DevicePoint from, DevicePoint to) override;
  void pixel_square(DevicePoint p) override;
  void end_strokes() override;
  void write_polygon(const DeviceRings& rings, Rgb colour) override;

  std::ostream& out_;
};

}  // namespace kavor
