// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/fill_types.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void set_anchor(Engine&, double, double, int) {}
void anchor_point(const Engine& e, double& x, double& y) { x = e.gs.fill.anchor_x; y = e.gs.fill.anchor_y; }
double hatch2pu(Engine&, int) { return 0; }
void freeze_user_units(Engine&) {}
void fill_rectangle(Engine&, double, double, double, double) {}
void hatch_rectangle(Engine&, double, double, double, double, double, double) {}
void clear_fill_state(Engine&) {}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_FT(Engine& e) {
  (void)e;
  return 0;
}

}  // namespace kavor
