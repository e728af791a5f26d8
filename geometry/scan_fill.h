#pragma once
// Even-odd polygon fills: solid scan conversion and hatching.

#include <vector>

#include "geometry/polygon_buffer.h"

namespace kavor {

struct Engine;

struct Intercept {
  double x, y;
};

enum IntersectRule : int { RULE_SCAN = 0, RULE_HATCH = 1 };

// Fills the polygon; rotates and maps the vertices in place.
void fill_polygon_solid(Engine& e, std::vector<Vertex>& vertices);
void fill_polygon_hatch(Engine& e, const std::vector<Vertex>& vertices, double angle);
int intersect_segments(int rule, const double line[4], const double edge[4], double* x, double* y);
void sort_intercepts(std::vector<Intercept>& table);

}  // namespace kavor
