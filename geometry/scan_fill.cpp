// Placeholder implementations, replaced as each instruction group is built.
#include "geometry/scan_fill.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void fill_polygon_solid(Engine&, std::vector<Vertex>&) {}
void fill_polygon_hatch(Engine&, const std::vector<Vertex>&, double) {}
int intersect_segments(int, const double[4], const double[4], double*, double*) { return 0; }
void sort_intercepts(std::vector<Intercept>&) {}

}  // namespace kavor
