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

bool ImageSurface::visible_steps(const BresenhamLine& line, DevicePoint from, DevicePoint to, int64_t& first,
                                 int64_t& last) const {
  if (std::max(from.x, to.x) < 0 || std::min(from.x, to.x) >= width_ || std::max(from.y, to.y) < 0 ||
      std::min(from.y, to.y) >= height_)
    return false;
  // A pixel lies within half a pixel of the exact line: a margin of one
  // keeps every visible step in the range.
  line.narrow_to(-1, -1, width_, height_, first, last);
  // Along the line the pixel coordinates only grow (or only shrink), so
  // the steps past the image's near edges form a run up to the end, and
  // those before its far edges a run from the start: the visible steps
  // lie between, and halving finds both ends.
  const bool right = to.x >= from.x, down = to.y >= from.y;
  auto entered = [&](int64_t i) {
    const DevicePoint p = line.pixel(i);
    return (right ? p.x >= 0 : p.x < width_) && (down ? p.y >= 0 : p.y < height_);
  };
  auto not_left = [&](int64_t i) {
    const DevicePoint p = line.pixel(i);
    return (right ? p.x < width_ : p.x >= 0) && (down ? p.y < height_ : p.y >= 0);
  };
  int64_t lo = first, hi = last + 1;  // the first entered step, or last + 1
  while (lo < hi) {
    const int64_t mid = lo + (hi - lo) / 2;
    if (entered(mid)) hi = mid; else lo = mid + 1;
  }
  first = lo;
  lo = first - 1, hi = last;  // the last step not yet left, or first - 1
  while (lo < hi) {
    const int64_t mid = hi - (hi - lo) / 2;
    if (not_left(mid)) lo = mid; else hi = mid - 1;
  }
  last = lo;
  return first <= last;
}

bool ImageSurface::draw_row(DevicePoint from, DevicePoint to, uint32_t pixel) {
  if (from.y != to.y || from.x == to.x) return false;
  if (from.y < 0 || from.y >= height_) return true;
  int64_t lo, hi;
  open_range(from.x, to.x, width_, lo, hi);
  for (uint32_t* p = row(from.y) + lo; lo <= hi; ++lo) *p++ = pixel;
  return true;
}

void ImageSurface::draw_thin_line(DevicePoint from, DevicePoint to, uint32_t pixel) {
  // Rows (the fills) and columns are most of the pixels: written directly.
  if (draw_row(from, to, pixel)) return;
  int64_t lo, hi;
  if (from.x == to.x && from.y != to.y) {
    if (from.x < 0 || from.x >= width_) return;
    open_range(from.y, to.y, height_, lo, hi);
    for (int64_t y = lo; y <= hi; ++y) row(static_cast<int32_t>(y))[from.x] = pixel;
    return;
  }
  const BresenhamLine line(from.x, from.y, to.x, to.y);
  int64_t first = 0, last = line.major() - 1;  // the end pixel stays unpainted
  // A line is monotonic in both axes: with both ends inside, all of it is.
  if ((!inside(from) || !inside(to)) && !visible_steps(line, from, to, first, last)) return;
  uint32_t* const origin = row(0);
  line.walk_offsets(first, last, stride_ / 4, [&](int64_t offset) { origin[offset] = pixel; });
}

void ImageSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (width > 1) {
    wide_lines_.draw_polyline(points, count, width, colour);
    return;
  }
  const uint32_t pixel = rgb32(colour);
  if (count == 2 && draw_row(points[0], points[1], pixel)) return;  // a span of a fill
  for (int i = 0; i + 1 < count; ++i) draw_thin_line(points[i], points[i + 1], pixel);
}

void ImageSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (inside(p)) row(p.y)[p.x] = rgb32(colour);
}

}  // namespace kavor
