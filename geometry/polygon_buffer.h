#pragma once
// The polygon buffer and polygon mode.

#include <vector>

namespace kavor {

struct Engine;

struct Vertex {
  double x, y;
  int flag;  // 0 continue, 1 start, 2 last continuing, 3 last starting
};

enum VertexRequest : int {
  VERTEX_RESET = 1,
  VERTEX_CLOSE = 2,
  VERTEX_ADD = 3,
  VERTEX_FILL_CONVERT = 4,
  VERTEX_FILL_CONVERT_WEDGE = 5,
  VERTEX_FILL = 6,
  VERTEX_EDGE = 7,
};

struct PolygonState {
  static constexpr int kMaxVertices = 1000;
  bool mode = false;
  bool saved_pen_down = false;
  bool first_vertex = false;
  double first_x = 0, first_y = 0;
  double last_x = 0, last_y = 0;
  // Both tables get their room on first use and keep it; a reset only
  // empties them.
  std::vector<Vertex> vertices;
  std::vector<int> pen_flags;  // 1: the pen was down, EP draws the edge into the vertex
};

inline bool is_end_mark(int flag) { return flag == 2 || flag == 3; }
inline bool starts_subpolygon(int flag) { return flag == 1 || flag == 3; }

// The recorded vertices up to and including the first end mark; a table
// without an end mark ends at its last vertex, which then carries it.
std::vector<Vertex> closed_vertices(const PolygonState& p);

int set_vertex(Engine& e, double x, double y, int start_flag, int request, int pen_flag);
int add_vertex(Engine& e, double x, double y, int start_flag, int request);
int add_polygon_mode_vertex(Engine& e, double x, double y);
int add_polygon_mode_point(Engine& e, double x, double y);
// Graphics-state reset: polygon mode off and the buffer emptied.
void reset_polygon(Engine& e);

int hpgl_PM(Engine& e);
int hpgl_EP(Engine& e);
int hpgl_FP(Engine& e);

}  // namespace kavor
