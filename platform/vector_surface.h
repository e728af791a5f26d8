#pragma once
// The drawing of the vector picture formats (SVG, PDF), written as the
// picture is drawn so that nothing of it is held in memory. Strokes of one
// colour and width in a row share one path: each polyline a subpath, each
// single pixel a stroke one pixel wide and long across it (its square). A
// filled polygon is one path of its own, by the even-odd rule. Coordinates
// are view pixels, lines through pixel centres as on the bitmap; polylines
// are clipped to the view enlarged by a margin.

#include "device/surface.h"

namespace kavor {

class VectorSurface : public Surface {
 public:
  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) final;
  void set_pixel(DevicePoint p, Rgb colour) final;
  bool draws_polygons() const final { return true; }
  void fill_polygon(const DeviceRings& rings, Rgb colour) final;

 protected:
  VectorSurface(int width, int height) : width_(width), height_(height) {}
  // Ends the open path, if any: before the format closes its file.
  void close_path();

  // The format's own writing of a path of strokes of one width and colour
  // (a round cap and join for widths above one): begun, its subpaths, ended.
  virtual void begin_strokes(int width, Rgb colour) = 0;
  virtual void move_to(DevicePoint p) = 0;
  virtual void line_to(DevicePoint from, DevicePoint to) = 0;
  // The square of pixel p, in a path of strokes one pixel wide.
  virtual void pixel_square(DevicePoint p) = 0;
  virtual void end_strokes() = 0;
  // One filled path of the rings by the even-odd rule.
  virtual void write_polygon(const DeviceRings& rings, Rgb colour) = 0;

  int width_, height_;

 private:
  void stroke_with(int width, Rgb colour);

  bool open_ = false;  // a path of strokes is open
  int open_width_ = 0;
  Rgb open_colour_;
  DevicePoint last_{};  // the last point of the open path
  long open_points_ = 0;
};

}  // namespace kavor
