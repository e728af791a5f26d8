#pragma once
// Even-odd polygon fills: solid scan conversion and hatching.

#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/polygon_buffer.h"

namespace kavor {

struct Engine;

struct Intercept {
  double x, y;
};

enum IntersectRule : int { RULE_SCAN = 0, RULE_HATCH = 1 };
// Slopes and near-horizontal edges are judged with this tolerance.
inline constexpr double kIntersectTolerance = 0.0001;

// Fills the polygon; rotates and maps the vertices in place.
void fill_polygon_solid(Engine& e, std::vector<Vertex>& vertices);
void fill_polygon_hatch(Engine& e, const std::vector<Vertex>& vertices, double angle);
// The parts of one hatch line (plotter units) inside the polygon, by the
// even-odd rule, in order along the line.
void hatch_line_parts(const std::vector<Vertex>& vertices, const double line[4],
                      const std::function<void(double x1, double y1, double x2, double y2)>& part);
// 1 and the crossing of the line with the edge, rounded to whole numbers,
// or 0 when they do not cross under the rule.
int intersect_segments(int rule, const double line[4], const double edge[4], double* x, double* y);
// By x, equal x by y.
void sort_intercepts(std::vector<Intercept>& table);

}  // namespace kavor
