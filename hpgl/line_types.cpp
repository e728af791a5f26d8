// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/line_types.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void pattern_setup(Engine&) {}
int pattern_step(Engine&, int pen) { return pen; }
void adaptive_setup(Engine&, double, double, double, double) {}
int32_t set_pen_width(Engine&, double, int) { return 1; }
void reset_line_type(Engine&) {}
void apply_pen_width_option(Engine&) {}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_LT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_UL(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_LA(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PW(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_WU(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SP(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SM(Engine& e) {
  return next_input_char(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_RF(Engine& e) {
  return skip_param_list(e);
}

}  // namespace kavor
