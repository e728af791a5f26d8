#pragma once
// An SVG file written element by element as the picture is drawn, so that
// nothing of it is held in memory. Strokes of one colour and width in a row
// share one path element (each polyline a subpath; a single pixel a stroke
// one pixel long across it); a filled polygon is one path element of its
// own, by the even-odd rule. Coordinates are view pixels; lines run through
// pixel centres, as they do on the bitmap.

#include <ostream>

#include "device/surface.h"

namespace kavor {

class SvgSurface : public Surface {
 public:
  // Writes the document head and the white background.
  SvgSurface(std::ostream& out, int width, int height);

  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override;
  void set_pixel(DevicePoint p, Rgb colour) override;
  bool draws_polygons() const override { return true; }
  void fill_polygon(const DeviceRings& rings, Rgb colour) override;
  // Closes the document; false when a write failed.
  bool finish();

 private:
  // Makes the open path element one of strokes of this width and colour.
  void stroke_with(int width, Rgb colour);
  void close_path();
  void move_to(DevicePoint p);
  void line_to(DevicePoint p);

  std::ostream& out_;
  int width_, height_;
  bool open_ = false;  // a path element of strokes is open
  int open_width_ = 0;
  Rgb open_colour_;
  DevicePoint last_{};  // the last point of the open path
  long open_points_ = 0;
};

}  // namespace kavor
