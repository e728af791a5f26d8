// The figures chapter: the arcs and circles AA, AR, AT, RT and CI, the
// wedges EW and WG, and the rectangles EA, ER, RA and RR. The chords come
// from the arc generator; WG and RA/RR fill through the polygon buffer and
// the rectangle fill.
#include <algorithm>
#include <cmath>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/units.h"
#include "geometry/arcs.h"
#include "geometry/coordinates.h"
#include "geometry/hatch.h"
#include "geometry/line_path.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/instruction_table.h"
#include "hpgl/pen_motion.h"

namespace kavor {

namespace {

constexpr double kDefaultChord = 5.0;
constexpr double kZeroSweep = 0.5;
constexpr double kDegenerate = 0.0001;

ArcPoint pen_position(const Engine& e) { return {e.gs.pen.x, e.gs.pen.y}; }

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

void draw_rectangle_edge(Engine& e, ArcPoint a, ArcPoint b) {
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
  const ArcPoint a = pen_position(e);
  ArcPoint b{e.params.reals[0], e.params.reals[1]};
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
  const ArcPoint pen = pen_position(e);
  const ArcPoint m = relative ? ArcPoint{pen.x + p.reals[0], pen.y + p.reals[1]} : ArcPoint{p.reals[0], p.reals[1]};
  const double dx = pen.x - m.x, dy = pen.y - m.y;
  const double r = std::sqrt(dx * dx + dy * dy);
  const double start = std::atan2(dy, dx) * kDegreesPerRadian;
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
bool three_point_centre(ArcPoint p0, ArcPoint p1, ArcPoint p2, ArcPoint& c) {
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

double direction(ArcPoint from, ArcPoint to) { return std::atan2(to.y - from.y, to.x - from.x) * kDegreesPerRadian; }

// True when the arc from p0 through p1 to p2 turns clockwise, from the
// direction g of the chord p0-p2 and the direction m of p0-p1.
bool turns_clockwise(double g, double m) {
  if (g >= 0 && m >= 0) return m > g;
  if (g <= 0 && m <= 0) return m > g;
  if (g <= 0 && m > 0) return m - g <= 180;
  return g - m >= 180;
}


// AT and RT: an arc from the pen through one point to another.
void arc_three_point(Engine& e, bool relative) {
  const ParamBlock& p = e.params;
  if (p.count < 4) {
    report_param_count_error(e, ", missing parameters.");
    return;
  }
  const ArcPoint p0 = pen_position(e);
  ArcPoint p1{p.reals[0], p.reals[1]};
  ArcPoint p2{p.reals[2], p.reals[3]};
  if (relative) {
    p1 = {p0.x + p1.x, p0.y + p1.y};
    p2 = {p0.x + p2.x, p0.y + p2.y};
  }
  ArcPoint c{};
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


// AA xcenter,ycenter,sweep[,chord];
int hpgl_AA(Engine& e) { return arc_about_centre(e, false); }

// AR dxcenter,dycenter,sweep[,chord];
int hpgl_AR(Engine& e) { return arc_about_centre(e, true); }

// AT xinter,yinter,xend,yend[,chord];
int hpgl_AT(Engine& e) {
  arc_three_point(e, false);
  return 0;
}

// RT dxinter,dyinter,dxend,dyend[,chord];
int hpgl_RT(Engine& e) {
  arc_three_point(e, true);
  return 0;
}

// CI radius[,chord];
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
struct Wedge {
  double r, start, sweep, step;
  ArcPoint m;  // the centre
};

void edge_wedge(Engine& e, const Wedge& w) {
  const double a = w.start * kWedgeRadiansPerDegree;
  const ArcPoint s{w.m.x + w.r * std::cos(a), w.m.y + w.r * std::sin(a)};
  draw_to(e, s.x, s.y);
  move_pen_to(e, w.m.x, w.m.y);
  double ex, ey;
  generate_arc(e, w.r, w.step, w.start, w.start + w.sweep, ARC_DRAW, &ex, &ey);
  move_pen_to(e, ex, ey);
  draw_to(e, w.m.x, w.m.y);
}

void fill_wedge(Engine& e, const Wedge& w) {
  add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_RESET);
  if (w.sweep == 0) return;
  add_vertex(e, w.m.x, w.m.y, VERTEX_STARTS, VERTEX_ADD);
  double ex, ey;
  generate_arc(e, w.r, w.step, w.start, w.start + w.sweep, ARC_WEDGE, &ex, &ey);
  add_vertex(e, w.m.x, w.m.y, VERTEX_CONTINUES, VERTEX_ADD);
  add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_CLOSE);
  add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_FILL_CONVERT_WEDGE);
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

// EW radius,start,sweep[,chord];
int hpgl_EW(Engine& e) { return wedge(e, edge_wedge); }
// WG radius,start,sweep[,chord];
int hpgl_WG(Engine& e) { return wedge(e, fill_wedge); }

// EA x,y;
int hpgl_EA(Engine& e) { return rectangle(e, false, false); }

// ER dx,dy;
int hpgl_ER(Engine& e) { return rectangle(e, true, false); }

// RA x,y;
int hpgl_RA(Engine& e) { return rectangle(e, false, true); }

// RR dx,dy;
int hpgl_RR(Engine& e) { return rectangle(e, true, true); }

constexpr InstructionEntry kInstructions[] = {
    {'A', 'A', hpgl_AA, SCAN_REALS, 4, LEVEL_BOTH},
    {'A', 'R', hpgl_AR, SCAN_REALS, 4, LEVEL_BOTH},
    {'A', 'T', hpgl_AT, SCAN_REALS, 5, LEVEL_BOTH},
    {'R', 'T', hpgl_RT, SCAN_REALS, 5, LEVEL_HPGL2},
    {'C', 'I', hpgl_CI, SCAN_REALS, 2, LEVEL_BOTH},
    {'E', 'W', hpgl_EW, SCAN_REALS, 4, LEVEL_BOTH},
    {'W', 'G', hpgl_WG, SCAN_REALS, 4, LEVEL_BOTH},
    {'E', 'A', hpgl_EA, SCAN_REALS, 2, LEVEL_BOTH},
    {'E', 'R', hpgl_ER, SCAN_REALS, 2, LEVEL_BOTH},
    {'R', 'A', hpgl_RA, SCAN_REALS, 2, LEVEL_BOTH},
    {'R', 'R', hpgl_RR, SCAN_REALS, 2, LEVEL_BOTH},
};

}  // namespace

std::span<const InstructionEntry> figure_instructions() { return kInstructions; }

}  // namespace kavor
