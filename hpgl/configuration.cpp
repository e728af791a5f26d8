// The configuration and status chapter: IN, DF, IP, IR, IW, RO, SC, PG and
// BP; the page advances AF and AH; the device settings MC, MT and ST; IC and
// RC of the older plotters; the comment CO. Also the plot area and the state
// defaults.
#include "hpgl/configuration.h"

#include <cmath>
#include <string>
#include <utility>

#include "config/paper_database.h"
#include "config/plotters.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "engine/units.h"
#include "geometry/coordinates.h"
#include "geometry/hatch.h"
#include "geometry/line_path.h"
#include "geometry/line_pattern.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/characters.h"
#include "hpgl/dispatch.h"
#include "hpgl/instruction_table.h"
#include "hpgl/labels.h"
#include "hpgl/lexer.h"
#include "hpgl/lines_and_fills.h"

namespace kavor {

namespace {

bool is_scale_factor(double f) { return f != 0.0 && f != 1.0; }

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
    if (f.size_mode != CHAR_SIZE_USER) continue;
    user_to_plotter(e, f.width, f.height);
    // Absolute sizes are millimetres; the label code turns them back into
    // the same plotter-unit size.
    f.width /= kLabelUnitsPerMm;
    f.height /= kLabelUnitsPerMm;
    f.size_mode = CHAR_SIZE_ABSOLUTE;
  }
  if (l.direction_mode == DIRECTION_USER) {
    user_to_plotter(e, l.run, l.rise);
    l.direction_mode = DIRECTION_ABSOLUTE;
  }
}

constexpr size_t kPictureNameLimit = 80;

int handler_result(int r) { return r == -1 ? -1 : 0; }

int report_range(Engine& e, const std::string& suffix) {
  report_param_range_error(e, suffix);
  return 1;
}

// Skips to a double quote and reads the name up to the next one; the
// characters beyond the limit are read and dropped.
int read_picture_name(Engine& e, std::string& name) {
  int c;
  do {
    c = next_input_char(e);
  } while (c != -1 && c != '"');
  name.clear();
  if (c == -1) return -1;
  for (c = next_input_char(e); c != -1 && c != '"'; c = next_input_char(e))
    if (name.size() < kPictureNameLimit) name += static_cast<char>(c);
  return c;
}

// Reads the value of a BP kind that must be 0 or 1.
int read_flag_value(Engine& e, int& value, const char* missing, const char* range) {
  int r = scan_reals_upto(e, 1);
  if (e.params.count != 1) {
    report_param_count_error(e, missing);
    return r == -1 ? -1 : 1;
  }
  int v = e.params.ints[0];
  if (v != 0 && v != 1) return report_range(e, range);
  value = v;
  return 0;
}

int read_begin_plot_pairs(Engine& e) {
  BeginPlot& bp = e.gs.other.begin_plot;
  const ParamBlock& p = e.params;
  for (;;) {
    int r = scan_reals_upto(e, 1);
    if (p.count == 0) return handler_result(r);
    int kind = p.count < 0 ? 0 : p.ints[0];
    int result = 0;
    switch (kind) {
      case 1:
        if (read_picture_name(e, bp.picture_name) == -1) return -1;
        break;
      case 2:
        r = scan_reals_upto(e, 1);
        if (p.count != 1) {
          report_param_count_error(e, ", missing number of copies parameter.");
          return r == -1 ? -1 : 1;
        }
        bp.copies = p.ints[0];
        break;
      case 3:
        result = read_flag_value(e, bp.disposition, ", missing file disposition code.", ", file disposition code.");
        break;
      case 4:
        result = read_flag_value(e, bp.render_unfinished, ", missing unfinished plot.", ", unfinished plot.");
        break;
      default:
        return report_range(e, ", kind parameter.");
    }
    if (result != 0) return result;
  }
}

// SP1 as IN selects it.
void select_pen_one(Engine& e) {
  e.params.count = 1;
  e.params.ints[0] = 1;
  e.params.reals[0] = 1.0;
  e.params.given.fill('0');
  e.params.given[0] = '1';
  find_instruction('S', 'P')->handler(e);
  e.params.count = 0;
}

void reset_begin_plot(Engine& e) { e.gs.other.begin_plot = BeginPlot{}; }

}  // namespace

void init_interpreter(Engine& e) {
  build_plot_area(e);
  set_in_defaults(e);
  e.run.state = parseGl;
  e.run.mnemonic[0] = e.run.mnemonic[1] = ' ';
  e.run.mnemonic[2] = 0;
}

void set_in_defaults(Engine& e) {
  GraphicsState& gs = e.gs;
  set_df_defaults(e);
  move_pen_to(e, gs.window.x1, gs.window.y1);
  gs.pen.down = false;
  for (const char* mnemonic : {"RO", "IP", "WU", "PW"}) run_default(e, mnemonic);
  apply_pen_width_option(e);
  select_pen_one(e);
  clear_fill_state(e);
  reset_character_sizes(e);
  reset_begin_plot(e);
  gs.other.merge_control = 0;
  gs.other.media_type = 0;
  gs.page.drawn = false;
  gs.extents = DrawingExtents{};
}

void set_df_defaults(Engine& e) {
  GraphicsState& gs = e.gs;
  set_anchor(e, gs.area.clip_xmin, gs.area.clip_ymin, UNITS_PLOTTER);
  reset_font_records(e);
  gs.label.fill_mode = 0;
  gs.label.edge_pen = 0;
  run_default(e, "DI");
  gs.label.terminator = kDefaultTerminator;
  gs.label.terminator_mode = 1;
  for (const char* mnemonic : {"DV", "ES", "FT", "IW", "LA", "LO"}) run_default(e, mnemonic);
  reset_line_type(e);
  gs.pen.relative = false;
  reset_polygon(e);
  gs.scaling.on = false;
  run_default(e, "SI");
  run_default(e, "SL");
  gs.line.symbol_mode = false;
  run_default(e, "SS");
  run_default(e, "TD");
  run_default(e, "UL");
  gs.label.buffered.clear();
  run_default(e, "CT");
  clear_download_table(e);
  run_default(e, "PT");
  run_default(e, "TL");
  gs.pen.fill_spacing_count = 0;
  gs.pen.fill_spacings.fill(0);
  run_default(e, "CR");
  run_default(e, "NP");
  gs.page.advance_pending = false;
  sort_input_window(e);
}

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

void page_step(Engine& e) {
  const bool advance = e.gs.page.advance_pending;
  move_pen_to(e, 0, 0);
  e.gs.pen.down = false;
  if (e.gs.page.drawn && e.options.frame) draw_clip_frame(e);
  e.gs.page.drawn = false;
  e.gs.page.advance_pending = false;
  if (advance) e.host.end_page();
}

void reset_printer(Engine& e) {
  if (e.gs.page.advance_pending) e.host.end_page();
  init_interpreter(e);
}

namespace {

// IN [n];
int hpgl_IN(Engine& e) {
  e.params.count = 0;
  page_step(e);
  set_in_defaults(e);
  return 0;
}

// DF;
int hpgl_DF(Engine& e) {
  set_df_defaults(e);
  return 0;
}

// IP [p1x,p1y[,p2x,p2y]];
int hpgl_IP(Engine& e) { return set_scaling_points(e, e.params.count, e.params.reals.data()); }

// IR [p1x%,p1y%[,p2x%,p2y%]];
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

// SC [xmin,xmax,ymin,ymax[,type[,left,bottom]]];  SC xmin,xfactor,ymin,yfactor,2;
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

// IW [xll,yll,xur,yur];
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

// RO [angle];
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

// PG [n];
int hpgl_PG(Engine& e) {
  move_pen_to(e, 0, 0);
  e.gs.pen.down = false;
  e.gs.page.advance_pending = true;
  return 0;
}

// BP [kind,value[,kind,value...]];
int hpgl_BP(Engine& e) {
  // The device's end of page does nothing on any device; the begin-plot
  // settings return to their defaults with the rest of the state.
  set_in_defaults(e);
  return read_begin_plot_pairs(e);
}

// AF;
int hpgl_AF(Engine& e) {
  if (e.gs.page.drawn) draw_clip_frame(e);
  e.gs.page.drawn = false;
  e.host.end_page();
  return 0;
}

// AH;
int hpgl_AH(Engine& e) { return hpgl_AF(e); }

// A single optional mode of 0 or 1; no parameter means 0.
int read_binary_mode(Engine& e, int& target, const char* suffix) {
  int v = e.params.count >= 1 ? e.params.ints[0] : 0;
  if (e.params.count < 0 || (v != 0 && v != 1)) return report_range(e, suffix);
  target = v;
  return 0;
}

// CT [mode];
int hpgl_CT(Engine& e) { return read_binary_mode(e, e.gs.other.chord_mode, "."); }

// MC [mode[,opcode]];
int hpgl_MC(Engine& e) { return read_binary_mode(e, e.gs.other.merge_control, ", mode."); }

// MT [type];
int hpgl_MT(Engine& e) {
  int v = e.params.count >= 1 ? e.params.ints[0] : 0;
  if (e.params.count < 0 || v < 0 || v > 5) return report_range(e, ". type.");
  e.gs.other.media_type = v;
  return 0;
}

// ST [switch];
int hpgl_ST(Engine& e) {
  int v = e.params.count >= 1 ? e.params.ints[0] : 0;
  if (e.params.count < 0 || v < -1 || v == 3 || v > 4) return report_range(e, ", switch,");
  return 0;
}

// IC c  (one character, read and dropped)
int hpgl_IC(Engine& e) { return next_input_char(e); }

// RC ...;  (accepted; nothing changes)
int hpgl_RC(Engine&) { return 0; }

// CO ["text"];  A comment: the quoted text is skipped as a whole, so that
// the letters in it are never read as instructions.
int hpgl_CO(Engine& e) {
  if (skip_separators(e) != '"') return 0;
  next_input_char(e);
  int c;
  do {
    c = next_input_char(e);
  } while (c != '"' && c != -1);
  return c == -1 ? -1 : 0;
}

constexpr InstructionEntry kInstructions[] = {
    {'I', 'N', hpgl_IN, SCAN_REALS, 1, LEVEL_BOTH},
    {'D', 'F', hpgl_DF, SCAN_REALS, 0, LEVEL_BOTH},
    {'I', 'P', hpgl_IP, SCAN_REALS, 4, LEVEL_BOTH},
    {'I', 'R', hpgl_IR, SCAN_REALS, 4, LEVEL_HPGL2},
    {'S', 'C', hpgl_SC, SCAN_REALS, 7, LEVEL_BOTH},
    {'I', 'W', hpgl_IW, SCAN_REALS, 4, LEVEL_BOTH},
    {'R', 'O', hpgl_RO, SCAN_REALS, 1, LEVEL_BOTH},
    {'P', 'G', hpgl_PG, SCAN_REALS, 1, LEVEL_BOTH},
    {'B', 'P', hpgl_BP, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'A', 'F', hpgl_AF, SCAN_REALS, 0, LEVEL_HPGL},
    {'A', 'H', hpgl_AH, SCAN_REALS, 0, LEVEL_HPGL},
    {'C', 'T', hpgl_CT, SCAN_REALS, 1, LEVEL_BOTH},
    {'M', 'C', hpgl_MC, SCAN_REALS, 1, LEVEL_HPGL2},
    {'M', 'T', hpgl_MT, SCAN_REALS, 1, LEVEL_HPGL2},
    {'S', 'T', hpgl_ST, SCAN_REALS, 1, LEVEL_BOTH},
    {'I', 'C', hpgl_IC, SCAN_BY_HANDLER, 0, LEVEL_HPGL},
    {'R', 'C', hpgl_RC, SCAN_REALS, 0, LEVEL_HPGL},
    {'C', 'O', hpgl_CO, SCAN_BY_HANDLER, 0, LEVEL_HPGL2},
};

}  // namespace

std::span<const InstructionEntry> configuration_instructions() { return kInstructions; }
}  // namespace kavor
