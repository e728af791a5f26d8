// Even-odd fills of the polygon buffer: the solid fill scans device rows,
// the hatch fill crosses hatch lines with the edges. The intercept table of
// a line grows with the number of crossings.
#include "geometry/scan_fill.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

#include "device/draw_device.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/units.h"
#include "geometry/coordinates.h"
#include "geometry/hatch.h"
#include "geometry/line_path.h"

namespace kavor {

namespace {

constexpr double kTolerance = 0.0001;
// Room for the rounding of a computed crossing at the end of an edge.
constexpr double kEndSlack = 1e-9;

using Segment = std::array<double, 4>;

struct Box {
  double xmin, ymin, xmax, ymax;
};

// Every edge: from the previous vertex into each vertex that continues a
// subpolygon.
std::vector<Segment> polygon_edges(const std::vector<Vertex>& v) {
  std::vector<Segment> edges;
  for (size_t i = 1; i < v.size(); ++i) {
    if (!starts_subpolygon(v[i].flag)) edges.push_back({v[i - 1].x, v[i - 1].y, v[i].x, v[i].y});
  }
  return edges;
}

Box bounding_box(const std::vector<Vertex>& v) {
  Box b{v[0].x, v[0].y, v[0].x, v[0].y};
  for (const Vertex& p : v) {
    b.xmin = std::min(b.xmin, p.x);
    b.ymin = std::min(b.ymin, p.y);
    b.xmax = std::max(b.xmax, p.x);
    b.ymax = std::max(b.ymax, p.y);
  }
  return b;
}

// False when the line surely does not cross the edge: a scan row (a
// horizontal line that is not also vertical within the tolerance) crosses
// at its own y, which the scan rule takes only in [low y, high y) of the
// edge. The full test decides everything else.
bool may_cross(int rule, const Segment& line, const Segment& edge) {
  if (rule != RULE_SCAN || line[1] != line[3] || std::fabs(line[2] - line[0]) < kTolerance) return true;
  return std::min(edge[1], edge[3]) <= line[1] && line[1] < std::max(edge[1], edge[3]);
}

void collect_intercepts(int rule, const Segment& line, const std::vector<Segment>& edges,
                        std::vector<Intercept>& table) {
  table.clear();
  for (const Segment& edge : edges) {
    double x = 0, y = 0;
    if (may_cross(rule, line, edge) && intersect_segments(rule, line.data(), edge.data(), &x, &y))
      table.push_back({x, y});
  }
  sort_intercepts(table);
}

bool accepted_by_scan_rule(double x, double y, const double* edge) {
  return std::min(edge[0], edge[2]) <= x && x <= std::max(edge[0], edge[2]) && std::min(edge[1], edge[3]) <= y &&
         y < std::max(edge[1], edge[3]);
}

bool accepted_by_hatch_rule(double x, double y, const double* edge) {
  const double y_slack = std::fabs(edge[1] - edge[3]) < kTolerance ? kTolerance : kEndSlack;
  return std::min(edge[0], edge[2]) - kEndSlack <= x && x <= std::max(edge[0], edge[2]) + kEndSlack &&
         std::min(edge[1], edge[3]) - y_slack <= y && y <= std::max(edge[1], edge[3]) + y_slack;
}

// --- solid fill ---------------------------------------------------------

void map_point(const Engine& e, double x, double y, int32_t& dx, int32_t& dy) {
  dx = trunc_to_int32(x);
  dy = trunc_to_int32(y);
  map_to_device(e, &dx, &dy);
}

// A rectangle given in plotter units, as an ordered box in device pixels.
Box device_box(const Engine& e, double x1, double y1, double x2, double y2) {
  int32_t ax = 0, ay = 0, bx = 0, by = 0;
  map_point(e, std::min(x1, x2), std::min(y1, y2), ax, ay);
  map_point(e, std::max(x1, x2), std::max(y1, y2), bx, by);
  return {static_cast<double>(std::min(ax, bx)), static_cast<double>(std::min(ay, by)),
          static_cast<double>(std::max(ax, bx)), static_cast<double>(std::max(ay, by))};
}

void to_device(const Engine& e, Vertex& v) {
  double x = v.x, y = v.y, x2 = v.x, y2 = v.y;
  rotate_segment(e, &x, &y, &x2, &y2);
  int32_t dx = round_to_int32(x), dy = round_to_int32(y);
  map_to_device(e, &dx, &dy);
  v.x = dx;
  v.y = dy;
}

bool clip_span(double* x1, double* y1, double* x2, double* y2, const Box& b) {
  return clip_segment(x1, y1, x2, y2, b.xmin, b.ymin, b.xmax, b.ymax) != 0;
}

}  // namespace

int intersect_segments(int rule, const double line[4], const double edge[4], double* x, double* y) {
  double x1 = line[0], y1 = line[1], x2 = line[2], y2 = line[3];
  double x3 = edge[0], y3 = edge[1], x4 = edge[2], y4 = edge[3];
  if (y1 == y2 && y3 == y4) return 0;
  if (x1 == x2 && x3 == x4 && y1 != y2) return 0;
  if (x2 < x1) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (x4 < x3) {
    std::swap(x3, x4);
    std::swap(y3, y4);
  }
  const bool line_vertical = std::fabs(x2 - x1) < kTolerance;
  const bool edge_vertical = std::fabs(x4 - x3) < kTolerance;
  if (line_vertical && edge_vertical) return 0;
  const double line_slope = line_vertical ? 0 : (y2 - y1) / (x2 - x1);
  const double edge_slope = edge_vertical ? 0 : (y4 - y3) / (x4 - x3);
  if (!line_vertical && !edge_vertical && std::fabs(line_slope - edge_slope) < kTolerance) return 0;
  if (y1 == y2 && (y1 < std::min(y3, y4) || y1 > std::max(y3, y4))) return 0;
  if (line_vertical && (x1 < x3 || x1 > x4)) return 0;

  double cx = 0, cy = 0;
  if (line_vertical) {
    cx = x1;
    cy = y3 + edge_slope * (x1 - x3);
  } else if (edge_vertical) {
    cx = x3;
    cy = y1 + line_slope * (x3 - x1);
  } else {
    cx = (y3 - edge_slope * x3 - (y1 - line_slope * x1)) / (line_slope - edge_slope);
    cy = y1 + line_slope * (cx - x1);
  }
  if (rule == RULE_SCAN) {
    cx = round_half_away(cx);
    cy = round_half_away(cy);
    if (!accepted_by_scan_rule(cx, cy, edge)) return 0;
  } else {
    if (!accepted_by_hatch_rule(cx, cy, edge)) return 0;
    cx = round_half_away(cx);
    cy = round_half_away(cy);
  }
  *x = cx;
  *y = cy;
  return 1;
}

void sort_intercepts(std::vector<Intercept>& table) {
  std::sort(table.begin(), table.end(),
            [](const Intercept& a, const Intercept& b) { return a.x < b.x || (a.x == b.x && a.y < b.y); });
}

void fill_polygon_solid(Engine& e, std::vector<Vertex>& vertices) {
  if (vertices.empty()) return;
  const PlotArea& area = e.gs.area;
  double wx1 = area.clip_xmin, wy1 = area.clip_ymin, wx2 = area.clip_xmax, wy2 = area.clip_ymax;
  if (e.gs.window.on) {
    input_window_plotter(e, wx1, wy1, wx2, wy2);
    rotate_segment(e, &wx1, &wy1, &wx2, &wy2);
  }
  const Box window = device_box(e, wx1, wy1, wx2, wy2);
  const Box clip = device_box(e, area.clip_xmin, area.clip_ymin, area.clip_xmax, area.clip_ymax);
  for (Vertex& v : vertices) to_device(e, v);
  const Box poly = bounding_box(vertices);

  double bottom = std::max({window.ymin, clip.ymin, poly.ymin});
  double top = std::min({window.ymax, clip.ymax, poly.ymax});
  double left = std::max({window.xmin, clip.xmin, poly.xmin});
  double right = std::min({window.xmax, clip.xmax, poly.xmax});
  // Rows and columns beyond the visible device area show nothing.
  int64_t vis_x, vis_y;
  if (visible_device_box(e, vis_x, vis_y)) {
    bottom = std::max(bottom, -1.0);
    top = std::min(top, static_cast<double>(vis_y) + 1);
    left = std::max(left, -1.0);
    right = std::min(right, static_cast<double>(vis_x) + 1);
  }
  if (right < left || top < bottom) return;
  e.work.scan_rows += static_cast<int64_t>(top) - static_cast<int64_t>(bottom) + 1;

  const int pen = e.gs.pen.pen;
  scan_rows(vertices, static_cast<int64_t>(bottom), static_cast<int64_t>(top),
            [&](int64_t j, double xa, double xb) {
              double ya = static_cast<double>(j), yb = ya;
              if (!clip_span(&xa, &ya, &xb, &yb, clip)) return;
              if (e.gs.window.on && !clip_span(&xa, &ya, &xb, &yb, window)) return;
              draw_segment(e, round_to_int32(xa), round_to_int32(ya), round_to_int32(xb), round_to_int32(yb), pen);
            });
}

void scan_rows(const std::vector<Vertex>& vertices, int64_t bottom, int64_t top, const SpanFn& span) {
  if (vertices.empty()) return;
  const Box poly = bounding_box(vertices);
  std::vector<Segment> edges = polygon_edges(vertices);
  // Rising rows meet the edges in the order of their low ends and leave
  // them past their high ends: only those between are tried, which gives
  // the same crossings (see may_cross). A row of no width (a polygon
  // narrower than the tolerance) tries every edge.
  const bool every_edge = std::fabs(poly.xmax - poly.xmin) < kTolerance;
  auto low = [](const Segment& s) { return std::min(s[1], s[3]); };
  auto high = [](const Segment& s) { return std::max(s[1], s[3]); };
  std::sort(edges.begin(), edges.end(), [&](const Segment& a, const Segment& b) { return low(a) < low(b); });
  std::vector<Segment> active;
  size_t next = 0;
  std::vector<Intercept> table;
  for (int64_t j = bottom; j <= top; ++j) {
    const double row = static_cast<double>(j);
    while (next < edges.size() && (every_edge || low(edges[next]) <= row)) active.push_back(edges[next++]);
    if (!every_edge)
      active.erase(std::remove_if(active.begin(), active.end(), [&](const Segment& s) { return high(s) <= row; }),
                   active.end());
    collect_intercepts(RULE_SCAN, {poly.xmin, row, poly.xmax, row}, active, table);
    for (size_t k = 0; k + 1 < table.size(); k += 2) span(j, table[k].x, table[k + 1].x);
  }
}

namespace {

using PartFn = std::function<void(double x1, double y1, double x2, double y2)>;

// A polygon prepared once for all the hatch lines of a fill (up to 2048
// lines across up to 1000 vertices): its edges, its vertices by their
// rounded point, and the chord between each vertex's neighbours.
class HatchPolygon {
 public:
  explicit HatchPolygon(const std::vector<Vertex>& v) : edges_(polygon_edges(v)), chords_(v.size()) {
    for (size_t i = 0; i < v.size(); ++i) {
      const RoundedPoint p{round_half_away(v[i].x), round_half_away(v[i].y), i};
      if (!std::isnan(p.x) && !std::isnan(p.y)) by_point_.push_back(p);
    }
    std::sort(by_point_.begin(), by_point_.end());
    for (size_t first = 0; first < v.size();) {
      size_t last = first;
      while (last + 1 < v.size() && !starts_subpolygon(v[last + 1].flag)) ++last;
      set_ring_chords(v, first, last);
      first = last + 1;
    }
  }

  // The parts of one hatch line inside the polygon; the table is reused.
  void cut(const Segment& hatch, std::vector<Intercept>& table, const PartFn& part) const {
    collect_intercepts(RULE_HATCH, hatch, edges_, table);
    resolve_vertex_crossings(hatch, table);
    for (size_t k = 0; k + 1 < table.size(); k += 2) part(table[k].x, table[k].y, table[k + 1].x, table[k + 1].y);
  }

 private:
  struct RoundedPoint {
    double x, y;
    size_t index;
    bool operator<(const RoundedPoint& o) const {
      return x < o.x || (x == o.x && (y < o.y || (y == o.y && index < o.index)));
    }
  };

  // The neighbours of each vertex of the subpolygon first..last; a closed
  // subpolygon's first vertex is preceded by the vertex before its closing vertex.
  void set_ring_chords(const std::vector<Vertex>& v, size_t first, size_t last) {
    const bool closed = last > first && v[last].x == v[first].x && v[last].y == v[first].y;
    const size_t ring_end = closed ? last - 1 : last;  // last vertex of the ring
    for (size_t i = first; i <= last; ++i) {
      const size_t before = i == first ? ring_end : i - 1;
      const size_t after = i >= ring_end ? first : i + 1;
      chords_[i] = {v[before].x, v[before].y, v[after].x, v[after].y};
    }
  }

  // Index of the first vertex that rounds to the point, or the table size.
  size_t vertex_at(const Intercept& p) const {
    const auto it = std::lower_bound(by_point_.begin(), by_point_.end(), RoundedPoint{p.x, p.y, 0});
    return it != by_point_.end() && it->x == p.x && it->y == p.y ? it->index : chords_.size();
  }

  // Where the hatch line meets the boundary at a vertex, two edges give the
  // same crossing: the boundary passing across keeps one, the boundary only
  // touching the line keeps none.
  void resolve_vertex_crossings(const Segment& line, std::vector<Intercept>& table) const {
    std::vector<Intercept> kept;
    for (size_t k = 0; k < table.size(); ++k) {
      const bool pair = k + 1 < table.size() && table[k].x == table[k + 1].x && table[k].y == table[k + 1].y;
      const size_t i = pair ? vertex_at(table[k]) : chords_.size();
      if (i == chords_.size()) {
        kept.push_back(table[k]);
        continue;
      }
      double x = 0, y = 0;
      if (intersect_segments(RULE_HATCH, line.data(), chords_[i].data(), &x, &y)) kept.push_back(table[k]);
      ++k;
    }
    table.swap(kept);
  }

  std::vector<Segment> edges_;
  std::vector<Segment> chords_;
  std::vector<RoundedPoint> by_point_;
};

}  // namespace

void fill_polygon_hatch(Engine& e, const std::vector<Vertex>& vertices, double angle) {
  if (vertices.empty()) return;
  const Box b = bounding_box(vertices);
  const HatchBox box{b.xmin, b.ymin, b.xmax, b.ymax};
  if (!hatch_box_visible(e, box)) return;
  const HatchPolygon polygon(vertices);
  std::vector<Intercept> table;
  const PartFn draw = [&e](double ax, double ay, double bx, double by) { draw_line(e, ax, ay, bx, by); };
  lay_out_hatch(e, box, hatch2pu(e, e.gs.fill.kind), angle, kArcRadiansPerDegree,
                [&](double x1, double y1, double x2, double y2) { polygon.cut({x1, y1, x2, y2}, table, draw); });
}

void hatch_line_parts(const std::vector<Vertex>& vertices, const double line[4], const PartFn& part) {
  std::vector<Intercept> table;
  HatchPolygon(vertices).cut({line[0], line[1], line[2], line[3]}, table, part);
}

}  // namespace kavor
