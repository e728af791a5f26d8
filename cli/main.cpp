// kavor-convert: runs the engine headless over plot files and writes the
// pictures.

#include <iostream>

#include "cli/arguments.h"
#include "cli/console_host.h"
#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/run.h"

using namespace kavor;

namespace {

std::vector<std::string> engine_vector(const ConvertArguments& a, const std::string& input) {
  std::vector<std::string> v{"Dummy.EXE", "-COLOR"};
  v.insert(v.end(), a.engine_options.begin(), a.engine_options.end());
  if (input != "-") {
    v.push_back("-IN");
    v.push_back(input);
  }
  return v;
}

}  // namespace

int main(int argc, char** argv) {
  ConvertArguments args = parse_convert_arguments(argc, argv);
  if (args.help) {
    std::cout << kConvertUsage;
    return 0;
  }
  if (!args.error.empty()) {
    std::cerr << "kavor-convert: " << args.error << '\n' << kConvertUsage;
    return 2;
  }
  ConsoleHost host(default_settings_dir(), {args.width, args.height > 0 ? args.height : args.width * 3 / 4},
                   args.abort_on_error);
  try {
    if (!args.param_file.empty()) {
      Engine engine(host);
      engine_run_file(engine, args.param_file);
      return 0;
    }
    std::vector<std::string> inputs = args.inputs;
    if (inputs.empty()) inputs.push_back("-");
    for (const std::string& input : inputs) {
      Engine engine(host);
      engine_run_inputs(engine, engine_vector(args, input));
    }
  } catch (const FatalError&) {
    return 1;
  }
  return 0;
}
