#include "platform/svg_surface.h"

#include <cstdio>
#include <vector>

#include "platform/polyline_clip.h"

namespace kavor {

namespace {

// A path element is closed and another begun after this many points, so
// that no single element grows without end.
constexpr long kPointsPerPath = 10000;

void write_colour(std::ostream& out, Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  out << text;
}

}  // namespace

SvgSurface::SvgSurface(std::ostream& out, int width, int height) : out_(out), width_(width), height_(height) {
  out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width << "\" height=\"" << height
       << "\" viewBox=\"0 0 " << width << ' ' << height << "\" shape-rendering=\"crispEdges\">\n"
       << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n"
       << "<g fill=\"none\" transform=\"translate(0.5 0.5)\">\n";
}

void SvgSurface::close_path() {
  if (!open_) return;
  out_ << "\"/>\n";
  open_ = false;
}

void SvgSurface::stroke_with(int width, Rgb colour) {
  if (open_ && open_width_ == width && open_colour_ == colour && open_points_ < kPointsPerPath) return;
  close_path();
  out_ << "<path stroke=\"";
  write_colour(out_, colour);
  out_ << "\" stroke-width=\"" << width
       << (width > 1 ? "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"" : "\" d=\"");
  open_ = true;
  open_width_ = width;
  open_colour_ = colour;
  open_points_ = 0;
}

void SvgSurface::move_to(DevicePoint p) {
  out_ << 'M' << p.x << ' ' << p.y;
  last_ = p;
  ++open_points_;
}

void SvgSurface::line_to(DevicePoint p) {
  if (p.y == last_.y && p.x != last_.x) out_ << 'H' << p.x;
  else if (p.x == last_.x && p.y != last_.y) out_ << 'V' << p.y;
  else out_ << 'L' << p.x << ' ' << p.y;
  last_ = p;
  ++open_points_;
}

void SvgSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (count < 2) return;
  const int w = width > 1 ? width : 1;
  for (const std::vector<DevicePoint>& run : clip_polyline(points, count, device_clip_box(0, 0, width_, height_, w))) {
    stroke_with(w, colour);
    move_to(run[0]);
    for (size_t i = 1; i < run.size(); ++i) line_to(run[i]);
  }
}

void SvgSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return;
  // A wide pen's round end already covers the pixel at the end of its line.
  if (open_ && open_width_ > 1 && open_colour_ == colour && p == last_) return;
  if (!open_ || open_colour_ != colour || open_width_ != 1) stroke_with(1, colour);
  // A stroke one pixel wide and long, across the pixel's centre: its square.
  out_ << 'M' << p.x - 0.5 << ' ' << p.y << "h1";
  ++open_points_;
}

void SvgSurface::fill_polygon(const DeviceRings& rings, Rgb colour) {
  close_path();
  out_ << "<path fill=\"";
  write_colour(out_, colour);
  out_ << "\" fill-rule=\"evenodd\" d=\"";
  for (const std::vector<DevicePoint>& ring : rings) {
    for (size_t i = 0; i < ring.size(); ++i) out_ << (i ? 'L' : 'M') << ring[i].x << ' ' << ring[i].y;
    out_ << 'Z';
  }
  out_ << "\"/>\n";
}

bool SvgSurface::finish() {
  close_path();
  out_ << "</g>\n</svg>\n";
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace kavor
