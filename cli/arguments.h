#pragma once
// The converter's command line: its own options, the engine options (with
// their value counts) and the input files.

#include <string>
#include <vector>

namespace kavor {

// What the picture of a page shows: the plotter's paper as it is, the
// paper that holds the drawing most tightly, or the drawing itself.
enum class FitMode { none, paper, drawing };

struct ConvertArguments {
  std::string output;      // -o
  std::string output_dir;  // --out-dir
  std::string format;      // --format, else from the output name
  int width = 0;           // --size W[xH]; 0 when not given
  int height = 0;
  bool stretch = false;
  int dpi = 0;  // --dpi; 0 when not given
  FitMode fit = FitMode::drawing;
  int page = 0;  // --page; 0 when not given
  bool pages = false;
  // Printed sheets, as the desktop program prints: --split N (1, 2, 4, 8
  // or 16; 0 when not given) into a PDF of --paper, and --print QUEUE.
  int split = 0;
  std::string paper;
  std::string print_queue;
  std::string param_file;     // --param
  std::string settings_file;  // --settings
  bool abort_on_error = false;
  bool quiet = false;
  double timeout = 0;  // --timeout, seconds per input; 0 when not given
  std::vector<std::string> engine_options;
  std::vector<std::string> inputs;
  std::string error;  // non-empty when the command line is unusable
  bool help = false;
  bool version = false;
};

// Parses and checks the command line. --fit defaults to drawing, or to
// none when the engine options or a parameter or settings file already
// choose the part of the paper shown.
ConvertArguments parse_convert_arguments(int argc, char** argv);
// True when the command line asks for printed sheets (--split or --print).
bool prints_sheets(const ConvertArguments& a);
// How many value tokens follow an engine option token.
int engine_option_values(const std::string& token);
extern const char kConvertUsage[];

}  // namespace kavor
