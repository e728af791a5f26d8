// Placeholder implementations, replaced as each instruction group is built.
#include "hpgl/coordinates.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void build_plot_area(Engine& e) {
  load_paper_record(e);
  const auto& v = e.paper.v;
  PlotArea& a = e.gs.area;
  a.xmin = v[0]; a.xmax = v[1]; a.ymin = v[2]; a.ymax = v[3];
  a.default_p1x = v[4]; a.default_p1y = v[5]; a.default_p2x = v[6]; a.default_p2y = v[7];
  a.clip_xmin = a.xmin; a.clip_xmax = a.xmax; a.clip_ymin = a.ymin; a.clip_ymax = a.ymax;
  device_extents(e);
}
void device_extents(Engine&) {}
void user_to_plotter(const Engine&, double&, double&) {}
void move_pen_to(Engine& e, double x, double y) { e.gs.pen.x = x; e.gs.pen.y = y; }
void page_step(Engine& e) { e.gs.page.advance_pending = false; }
double p1p2_length(const Engine&) { return 0; }
double p1p2_device_length(const Engine&) { return 0; }
int32_t mm_to_pixels(const Engine&, double) { return 1; }
void sort_input_window(Engine&) {}
void input_window_plotter(const Engine& e, double& x1, double& y1, double& x2, double& y2) {
  x1 = e.gs.window.x1; y1 = e.gs.window.y1; x2 = e.gs.window.x2; y2 = e.gs.window.y2;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_IP(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_IR(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_IW(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_RO(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_SC(Engine& e) {
  (void)e;
  return 0;
}

// Placeholder: accepts the parameters and changes nothing yet.
int hpgl_PG(Engine& e) {
  (void)e;
  return 0;
}

}  // namespace kavor
