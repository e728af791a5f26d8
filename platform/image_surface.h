#pragma once
// The drawing surface over a 32-bit image (QImage::Format_RGB32), for
// pictures that end up as pixels. One-pixel lines and single pixels are
// written straight into the image by the midpoint rule, each line leaving
// its end pixel unpainted, which is the rule the drawing device relies on;
// that is many times faster than a painter call per batch. Wider lines,
// with their round caps and joins, go to the painter's surface over the
// same image.

#include <QImage>

#include "device/surface.h"

namespace kavor {

class BresenhamLine;

class ImageSurface : public Surface {
 public:
  // The image must be Format_RGB32 and outlive the surface; wide_lines
  // draws into the same image.
  ImageSurface(QImage& image, Surface& wide_lines);

  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override;
  void set_pixel(DevicePoint p, Rgb colour) override;

 private:
  void draw_thin_line(DevicePoint from, DevicePoint to, uint32_t pixel);
  // A line along a row, drawn; false for any other line.
  bool draw_row(DevicePoint from, DevicePoint to, uint32_t pixel);
  // Narrows steps first..last of the line from `from` to `to` to the
  // pixels inside the image; false when none is.
  bool visible_steps(const BresenhamLine& line, DevicePoint from, DevicePoint to, int64_t& first,
                     int64_t& last) const;
  bool inside(DevicePoint p) const { return p.x >= 0 && p.y >= 0 && p.x < width_ && p.y < height_; }
  uint32_t* row(int32_t y) const { return reinterpret_cast<uint32_t*>(bits_ + static_cast<ptrdiff_t>(y) * stride_); }

  Surface& wide_lines_;
  uchar* bits_;
  qsizetype stride_;
  int32_t width_, height_;
};

}  // namespace kavor
