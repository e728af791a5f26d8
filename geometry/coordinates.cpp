#include "geometry/coordinates.h"

#include <cmath>
#include <utility>

#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/units.h"
#include "geometry/line_path.h"

namespace kavor {

void user_to_plotter(const Engine& e, double& x, double& y) {
  const Scaling& s = e.gs.scaling;
  if (!s.on) return;
  // A zero factor (P1 and P2 sharing a coordinate) maps the axis onto P1.
  x = s.p1x + (s.ux == 0 ? 0.0 : (x - s.xmin) / s.ux);
  y = s.p1y + (s.uy == 0 ? 0.0 : (y - s.ymin) / s.uy);
}

void plotter_to_user(const Engine& e, double& x, double& y) {
  const Scaling& s = e.gs.scaling;
  if (!s.on) return;
  x = s.xmin + (x - s.p1x) * s.ux;
  y = s.ymin + (y - s.p1y) * s.uy;
}

void move_pen_to(Engine& e, double x, double y) {
  e.gs.pen.x = x;
  e.gs.pen.y = y;
  user_to_plotter(e, x, y);
  LabelState& l = e.gs.label;
  l.pos_x = l.cr_x = x;
  l.pos_y = l.cr_y = y;
}

void sort_input_window(Engine& e) {
  InputWindow& w = e.gs.window;
  if (w.x1 > w.x2) std::swap(w.x1, w.x2);
  if (w.y1 > w.y2) std::swap(w.y1, w.y2);
}

void input_window_plotter(const Engine& e, double& x1, double& y1, double& x2, double& y2) {
  const InputWindow& w = e.gs.window;
  x1 = w.x1;
  y1 = w.y1;
  x2 = w.x2;
  y2 = w.y2;
  if (w.units != UNITS_USER) return;
  user_to_plotter(e, x1, y1);
  user_to_plotter(e, x2, y2);
}

double p1p2_length(const Engine& e) {
  const Scaling& s = e.gs.scaling;
  return std::hypot(s.p2x - s.p1x, s.p2y - s.p1y);
}

double p1p2_device_length(const Engine& e) {
  const Scaling& s = e.gs.scaling;
  int32_t x1 = trunc_to_int32(s.p1x), y1 = trunc_to_int32(s.p1y);
  int32_t x2 = trunc_to_int32(s.p2x), y2 = trunc_to_int32(s.p2y);
  map_to_device(e, &x1, &y1);
  map_to_device(e, &x2, &y2);
  return std::hypot(static_cast<double>(int64_t{x2} - x1), static_cast<double>(int64_t{y2} - y1));
}

int32_t mm_to_pixels(const Engine& e, double mm) {
  double dpi = e.options.device == DeviceKind::DISPLAY ? kDisplayDpi : e.options.resolution_x;
  int32_t pixels = round_to_int32(dpi * mm * kInchPerMm);
  return pixels < 1 ? 1 : pixels;
}

}  // namespace kavor
