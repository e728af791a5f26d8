#pragma once
// Engine runs: the parameter file, input separation, one run per input,
// the main loop, and the character stream with its progress reports.

#include <string>
#include <vector>

#include "engine/engine.h"

namespace kavor {

// Reads $param.kv from the settings directory and runs its inputs.
void engine_run(Engine& e);
// The same with a parameter file named explicitly.
void engine_run_file(Engine& e, const std::string& path);
// Tokenises parameter-file bytes into the argument vector (entry 0 included).
std::vector<std::string> tokenise_parameter_file(Engine& e, const std::string& bytes);
// The run vector's parameters (entry 0 first) and the input files, in order.
struct RunInputs {
  std::vector<std::string> parameters;
  std::vector<std::string> inputs;
};
RunInputs separate_inputs(Engine& e, const std::vector<std::string>& args);
void engine_run_inputs(Engine& e, const std::vector<std::string>& args);
void engine_run_once(Engine& e, const std::vector<std::string>& run_vector);
// What a run does before its first character, after reset_run_state:
// parses the run vector's options and initialises the interpreter (plot
// area, hard-clip limits, defaults). Also used on its own to learn sizes.
void prepare_run(Engine& e, const std::vector<std::string>& run_vector);
// A new sheet in the middle of a run, at a page advance (a converter that
// fits each page on its own): the options in `sheet_options` (entry 0 is
// the program name; plotter, paper, trimming) are parsed over the run's
// option state, the view and printer page sizes are read from the host
// again, and the plot area, hard-clip limits and device mapping are derived
// anew. The graphics state stays as the page advance left it; a printer
// reset or IN that follows sets its defaults from the new sheet.
void change_sheet(Engine& e, const std::vector<std::string>& sheet_options);
// Resets option state, streams and pen colours before a run.
void reset_run_state(Engine& e);
// One run over plot bytes held in memory (tests, fuzzing): the run vector
// carries options only.
void engine_run_memory(Engine& e, const std::vector<std::string>& run_vector, std::string data);
// Reads characters into the state function until the run ends.
void run_main_loop(Engine& e);
// Opens an input file for the run (option -IN); false when it cannot be read.
bool open_input_file(Engine& e, const std::string& path);

// Reports the percentage of the input consumed when it changed or is 100.
// Called only when the consumed count leaves the range of the last report.
[[gnu::cold, gnu::noinline]] void report_progress(Engine& e, int c);

inline int next_input_char(Engine& e) {
  RunContext& r = e.run;
  ++r.consumed;
  int c = r.input.get();
  if (r.consumed >= r.progress_hi || r.consumed < r.progress_lo) report_progress(e, c);
  return c;
}

// The input bytes that can be consumed in bulk, without a push-back and
// without crossing the next progress report: take n of them with
// consume_buffered. Equivalent to reading them one by one.
inline const unsigned char* buffered_input(Engine& e, size_t& n) {
  RunContext& r = e.run;
  const unsigned char* bytes = r.input.buffered(n);
  const int64_t room = r.progress_hi - r.consumed - 1;
  if (r.consumed + 1 < r.progress_lo || room <= 0) n = 0;
  else if (static_cast<uint64_t>(room) < n) n = static_cast<size_t>(room);
  return bytes;
}

inline void consume_buffered(Engine& e, size_t n) {
  e.run.consumed += static_cast<int64_t>(n);
  e.run.input.skip(n);
}

inline void push_back_input_char(Engine& e, int c) {
  --e.run.consumed;
  e.run.input.unget(c);
}

}  // namespace kavor
