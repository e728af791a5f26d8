// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/labels.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void draw_label(Engine&, const std::string&) {}
void reset_font_records(Engine&) {}
void reset_character_sizes(Engine&) {}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AD(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SD(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SS(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SA(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SI(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SR(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SL(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_DI(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_DR(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_DT(Engine& e) {
  return next_input_char(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_DV(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_ES(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_LO(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_TD(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_CF(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_CP(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_LB(Engine& e) {
  std::string t; return read_label_text(e, t);
}

}  // namespace kavor
