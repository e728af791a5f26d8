// Placeholder implementations, replaced as each instruction group is built.
#include "geometry/polygon_buffer.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

int set_vertex(Engine&, double, double, int, int, int) { return 0; }
int add_vertex(Engine&, double, double, int, int) { return 0; }
int add_polygon_mode_vertex(Engine&, double, double) { return 0; }
int add_polygon_mode_point(Engine&, double, double) { return 0; }
void reset_polygon(Engine& e) { e.gs.polygon.mode = false; e.gs.polygon.vertices.clear(); e.gs.polygon.pen_flags.clear(); }

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PM(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_EP(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_FP(Engine& e) {
  (void)e;
  return 0;
}

}  // namespace kavor
