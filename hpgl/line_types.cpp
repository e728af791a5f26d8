#include "hpgl/line_types.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "geometry/line_path.h"
#include "hpgl/coordinates.h"
#include "hpgl/lexer.h"

namespace kavor {

namespace {

constexpr int kSolid = 9;
constexpr int kMaxElements = 20;
constexpr int kRasterSide = 64;
// Widest pen in device pixels: wider than any page, and within what every
// drawing surface accepts.
constexpr int32_t kWidestPen = 32767;

constexpr PatternEntry entry(std::initializer_list<uint8_t> elements) {
  PatternEntry p{};
  for (uint8_t v : elements) p.elements[p.count++] = v;
  return p;
}

// Percentages of the pattern length; odd elements are ink, even ones gaps.
constexpr std::array<PatternEntry, 17> kDefaultPatterns = {
    entry({25, 10, 0, 10, 10, 10, 0, 10, 25}),  // -8
    entry({35, 10, 0, 10, 0, 10, 35}),          // -7
    entry({25, 10, 10, 10, 10, 10, 25}),        // -6
    entry({35, 10, 10, 10, 35}),                // -5
    entry({40, 10, 0, 10, 40}),                 // -4
    entry({35, 30, 35}),                        // -3
    entry({35, 30, 35}),                        // -2
    entry({0, 100, 0}),                         // -1
    entry({}),                                  // 0
    entry({0, 100}),                            // 1
    entry({50, 50}),                            // 2
    entry({70, 30}),                            // 3
    entry({80, 10, 0, 10}),                     // 4
    entry({70, 10, 10, 10}),                    // 5
    entry({50, 10, 10, 10, 10, 10}),            // 6
    entry({50, 10, 10, 10, 10, 10}),            // 7
    entry({50, 10, 0, 10, 10, 10, 0, 10}),      // 8
};

const PatternEntry& current_entry(const Engine& e) { return e.gs.line.table[e.gs.line.block.type + 8]; }

bool is_patterned(int type) { return type != kSolid && type != 0 && type >= -8 && type <= 8; }

// Dots: a zero-length element becomes one pixel, taken from the following
// element (or, for the last one, the preceding element) when that can spare it.
void widen_zero_lengths(LineTypeBlock& b) {
  for (int i = 0; i < b.count; ++i) {
    if (b.lengths[i] != 0) continue;
    b.lengths[i] = 1;
    if (i + 1 < b.count) {
      if (b.lengths[i + 1] >= 2) --b.lengths[i + 1];
    } else if (i > 0 && b.lengths[i - 1] >= 2) {
      --b.lengths[i - 1];
    }
  }
}

void restart_pattern(LineTypeBlock& b) {
  b.element = 1;
  b.drawn = 0;
}

// A length in plotter units scaled to device pixels by the device mapping,
// averaged over x and y (origin offset and y turning removed).
int32_t plotter_to_pixels_average(const Engine& e, int32_t length) {
  const int32_t ox = e.gs.device.org_x, oy = e.gs.device.org_y;
  int32_t x0 = ox, y0 = oy;
  int32_t x1 = saturate_to_int32(static_cast<int64_t>(ox) + length), y1 = oy;
  int32_t x2 = ox, y2 = saturate_to_int32(static_cast<int64_t>(oy) + length);
  map_to_device(e, &x0, &y0);
  map_to_device(e, &x1, &y1);
  map_to_device(e, &x2, &y2);
  int64_t sx = std::llabs(static_cast<int64_t>(x1) - x0);
  int64_t sy = std::llabs(static_cast<int64_t>(y2) - y0);
  return saturate_to_int32((sx + sy) / 2);
}

int32_t pattern_length_pixels(const Engine& e) {
  const LineTypeBlock& b = e.gs.line.block;
  double p;
  if (b.mode == 0) {
    p = round_half_away(p1p2_device_length(e) * b.length * 0.01);
  } else {
    p = plotter_to_pixels_average(e, trunc_to_int32(b.length * 39.3701));
  }
  // A negative or vanishing length still gives a walkable pattern.
  return p < 1 ? 1 : saturate_to_int32(p);
}

bool is_odd(int element) { return element % 2 != 0; }

bool count_is_bad(Engine& e) { return e.params.count < 0; }

// Resets the entry of one type to its default; only types 1..8 are valid.
void to_default_lt(Engine& e, int index) {
  if (index < 1 || index > 8) report_system_error(e, " toDefaultLt: index out of range.");
  e.gs.line.table[index + 8] = kDefaultPatterns[index + 8];
  e.gs.line.table[8 - index] = kDefaultPatterns[8 - index];
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

}  // namespace

const std::array<PatternEntry, 17>& default_pattern_table() { return kDefaultPatterns; }

void pattern_setup(Engine& e) {
  LineTypeBlock& b = e.gs.line.block;
  if (!is_patterned(b.type)) return;
  const PatternEntry& p = current_entry(e);
  const int64_t pixels = pattern_length_pixels(e);
  b.pattern_pixels = static_cast<int32_t>(pixels);
  b.count = p.count;
  for (int i = 0; i < b.count; ++i) b.lengths[i] = saturate_to_int32(p.elements[i] * pixels / 100);
  b.remainder = 0;
  b.accumulator = 0;
  widen_zero_lengths(b);
  restart_pattern(b);
}

void adaptive_setup(Engine& e, double x1, double y1, double x2, double y2) {
  LineTypeBlock& b = e.gs.line.block;
  if (b.type >= 0 || b.type < -8) return;
  const PatternEntry& p = current_entry(e);
  const double length = std::hypot(x2 - x1, y2 - y1);
  const double pattern = b.pattern_pixels > 0 ? b.pattern_pixels : 1;
  double n = std::floor(length / pattern + 0.5);
  if (n < 1) n = 1;
  const double fitted = length / n;
  b.count = p.count;
  double sum = 0;
  for (int i = 0; i < b.count; ++i) {
    b.lengths[i] = saturate_to_int32(std::floor(p.elements[i] * fitted * 0.01 + 0.5));
    sum += b.lengths[i];
  }
  // Grow the last element one pixel at a time while a whole pixel is missing
  // (done in one step: gaps that add up to little would take long otherwise).
  if (b.count > 0 && fitted - sum >= 1.0) {
    const double missing = std::floor(fitted - sum);
    b.lengths[b.count - 1] = saturate_to_int32(b.lengths[b.count - 1] + missing);
    sum += missing;
  }
  b.pattern_pixels = saturate_to_int32(sum);
  b.remainder = (length - n * sum) / n;
  b.accumulator = 0;
  widen_zero_lengths(b);
  restart_pattern(b);
}

int pattern_step(Engine& e, int pen) {
  LineTypeBlock& b = e.gs.line.block;
  if (!is_patterned(b.type) || b.count == 0) return pen;
  // Element 0 stands for the pixel after an extra adaptive pixel: the
  // pattern starts again with element 1.
  const int32_t length = b.element >= 1 ? b.lengths[b.element - 1] : 0;
  if (b.drawn < length) {
    ++b.drawn;
    return is_odd(b.element) ? pen : 0;
  }
  if (b.element < b.count) {
    ++b.element;
    b.drawn = 1;
    return is_odd(b.element) ? pen : 0;
  }
  b.accumulator += b.remainder;
  if (b.accumulator >= 1.0) {
    b.accumulator = 0;
    const bool ink = is_odd(b.count);
    b.element = 0;
    b.drawn = 0;
    return ink ? pen : 0;
  }
  b.element = 1;
  b.drawn = 1;
  return pen;
}

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

void reset_line_type(Engine& e) {
  LineAttributes& l = e.gs.line;
  l.block = LineTypeBlock{};
  l.saved = l.block;
  l.table = kDefaultPatterns;
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

int hpgl_LT(Engine& e) {
  if (count_is_bad(e)) return 1;
  LineAttributes& l = e.gs.line;
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    l.saved = l.block;
    l.block.type = kSolid;
  } else if (p.count == 1 && p.ints[0] == 99) {
    if (l.block.type == kSolid) l.block.type = l.saved.type;
  } else if (p.ints[0] < -8 || p.ints[0] > 8) {
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

int hpgl_UL(Engine& e) {
  if (count_is_bad(e)) return 1;
  LineAttributes& l = e.gs.line;
  const ParamBlock& p = e.params;
  if (p.count == 0) {
    l.table = kDefaultPatterns;
    return 0;
  }
  const int index = std::abs(p.ints[0]);
  if (index < 1 || index > 8) {
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
    l.table[index + 8] = gaps;
    l.table[8 - index] = gaps;
  }
  return 0;
}

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

int hpgl_SP(Engine& e) {
  if (count_is_bad(e)) return 1;
  int pen = e.params.count == 0 ? 0 : e.params.ints[0];
  if (pen < 0 || pen > 255) return 0;
  e.gs.line.current_width = e.gs.line.widths[pen];
  if (e.options.colour_mode == COLOUR_MONO && pen > 0) pen = 1;
  e.gs.pen.pen = pen;
  return 0;
}

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

// RF index [, width, height [, pixel ...]]: the handler reads its own
// parameters. Only the values actually given are stored; missing pixels are 0.
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

}  // namespace kavor
