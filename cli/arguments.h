#pragma once
// The converter's command line: its own options, the engine options (with
// their value counts) and the input files.

#include <string>
#include <vector>

namespace kavor {

struct ConvertArguments {
  std::string output;      // -o
  std::string output_dir;  // --out-dir
  std::string format;      // --format, else from the output name, else png
  int width = 1600;
  int height = 0;  // 0: from the hard-clip aspect
  std::string param_file;     // --param
  std::string settings_file;  // --settings
  bool abort_on_error = false;
  bool quiet = false;
  std::vector<std::string> engine_options;
  std::vector<std::string> inputs;
  std::string error;  // non-empty when the command line is unusable
  bool help = false;
};

ConvertArguments parse_convert_arguments(int argc, char** argv);
// How many value tokens follow an engine option token.
int engine_option_values(const std::string& token);
extern const char kConvertUsage[];

}  // namespace kavor
