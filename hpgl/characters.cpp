// The characters and labels chapter: the fonts SD, AD, SS, SA, SI, SR, SL;
// the direction and layout DI, DR, DV, ES, LO, TD, CF, CP; the labels LB,
// and DT for their terminator; DL for downloaded characters; and the older
// plotters' DU, SU, BL, PB, UC and WD.
#include "hpgl/characters.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "engine/units.h"
#include "hpgl/instruction_table.h"
#include "hpgl/labels.h"
#include "hpgl/lexer.h"
#include "hpgl/stroke_font.h"

namespace kavor {

namespace {

constexpr int kFirstDownloadCode = 33, kLastDownloadCode = 126;
constexpr int kPenUpMark = -128;
constexpr char kMissingRise[] = ", missing rise parametter.";

int handler_result(int r) { return r == -1 ? -1 : 0; }

int report_count(Engine& e, const std::string& suffix) {
  report_param_count_error(e, suffix);
  return 1;
}

int report_range(Engine& e, const std::string& suffix) {
  report_param_range_error(e, suffix);
  return 1;
}

void apply_font_pair(Engine& e, FontRecord& f, int kind, double value) {
  const int v = round_to_int32(value);
  switch (kind) {
    case 1: f.charset = v; break;
    case 2:
      if (v != 0 && v != 1) report_param_range_error(e, ", font spacing.");
      f.spacing = v;
      break;
    case 3:
      if (value != 0) f.width = kMmPerInch / value;  // a pitch of 0 keeps the width
      break;
    case 4: f.height = value * kMmPerInch / kPointsPerInch; break;
    case 5:
      if (v != 0 && v != 1) report_param_range_error(e, ", font slant.");
      f.posture = v;
      break;
    case 6: f.weight = v; break;
    case 7: f.typeface = v; break;
    default: report_param_range_error(e, ", kind parameter out of range."); break;
  }
}

// SD and AD: (kind, value) pairs read here, or the record's defaults.
int define_font(Engine& e, FontRecord& f) {
  const ParamBlock& p = e.params;
  int r = scan_reals_upto(e, 2);
  if (p.count == 0) {
    f = default_font(e);
    return handler_result(r);
  }
  while (p.count != 0) {
    if (p.count != 2) {
      report_param_count_error(e, ".");
      if (r != -1 && p.count < 0) r = skip_param_list(e);
      return r == -1 ? -1 : 1;
    }
    apply_font_pair(e, f, p.ints[0], p.reals[1]);
    if (r == -1) return -1;
    r = scan_reals_upto(e, 2);
  }
  return handler_result(r);
}

// SR and SU: a size in a mode, or relative 0.75 by 1.5 without parameters.
int set_size(Engine& e, int mode, const char* count_suffix) {
  const ParamBlock& p = e.params;
  if (p.count != 0 && p.count != 2) return report_count(e, count_suffix);
  const bool given = p.count == 2;
  FontRecord& f = selected_font(e);
  f.size_mode = given ? mode : CHAR_SIZE_RELATIVE;
  f.width = given ? p.reals[0] : 0.75;
  f.height = given ? p.reals[1] : 1.5;
  return 0;
}

// DI, DR and DU: run and rise in a mode, or along x without parameters.
int set_direction(Engine& e, int mode, const char* count_suffix) {
  LabelState& l = e.gs.label;
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    l.direction_mode = DIRECTION_ABSOLUTE;
    l.run = 1;
    l.rise = 0;
    return 0;
  }
  if (p.count != 2) return report_count(e, count_suffix);
  l.direction_mode = mode;
  l.run = p.reals[0];
  l.rise = p.reals[1];
  return 0;
}

bool valid_origin(int o) {
  return (o >= ORIGIN_LEFT_BOTTOM && o <= ORIGIN_RIGHT_TOP) ||
         (o >= ORIGIN_OFFSET + ORIGIN_LEFT_BOTTOM && o <= ORIGIN_OFFSET + ORIGIN_RIGHT_TOP);
}

// One DL number: 0 none left, 1 read into value, -1 not a number.
int read_download_number(Engine& e, int& r, double& value) {
  r = scan_reals_upto(e, 1);
  if (e.params.count == 0) return 0;
  if (e.params.count < 0) return -1;
  value = e.params.reals[0];
  return 1;
}

signed char download_coordinate(double v) { return static_cast<signed char>(std::clamp(round_to_int32(v), -127, 127)); }

int download_character(Engine& e) {
  double code_value = 0;
  int r = 0;
  int got = read_download_number(e, r, code_value);
  if (got == 0) {
    clear_download_table(e);
    return handler_result(r);
  }
  DownloadGlyph glyph;
  bool warned = false;
  while (got == 1) {
    double v = 0;
    got = read_download_number(e, r, v);
    if (got != 1) break;
    if (v < -128 || v > 127) {
      report_param_range_error(e, ".");
      continue;
    }
    const bool pen_up = v == kPenUpMark;
    double x = v, y = 0;
    if (pen_up && read_download_number(e, r, x) != 1) {
      report_param_count_error(e, ", expect x,y.");
      break;
    }
    if (read_download_number(e, r, y) != 1) {
      report_param_count_error(e, pen_up ? ", expect x,y." : ", expect y.");
      break;
    }
    if (glyph.count == static_cast<int>(glyph.pen_up.size())) {
      if (!warned) report_warning(e, " too many parameters, ignore it.");
      warned = true;
      continue;
    }
    glyph.xy[2 * glyph.count] = download_coordinate(x);
    glyph.xy[2 * glyph.count + 1] = download_coordinate(y);
    glyph.pen_up[glyph.count] = pen_up || glyph.count == 0;
    ++glyph.count;
  }
  if (got < 0 && r != -1) r = skip_param_list(e);
  const int code = round_to_int32(code_value);
  if (code >= kFirstDownloadCode && code <= kLastDownloadCode) e.gs.other.download[code - kFirstDownloadCode] = glyph;
  return handler_result(r);
}

}  // namespace

void clear_download_table(Engine& e) { e.gs.other.download.fill(DownloadGlyph{}); }

namespace {

// AD [kind,value[,kind,value...]];
int hpgl_AD(Engine& e) { return define_font(e, e.gs.label.fonts[1]); }
// SD [kind,value[,kind,value...]];
int hpgl_SD(Engine& e) { return define_font(e, e.gs.label.fonts[0]); }

// SS;
int hpgl_SS(Engine& e) {
  e.gs.label.selected = 0;
  return 0;
}

// SA;
int hpgl_SA(Engine& e) {
  e.gs.label.selected = 1;
  return 0;
}

// SI [width,height];
int hpgl_SI(Engine& e) {
  const ParamBlock& p = e.params;
  double w = 0.285, h = 0.375;  // centimetres
  if (p.count == 2) {
    w = std::clamp(p.reals[0], -128.0, 127.9999);
    h = std::clamp(p.reals[1], -128.0, 127.9999);
  } else if (p.count != 0) {
    return report_count(e, ", missing height parameter.");
  }
  FontRecord& f = selected_font(e);
  f.size_mode = CHAR_SIZE_ABSOLUTE;
  f.width = w * 10;
  f.height = h * 10;
  return 0;
}

// SR [width,height];
int hpgl_SR(Engine& e) { return set_size(e, CHAR_SIZE_RELATIVE, ", missing height parameter."); }

// SL [tangent];
int hpgl_SL(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count < 0 || p.count > 1) return report_count(e, "");
  double v = p.count == 1 ? p.reals[0] : 0.0;
  if (v < -1 || v > 1) {
    report_param_range_error(e, ".");
    v = v < -1 ? -1 : 1;
  }
  e.gs.label.slant = v;
  return 0;
}

// DI [run,rise];
int hpgl_DI(Engine& e) { return set_direction(e, DIRECTION_ABSOLUTE, kMissingRise); }
// DR [run,rise];
int hpgl_DR(Engine& e) { return set_direction(e, DIRECTION_RELATIVE, kMissingRise); }

// DT [terminator[,mode]];
int hpgl_DT(Engine& e) {
  LabelState& l = e.gs.label;
  int c = next_input_char(e);
  if (c == -1) return -1;
  if (c == 0 || c == '\n' || c == 27) {
    push_back_input_char(e, c);
    return 0;
  }
  if (c == ';') {
    l.terminator = kDefaultTerminator;
    l.terminator_mode = 1;
    return 0;
  }
  l.terminator = static_cast<unsigned char>(c);
  int r = scan_reals_upto(e, 1);
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    l.terminator_mode = 1;
  } else if (p.count < 0) {
    report_warning(e, "mode parameter error.");
  } else if (p.ints[0] == 0 || p.ints[0] == 1) {
    l.terminator_mode = p.ints[0];
  } else {
    report_param_range_error(e, ", mode parameter error.");
  }
  return handler_result(r);
}

// DV [path[,line]];
int hpgl_DV(Engine& e) {
  LabelState& l = e.gs.label;
  const ParamBlock& p = e.params;
  if (p.count < 0 || p.count > 2) return report_count(e, "");
  if (p.count == 0) {
    l.path = 0;
    l.line_feed_direction = 0;
    return 0;
  }
  int result = 0;
  int path = p.ints[0];
  if (path >= 0 && path <= 3)
    l.path = path;
  else
    result = report_range(e, ", path.");
  if (p.count == 1) {
    if (result == 0) l.line_feed_direction = 0;
    return result;
  }
  int line = p.ints[1];
  if (line == 0 || line == 1)
    l.line_feed_direction = line;
  else
    result = report_range(e, ", line feed direction.");
  return result;
}

// ES [width[,height]];
int hpgl_ES(Engine& e) {
  LabelState& l = e.gs.label;
  const ParamBlock& p = e.params;
  if (p.count < 0 || p.count > 2) return report_count(e, "");
  l.extra_spaces = p.count >= 1 ? p.reals[0] : 0;
  if (p.count != 1) l.extra_lines = p.count == 2 ? p.reals[1] : 0;
  return 0;
}

// LO [position];
int hpgl_LO(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count < 0 || p.count > 1) return report_count(e, "");
  int origin = p.count == 1 ? p.ints[0] : ORIGIN_LEFT_BOTTOM;
  if (!valid_origin(origin)) return report_range(e, ".");
  e.gs.label.origin = origin;
  return 0;
}

// TD [mode];
int hpgl_TD(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count < 0 || p.count > 1) return report_count(e, "");
  int v = p.count == 1 ? p.ints[0] : 0;
  if (v != 0 && v != 1) return report_range(e, ".");
  e.gs.label.transparent = v != 0;
  return 0;
}

// CF [mode[,pen]];
int hpgl_CF(Engine& e) {
  LabelState& l = e.gs.label;
  const ParamBlock& p = e.params;
  if (p.count < 0 || p.count > 2) return report_count(e, "");
  int mode = p.count >= 1 ? p.ints[0] : 0;
  if (mode < 0 || mode > 3) return report_range(e, ", fill mode.");
  l.fill_mode = mode;
  if (p.count != 1) l.edge_pen = p.count == 2 ? p.ints[1] : 0;
  return 0;
}

// CP [spaces,lines];
int hpgl_CP(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count != 0 && p.count != 2) return report_count(e, "");
  if (p.count == 0) character_plot_line(e);
  else character_plot(e, p.reals[0], p.reals[1]);
  return 0;
}

// LB text terminator
int hpgl_LB(Engine& e) {
  std::string text;
  int r = read_label_text(e, text);
  draw_label(e, text);
  return handler_result(r);
}

// BL text terminator
int hpgl_BL(Engine& e) { return read_label_text(e, e.gs.label.buffered); }

// PB;
int hpgl_PB(Engine& e) {
  const std::string text = e.gs.label.buffered;
  draw_label(e, text);
  return 0;
}

// DU [run,rise];
int hpgl_DU(Engine& e) { return set_direction(e, DIRECTION_USER, "."); }

// SU [width,height];
int hpgl_SU(Engine& e) { return set_size(e, CHAR_SIZE_USER, "."); }

// UC [pen,x,y...];
int hpgl_UC(Engine& e) {
  const int r = read_user_character(e);
  draw_label(e, "a");
  return r;
}

// WD text terminator
int hpgl_WD(Engine& e) {
  std::string text;
  return read_label_text(e, text);
}

// DL [code[,x,y...]];
int hpgl_DL(Engine& e) { return download_character(e); }

constexpr InstructionEntry kInstructions[] = {
    {'A', 'D', hpgl_AD, SCAN_BY_HANDLER, 0, LEVEL_HPGL2},
    {'S', 'D', hpgl_SD, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'S', 'S', hpgl_SS, SCAN_REALS, 0, LEVEL_BOTH},
    {'S', 'A', hpgl_SA, SCAN_REALS, 0, LEVEL_BOTH},
    {'S', 'I', hpgl_SI, SCAN_REALS, 2, LEVEL_BOTH},
    {'S', 'R', hpgl_SR, SCAN_REALS, 2, LEVEL_BOTH},
    {'S', 'L', hpgl_SL, SCAN_REALS, 1, LEVEL_BOTH},
    {'D', 'I', hpgl_DI, SCAN_REALS, 2, LEVEL_BOTH},
    {'D', 'R', hpgl_DR, SCAN_REALS, 2, LEVEL_BOTH},
    {'D', 'T', hpgl_DT, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'D', 'V', hpgl_DV, SCAN_REALS, 2, LEVEL_BOTH},
    {'E', 'S', hpgl_ES, SCAN_REALS, 2, LEVEL_BOTH},
    {'L', 'O', hpgl_LO, SCAN_REALS, 1, LEVEL_BOTH},
    {'T', 'D', hpgl_TD, SCAN_REALS, 1, LEVEL_HPGL2},
    {'C', 'F', hpgl_CF, SCAN_REALS, 2, LEVEL_HPGL2},
    {'C', 'P', hpgl_CP, SCAN_REALS, 2, LEVEL_BOTH},
    {'L', 'B', hpgl_LB, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'B', 'L', hpgl_BL, SCAN_BY_HANDLER, 0, LEVEL_HPGL},
    {'P', 'B', hpgl_PB, SCAN_REALS, 0, LEVEL_HPGL},
    {'D', 'U', hpgl_DU, SCAN_REALS, 2, LEVEL_HPGL},
    {'S', 'U', hpgl_SU, SCAN_REALS, 2, LEVEL_HPGL},
    {'U', 'C', hpgl_UC, SCAN_BY_HANDLER, 0, LEVEL_HPGL},
    {'W', 'D', hpgl_WD, SCAN_BY_HANDLER, 0, LEVEL_HPGL},
    {'D', 'L', hpgl_DL, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
};

}  // namespace

std::span<const InstructionEntry> character_instructions() { return kInstructions; }

}  // namespace kavor
