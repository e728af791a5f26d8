#pragma once
// The engine object: every engine-wide record as a member, passed by
// reference to every operation. A fresh Engine per test; one per rendering
// pipeline in the shell.

#include <array>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "config/paper_database.h"
#include "config/pen_colour_file.h"
#include "device/draw_device.h"
#include "engine/host.h"
#include "engine/input_stream.h"
#include "engine/options.h"
#include "geometry/line_path.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/coordinates.h"
#include "hpgl/fill_types.h"
#include "hpgl/labels.h"
#include "hpgl/line_types.h"
#include "hpgl/params.h"
#include "hpgl/pen_motion.h"
#include "hpgl/remaining.h"
#include "hpgl/stroke_font.h"

namespace kavor {

struct Engine;

// A state function takes one character (0..255, or -1 at end of input);
// -1 as its result ends the run.
using StateFn = int (*)(Engine&, int);

struct RunContext {
  InputStream input;
  int64_t input_size = 0;
  int64_t consumed = 0;
  int last_percent = -1;
  // Consumed counts between which the percentage stays the same.
  int64_t progress_lo = 0, progress_hi = 0;
  StateFn state = nullptr;
  char mnemonic[3] = {' ', ' ', 0};
  PixelSize view;
  // -OFILE and -LOG open files in place of the standard output stream.
  std::unique_ptr<std::ofstream> output_file;
  std::unique_ptr<std::ofstream> log_file;
};

// The graphics state record, grouped by owner.
struct GraphicsState {
  PlotArea area;
  DeviceExtents device;
  Scaling scaling;
  InputWindow window;
  PenState pen;
  PageState page;
  LineAttributes line;
  FillState fill;
  LabelState label;
  UserGlyph user_glyph;
  PolygonState polygon;
  OtherState other;
  DrawingExtents extents;
};

struct Engine {
  explicit Engine(Host& h) : host(h) {}
  Engine(const Engine&) = delete;
  Engine& operator=(const Engine&) = delete;

  Host& host;
  RunContext run;
  OptionState options;
  GraphicsState gs;
  ParamBlock params;
  DeviceState device;
  PaperRecord paper;
  // Standard output and error streams of the engine (tests replace them).
  std::ostream* out = &std::cout;
  std::ostream* err = &std::cerr;
  int last_instruction_answer = 1;  // Abort until the dialog was answered
  unsigned pump_countdown = 0;
};

}  // namespace kavor
