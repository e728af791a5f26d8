#include "platform/image_surface.h"

#include <algorithm>

#include "geometry/bresenham.h"

namespace kavor {

namespace {

uint32_t rgb32(Rgb c) { return 0xff000000u | uint32_t{c.r} << 16 | uint32_t{c.g} << 8 | c.b; }

// The pixels from a towards b along one axis, b itself left out, clamped to
// [0, size): lo..hi, empty when lo > hi.
void open_range(int32_t a, int32_t b, int32_t size, int64_t& lo, int64_t& hi) {
  lo = a < b ? a : int64_t{b} + 1;
  hi = a < b ? int64_t{b} - 1 : a;
  lo = std::max<int64_t>(lo, 0);
  hi = std::min<int64_t>(hi, size - 1);
}

}  // namespace

ImageSurface::ImageSurface(QImage& image, Surface& wide_lines)
    : wide_lines_(wide_lines), bits_(image.bits()), stride_(image.bytesPerLine()), width_(image.width()),
      height_(image.height()) {}

void ImageSurface::draw_thin_line(DevicePoint from, DevicePoint to, uint32_t pixel) {
  // Rows (the fills) and columns are most of the pixels: written directly.
  int64_t lo, hi;
  if (from.y == to.y && from.x != to.x) {
    if (from.y < 0 || from.y >= height_) return;
    open_range(from.x, to.x, width_, lo, hi);
    if (lo <= hi) std::fill(row(from.y) + lo, row(from.y) + hi + 1, pixel);
    return;
  }
  if (from.x == to.x && from.y != to.y) {
    if (from.x < 0 || from.x >= width_) return;
    open_range(from.y, to.y, height_, lo, hi);
    for (int64_t y = lo; y <= hi; ++y) row(static_cast<int32_t>(y))[from.x] = pixel;
    return;
  }
  const BresenhamLine line(from.x, from.y, to.x, to.y);
  int64_t first = 0, last = line.major() - 1;  // the end pixel stays unpainted
  // A line is monotonic in both axes: with both ends inside, all of it is.
  if (!inside(from) || !inside(to)) {
    line.narrow_to(0, 0, width_ - 1, height_ - 1, first, last);
    // The narrowed range may still start or end a few steps outside.
    while (first <= last && !inside(line.pixel(first))) ++first;
    while (first <= last && !inside(line.pixel(last))) --last;
  }
  uint32_t* const origin = row(0);
  line.walk_offsets(first, last, stride_ / 4, [&](int64_t offset) { origin[offset] = pixel; });
}

void ImageSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (width > 1) {
    wide_lines_.draw_polyline(points, count, width, colour);
    return;
  }
  const uint32_t pixel = rgb32(colour);
  for (int i = 0; i + 1 < count; ++i) draw_thin_line(points[i], points[i + 1], pixel);
}

void ImageSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (inside(p)) row(p.y)[p.x] = rgb32(colour);
}

}  // namespace kavor
