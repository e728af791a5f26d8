// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/remaining.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void reset_begin_plot(Engine& e) { e.gs.other.begin_plot = BeginPlot{}; }

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_BP(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_CR(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_NP(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PC(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_DL(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_CT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_MC(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_MT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_ST(Engine& e) {
  (void)e;
  return 0;
}

}  // namespace kavor
