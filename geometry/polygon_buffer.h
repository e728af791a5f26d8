#pragma once
// The polygon buffer: recording, closing, filling and edging.

#include <vector>

#include "engine/graphics_state.h"

namespace kavor {

struct Engine;

enum VertexRequest : int {
  VERTEX_RESET = 1,
  VERTEX_CLOSE = 2,
  VERTEX_ADD = 3,
  VERTEX_FILL_CONVERT = 4,
  VERTEX_FILL_CONVERT_WEDGE = 5,
  VERTEX_FILL = 6,
  VERTEX_EDGE = 7,
};

inline bool is_end_mark(int flag) { return flag == VERTEX_LAST_CONTINUES || flag == VERTEX_LAST_STARTS; }
inline bool starts_subpolygon(int flag) { return flag == VERTEX_STARTS || flag == VERTEX_LAST_STARTS; }

// The recorded vertices up to and including the first end mark; a table
// without an end mark ends at its last vertex, which then carries it.
std::vector<Vertex> closed_vertices(const PolygonState& p);

int set_vertex(Engine& e, double x, double y, int start_flag, int request, int pen_flag);
int add_vertex(Engine& e, double x, double y, int start_flag, int request);
int add_polygon_mode_vertex(Engine& e, double x, double y);
int add_polygon_mode_point(Engine& e, double x, double y);
// Graphics-state reset: polygon mode off and the buffer emptied.
void reset_polygon(Engine& e);

}  // namespace kavor
