// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/pen_motion.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void draw_to(Engine&, double, double) {}
void draw_symbol(Engine&, unsigned char) {}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PA(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PR(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PD(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PU(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PE(Engine& e) {
  int c; do { c = next_input_char(e); } while (c != -1 && c != ';'); return c;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AF(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_AH(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_BL(Engine& e) {
  std::string t; return read_label_text(e, t);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PB(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_DU(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SU(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_IC(Engine& e) {
  return next_input_char(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_RC(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_TL(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_XT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_YT(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_UC(Engine& e) {
  return read_user_character(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_UF(Engine& e) {
  return skip_param_list(e);
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_WD(Engine& e) {
  std::string t; return read_label_text(e, t);
}

}  // namespace kavor
