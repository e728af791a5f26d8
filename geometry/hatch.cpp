// Hatching and the anchor corner: the family of hatch lines laid over a
// box through the anchor, the fill of rectangles (RA, RR) and the spacings
// in plotter units. The polygon hatch of the scan fill shares the layout.
#include "geometry/hatch.h"

#include <algorithm>
#include <cmath>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/units.h"
#include "geometry/coordinates.h"
#include "geometry/line_path.h"

namespace kavor {

namespace {

bool overlaps(HatchBox a, double x1, double y1, double x2, double y2) {
  return a.right >= std::min(x1, x2) && a.left <= std::max(x1, x2) && a.top >= std::min(y1, y2) &&
         a.bottom <= std::max(y1, y2);
}

// One hatch line in the box's own axes: u runs along the line's main axis
// (x for shallow, y for steep lines), v = c + slope (u - u0) across it.
struct HatchAxes {
  double u0, u1, v0, v1;
  double slope;
  bool shallow;
};

void emit_cut_line(const HatchAxes& a, double c, const HatchLineFn& emit) {
  double ua = a.u0, ub = a.u1;
  if (a.slope != 0) {
    const double at_v0 = a.u0 + (a.v0 - c) / a.slope;
    const double at_v1 = a.u0 + (a.v1 - c) / a.slope;
    ua = std::max(ua, std::min(at_v0, at_v1));
    ub = std::min(ub, std::max(at_v0, at_v1));
    if (!(ua <= ub)) return;
  }
  const double va = std::clamp(c + a.slope * (ua - a.u0), a.v0, a.v1);
  const double vb = std::clamp(c + a.slope * (ub - a.u0), a.v0, a.v1);
  if (a.shallow) {
    emit(ua, va, ub, vb);
  } else {
    emit(va, ua, vb, ub);
  }
}

}  // namespace

HatchSettings& hatch_settings(FillState& fill, int kind) {
  return kind == FILL_CROSS_HATCH ? fill.cross_hatch : fill.hatch;
}

void lay_out_hatch(const Engine& e, HatchBox box, double spacing, double angle, double radians_per_degree,
                   const HatchLineFn& emit) {
  const double s = std::fabs(spacing);
  if (!(s > 0) || !std::isfinite(s)) return;
  double degrees = std::fmod(angle, 180.0);
  if (degrees < 0) degrees += 180.0;
  if (!std::isfinite(degrees)) return;
  const double a = degrees * radians_per_degree;
  double ax = 0, ay = 0;
  anchor_point(e, ax, ay);

  HatchAxes axes{};
  double step = 0, anchor_u = 0, anchor_v = 0;
  if (degrees < 45.0 || degrees > 135.0) {
    axes = {box.left, box.right, box.bottom, box.top, std::tan(a), true};
    step = s / std::fabs(std::cos(a));
    anchor_u = ax;
    anchor_v = ay;
  } else {
    axes = {box.bottom, box.top, box.left, box.right, std::cos(a) / std::sin(a), false};
    step = s / std::sin(a);
    anchor_u = ay;
    anchor_v = ax;
  }
  // Across the box a line spans [c + low, c + high]. The first line is the
  // highest of the family that still reaches the box; the last one the
  // lowest that does.
  const double rise = axes.slope * (axes.u1 - axes.u0);
  const double low = std::min(0.0, rise), high = std::max(0.0, rise);
  const double anchor_c = anchor_v + axes.slope * (axes.u0 - anchor_u);
  const double target = axes.v1 - low;
  double rest = std::fmod(target - anchor_c, step);
  if (rest < 0) rest += step;
  double c = target - rest;
  for (int n = 0; n < kMaxHatchLines && std::isfinite(c); ++n, c -= step) {
    if (c + high < axes.v0) break;
    emit_cut_line(axes, c, emit);
  }
}

bool hatch_box_visible(const Engine& e, HatchBox box) {
  if (e.gs.window.on) {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    input_window_plotter(e, x1, y1, x2, y2);
    if (!overlaps(box, x1, y1, x2, y2)) return false;
  }
  double x1 = box.left, y1 = box.bottom, x2 = box.right, y2 = box.top;
  rotate_segment(e, &x1, &y1, &x2, &y2);
  const PlotArea& area = e.gs.area;
  const HatchBox rotated{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  return overlaps(rotated, area.clip_xmin, area.clip_ymin, area.clip_xmax, area.clip_ymax);
}

void set_anchor(Engine& e, double x, double y, int unit) {
  FillState& fill = e.gs.fill;
  fill.anchor_x = x;
  fill.anchor_y = y;
  fill.anchor_unit = unit;
}

void anchor_point(const Engine& e, double& x, double& y) {
  const FillState& fill = e.gs.fill;
  x = fill.anchor_x;
  y = fill.anchor_y;
  if (fill.anchor_unit == UNITS_USER) user_to_plotter(e, x, y);
}

double hatch2pu(Engine& e, int kind) {
  const HatchSettings& h = hatch_settings(e.gs.fill, kind);
  switch (h.unit) {
    case UNITS_DEFAULT:
      return 0.01 * p1p2_length(e);
    case UNITS_PLOTTER:
      return h.spacing;
    case UNITS_USER:
      return e.gs.scaling.ux == 0 ? 0 : std::fabs(h.spacing) / std::fabs(e.gs.scaling.ux);
    default:
      report_system_error(e, " error detected in hatch2pu.\n");
  }
}

void freeze_user_units(Engine& e) {
  FillState& fill = e.gs.fill;
  for (int kind : {FILL_HATCH, FILL_CROSS_HATCH}) {
    HatchSettings& h = hatch_settings(fill, kind);
    if (h.unit != UNITS_USER) continue;
    h.spacing = hatch2pu(e, kind);
    h.unit = UNITS_PLOTTER;
  }
  if (fill.anchor_unit == UNITS_USER) {
    double x = 0, y = 0;
    anchor_point(e, x, y);
    set_anchor(e, x, y, UNITS_PLOTTER);
  }
}

void fill_rectangle(Engine& e, double ax, double ay, double bx, double by) {
  const FillState& fill = e.gs.fill;
  if (fill.kind == FILL_SHADING || fill.kind == FILL_RASTER) return;
  user_to_plotter(e, ax, ay);
  user_to_plotter(e, bx, by);
  switch (fill.kind) {
    case FILL_SOLID:
      fill_rectangle_solid(e, ax, ay, bx, by);
      break;
    case FILL_HATCH:
      hatch_rectangle(e, ax, ay, bx, by, hatch2pu(e, FILL_HATCH), fill.hatch.angle);
      break;
    case FILL_CROSS_HATCH: {
      const double s = hatch2pu(e, FILL_CROSS_HATCH);
      hatch_rectangle(e, ax, ay, bx, by, s, fill.cross_hatch.angle);
      hatch_rectangle(e, ax, ay, bx, by, s, fill.cross_hatch.angle + 90.0);
      break;
    }
    default:
      break;
  }
}

// Hatch lines go through draw_line, which leaves the pen position alone.
void hatch_rectangle(Engine& e, double x1, double y1, double x2, double y2, double spacing, double angle) {
  const HatchBox box{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  if (!hatch_box_visible(e, box)) return;
  lay_out_hatch(e, box, spacing, angle, kWedgeRadiansPerDegree,
                [&e](double ax, double ay, double bx, double by) { draw_line(e, ax, ay, bx, by); });
}

}  // namespace kavor
