#pragma once
// Engine option state: set by parse_options at the start of every run and
// reset to these defaults before it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "config/plotters.h"

namespace kavor {

struct Engine;

// Entry 0 of every run vector: the program name, which the options skip.
inline constexpr char kProgramName[] = "Dummy.EXE";

enum class DeviceKind : int { PRINTER = 0, FILE = 1, DISPLAY = 2 };

enum SizeMode : int { SIZE_NORMAL = 1, SIZE_REAL = 2, SIZE_FIT = 3 };

enum ColourMode : int { COLOUR_MONO = 2, COLOUR_COLOR = 8 };

struct OptionState {
  int plotter = HP7550;
  int plotter_mode = 0;
  int paper = PAPER_A4;
  int expanded = MODE_NORMAL;
  int paper_direction = 0;
  DeviceKind device = DeviceKind::DISPLAY;
  int printer_width = 0;
  int printer_height = 0;
  int output_page = 0;
  int output_file_type = 0;
  int resolution_x = 0;  // 0: unset
  int resolution_y = 0;
  double magnification_x = 1.0;
  double magnification_y = 1.0;
  double output_factor_x = 1.0;
  double output_factor_y = 1.0;
  // -BM trimming, per cent: x offset, y offset, x extent, y extent.
  double trim_x0 = 0, trim_y0 = 0, trim_x1 = 100, trim_y1 = 100;
  std::string pen_letters = "WKBGRMCY";
  std::array<uint8_t, 256> pen_width_codes{};
  bool pen_widths_supplied = false;
  int size_mode = SIZE_NORMAL;
  int colour_mode = COLOUR_MONO;
  int status_x = 0, status_y = 0, status_width = -1, status_height = -1;
  int display_x = 0, display_y = 0, display_width = -1, display_height = -1;
  std::array<int, 4> margins{60, 60, 60, 156};
  int margin_unit = 0;  // plotter units per margin unit, 0 while unset
  char margin_side = 0;
  bool debug = false, step = false, nowait = false, slow = false, frame = false, novreset = false;
};

// Parses the run vector (entry 0 is the program name). Option names are
// matched upper-cased; values are passed on as given. Fatal errors unwind
// with FatalError after the host has shown them.
void parse_options(Engine& e, const std::vector<std::string>& run_vector);
// The printer page width and height from the host (option -CC).
void read_printer_page(Engine& e);

}  // namespace kavor
