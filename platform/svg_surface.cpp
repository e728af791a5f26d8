#include "platform/svg_surface.h"

#include <cstdio>
#include <vector>

#include "platform/polyline_clip.h"

namespace kavor {

namespace {

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

void SvgSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (count < 2) return;
  const int w = width > 1 ? width : 1;
  const char* ends = w > 1 ? "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" points=\"" : "\" points=\"";
  for (const std::vector<DevicePoint>& run : clip_polyline(points, count, device_clip_box(0, 0, width_, height_, w))) {
    out_ << "<polyline stroke=\"";
    write_colour(out_, colour);
    out_ << "\" stroke-width=\"" << w << ends;
    for (size_t i = 0; i < run.size(); ++i) out_ << (i ? " " : "") << run[i].x << ',' << run[i].y;
    out_ << "\"/>\n";
  }
}

void SvgSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return;
  // The pixel's square, taken back from the half-pixel shift of the group.
  out_ << "<rect x=\"" << p.x - 0.5 << "\" y=\"" << p.y - 0.5 << "\" width=\"1\" height=\"1\" fill=\"";
  write_colour(out_, colour);
  out_ << "\"/>\n";
}

bool SvgSurface::finish() {
  out_ << "</g>\n</svg>\n";
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace kavor
