#pragma once
// The shell's settings record: the options it writes into the parameter
// file and keeps in the settings files.

#include <array>

#include "config/plotters.h"

namespace kavor {

struct Settings {
  int plotter = HP7550;
  int paper = PAPER_A4;
  int expand = MODE_NORMAL;
  double magnification_x = 1.0, magnification_y = 1.0;
  double output_magnification_x = 1.0, output_magnification_y = 1.0;
  int printing = 0;      // menu command id of the print in progress, or 0
  int output_paper = 0;  // A4 0 .. A0 4, B4 10; -1: device width and height instead
  int resolution_x = 180, resolution_y = 180;
  int device_width = -1, device_height = -1;
  int colour = 1;
  int auto_size = 1;
  int keep_aspect = 1;
  int real_size = 0;
  // One letter (colours) or digit (widths) per pen 0..7, zero-terminated.
  std::array<char, 9> pen_colours{'W', 'K', 'B', 'G', 'R', 'M', 'C', 'Y', '\0'};
  std::array<char, 9> pen_widths{'0', '0', '0', '0', '0', '0', '0', '0', '\0'};
};

}  // namespace kavor
