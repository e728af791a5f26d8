// The polygon buffer: one polygon of one or more subpolygons, recorded in
// polygon mode or built by WG, filled by FP and WG and edged by EP. The
// instructions themselves are the polygons chapter's.
#include "geometry/polygon_buffer.h"

#include <new>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "geometry/coordinates.h"
#include "geometry/line_path.h"
#include "geometry/scan_fill.h"

namespace kavor {

namespace {

constexpr int kPenFlagRoom = 3000;

int vertex_count(const PolygonState& p) { return static_cast<int>(p.vertices.size()); }

void allocate_tables(Engine& e) {
  PolygonState& p = e.gs.polygon;
  if (p.vertices.capacity() >= PolygonState::kMaxVertices) return;
  try {
    p.vertices.reserve(PolygonState::kMaxVertices);
    p.pen_flags.reserve(kPenFlagRoom);
  } catch (const std::bad_alloc&) {
    report_system_error(e, "no enough memory !!!");
  }
}

// The end mark on the last vertex: a continuing vertex stays continuing, a
// starting one stays starting. Applying it twice changes nothing.
void mark_last_vertex(PolygonState& p) {
  if (p.vertices.empty()) return;
  int& flag = p.vertices.back().flag;
  flag = (flag == VERTEX_CONTINUES || flag == VERTEX_LAST_CONTINUES) ? VERTEX_LAST_CONTINUES : VERTEX_LAST_STARTS;
}

int append_vertex(Engine& e, double x, double y, int start_flag, int pen_flag) {
  PolygonState& p = e.gs.polygon;
  if (start_flag != VERTEX_CONTINUES && start_flag != VERTEX_STARTS) report_system_error(e, "setVertex: upDown error!");
  if (vertex_count(p) >= PolygonState::kMaxVertices) {
    mark_last_vertex(p);
    report_warning(e, ", overflow polygon table.");
    return -1;
  }
  if (!p.vertices.empty()) {
    const Vertex& last = p.vertices.back();
    if (last.x == x && last.y == y && last.flag == start_flag && p.pen_flags.back() == pen_flag) {
      return vertex_count(p);
    }
  }
  p.vertices.push_back({x, y, start_flag});
  p.pen_flags.push_back(pen_flag);
  return vertex_count(p);
}

void mark_page_drawn(Engine& e) {
  if (!e.gs.polygon.mode) e.gs.page.drawn = true;
}

// The fills work on a copy up to the end mark, so the buffer stays as
// recorded for any following EP or FP.
void fill_vertices(Engine& e, bool convert) {
  PolygonState& p = e.gs.polygon;
  if (p.vertices.empty()) return;
  std::vector<Vertex> polygon = closed_vertices(p);
  if (convert) {
    for (Vertex& v : polygon) user_to_plotter(e, v.x, v.y);
    for (size_t i = 0; i < polygon.size(); ++i) {
      p.vertices[i].x = polygon[i].x;
      p.vertices[i].y = polygon[i].y;
    }
  }
  const FillState& fill = e.gs.fill;
  switch (fill.kind) {
    case FILL_SOLID:
      fill_polygon_solid(e, polygon);
      break;
    case FILL_HATCH:
      fill_polygon_hatch(e, polygon, fill.hatch.angle);
      break;
    case FILL_CROSS_HATCH:
      fill_polygon_hatch(e, polygon, fill.cross_hatch.angle);
      fill_polygon_hatch(e, polygon, fill.cross_hatch.angle + 90.0);
      break;
    default:  // shading and raster patterns draw no fill
      break;
  }
  mark_page_drawn(e);
}

void draw_edges(Engine& e) {
  PolygonState& p = e.gs.polygon;
  if (p.vertices.empty()) return;
  const std::vector<Vertex> polygon = closed_vertices(p);
  const bool pen_down = e.gs.pen.down;
  e.gs.pen.down = true;
  double px = 0, py = 0;
  for (size_t i = 0; i < polygon.size(); ++i) {
    const Vertex& v = polygon[i];
    if (!starts_subpolygon(v.flag) && p.pen_flags[i] == 1) draw_line(e, px, py, v.x, v.y);
    px = v.x;
    py = v.y;
  }
  e.gs.pen.down = pen_down;
  e.gs.page.drawn = true;
}

// Records a point of polygon mode: the first after PM0 or PM1 starts a
// subpolygon and is remembered as its first point.
int record_point(Engine& e, double x, double y) {
  PolygonState& p = e.gs.polygon;
  const int start = p.first_vertex ? VERTEX_STARTS : VERTEX_CONTINUES;
  const int count = set_vertex(e, x, y, start, VERTEX_ADD, e.gs.pen.down ? 1 : 0);
  if (p.first_vertex) {
    p.first_x = x;
    p.first_y = y;
    p.first_vertex = false;
  }
  p.last_x = x;
  p.last_y = y;
  return count;
}

}  // namespace

std::vector<Vertex> closed_vertices(const PolygonState& p) {
  std::vector<Vertex> polygon;
  for (const Vertex& v : p.vertices) {
    polygon.push_back(v);
    if (is_end_mark(v.flag)) return polygon;
  }
  if (!polygon.empty()) {
    int& flag = polygon.back().flag;
    flag = flag == VERTEX_CONTINUES ? VERTEX_LAST_CONTINUES : VERTEX_LAST_STARTS;
  }
  return polygon;
}

int set_vertex(Engine& e, double x, double y, int start_flag, int request, int pen_flag) {
  if (request < VERTEX_RESET || request > VERTEX_EDGE) report_system_error(e, "setVertex: mode error!");
  allocate_tables(e);
  PolygonState& p = e.gs.polygon;
  switch (request) {
    case VERTEX_RESET:
      p.vertices.clear();
      p.pen_flags.clear();
      break;
    case VERTEX_CLOSE:  // nothing to mark on an empty table
      mark_last_vertex(p);
      break;
    case VERTEX_ADD:
      return append_vertex(e, x, y, start_flag, pen_flag);
    case VERTEX_FILL_CONVERT:
    case VERTEX_FILL_CONVERT_WEDGE:
      fill_vertices(e, true);
      break;
    case VERTEX_FILL:
      fill_vertices(e, false);
      break;
    case VERTEX_EDGE:
      draw_edges(e);
      break;
  }
  return vertex_count(p);
}

int add_vertex(Engine& e, double x, double y, int start_flag, int request) {
  return set_vertex(e, x, y, start_flag, request, 1);
}

int add_polygon_mode_vertex(Engine& e, double x, double y) {
  user_to_plotter(e, x, y);
  return record_point(e, x, y);
}

int add_polygon_mode_point(Engine& e, double x, double y) { return record_point(e, x, y); }

void reset_polygon(Engine& e) {
  add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_RESET);
  e.gs.polygon.mode = false;
}

}  // namespace kavor
