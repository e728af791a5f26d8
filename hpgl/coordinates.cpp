#include "hpgl/coordinates.h"

#include <cmath>
#include <utility>

#include "config/paper_database.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "geometry/line_path.h"
#include "hpgl/fill_types.h"
#include "hpgl/labels.h"
#include "hpgl/line_types.h"

namespace kavor {

namespace {

// Plotter units per millimetre as the label code counts absolute sizes.
constexpr double kLabelUnitsPerMm = 39.3701;
// One plotter unit in inches.
constexpr double kInchPerPlotterUnit = 0.0009842;
constexpr double kInchPerMm = 0.03937007874015748;
constexpr int kDisplayDpi = 72;

bool is_scale_factor(double f) { return f != 0.0 && f != 1.0; }

// Plotters that take these sheets turned by 90 degrees.
bool sheet_is_turned(int plotter, int paper) {
  switch (plotter) {
    case 0x801:
    case 0x2001:
      return paper == 0 || paper == 5;
    case 0x2002:
    case 0x2003:
      return paper == 0 || paper == 2 || paper == 5 || paper == 7;
    default:
      return false;
  }
}

void load_plot_area(Engine& e) {
  load_paper_record(e);
  const auto& v = e.paper.v;
  PlotArea& a = e.gs.area;
  a.xmin = v[0];
  a.xmax = v[1];
  a.ymin = v[2];
  a.ymax = v[3];
  a.default_p1x = v[4];
  a.default_p1y = v[5];
  a.default_p2x = v[6];
  a.default_p2y = v[7];
}

void apply_magnification(PlotArea& a, double mx, double my) {
  if (is_scale_factor(mx)) {
    a.xmin *= mx;
    a.xmax *= mx;
    a.default_p1x *= mx;
    a.default_p2x *= mx;
  }
  if (is_scale_factor(my)) {
    a.ymin *= my;
    a.ymax *= my;
    a.default_p1y *= my;
    a.default_p2y *= my;
  }
}

// -BM: the hard-clip limits become a part of the plot area (per cent).
void apply_trimming(PlotArea& a, const OptionState& o) {
  if (o.trim_x1 == 100 && o.trim_y1 == 100) return;
  double dx = a.xmax - a.xmin;
  double dy = a.ymax - a.ymin;
  a.clip_xmin = a.xmin + o.trim_x0 * dx / 100;
  a.clip_ymin = a.ymin + o.trim_y0 * dy / 100;
  a.clip_xmax = a.clip_xmin + o.trim_x1 * dx / 100;
  a.clip_ymax = a.clip_ymin + o.trim_y1 * dy / 100;
}

void apply_output_factors(PlotArea& a, double fx, double fy) {
  if (is_scale_factor(fx)) {
    a.clip_xmin /= fx;
    a.clip_xmax /= fx;
  }
  if (is_scale_factor(fy)) {
    a.clip_ymin /= fy;
    a.clip_ymax /= fy;
  }
}

void turn_sheet(PlotArea& a) {
  std::swap(a.xmin, a.ymin);
  std::swap(a.xmax, a.ymax);
  std::swap(a.default_p1x, a.default_p1y);
  std::swap(a.default_p2x, a.default_p2y);
  std::swap(a.clip_xmin, a.clip_ymin);
  std::swap(a.clip_xmax, a.clip_ymax);
}

// P1 and P2 from 0, 2 or 4 values in plotter units (IP and IR).
int set_scaling_points(Engine& e, int count, const double* v) {
  Scaling& s = e.gs.scaling;
  const PlotArea& a = e.gs.area;
  switch (count) {
    case 0:
      s.p1x = a.default_p1x;
      s.p1y = a.default_p1y;
      s.p2x = a.default_p2x;
      s.p2y = a.default_p2y;
      break;
    case 2:
      s.p2x += v[0] - s.p1x;
      s.p2y += v[1] - s.p1y;
      s.p1x = v[0];
      s.p1y = v[1];
      break;
    case 4:
      s.p1x = v[0];
      s.p1y = v[1];
      s.p2x = v[2];
      s.p2y = v[3];
      break;
    default:
      report_warning(e, "missing P2 y-value\n");
      break;
  }
  pattern_setup(e);
  return 0;
}

// User units per plotter unit; a zero plotter range counts as 1.
double user_factor(double umin, double umax, double p1, double p2) {
  double dp = p2 - p1;
  return (umax - umin) / (dp == 0 ? 1.0 : dp);
}

void start_scaling(Engine& e, double xmin, double xmax, double ymin, double ymax, bool isotropic) {
  Scaling& s = e.gs.scaling;
  s.xmin = xmin;
  s.xmax = xmax;
  s.ymin = ymin;
  s.ymax = ymax;
  s.ux = user_factor(xmin, xmax, s.p1x, s.p2x);
  s.uy = user_factor(ymin, ymax, s.p1y, s.p2y);
  s.on = true;
  s.isotropic = isotropic;
}

// The axis with the larger plotter-per-user ratio keeps its range; the
// other is widened to the same ratio, its spare placed by the percentage.
void widen_isotropic(const Scaling& s, double& xmin, double& xmax, double& ymin, double& ymax, double left,
                     double bottom) {
  double dxp = s.p2x - s.p1x, dyp = s.p2y - s.p1y;
  double dxu = xmax - xmin, dyu = ymax - ymin;
  double rx = dxp / dxu, ry = dyp / dyu;
  if (std::fabs(ry) >= std::fabs(rx)) {
    if (rx == 0) return;  // P1 and P2 share x: no ratio to match
    double wide = dyp / rx;
    ymin -= (wide - dyu) * bottom / 100;
    ymax = ymin + wide;
  } else {
    if (ry == 0) return;
    double wide = dxp / ry;
    xmin -= (wide - dxu) * left / 100;
    xmax = xmin + wide;
  }
}

double clamp_percent(double p) { return p < 0 ? 0 : (p > 100 ? 100 : p); }

int scale_anisotropic(Engine& e, const double* v) {
  if (v[0] == v[1] || v[2] == v[3]) {
    report_param_range_error(e, ",zero range in X or Y.");
    return 1;
  }
  start_scaling(e, v[0], v[1], v[2], v[3], false);
  return 0;
}

int scale_isotropic(Engine& e, int count, const double* v) {
  if (count == 6 || count == 8) {
    report_param_count_error(e, ", expecting bottom or left argument.");
    return 1;
  }
  if (v[0] == v[1] || v[2] == v[3]) {
    report_param_range_error(e, ", zero range in X or Y.");
    return 1;
  }
  double left = count >= 7 ? clamp_percent(v[5]) : 50;
  double bottom = count >= 7 ? clamp_percent(v[6]) : 50;
  double xmin = v[0], xmax = v[1], ymin = v[2], ymax = v[3];
  widen_isotropic(e.gs.scaling, xmin, xmax, ymin, ymax, left, bottom);
  start_scaling(e, xmin, xmax, ymin, ymax, true);
  return 0;
}

int scale_point_factor(Engine& e, const double* v) {
  double fx = v[1], fy = v[3];
  if (fx == 0 || fy == 0) {
    report_param_range_error(e, "x-factor or y-factor in type-2 SC instruction is zero.");
    return 1;
  }
  const Scaling& s = e.gs.scaling;
  double xmax = v[0] + std::fabs((s.p2x - s.p1x) / fx);
  double ymax = v[2] + std::fabs((s.p2y - s.p1y) / fy);
  start_scaling(e, v[0], xmax, v[2], ymax, false);
  return 0;
}

// Before scaling goes off, everything held in user units is converted with
// the scaling still in force, so that it stays where it was on the paper.
void freeze_user_values(Engine& e) {
  InputWindow& w = e.gs.window;
  if (w.units == UNITS_USER) {
    input_window_plotter(e, w.x1, w.y1, w.x2, w.y2);
    w.units = UNITS_PLOTTER;
  }
  freeze_user_units(e);
  LabelState& l = e.gs.label;
  for (FontRecord& f : l.fonts) {
    if (f.size_mode != 2) continue;
    user_to_plotter(e, f.width, f.height);
    // Absolute sizes are millimetres; the label code turns them back into
    // the same plotter-unit size.
    f.width /= kLabelUnitsPerMm;
    f.height /= kLabelUnitsPerMm;
    f.size_mode = 0;
  }
  if (l.direction_mode == 2) {
    user_to_plotter(e, l.run, l.rise);
    l.direction_mode = 0;
  }
}

}  // namespace

void build_plot_area(Engine& e) {
  load_plot_area(e);
  PlotArea& a = e.gs.area;
  const OptionState& o = e.options;
  apply_magnification(a, o.magnification_x, o.magnification_y);
  a.clip_xmin = a.xmin;
  a.clip_xmax = a.xmax;
  a.clip_ymin = a.ymin;
  a.clip_ymax = a.ymax;
  apply_trimming(a, o);
  apply_output_factors(a, o.output_factor_x, o.output_factor_y);
  if (sheet_is_turned(o.plotter, o.paper)) turn_sheet(a);
  device_extents(e);
}

void device_extents(Engine& e) {
  const PlotArea& a = e.gs.area;
  DeviceExtents& d = e.gs.device;
  d.org_x = trunc_to_int32(a.clip_xmin);
  d.org_y = trunc_to_int32(a.clip_ymin);
  d.ext_x = trunc_to_int32(a.clip_xmax - a.clip_xmin);
  d.ext_y = trunc_to_int32(a.clip_ymax - a.clip_ymin);
  if (e.options.size_mode == SIZE_REAL) {
    d.kx = e.options.resolution_x * kInchPerPlotterUnit;
    d.ky = e.options.resolution_y * kInchPerPlotterUnit;
  } else {
    d.kx = d.ky = 0;
  }
}

void user_to_plotter(const Engine& e, double& x, double& y) {
  const Scaling& s = e.gs.scaling;
  if (!s.on) return;
  // A zero factor (P1 and P2 sharing a coordinate) maps the axis onto P1.
  x = s.p1x + (s.ux == 0 ? 0.0 : (x - s.xmin) / s.ux);
  y = s.p1y + (s.uy == 0 ? 0.0 : (y - s.ymin) / s.uy);
}

void move_pen_to(Engine& e, double x, double y) {
  e.gs.pen.x = x;
  e.gs.pen.y = y;
  user_to_plotter(e, x, y);
  LabelState& l = e.gs.label;
  l.pos_x = l.cr_x = x;
  l.pos_y = l.cr_y = y;
}

void page_step(Engine& e) {
  move_pen_to(e, 0, 0);
  e.gs.pen.down = false;
  if (e.gs.page.drawn && e.options.frame) draw_clip_frame(e);
  e.gs.page.drawn = false;
  e.gs.page.advance_pending = false;
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

int hpgl_IP(Engine& e) { return set_scaling_points(e, e.params.count, e.params.reals.data()); }

int hpgl_IR(Engine& e) {
  const PlotArea& a = e.gs.area;
  double v[4];
  int count = e.params.count;
  for (int i = 0; i < 4 && i < count; ++i) {
    bool is_x = i % 2 == 0;
    double lo = is_x ? a.xmin : a.ymin, hi = is_x ? a.xmax : a.ymax;
    v[i] = lo + e.params.reals[i] * (hi - lo) / 100;
  }
  return set_scaling_points(e, count, v);
}

int hpgl_SC(Engine& e) {
  int count = e.params.count;
  const double* v = e.params.reals.data();
  if (count == 0) {
    if (e.gs.scaling.on) freeze_user_values(e);
    e.gs.scaling.on = false;
    return 0;
  }
  if (count < 4) {
    report_param_count_error(e, ".");
    return 1;
  }
  int type = count > 4 ? trunc_to_int32(v[4]) : 0;
  switch (type) {
    case 0:
      return scale_anisotropic(e, v);
    case 1:
      return scale_isotropic(e, count, v);
    case 2:
      return scale_point_factor(e, v);
    default:
      report_param_count_error(e, ".");
      return 1;
  }
}

int hpgl_IW(Engine& e) {
  InputWindow& w = e.gs.window;
  const PlotArea& a = e.gs.area;
  const double* v = e.params.reals.data();
  switch (e.params.count) {
    case 0:
      // Off, with the corners at the hard-clip limits (IN moves the pen
      // to the lower-left one).
      w = InputWindow{false, a.clip_xmin, a.clip_ymin, a.clip_xmax, a.clip_ymax, UNITS_PLOTTER};
      break;
    case 4:
      if (v[0] == v[2] || v[1] == v[3]) {
        report_warning(e, "zero range in X or Y.");
        break;
      }
      w = InputWindow{true, v[0], v[1], v[2], v[3], e.gs.scaling.on ? UNITS_USER : UNITS_PLOTTER};
      break;
    default:
      report_param_count_error(e, ".");
      break;
  }
  return 0;
}

int hpgl_RO(Engine& e) {
  int count = e.params.count;
  int result = 0;
  if (count == 0) {
    e.gs.scaling.rotation = 0;
    return 0;
  }
  if (count >= 1) {
    int angle = e.params.ints[0];
    if (angle == 0 || angle == 90 || angle == 180 || angle == 270) {
      e.gs.scaling.rotation = angle / 90;
    } else {
      report_param_range_error(e, ".");
      result = 1;
    }
  }
  if (count != 1) {
    report_param_count_error(e, ".");
    result = 1;
  }
  return result;
}

int hpgl_PG(Engine& e) {
  move_pen_to(e, 0, 0);
  e.gs.pen.down = false;
  e.gs.page.advance_pending = true;
  return 0;
}

}  // namespace kavor
