#include "platform/svg_surface.h"

#include <cstdio>

namespace kavor {

namespace {

void write_colour(std::ostream& out, Rgb c) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
  out << text;
}

}  // namespace

SvgSurface::SvgSurface(std::ostream& out, int width, int height) : VectorSurface(width, height), out_(out) {
  out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
       << "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"" << width << "\" height=\"" << height
       << "\" viewBox=\"0 0 " << width << ' ' << height << "\" shape-rendering=\"crispEdges\">\n"
       << "<rect width=\"" << width << "\" height=\"" << height << "\" fill=\"#ffffff\"/>\n"
       << "<g fill=\"none\" transform=\"translate(0.5 0.5)\">\n";
}

void SvgSurface::begin_strokes(int width, Rgb colour) {
  out_ << "<path stroke=\"";
  write_colour(out_, colour);
  out_ << "\" stroke-width=\"" << width
       << (width > 1 ? "\" stroke-linecap=\"round\" stroke-linejoin=\"round\" d=\"" : "\" d=\"");
}

void SvgSurface::move_to(DevicePoint p) { out_ << 'M' << p.x << ' ' << p.y; }

void SvgSurface::line_to(DevicePoint from, DevicePoint to) {
  if (to.y == from.y && to.x != from.x) out_ << 'H' << to.x;
  else if (to.x == from.x && to.y != from.y) out_ << 'V' << to.y;
  else out_ << 'L' << to.x << ' ' << to.y;
}

void SvgSurface::pixel_square(DevicePoint p) { out_ << 'M' << p.x - 0.5 << ' ' << p.y << "h1"; }

void SvgSurface::end_strokes() { out_ << "\"/>\n"; }

void SvgSurface::write_polygon(const DeviceRings& rings, Rgb colour) {
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
