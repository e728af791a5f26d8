#pragma once
// Line types, pen widths and the current pen, line attributes, symbol mode
// and raster fill definitions.

#include <array>
#include <cstdint>
#include <vector>

namespace kavor {

struct Engine;

struct PatternEntry {
  uint8_t count = 0;
  std::array<uint8_t, 20> elements{};
};

// The line-type block: saved and restored whole around adaptive vectors.
struct LineTypeBlock {
  int type = 9;  // 9 solid, 0 dots, 1..8 fixed, -1..-8 adaptive
  int mode = 0;  // 0 relative, 1 absolute
  double length = 4.0;
  int32_t pattern_pixels = 1;  // P: the pattern length in device pixels
  int count = 0;
  std::array<int32_t, 20> lengths{};
  int element = 1;  // 1-based
  int32_t drawn = 0;
  double remainder = 0;
  double accumulator = 0;
};

struct RasterFill {
  int width = 0, height = 0;
  std::vector<int> pixels;
};

struct LineAttributes {
  LineTypeBlock block;
  LineTypeBlock saved;
  std::array<PatternEntry, 17> table{};  // index: line type + 8
  int line_ends = 1, line_joins = 1;
  double miter_limit = 5.0;
  std::array<int32_t, 256> widths{};
  int32_t current_width = 1;
  int width_unit = 0;  // 0 metric, 1 relative
  bool symbol_mode = false;
  unsigned char symbol = 0;
  std::array<RasterFill, 9> raster{};  // indices 1..8
};

// The pattern table as it stands before any UL, for types -8..8 (index type + 8).
const std::array<PatternEntry, 17>& default_pattern_table();

void pattern_setup(Engine& e);
// Answers pen (ink) or 0 (gap) for one pixel and advances the pattern.
int pattern_step(Engine& e, int pen);
void adaptive_setup(Engine& e, double x1, double y1, double x2, double y2);
// Converts a width in the current unit to pixels and stores it for the pen.
int32_t set_pen_width(Engine& e, double width, int pen);
// Line type reset of IN/DF (as LT without parameters, with its pattern state).
void reset_line_type(Engine& e);
// Applies the -PW option table after the PW default.
void apply_pen_width_option(Engine& e);

int hpgl_LT(Engine& e);
int hpgl_UL(Engine& e);
int hpgl_LA(Engine& e);
int hpgl_PW(Engine& e);
int hpgl_WU(Engine& e);
int hpgl_SP(Engine& e);
int hpgl_SM(Engine& e);
int hpgl_RF(Engine& e);

}  // namespace kavor
