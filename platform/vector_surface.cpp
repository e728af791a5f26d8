#include "platform/vector_surface.h"

#include <cstddef>
#include <vector>

#include "platform/polyline_clip.h"

namespace kavor {

namespace {

// A path is ended and another begun after this many points, so that no
// single path grows without end.
constexpr long kPointsPerPath = 10000;

}  // namespace

void VectorSurface::close_path() {
  if (!open_) return;
  end_strokes();
  open_ = false;
}

void VectorSurface::stroke_with(int width, Rgb colour) {
  if (open_ && open_width_ == width && open_colour_ == colour && open_points_ < kPointsPerPath) return;
  close_path();
  begin_strokes(width, colour);
  open_ = true;
  open_width_ = width;
  open_colour_ = colour;
  open_points_ = 0;
}

void VectorSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (count < 2) return;
  const int w = width > 1 ? width : 1;
  for (const std::vector<DevicePoint>& run : clip_polyline(points, count, device_clip_box(0, 0, width_, height_, w))) {
    stroke_with(w, colour);
    move_to(run[0]);
    for (std::size_t i = 1; i < run.size(); ++i) line_to(run[i - 1], run[i]);
    last_ = run.back();
    open_points_ += static_cast<long>(run.size());
  }
}

void VectorSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return;
  // A wide pen's round end already covers the pixel at the end of its line.
  if (open_ && open_width_ > 1 && open_colour_ == colour && p == last_) return;
  stroke_with(1, colour);
  pixel_square(p);
  ++open_points_;
}

void VectorSurface::fill_polygon(const DeviceRings& rings, Rgb colour) {
  close_path();
  write_polygon(rings, colour);
}

}  // namespace kavor
