// The lines and fills chapter: line types LT and UL, line attributes LA,
// pen widths PW and WU, pen selection SP, symbol mode SM, fill types FT and
// RF, the anchor corner AC, the older plotters' UF and PT, and the palette
// CR, NP and PC.
#include "hpgl/lines_and_fills.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "device/draw_device.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "geometry/coordinates.h"
#include "geometry/hatch.h"
#include "geometry/line_pattern.h"
#include "hpgl/instruction_table.h"
#include "hpgl/lexer.h"

namespace kavor {

namespace {

constexpr int kMaxElements = 20;
constexpr int kRasterSide = 64;
// Widest pen in device pixels: wider than any page, and within what every
// drawing surface accepts.
constexpr int32_t kWidestPen = 32767;

int handler_result(int r) { return r == -1 ? -1 : 0; }

bool count_is_bad(Engine& e) { return e.params.count < 0; }

// Resets the entry of one type to its default; only types 1..8 are valid.
void to_default_lt(Engine& e, int index) {
  if (index < 1 || index > 8) report_system_error(e, " toDefaultLt: index out of range.");
  e.gs.line.table[kLineTypeLimit + index] = default_pattern_table()[kLineTypeLimit + index];
  e.gs.line.table[kLineTypeLimit - index] = default_pattern_table()[kLineTypeLimit - index];
}

void set_line_attribute(Engine& e, int kind, int value) {
  LineAttributes& l = e.gs.line;
  switch (kind) {
    case 1:
      if (value >= 1 && value <= 4) {
        l.line_ends = value;
      } else {
        report_param_range_error(e, ", lineEnds.");
        l.line_ends = 1;
      }
      break;
    case 2:
      if (value >= 1 && value <= 6) {
        l.line_joins = value;
      } else {
        report_param_range_error(e, ", lineJoins.");
        l.line_joins = 1;
      }
      break;
    case 3:
      if (value > 5) {
        report_param_range_error(e, ", mitterLimit.");
        l.miter_limit = 5.0;
      } else {
        l.miter_limit = value;
      }
      break;
    default:
      report_param_range_error(e, ", kind.");
  }
}

void set_hatch(Engine& e, HatchSettings& h) {
  const ParamBlock& p = e.params;
  if (p.count >= 2) {
    h.spacing = p.reals[1];
    h.unit = h.spacing == 0 ? UNITS_DEFAULT : (e.gs.scaling.on ? UNITS_USER : UNITS_PLOTTER);
  }
  if (p.count >= 3) h.angle = p.reals[2];
}

// A colour component scaled from its CR range to 0..255 (set_pen_rgb keeps
// it within a byte). An empty range gives 0 below it and 255 from it on.
int scale_component(double value, double minimum, double maximum) {
  if (maximum == minimum) return value >= maximum ? 255 : 0;
  return trunc_to_int32((value - minimum) * 255 / (maximum - minimum));
}

// Converts a width in the current unit to pixels and stores it for the pen.
int32_t set_pen_width(Engine& e, double width, int pen) {
  int32_t pixels;
  if (e.gs.line.width_unit == 0) {
    pixels = mm_to_pixels(e, width);
  } else {
    pixels = trunc_to_int32(p1p2_device_length(e) * width / 100);
  }
  if (pixels <= 0) pixels = 1;
  if (pixels > kWidestPen) pixels = kWidestPen;
  if (pen >= 0 && pen <= 255) e.gs.line.widths[pen] = pixels;
  return pixels;
}

}  // namespace

void reset_line_type(Engine& e) {
  LineAttributes& l = e.gs.line;
  l.block = LineTypeBlock{};
  l.saved = l.block;
  l.table = default_pattern_table();
}

void apply_pen_width_option(Engine& e) {
  const OptionState& o = e.options;
  if (!o.pen_widths_supplied) return;
  for (int pen = 0; pen < 256; ++pen) {
    if (o.pen_width_codes[pen] != 0) {
      set_pen_width(e, o.pen_width_codes[pen] * 0.1, pen);
    } else {
      e.gs.line.widths[pen] = 1;
    }
  }
}

// The anchor stays where DF put it (the hard-clip lower-left corner), since
// IN sets the DF defaults first.
void clear_fill_state(Engine& e) {
  FillState& fill = e.gs.fill;
  fill.kind = FILL_SOLID;
  fill.hatch = HatchSettings{};
  fill.cross_hatch = HatchSettings{};
  fill.shading_level = 0;
  fill.raster_index = 0;
  fill.raster_option = 0;
}

namespace {

// LT [type[,length[,mode]]];
int hpgl_LT(Engine& e) {
  if (count_is_bad(e)) return 1;
  LineAttributes& l = e.gs.line;
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    l.saved = l.block;
    l.block.type = kLineTypeSolid;
  } else if (p.count == 1 && p.ints[0] == 99) {
    if (l.block.type == kLineTypeSolid) l.block.type = l.saved.type;
  } else if (p.ints[0] < -kLineTypeLimit || p.ints[0] > kLineTypeLimit) {
    report_param_range_error(e, ", line type error.");
  } else {
    l.saved = l.block;
    l.block.type = p.ints[0];
    if (p.count >= 2) l.block.length = p.reals[1];
    if (p.count >= 3) {
      if (p.ints[2] == 0 || p.ints[2] == 1) {
        l.block.mode = p.ints[2];
      } else {
        report_param_range_error(e, ", mode error.");
      }
    }
  }
  pattern_setup(e);
  return 0;
}

// UL [index[,gap...]];
int hpgl_UL(Engine& e) {
  if (count_is_bad(e)) return 1;
  LineAttributes& l = e.gs.line;
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    l.table = default_pattern_table();
    return 0;
  }
  const int index = std::abs(p.ints[0]);
  if (index < 1 || index > kLineTypeLimit) {
    report_param_range_error(e, ", index.");
    return 0;
  }
  PatternEntry gaps{};
  for (int i = 1; i < p.count && gaps.count < kMaxElements; ++i) {
    if (p.reals[i] < 0) {
      report_param_range_error(e, ", gap.");
      continue;
    }
    gaps.elements[gaps.count++] = static_cast<uint8_t>(p.ints[i] & 0xFF);
  }
  if (gaps.count == 0) {
    to_default_lt(e, index);
  } else {
    l.table[kLineTypeLimit + index] = gaps;
    l.table[kLineTypeLimit - index] = gaps;
  }
  return 0;
}

// LA [kind,value[,kind,value...]];
int hpgl_LA(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count != 0 && p.count != 2 && p.count != 4 && p.count != 6) {
    report_param_count_error(e, ".");
    return 1;
  }
  LineAttributes& l = e.gs.line;
  if (p.count == 0) {
    l.line_ends = 1;
    l.line_joins = 1;
    l.miter_limit = 5.0;
    return 0;
  }
  for (int i = 0; i + 1 < p.count; i += 2) set_line_attribute(e, trunc_to_int32(p.reals[i]), trunc_to_int32(p.reals[i + 1]));
  return 0;
}

// PW [width[,pen]];
int hpgl_PW(Engine& e) {
  if (count_is_bad(e)) return 1;
  LineAttributes& l = e.gs.line;
  const ParamBlock& p = e.params;
  if (p.count >= 3) {
    report_param_count_error(e, ".");
    return 1;
  }
  if (p.count == 0) {
    l.widths.fill(1);
    l.current_width = 1;
  } else if (p.count == 1) {
    const int32_t pixels = set_pen_width(e, p.reals[0], 0);
    l.widths.fill(pixels);
    l.current_width = pixels;
  } else if (p.ints[1] >= 0 && p.ints[1] <= 255) {
    l.current_width = set_pen_width(e, p.reals[0], p.ints[1]);
  }
  return 0;
}

// WU [type];
int hpgl_WU(Engine& e) {
  if (count_is_bad(e)) return 1;
  const int unit = e.params.count == 0 ? 0 : e.params.ints[0];
  if (unit != 0 && unit != 1) {
    report_param_range_error(e, ", type.");
    return 0;
  }
  e.gs.line.width_unit = unit;
  return 0;
}

// SP [pen];
int hpgl_SP(Engine& e) {
  if (count_is_bad(e)) return 1;
  int pen = e.params.count == 0 ? 0 : e.params.ints[0];
  if (pen < 0 || pen > 255) return 0;
  e.gs.line.current_width = e.gs.line.widths[pen];
  if (e.options.colour_mode == COLOUR_MONO && pen > 0) pen = 1;
  e.gs.pen.pen = pen;
  return 0;
}

// SM [char];
int hpgl_SM(Engine& e) {
  const int c = next_input_char(e);
  if (c == -1) return -1;
  if (c == 0 || c == '\n' || c == 27) {
    push_back_input_char(e, c);
    return 0;
  }
  LineAttributes& l = e.gs.line;
  if (c == ';') {
    l.symbol_mode = false;
  } else {
    l.symbol_mode = true;
    l.symbol = static_cast<unsigned char>(c);
  }
  return 0;
}

// The handler reads its own parameters. Only the values actually given are
// stored; missing pixels are 0.
// RF [index[,width,height[,pixel...]]];
int hpgl_RF(Engine& e) {
  int r = scan_reals_upto(e, 3);
  const ParamBlock& p = e.params;
  if (p.count <= 0) return p.token_empty() ? r : skip_param_list(e);
  const int index = p.ints[0];
  const int count = p.count;
  const int32_t width = count == 3 ? p.ints[1] : 0;
  const int32_t height = count == 3 ? p.ints[2] : 0;
  const bool more = !p.token_empty() && r != -1;
  if (count == 2) {
    report_param_count_error(e, ".");
    return more ? skip_param_list(e) : r;
  }
  if (index < 1 || index > 8) {
    report_param_range_error(e, ", index.");
    return more ? skip_param_list(e) : r;
  }
  RasterFill& fill = e.gs.line.raster[index];
  if (count == 1) {
    fill.width = kRasterSide;
    fill.height = kRasterSide;
    fill.pixels.assign(kRasterSide * kRasterSide, e.gs.pen.pen);
    return r;
  }
  fill.width = width;
  fill.height = height;
  fill.pixels.clear();
  const int64_t wanted = width > 0 && height > 0 ? static_cast<int64_t>(width) * height : 0;
  while (more) {
    r = read_param_token(e);
    if (e.params.token_empty()) break;
    const char* t = e.params.token.data();
    if (static_cast<int64_t>(fill.pixels.size()) < wanted)
      fill.pixels.push_back(saturate_to_int32(static_cast<int64_t>(parse_integer(t, t + std::strlen(t)))));
    if (r == -1) break;
  }
  return r;
}

// FT [type[,option1[,option2]]];
int hpgl_FT(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count < 0) return 1;
  const int type = p.count >= 1 ? trunc_to_int32(p.reals[0]) : 1;
  FillState& fill = e.gs.fill;
  switch (type) {
    case 1:
    case 2:
      fill.kind = FILL_SOLID;
      break;
    case 3:
    case 4:
      fill.kind = type == 3 ? FILL_HATCH : FILL_CROSS_HATCH;
      set_hatch(e, hatch_settings(fill, fill.kind));
      break;
    case 10:
      fill.kind = FILL_SHADING;
      if (p.count >= 2) fill.shading_level = trunc_to_int32(p.reals[1]);
      break;
    case 11:
      fill.kind = FILL_RASTER;
      fill.raster_index = p.count >= 2 ? trunc_to_int32(p.reals[1]) : 1;
      fill.raster_option = p.count >= 3 ? trunc_to_int32(p.reals[2]) : 0;
      break;
    default:
      report_param_range_error(e, ", type.");
      return 1;
  }
  return 0;
}

// AC [x,y];
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

// UF [gap...];
int hpgl_UF(Engine& e) {
  PenState& pen = e.gs.pen;
  const ParamBlock& p = e.params;
  pen.fill_spacing_count = 0;
  int r = 0;
  while (pen.fill_spacing_count < static_cast<int>(pen.fill_spacings.size())) {
    r = scan_reals_upto(e, 1);
    if (p.count == 0) break;
    if (p.count < 0) {
      report_param_count_error(e, ".");
      return skip_param_list(e);
    }
    if (p.reals[0] >= 0) pen.fill_spacings[pen.fill_spacing_count++] = trunc_to_int32(p.reals[0]);
    else report_param_range_error(e, ".");
    if (r == -1) break;
  }
  return r;
}

// PT [thickness];
int hpgl_PT(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    e.gs.pen.thickness = 0.3;
  } else if (p.count == 1) {
    if (!(p.reals[0] >= 0.1 && p.reals[0] <= 5.0)) {
      report_param_range_error(e, ".");
      return 1;
    }
    e.gs.pen.thickness = p.reals[0];
  } else {
    report_param_count_error(e, ".");
    return 1;
  }
  return 0;
}

// CR [rmin,rmax,gmin,gmax,bmin,bmax];
int hpgl_CR(Engine& e) {
  const ParamBlock& p = e.params;
  auto& range = e.gs.other.colour_range;
  if (p.count == 0) {
    range = {0, 255, 0, 255, 0, 255};
    return 0;
  }
  if (p.count != 6) {
    report_warning(e, "Parameter error.");
    return 1;
  }
  std::copy(p.reals.begin(), p.reals.begin() + 6, range.begin());
  return 0;
}

// NP [n];
int hpgl_NP(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count < 1) {
    e.gs.other.number_of_pens = e.options.colour_mode == COLOUR_COLOR ? 8 : 2;
    return 0;
  }
  e.gs.other.number_of_pens = std::min(p.ints[0], 257);
  return 0;
}

// PC [pen[,red,green,blue]];
int hpgl_PC(Engine& e) {
  int r = scan_real_list(e, 3);
  const ParamBlock& p = e.params;
  if (p.count != 1 && p.count != 4) {
    report_warning(e, "Parameter error.");
    return r == -1 ? -1 : 1;
  }
  const int pen = p.ints[0];
  if (pen < 0 || pen > 255) return handler_result(r);
  if (p.count == 1) {
    // The pen's colour from the -PC letters; pens beyond them are black.
    const std::string& letters = e.options.pen_letters;
    set_pen_colour(e, pen, static_cast<size_t>(pen) < letters.size() ? letters[pen] : 'K');
    return handler_result(r);
  }
  const auto& range = e.gs.other.colour_range;
  set_pen_rgb(e, pen, scale_component(p.reals[1], range[0], range[1]), scale_component(p.reals[2], range[2], range[3]),
              scale_component(p.reals[3], range[4], range[5]));
  return handler_result(r);
}

constexpr InstructionEntry kInstructions[] = {
    {'L', 'T', hpgl_LT, SCAN_REALS, 3, LEVEL_BOTH},
    {'U', 'L', hpgl_UL, SCAN_REALS, 21, LEVEL_HPGL2},
    {'L', 'A', hpgl_LA, SCAN_REALS, 6, LEVEL_HPGL2},
    {'P', 'W', hpgl_PW, SCAN_REALS, 2, LEVEL_HPGL2},
    {'W', 'U', hpgl_WU, SCAN_REALS, 1, LEVEL_BOTH},
    {'S', 'P', hpgl_SP, SCAN_REALS, 1, LEVEL_BOTH},
    {'S', 'M', hpgl_SM, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
    {'R', 'F', hpgl_RF, SCAN_BY_HANDLER, 0, LEVEL_HPGL2},
    {'F', 'T', hpgl_FT, SCAN_REALS, 3, LEVEL_BOTH},
    {'A', 'C', hpgl_AC, SCAN_REALS, 4, LEVEL_HPGL2},
    {'U', 'F', hpgl_UF, SCAN_BY_HANDLER, 0, LEVEL_HPGL},
    {'P', 'T', hpgl_PT, SCAN_REALS, 1, LEVEL_HPGL},
    {'C', 'R', hpgl_CR, SCAN_REALS, 6, LEVEL_HPGL2},
    {'N', 'P', hpgl_NP, SCAN_REALS, 1, LEVEL_HPGL2},
    {'P', 'C', hpgl_PC, SCAN_BY_HANDLER, 0, LEVEL_BOTH},
};

}  // namespace

std::span<const InstructionEntry> line_and_fill_instructions() { return kInstructions; }

}  // namespace kavor
