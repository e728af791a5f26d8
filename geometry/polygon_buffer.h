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
  bool mode = false;
  bool saved_pen_down = false;
  bool first_vertex = false;
  double first_x = 0, first_y = 0;
  double last_x = 0, last_y = 0;
  std::vector<Vertex> vertices;  // at most 1000
  std::vector<int> pen_flags;
};

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
