// The line-type walk of the line path: the pattern table, the fixed
// patterns scaled to device pixels, the adaptive patterns fitted to each
// vector, and the step of one pixel through the pattern.
#include "geometry/line_pattern.h"

#include <cmath>
#include <cstdlib>

#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/units.h"
#include "geometry/coordinates.h"
#include "geometry/line_path.h"

namespace kavor {

namespace {

constexpr PatternEntry entry(std::initializer_list<uint8_t> elements) {
  PatternEntry p{};
  for (uint8_t v : elements) p.elements[p.count++] = v;
  return p;
}

// Percentages of the pattern length; odd elements are ink, even ones gaps.
constexpr PatternTable kDefaultPatterns = {
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

const PatternEntry& current_entry(const Engine& e) { return e.gs.line.table[e.gs.line.block.type + kLineTypeLimit]; }

bool is_patterned(int type) {
  return type != kLineTypeSolid && type != kLineTypeDots && type >= -kLineTypeLimit && type <= kLineTypeLimit;
}

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
    p = plotter_to_pixels_average(e, trunc_to_int32(b.length * kLabelUnitsPerMm));
  }
  // A negative or vanishing length still gives a walkable pattern.
  return p < 1 ? 1 : saturate_to_int32(p);
}

bool is_odd(int element) { return element % 2 != 0; }

}  // namespace

const PatternTable& default_pattern_table() { return kDefaultPatterns; }

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
  if (b.type >= 0 || b.type < -kLineTypeLimit) return;
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

}  // namespace kavor
