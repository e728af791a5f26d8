#include "geometry/arcs.h"

#include <algorithm>
#include <cmath>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "geometry/line_path.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/coordinates.h"
#include "hpgl/fill_types.h"
#include "hpgl/pen_motion.h"

namespace kavor {

namespace {

constexpr double kDefaultChord = 5.0;
constexpr double kSmallestChordAngle = 0.5;
constexpr double kLargestChordAngle = 180.0;
constexpr double kDegToRad = 0.017453292519943334;
constexpr double kWedgeDegToRad = 0.0174532925239284;
constexpr double kRadToDeg = 57.2957795;
constexpr double kPi = 3.14159265358979323846;
constexpr double kZeroSweep = 0.5;
constexpr double kDegenerate = 0.0001;
// Chords per arc at most, per pixel of the visible picture's width plus
// height. Far more than any arc on the picture needs: with this many chords
// even a circle with a radius of 2^31 pixels deviates from its chords by less
// than half a pixel.
constexpr int64_t kChordsPerVisiblePixel = 64;
constexpr int64_t kSmallestVisibleSize = 1000;

struct Point {
  double x, y;
};

Point point_on_circle(Point m, double r, double degrees) {
  return {m.x + r * std::cos(degrees * kDegToRad), m.y + r * std::sin(degrees * kDegToRad)};
}

Point pen_position(const Engine& e) { return {e.gs.pen.x, e.gs.pen.y}; }

void mark_page_drawn(Engine& e) {
  if (!e.gs.polygon.mode) e.gs.page.drawn = true;
}

void draw_symbol_if_on(Engine& e) {
  if (e.gs.line.symbol_mode && !e.gs.polygon.mode) draw_symbol(e, e.gs.line.symbol);
}

// The chord step of an instruction whose chord parameter is at index i.
double chord_step(const Engine& e, int i, double r) {
  if (e.params.count <= i) return kDefaultChord;
  double t = std::fabs(e.params.reals[i]);
  if (t == 0) t = kDefaultChord;
  return chord_angle(e, t, r);
}

// The largest number of chords one arc may have.
int64_t chord_limit(const Engine& e) {
  const OptionState& o = e.options;
  int64_t size = std::max<int64_t>(int64_t{e.run.view.width} + e.run.view.height,
                                   int64_t{o.printer_width} + o.printer_height);
  size = std::max<int64_t>(size, int64_t{o.display_width} + o.display_height);
  return kChordsPerVisiblePixel * std::max(size, kSmallestVisibleSize);
}

void sort_pair(double& lo, double& hi) {
  if (lo > hi) std::swap(lo, hi);
}

bool boxes_apart(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
  sort_pair(ax1, ax2);
  sort_pair(ay1, ay2);
  sort_pair(bx1, bx2);
  sort_pair(by1, by2);
  return ax2 < bx1 || ax1 > bx2 || ay2 < by1 || ay1 > by2;
}

// True when no chord of the circle around m can reach the input window or
// the hard-clip rectangle, so that drawing it would produce nothing.
bool circle_outside_picture(const Engine& e, Point m, double r) {
  const double a = std::fabs(r);
  double x1 = m.x - a, y1 = m.y - a, x2 = m.x + a, y2 = m.y + a;
  user_to_plotter(e, x1, y1);
  user_to_plotter(e, x2, y2);
  if (e.gs.window.on) {
    double wx1, wy1, wx2, wy2;
    input_window_plotter(e, wx1, wy1, wx2, wy2);
    if (boxes_apart(x1, y1, x2, y2, wx1, wy1, wx2, wy2)) return true;
  }
  rotate_segment(e, &x1, &y1, &x2, &y2);
  const PlotArea& c = e.gs.area;
  return boxes_apart(x1, y1, x2, y2, c.clip_xmin, c.clip_ymin, c.clip_xmax, c.clip_ymax);
}

void extend_extents(Engine& e, Point p) {
  user_to_plotter(e, p.x, p.y);
  DrawingExtents& d = e.gs.extents;
  d.xmin = std::min(d.xmin, p.x);
  d.ymin = std::min(d.ymin, p.y);
  d.xmax = std::max(d.xmax, p.x);
  d.ymax = std::max(d.ymax, p.y);
}

// A culled arc still counts in the drawing extents: its end points and the
// points where it crosses the axes through the centre.
void extend_extents_by_arc(Engine& e, Point m, double r, double s, double end) {
  extend_extents(e, point_on_circle(m, r, s));
  extend_extents(e, point_on_circle(m, r, end));
  double lo = std::min(s, end), hi = std::max(s, end);
  if (!std::isfinite(lo) || !std::isfinite(hi)) return;
  if (hi - lo >= 360) hi = lo + 360;
  // At most five axis points; counted, as huge angles do not grow by 90.
  const double first = std::ceil(lo / 90);
  for (int i = 0; i < 5 && (first + i) * 90 <= hi; ++i) extend_extents(e, point_on_circle(m, r, (first + i) * 90));
}

// False when the polygon buffer is full (it has warned once already).
bool record_point(Engine& e, Point p, int output) {
  const int count = output == ARC_WEDGE ? add_vertex(e, p.x, p.y, 0, VERTEX_ADD) : add_polygon_mode_vertex(e, p.x, p.y);
  return count >= 0;
}

bool before_end(double u, double s, double end) { return s < end ? u < end : (s > end && u > end); }

void draw_rectangle_edge(Engine& e, Point a, Point b) {
  draw_user_line(e, a.x, a.y, b.x, a.y);
  draw_user_line(e, b.x, a.y, b.x, b.y);
  draw_user_line(e, b.x, b.y, a.x, b.y);
  draw_user_line(e, a.x, b.y, a.x, a.y);
}

// EA, ER, RA, RR: the edge with the current pen and line type; RA and RR fill.
int rectangle(Engine& e, bool relative, bool filled) {
  if (e.params.count != 2) {
    report_param_count_error(e, ".");
    return 0;
  }
  const Point a = pen_position(e);
  Point b{e.params.reals[0], e.params.reals[1]};
  if (relative) b = {a.x + b.x, a.y + b.y};
  const bool was_down = e.gs.pen.down;
  e.gs.pen.down = true;
  draw_rectangle_edge(e, a, b);
  mark_page_drawn(e);
  if (filled) fill_rectangle(e, a.x, a.y, b.x, b.y);
  e.gs.pen.down = was_down;
  return 0;
}

int arc_about_centre(Engine& e, bool relative) {
  const ParamBlock& p = e.params;
  if (p.count < 3) {
    report_param_count_error(e, ", missing X,Y, or arc angle.");
    return 0;
  }
  double sweep = p.reals[2];
  if (sweep == 0) sweep = kZeroSweep;
  const Point pen = pen_position(e);
  const Point m = relative ? Point{pen.x + p.reals[0], pen.y + p.reals[1]} : Point{p.reals[0], p.reals[1]};
  const double dx = pen.x - m.x, dy = pen.y - m.y;
  const double r = std::sqrt(dx * dx + dy * dy);
  const double start = std::atan2(dy, dx) * kRadToDeg;
  move_pen_to(e, m.x, m.y);
  const double step = chord_step(e, 3, r);
  double ex, ey;
  if (e.gs.polygon.mode) {
    generate_arc(e, r, step, start, start + sweep, ARC_POLYGON, &ex, &ey);
  } else {
    generate_arc(e, r, step, start, start + sweep, ARC_DRAW, &ex, &ey);
    if (e.gs.line.symbol_mode) {
      move_pen_to(e, m.x, m.y);
      draw_symbol(e, e.gs.line.symbol);
    }
    e.gs.page.drawn = true;
  }
  move_pen_to(e, ex, ey);
  return 0;
}

// The centre of the circle through p0, p1 and p2; false when the points are
// collinear or coincide.
bool three_point_centre(Point p0, Point p1, Point p2, Point& c) {
  const double dx02 = p2.x - p0.x, dy02 = p2.y - p0.y;
  const double dx21 = p1.x - p2.x, dy21 = p1.y - p2.y;
  if (std::fabs(dy02) < kDegenerate) {
    c.x = p0.x + dx02 / 2;
    if (std::fabs(dy21) < kDegenerate || std::fabs(dx02) < kDegenerate) return false;
    c.y = (p2.y + dy21 / 2) - (dx21 / dy21) * (c.x - (p2.x + dx21 / 2));
    return true;
  }
  const double f = dx02 / dy02;
  if (std::fabs(dy21) >= kDegenerate) {
    const double i = dx21 / dy21;
    if (std::fabs(i - f) < kDegenerate) return false;
    const double b02 = (p0.y + dy02 / 2) + f * (p0.x + dx02 / 2);
    const double b21 = (p2.y + dy21 / 2) + i * (p2.x + dx21 / 2);
    c.x = (b21 - b02) / (i - f);
    c.y = b21 - i * c.x;
    return true;
  }
  c.x = p2.x + dx21 / 2;
  if (std::fabs(dx21) < kDegenerate) return false;
  c.y = (p0.y + dy02 / 2) - f * (c.x - (p0.x + dx02 / 2));
  return true;
}

double direction(Point from, Point to) { return std::atan2(to.y - from.y, to.x - from.x) * kRadToDeg; }

// True when the arc from p0 through p1 to p2 turns clockwise, from the
// direction g of the chord p0-p2 and the direction m of p0-p1.
bool turns_clockwise(double g, double m) {
  if (g >= 0 && m >= 0) return m > g;
  if (g <= 0 && m <= 0) return m > g;
  if (g <= 0 && m > 0) return m - g <= 180;
  return g - m >= 180;
}

}  // namespace

double chord_angle(const Engine& e, double t, double r) {
  if (e.gs.other.chord_mode == 1) {
    // Deviation from the arc in user units; the radius is taken as a length.
    const double radius = std::fabs(r);
    if (!(radius > 0)) return kLargestChordAngle;
    const double d = std::min(t, 2 * radius);
    return std::acos((radius - d) / radius) * kRadToDeg;
  }
  return std::clamp(t, kSmallestChordAngle, kLargestChordAngle);
}

void limit_chord_step(const Engine& e, double r, double* step) {
  double plotter = std::fabs(r);
  if (e.gs.scaling.on && e.gs.scaling.ux != 0) plotter /= std::fabs(e.gs.scaling.ux);
  int32_t rp = round_to_int32(plotter);
  device_length(e, &rp);
  if (rp < 1) rp = 1;
  const double smallest = 180.0 / (kPi * rp);
  if (std::fabs(*step) < smallest) *step = *step < 0 ? -smallest : smallest;
}

void generate_arc(Engine& e, double r, double c, double s, double end, int output, double* ex, double* ey) {
  const Point m = pen_position(e);
  const Point last = point_on_circle(m, r, end);
  *ex = last.x;
  *ey = last.y;
  if (output != ARC_POLYGON && !e.gs.pen.down) return;
  if (output == ARC_DRAW && circle_outside_picture(e, m, r)) {
    extend_extents_by_arc(e, m, r, s, end);
    return;
  }
  Point previous = point_on_circle(m, r, s);
  if (output != ARC_DRAW && !record_point(e, previous, output)) return;
  double delta = s <= end ? c : -c;
  limit_chord_step(e, r, &delta);
  // Bound the work for huge sweeps and radii: never more chords than the
  // visible picture can show.
  const int64_t limit = chord_limit(e);
  const double sweep = std::fabs(end - s);
  if (sweep / std::fabs(delta) > static_cast<double>(limit)) delta = std::copysign(sweep / limit, delta);
  double u = s + delta;
  for (int64_t i = 0; i <= limit && before_end(u, s, end); ++i) {
    const Point p = point_on_circle(m, r, u);
    if (output == ARC_DRAW) {
      draw_user_line(e, previous.x, previous.y, p.x, p.y);
      previous = p;
    } else if (!record_point(e, p, output)) {
      return;
    }
    const double next = u + delta;
    if (next == u) break;
    u = next;
  }
  if (output == ARC_DRAW) {
    draw_user_line(e, previous.x, previous.y, last.x, last.y);
  } else {
    record_point(e, last, output);
  }
}

void arc_three_point(Engine& e, int relative) {
  const ParamBlock& p = e.params;
  if (p.count < 4) {
    report_param_count_error(e, ", missing parameters.");
    return;
  }
  const Point p0 = pen_position(e);
  Point p1{p.reals[0], p.reals[1]};
  Point p2{p.reals[2], p.reals[3]};
  if (relative) {
    p1 = {p0.x + p1.x, p0.y + p1.y};
    p2 = {p0.x + p2.x, p0.y + p2.y};
  }
  Point c{};
  if (!three_point_centre(p0, p1, p2, c)) {
    draw_symbol_if_on(e);
    if (e.gs.pen.down) {
      draw_to(e, p1.x, p1.y);
      draw_to(e, p2.x, p2.y);
    } else {
      move_pen_to(e, p2.x, p2.y);
    }
    mark_page_drawn(e);
    return;
  }
  const double r = std::sqrt((p0.x - c.x) * (p0.x - c.x) + (p0.y - c.y) * (p0.y - c.y));
  const double step = chord_step(e, 4, r);
  const double theta0 = direction(c, p0);
  double theta2 = direction(c, p2);
  if (turns_clockwise(direction(p0, p2), direction(p0, p1))) {
    if (theta2 > theta0) theta2 -= 360;
  } else if (theta2 < theta0) {
    theta2 += 360;
  }
  move_pen_to(e, c.x, c.y);
  double ex, ey;
  generate_arc(e, r, step, theta0, theta2, ARC_DRAW, &ex, &ey);
  mark_page_drawn(e);
  move_pen_to(e, ex, ey);
}

int hpgl_AA(Engine& e) { return arc_about_centre(e, false); }

int hpgl_AR(Engine& e) { return arc_about_centre(e, true); }

int hpgl_AT(Engine& e) {
  arc_three_point(e, 0);
  return 0;
}

int hpgl_RT(Engine& e) {
  arc_three_point(e, 1);
  return 0;
}

int hpgl_CI(Engine& e) {
  if (e.params.count < 1) {
    report_param_count_error(e, ", expect radius.");
    return 1;
  }
  const double r = e.params.reals[0];
  const double step = chord_step(e, 1, r);
  const bool was_down = e.gs.pen.down;
  e.gs.pen.down = true;
  double ex, ey;
  generate_arc(e, r, step, 0, 360, ARC_DRAW, &ex, &ey);
  draw_symbol_if_on(e);
  mark_page_drawn(e);
  e.gs.pen.down = was_down;
  return 0;
}

// A wedge with a sweep of 0 has no area: EW draws its two radius lines and
// the zero-length closing chord (a dot at the start point); WG fills nothing.
namespace {

struct Wedge {
  double r, start, sweep, step;
  Point m;  // the centre
};

void edge_wedge(Engine& e, const Wedge& w) {
  const Point s{w.m.x + w.r * std::cos(w.start * kWedgeDegToRad), w.m.y + w.r * std::sin(w.start * kWedgeDegToRad)};
  draw_to(e, s.x, s.y);
  move_pen_to(e, w.m.x, w.m.y);
  double ex, ey;
  generate_arc(e, w.r, w.step, w.start, w.start + w.sweep, ARC_DRAW, &ex, &ey);
  move_pen_to(e, ex, ey);
  draw_to(e, w.m.x, w.m.y);
}

void fill_wedge(Engine& e, const Wedge& w) {
  add_vertex(e, 0, 0, 0, VERTEX_RESET);
  if (w.sweep == 0) return;
  add_vertex(e, w.m.x, w.m.y, 1, VERTEX_ADD);
  double ex, ey;
  generate_arc(e, w.r, w.step, w.start, w.start + w.sweep, ARC_WEDGE, &ex, &ey);
  add_vertex(e, w.m.x, w.m.y, 0, VERTEX_ADD);
  add_vertex(e, 0, 0, 0, VERTEX_CLOSE);
  add_vertex(e, 0, 0, 0, VERTEX_FILL_CONVERT_WEDGE);
}

// EW and WG: radius, start angle, sweep angle [, chord]; the pen is down for
// the figure, which ends with the pen back at the centre.
int wedge(Engine& e, void (*figure)(Engine&, const Wedge&)) {
  const ParamBlock& p = e.params;
  if (p.count < 3) {
    report_param_count_error(e, ", missing radius, start angle or sweep angle.");
    return 1;
  }
  const bool was_down = e.gs.pen.down;
  e.gs.pen.down = true;
  const Wedge w{p.reals[0], p.reals[1], p.reals[2], chord_step(e, 3, p.reals[0]), pen_position(e)};
  figure(e, w);
  move_pen_to(e, w.m.x, w.m.y);
  draw_symbol_if_on(e);
  mark_page_drawn(e);
  e.gs.pen.down = was_down;
  return 0;
}

}  // namespace

int hpgl_EW(Engine& e) { return wedge(e, edge_wedge); }
int hpgl_WG(Engine& e) { return wedge(e, fill_wedge); }

int hpgl_EA(Engine& e) { return rectangle(e, false, false); }

int hpgl_ER(Engine& e) { return rectangle(e, true, false); }

int hpgl_RA(Engine& e) { return rectangle(e, false, true); }

int hpgl_RR(Engine& e) { return rectangle(e, true, true); }

int hpgl_AC(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    set_anchor(e, 0, 0, UNITS_PLOTTER);
  } else if (p.count == 2) {
    set_anchor(e, p.reals[0], p.reals[1], e.gs.scaling.on ? UNITS_USER : UNITS_PLOTTER);
  } else {
    report_param_count_error(e, ".");
    return 1;
  }
  return 0;
}

}  // namespace kavor
