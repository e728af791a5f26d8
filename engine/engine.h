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
#include "engine/graphics_state.h"
#include "engine/host.h"
#include "engine/input_stream.h"
#include "engine/options.h"
#include "engine/params.h"

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
  // The consumed count at which reading pumps the host's events next.
  int64_t pump_at = 0;
  StateFn state = nullptr;
  // The host asked to stop while an instruction was being carried out.
  bool cancelled = false;
  char mnemonic[3] = {' ', ' ', 0};
  PixelSize view;
  // -OFILE and -LOG open files in place of the standard output stream.
  std::unique_ptr<std::ofstream> output_file;
  std::unique_ptr<std::ofstream> log_file;
};

// Units of work done in a run, counted so that tests and benchmarks can
// show that a figure or fill costs what the visible picture needs.
struct WorkCounts {
  int64_t chords = 0;     // arc chords generated
  int64_t scan_rows = 0;  // device rows scanned by polygon fills
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
  int last_instruction_answer = ANSWER_ABORT;  // until the dialog was answered
  unsigned pump_countdown = 0;
  WorkCounts work;
};

}  // namespace kavor
