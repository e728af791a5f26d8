// Placeholder implementations, replaced as each instruction group is built.
#include "geometry/arcs.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void generate_arc(Engine&, double, double, double, double, int, double*, double*) {}
double chord_angle(const Engine&, double t, double) { return t; }
void limit_chord_step(const Engine&, double, double*) {}
void arc_three_point(Engine&, int) {}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AA(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AR(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_RT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_CI(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_EW(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_WG(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_EA(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_ER(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_RA(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_RR(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AC(Engine& e) {
  (void)e;
  return 0;
}

}  // namespace kavor
