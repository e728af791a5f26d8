// The pen motion chapter: the pen moves PA, PR, PD, PU and the encoded
// polyline PE, and the tick instructions TL, XT and YT of the older plotters.
#include "hpgl/pen_motion.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "geometry/coordinates.h"
#include "geometry/line_path.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/instruction_table.h"
#include "hpgl/labels.h"
#include "hpgl/lexer.h"

namespace kavor {

void draw_to(Engine& e, double x, double y) {
  draw_user_line(e, e.gs.pen.x, e.gs.pen.y, x, y);
  move_pen_to(e, x, y);
}

void draw_symbol(Engine& e, unsigned char symbol) {
  PenState& pen = e.gs.pen;
  LabelState& label = e.gs.label;
  const double x = pen.x, y = pen.y;
  const double pos_x = label.pos_x, pos_y = label.pos_y, cr_x = label.cr_x, cr_y = label.cr_y;
  const int origin = label.origin;
  const bool down = pen.down;
  label.origin = ORIGIN_CENTRE;
  pen.down = true;
  draw_label(e, std::string(1, static_cast<char>(symbol)));
  pen.down = down;
  pen.x = x;
  pen.y = y;
  label.pos_x = pos_x;
  label.pos_y = pos_y;
  label.cr_x = cr_x;
  label.cr_y = cr_y;
  label.origin = origin;
}

namespace {

bool symbols_wanted(const Engine& e) { return e.gs.line.symbol_mode && !e.gs.polygon.mode; }

void draw_symbol_at(Engine& e, double x, double y) {
  draw_symbol(e, e.gs.line.symbol);
  move_pen_to(e, x, y);
}

// PA and PR: draw when the pen is down, else move.
void move_or_draw(Engine& e, double x, double y) {
  if (e.gs.pen.down) draw_to(e, x, y);
  else move_pen_to(e, x, y);
}

using PointAction = void (*)(Engine&, double, double);

// The coordinate-pair loop of PA, PR, PD and PU. Returns the last scanner
// result; with no coordinates at all, no_points is set.
int coordinate_pairs(Engine& e, PointAction action, bool* no_points = nullptr) {
  ParamBlock& p = e.params;
  int r = scan_reals_upto(e, 2);
  if (no_points) *no_points = p.count == 0;
  if (p.count == 0) return r;
  for (;;) {
    if (p.count != 2) {
      report_param_count_error(e, ".");
      return skip_param_list(e);
    }
    const bool polygon = e.gs.polygon.mode;
    if (!polygon) e.gs.page.drawn = true;
    double x = p.reals[0], y = p.reals[1];
    if (e.gs.pen.relative) {
      x += e.gs.pen.x;
      y += e.gs.pen.y;
    }
    if (polygon) {
      add_polygon_mode_vertex(e, x, y);
      move_pen_to(e, x, y);
    } else {
      action(e, x, y);
    }
    if (symbols_wanted(e)) draw_symbol_at(e, x, y);
    if (r == -1 || p.token_empty()) return r;
    r = scan_reals_upto(e, 2);
    if (p.count == 0) return r;
  }
}

// Encoded numbers of PE: base 64 or 32, least significant digit first,
// the terminal digit marked by its range, the sign in the lowest bit.
struct EncodedNumber {
  bool ok = false;
  int32_t value = 0;
};

EncodedNumber read_encoded_number(Engine& e, int base) {
  const int bits = base == 64 ? 6 : 5;
  const int max_shift = base == 64 ? 12 : 15;
  int32_t value = 0;
  int shift = 0;
  for (;;) {
    const int c = next_input_char(e);
    if (c == -1) return {true, value};
    int digit;
    bool terminal;
    if (base == 64 && c >= 63 && c <= 126) digit = c - 63, terminal = false;
    else if (base == 64 && c >= 191 && c <= 254) digit = c - 191, terminal = true;
    else if (base == 32 && c >= 63 && c <= 94) digit = c - 63, terminal = false;
    else if (base == 32 && c >= 95 && c <= 126) digit = c - 95, terminal = true;
    else return {};
    if (!terminal && shift + bits > max_shift) return {};
    value |= digit << shift;
    shift += bits;
    if (terminal) return {true, (value & 1) ? -(value >> 1) : value >> 1};
  }
}

bool starts_encoded_number(int c, int base) {
  return (c >= 63 && c <= 126) || (base == 64 && c >= 191 && c <= 254);
}

bool ignored_in_pe(int c) {
  const int low = c & 0x7F;
  return low == ' ' || low == 127 || low < 32;
}

struct EncodedPolyline {
  int base = 64;
  double divisor = 1.0;
  bool absolute = false;
};

// One encoded point; false when a coordinate is malformed.
bool encoded_point(Engine& e, const EncodedPolyline& pe) {
  const EncodedNumber nx = read_encoded_number(e, pe.base);
  const EncodedNumber ny = nx.ok ? read_encoded_number(e, pe.base) : EncodedNumber{};
  if (!ny.ok) {
    report_param_count_error(e, ", x-value.");
    return false;
  }
  double x = nx.value / pe.divisor, y = ny.value / pe.divisor;
  if (!pe.absolute) {
    x += e.gs.pen.x;
    y += e.gs.pen.y;
  }
  if (e.gs.polygon.mode) {
    add_polygon_mode_vertex(e, x, y);
    move_pen_to(e, x, y);
  } else if (!e.gs.pen.down) {
    move_pen_to(e, x, y);
  } else {
    draw_to(e, x, y);
    e.gs.page.drawn = true;
  }
  e.gs.pen.down = true;
  if (symbols_wanted(e)) draw_symbol_at(e, x, y);
  return true;
}

// Fraction exponents beyond this range would make the divisor 0 or infinite.
constexpr int32_t kMaxFractionExponent = 1000;

// Tick lengths are per cent of the P1-P2 distance, limited to -100..100.
double clamp_tick(double v) { return std::clamp(v, -100.0, 100.0); }

void pen_position_plotter(const Engine& e, double& x, double& y) {
  x = e.gs.pen.x;
  y = e.gs.pen.y;
  user_to_plotter(e, x, y);
}

// PA [x,y[,x,y...]];
int hpgl_PA(Engine& e) {
  e.gs.pen.relative = false;
  return coordinate_pairs(e, move_or_draw);
}

// PR [dx,dy[,dx,dy...]];
int hpgl_PR(Engine& e) {
  e.gs.pen.relative = true;
  return coordinate_pairs(e, move_or_draw);
}

// PD [x,y[,x,y...]];
int hpgl_PD(Engine& e) {
  e.gs.pen.down = true;
  bool no_points = false;
  const int r = coordinate_pairs(e, draw_to, &no_points);
  if (no_points && !e.gs.polygon.mode) {
    draw_to(e, e.gs.pen.x, e.gs.pen.y);
    e.gs.page.drawn = true;
  }
  return r;
}

// PU [x,y[,x,y...]];
int hpgl_PU(Engine& e) {
  e.gs.pen.down = false;
  return coordinate_pairs(e, move_pen_to);
}

// PE [flag][value]|[coordinate pair]...;  (encoded polyline)
int hpgl_PE(Engine& e) {
  EncodedPolyline pe;
  e.gs.pen.down = true;
  for (;;) {
    const int c = next_input_char(e);
    if (c == -1) return -1;
    if (c == ';') return 0;
    if (ignored_in_pe(c)) continue;
    if (c == '7') {
      pe.base = 32;
    } else if (c == ':') {
      const EncodedNumber n = read_encoded_number(e, pe.base);
      if (!n.ok) return 0;
      // As with SP, a pen outside the colour table is ignored.
      if (n.value >= 0 && n.value <= 255) e.gs.pen.pen = n.value;
    } else if (c == '<') {
      e.gs.pen.down = false;
    } else if (c == '=') {
      pe.absolute = true;
    } else if (c == '>') {
      const EncodedNumber n = read_encoded_number(e, pe.base);
      if (!n.ok) {
        report_param_count_error(e, ",fraction-value.");
        return 0;
      }
      pe.divisor = std::ldexp(1.0, std::clamp(n.value, -kMaxFractionExponent, kMaxFractionExponent));
    } else if (starts_encoded_number(c, pe.base)) {
      push_back_input_char(e, c);
      if (!encoded_point(e, pe)) return 0;
      pe.absolute = false;
    } else {
      return c;
    }
  }
}

// TL [tp[,tn]];
int hpgl_TL(Engine& e) {
  PenState& pen = e.gs.pen;
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    pen.tick_tp = pen.tick_tn = 0.5;
  } else if (p.count == 1) {
    pen.tick_tp = clamp_tick(p.reals[0]);
    pen.tick_tn = 0;
  } else if (p.count == 2) {
    pen.tick_tp = clamp_tick(p.reals[0]);
    pen.tick_tn = clamp_tick(p.reals[1]);
  } else {
    report_param_count_error(e, ".");
  }
  return 0;
}

// XT;
int hpgl_XT(Engine& e) {
  double x, y;
  pen_position_plotter(e, x, y);
  const double l = std::fabs(e.gs.scaling.p2y - e.gs.scaling.p1y);
  draw_line(e, x, y + l * e.gs.pen.tick_tp / 100, x, y - l * e.gs.pen.tick_tn / 100);
  return 0;
}

// YT;
int hpgl_YT(Engine& e) {
  double x, y;
  pen_position_plotter(e, x, y);
  const double l = std::fabs(e.gs.scaling.p2x - e.gs.scaling.p1x);
  draw_line(e, x + l * e.gs.pen.tick_tp / 100, y, x - l * e.gs.pen.tick_tn / 100, y);
  return 0;
}

constexpr InstructionEntry kInstructions[] = {
    {'P', 'A', hpgl_PA, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'P', 'R', hpgl_PR, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'P', 'D', hpgl_PD, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'P', 'U', hpgl_PU, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'P', 'E', hpgl_PE, SCAN_BY_HANDLER, 0, LEVEL_HPGL2},
    {'T', 'L', hpgl_TL, SCAN_REALS, 2, LEVEL_HPGL},
    {'X', 'T', hpgl_XT, SCAN_REALS, 0, LEVEL_HPGL},
    {'Y', 'T', hpgl_YT, SCAN_REALS, 0, LEVEL_HPGL},
};

}  // namespace

std::span<const InstructionEntry> pen_motion_instructions() { return kInstructions; }

}  // namespace kavor
