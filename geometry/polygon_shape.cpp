// Rings are cut to the box one side at a time (Sutherland-Hodgman). Each
// ring is cut on its own: a point inside the box keeps the number of times
// each ring winds around it, so the even-odd inside is kept.
#include "geometry/polygon_shape.h"

#include <cmath>

#include "engine/numeric.h"

namespace kavor {

namespace {

struct Point {
  double x, y;
};

// Keeps the part of the ring on the inside of one side of the box: where
// inside(p) holds; cross(a, b) is where the edge a-b meets that side.
template <class Inside, class Cross>
std::vector<Point> cut(const std::vector<Point>& ring, Inside inside, Cross cross) {
  std::vector<Point> kept;
  for (size_t i = 0; i < ring.size(); ++i) {
    const Point& a = ring[i];
    const Point& b = ring[(i + 1) % ring.size()];
    if (inside(a)) kept.push_back(a);
    if (inside(a) != inside(b)) kept.push_back(cross(a, b));
  }
  return kept;
}

Point at_x(const Point& a, const Point& b, double x) { return {x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)}; }
Point at_y(const Point& a, const Point& b, double y) { return {a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y}; }

std::vector<Point> cut_to_box(std::vector<Point> ring, const PixelBox& box) {
  const double x0 = static_cast<double>(box.xmin), x1 = static_cast<double>(box.xmax);
  const double y0 = static_cast<double>(box.ymin), y1 = static_cast<double>(box.ymax);
  ring = cut(ring, [&](const Point& p) { return p.x >= x0; }, [&](const Point& a, const Point& b) { return at_x(a, b, x0); });
  ring = cut(ring, [&](const Point& p) { return p.x <= x1; }, [&](const Point& a, const Point& b) { return at_x(a, b, x1); });
  ring = cut(ring, [&](const Point& p) { return p.y >= y0; }, [&](const Point& a, const Point& b) { return at_y(a, b, y0); });
  ring = cut(ring, [&](const Point& p) { return p.y <= y1; }, [&](const Point& a, const Point& b) { return at_y(a, b, y1); });
  return ring;
}

// The ring as device points, without repeated neighbours; empty when it
// encloses nothing.
std::vector<DevicePoint> device_ring(const std::vector<Point>& ring) {
  std::vector<DevicePoint> points;
  for (const Point& p : ring) {
    const DevicePoint d{round_to_int32(p.x), round_to_int32(p.y)};
    if (points.empty() || !(points.back() == d)) points.push_back(d);
  }
  while (points.size() > 1 && points.back() == points.front()) points.pop_back();
  if (points.size() < 3) points.clear();
  return points;
}

}  // namespace

bool polygon_rings(const std::vector<Vertex>& vertices, const PixelBox& box, DeviceRings& rings) {
  rings.clear();
  size_t first = 0;
  while (first < vertices.size()) {
    size_t last = first;
    while (last + 1 < vertices.size() && !starts_subpolygon(vertices[last + 1].flag)) ++last;
    if (last > first) {
      // A subpolygon with edges must end where it began.
      if (vertices[last].x != vertices[first].x || vertices[last].y != vertices[first].y) return false;
      std::vector<Point> ring;
      for (size_t i = first; i < last; ++i) ring.push_back({vertices[i].x, vertices[i].y});
      std::vector<DevicePoint> points = device_ring(cut_to_box(std::move(ring), box));
      if (!points.empty()) rings.push_back(std::move(points));
    }
    first = last + 1;
  }
  return true;
}

}  // namespace kavor
