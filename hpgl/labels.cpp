// Label placement: glyph units to plotter units, origin offsets, slant,
// direction, advances, carriage return, line feed and backspace, for LB,
// PB, UC, the symbols of SM and the character plot of CP.
#include "hpgl/labels.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "config/plotters.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/units.h"
#include "geometry/coordinates.h"
#include "geometry/line_path.h"
#include "hpgl/stroke_font.h"

namespace kavor {

namespace {

// Origins above this are the offset set 11..19.
constexpr int kOffsetOrigins = 10;
constexpr double kCellUnits = 64.0;
constexpr double kCharacterAdvance = 96.0;
constexpr double kLineAdvance = 128.0;
constexpr int kWorkingPoints = 100;
constexpr char kCarriageReturn = 13, kLineFeed = 10, kBackspace = 8;

const FontRecord& selected_font(const Engine& e) { return e.gs.label.fonts[e.gs.label.selected == 1 ? 1 : 0]; }

// A vector in user units as plotter units (the difference of two points).
void user_vector_to_plotter(const Engine& e, double vx, double vy, double& px, double& py) {
  double ox = 0, oy = 0;
  px = vx;
  py = vy;
  user_to_plotter(e, px, py);
  user_to_plotter(e, ox, oy);
  px -= ox;
  py -= oy;
}

// Moves the pen to a point in plotter units. A label keeps its
// carriage-return point; CP makes the new position the carriage-return point.
void set_pen_position(Engine& e, double x, double y, bool keep_cr) {
  LabelState& l = e.gs.label;
  const double cr_x = l.cr_x, cr_y = l.cr_y;
  double ux = x, uy = y;
  plotter_to_user(e, ux, uy);
  move_pen_to(e, ux, uy);
  l.pos_x = x;
  l.pos_y = y;
  l.cr_x = keep_cr ? cr_x : x;
  l.cr_y = keep_cr ? cr_y : y;
}

// Everything needed to take glyph units to plotter units for one label.
struct Placement {
  double w = 0, h = 0;          // plotter units per 64 glyph units
  double cos_t = 1, sin_t = 0;  // label direction
  double slant_tan = 0;
  int vertical = 0;             // origin offset added to every glyph y
  double spaces = 1, lines = 1; // 1 + extra space
};

void cell_size(const Engine& e, double& w, double& h) {
  const FontRecord& f = selected_font(e);
  const Scaling& s = e.gs.scaling;
  switch (f.size_mode) {
    case CHAR_SIZE_ABSOLUTE:
      w = f.width * kLabelUnitsPerMm;
      h = f.height * kLabelUnitsPerMm;
      if (s.p1x > s.p2x) w = -w;
      if (s.p1y > s.p2y) h = -h;
      break;
    case CHAR_SIZE_RELATIVE:
      w = (s.p2x - s.p1x) * f.width * 0.01;
      h = (s.p2y - s.p1y) * f.height * 0.01;
      break;
    default:
      user_vector_to_plotter(e, f.width, f.height, w, h);
      break;
  }
}

double direction_degrees(const Engine& e) {
  const LabelState& l = e.gs.label;
  const Scaling& s = e.gs.scaling;
  switch (l.direction_mode) {
    case DIRECTION_ABSOLUTE:
      return std::atan2(l.rise, l.run) * kDegreesPerRadian;
    case DIRECTION_RELATIVE:
      return std::atan2(l.rise * std::fabs(s.p2y - s.p1y) * 0.01, l.run * std::fabs(s.p2x - s.p1x) * 0.01) *
             kDegreesPerRadian;
    default: {
      double x = 0, y = 0;
      user_vector_to_plotter(e, l.run, l.rise, x, y);
      return std::atan2(y, x) * kDegreesPerRadian;
    }
  }
}

// Vertical offset by label origin: rows 1..3 of the nine, the 11..19 set.
int vertical_offset(int origin) {
  constexpr int kNine[3] = {-32, -64, -96};
  constexpr int kOutside[3] = {16, -64, -144};
  int row = (origin % kOffsetOrigins - 1) % 3;
  return origin > kOffsetOrigins ? kOutside[row] : kNine[row];
}

// Horizontal offset in glyph units for a piece of n characters.
double horizontal_offset(int origin, int n, double spaces) {
  int column = (origin % kOffsetOrigins - 1) / 3;
  if (origin < kOffsetOrigins) return column == 0 ? 0 : (column == 1 ? -48.0 * n * spaces : -96.0 * n * spaces);
  if (column == 0) return 32;
  if (column == 1) return -48.0 * n * spaces;
  return (-96.0 * n - 1) * spaces;
}

Placement make_placement(const Engine& e) {
  const LabelState& l = e.gs.label;
  Placement pl;
  cell_size(e, pl.w, pl.h);
  double degrees = direction_degrees(e);
  if (degrees != 0) {
    double t = degrees * M_PI / 180;
    pl.cos_t = std::cos(t);
    pl.sin_t = std::sin(t);
  }
  pl.slant_tan = std::tan(l.slant);
  pl.vertical = vertical_offset(l.origin);
  pl.spaces = 1 + l.extra_spaces;
  pl.lines = 1 + l.extra_lines;
  return pl;
}

// Scales and rotates a glyph-unit vector into plotter units.
void place(const Placement& pl, double gx, double gy, double& px, double& py) {
  double x = gx * pl.w / kCellUnits, y = gy * pl.h / kCellUnits;
  px = x * pl.cos_t - y * pl.sin_t;
  py = x * pl.sin_t + y * pl.cos_t;
}

void character_advance(const LabelState& l, const Placement& pl, double& px, double& py) {
  const double s = pl.spaces, n = pl.lines;
  switch (l.path) {
    case 0: place(pl, kCharacterAdvance * s, 0, px, py); break;
    case 1: place(pl, 0, -kLineAdvance * n, px, py); break;
    case 2: place(pl, -kCharacterAdvance * s, 0, px, py); break;
    default: place(pl, 0, kLineAdvance * s, px, py); break;
  }
}

void line_feed(const LabelState& l, const Placement& pl, double& px, double& py) {
  const double s = pl.spaces, n = pl.lines;
  double sign = l.line_feed_direction == 1 ? -1 : 1;
  switch (l.path) {
    case 0: place(pl, 0, -kLineAdvance * n * sign, px, py); break;
    case 1: place(pl, -kCharacterAdvance * s * sign, 0, px, py); break;
    case 2: place(pl, 0, kLineAdvance * n * sign, px, py); break;
    default: place(pl, kCharacterAdvance * s * sign, 0, px, py); break;
  }
}

// Draws one glyph with its cell origin at (x, y).
void draw_glyph(Engine& e, const Placement& pl, Glyph g, double x, double y) {
  if (g.count >= kWorkingPoints) report_system_error(e, " over font table !!!");
  double prev_x = 0, prev_y = 0;
  place(pl, round_half_away(pl.slant_tan * pl.vertical), pl.vertical, prev_x, prev_y);
  prev_x += x;
  prev_y += y;
  for (int i = 0; i < g.count; ++i) {
    const GlyphPoint& point = g.points[i];
    if (point.flag == GLYPH_END) break;
    double gy = point.y + pl.vertical;
    double gx = point.x + round_half_away(pl.slant_tan * gy);
    double px = 0, py = 0;
    place(pl, gx, gy, px, py);
    px += x;
    py += y;
    if (point.flag != GLYPH_MOVE) draw_line_solid(e, prev_x, prev_y, px, py);
    prev_x = px;
    prev_y = py;
    if (point.flag == GLYPH_DRAW_END) break;
  }
}

// Draws a text without carriage return or line feed from (x, y); (x, y)
// ends where the last character's advance ends.
void draw_piece(Engine& e, const Placement& pl, const std::string& piece, double& x, double& y) {
  if (piece.empty()) return;
  const LabelState& l = e.gs.label;
  const bool transparent = l.transparent;
  int n = transparent ? static_cast<int>(piece.size())
                      : static_cast<int>(piece.size() - std::count(piece.begin(), piece.end(), kBackspace));
  double ox = 0, oy = 0;
  place(pl, horizontal_offset(l.origin, n, pl.spaces), 0, ox, oy);
  x += ox;
  y += oy;
  double ax = 0, ay = 0;
  character_advance(l, pl, ax, ay);
  for (char c : piece) {
    if (!transparent && c == kBackspace) {
      x -= ax;
      y -= ay;
      continue;
    }
    draw_glyph(e, pl, glyph_for(e, static_cast<unsigned char>(c)), x, y);
    x += ax;
    y += ay;
  }
}

}  // namespace

FontRecord& selected_font(Engine& e) { return e.gs.label.fonts[e.gs.label.selected == 1 ? 1 : 0]; }

void draw_label(Engine& e, const std::string& text) {
  LabelState& l = e.gs.label;
  l.buffered = text;
  const Placement pl = make_placement(e);
  double x = l.pos_x, y = l.pos_y;
  if (l.transparent) {
    draw_piece(e, pl, text, x, y);
  } else {
    size_t start = 0;
    for (size_t i = 0; i <= text.size(); ++i) {
      if (i < text.size() && text[i] != kCarriageReturn && text[i] != kLineFeed) continue;
      draw_piece(e, pl, text.substr(start, i - start), x, y);
      start = i + 1;
      if (i == text.size()) break;
      if (text[i] == kLineFeed) {
        double fx = 0, fy = 0;
        line_feed(l, pl, fx, fy);
        x += fx;
        y += fy;
        l.cr_x += fx;
        l.cr_y += fy;
      } else {
        x = l.cr_x;
        y = l.cr_y;
      }
    }
  }
  set_pen_position(e, x, y, true);
  // The user-defined character serves only the label that UC draws.
  e.gs.user_glyph.active = false;
}

void reset_font_records(Engine& e) {
  e.gs.label.fonts[0] = default_font(e);
  e.gs.label.fonts[1] = default_font(e);
}

void reset_character_sizes(Engine& e) {
  for (FontRecord& f : e.gs.label.fonts) {
    f.size_mode = CHAR_SIZE_RELATIVE;
    f.width = 0.75;
    f.height = 1.5;
  }
}

void character_plot_line(Engine& e) {
  const LabelState& l = e.gs.label;
  double fx = 0, fy = 0;
  line_feed(l, make_placement(e), fx, fy);
  set_pen_position(e, l.cr_x + fx, l.cr_y + fy, false);
}

void character_plot(Engine& e, double spaces, double lines) {
  const LabelState& l = e.gs.label;
  const Placement pl = make_placement(e);
  double fx = 0, fy = 0, ax = 0, ay = 0;
  line_feed(l, pl, fx, fy);
  character_advance(l, pl, ax, ay);
  set_pen_position(e, l.pos_x + ax * spaces - fx * lines, l.pos_y + ay * spaces - fy * lines, false);
}

FontRecord default_font(const Engine& e) {
  FontRecord f;
  if (e.options.paper == PAPER_A0) {  // a larger cell
    f.width = kMmPerInch / 5.9;
    f.height = 16 * kMmPerInch / kPointsPerInch;
  } else {
    f.width = kMmPerInch / 9;
    f.height = 11.5 * kMmPerInch / kPointsPerInch;
  }
  return f;
}

}  // namespace kavor
