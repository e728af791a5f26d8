// kavor-convert: runs the engine headless over plot files and writes the
// pictures.

#include <filesystem>
#include <functional>
#include <iostream>
#include <sstream>
#include <unistd.h>

#include "cli/arguments.h"
#include "cli/console_host.h"
#include "cli/view_size.h"
#include "config/settings.h"
#include "engine/engine.h"
#include "engine/hard_clip_measure.h"
#include "engine/rendering.h"
#include "engine/run.h"
#include "platform/picture_output.h"
#include "platform/settings_dir.h"

using namespace kavor;

namespace {

std::vector<std::string> engine_vector(const ConvertArguments& a) {
  std::vector<std::string> v{kProgramName, "-COLOR"};
  v.insert(v.end(), a.engine_options.begin(), a.engine_options.end());
  return v;
}

std::vector<std::string> engine_vector(const ConvertArguments& a, const std::string& input) {
  std::vector<std::string> v = engine_vector(a);
  if (input != "-") {
    v.push_back("-IN");
    v.push_back(input);
  }
  return v;
}

// Inputs of at least this size get a progress bar on a terminal.
constexpr std::uintmax_t kProgressBarBytes = 4u << 20;

bool wants_progress_bar(const ConvertArguments& a, const std::string& input) {
  std::error_code ec;
  return !a.quiet && isatty(2) && input != "-" && std::filesystem::file_size(input, ec) >= kProgressBarBytes && !ec;
}

void print_summary(const ConvertArguments& a, const ConsoleHost& host) {
  std::string summary = host.summary();
  if (!a.quiet && !summary.empty()) std::cerr << "kavor-convert: " << summary << '\n';
}

int usage_error(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n' << kConvertUsage;
  return 2;
}

// One rendering into one output file. Returns false after a fatal error
// (the picture drawn until then is still saved).
bool render(Host& host, PictureOutput& output, const std::string& path, bool& written,
            const std::function<void(Engine&)>& run) {
  written = false;
  if (!output.open()) {
    std::cerr << "kavor-convert: cannot write " << path << '\n';
    return true;
  }
  Engine engine(host);
  DeviceTargets targets;
  output.attach(targets);
  const bool finished = run_rendering(engine, targets, run);
  written = output.close();
  if (!written) std::cerr << "kavor-convert: cannot write " << path << '\n';
  return finished;
}

}  // namespace

int main(int argc, char** argv) {
  ConvertArguments args = parse_convert_arguments(argc, argv);
  if (args.help) {
    std::cout << kConvertUsage;
    return 0;
  }
  if (!args.error.empty()) return usage_error(args.error);
  PictureFormat format;
  if (!choose_picture_format(args.format, args.output, format)) return usage_error("unknown format " + args.format);
  std::vector<std::string> inputs = args.inputs;
  if (inputs.empty() && args.param_file.empty()) inputs.push_back("-");
  if (!args.output.empty() && inputs.size() > 1) return usage_error("-o names one output; use --out-dir for several inputs");

  const std::string settings = default_settings_dir();
  Settings desktop;
  if (!args.settings_file.empty()) {
    // As the desktop program renders: the settings become the parameter file.
    if (inputs.size() != 1 || inputs[0] == "-") return usage_error("--settings renders exactly one input file");
    load_settings_file(desktop, args.settings_file);
    const int height = args.height > 0 ? args.height : args.width * 3 / 4;
    ZoomView whole{args.width, height, 0, 0, args.width - 1, height - 1};
    auto report = [](const std::string& text, const std::string&) { std::cerr << text; };
    if (!write_parameter_file(desktop, settings, inputs[0], 0, whole, report)) return 1;
    args.param_file = settings_file_path(settings, "$param.kv");
  }
  const std::vector<std::string> size_options =
      args.param_file.empty() ? engine_vector(args) : parameter_file_arguments(settings, args.param_file);
  const PixelSize view = converter_view_size(settings, args.width, args.height, size_options);
  ConsoleHost host(settings, view, args.abort_on_error);
  host.set_quiet(args.quiet);

  auto output_for = [&](const std::string& input) {
    if (!args.output.empty()) return args.output;
    return output_in_directory(args.output_dir.empty() ? "." : args.output_dir, input, format);
  };
  std::ostringstream quiet_sink;
  bool all_written = true;
  if (!args.param_file.empty()) {
    std::string path = output_for(args.settings_file.empty() ? args.param_file : inputs[0]);
    PictureOutput output(format, path, view);
    bool written = false;
    bool ok = render(host, output, path, written,
                     [&](Engine& engine) {
                       if (args.quiet) engine.err = &quiet_sink;
                       engine_run_file(engine, args.param_file);
                     });
    print_summary(args, host);
    return ok && written ? 0 : 1;
  }
  for (const std::string& input : inputs) {
    std::string path = output_for(input);
    PictureOutput output(format, path, view);
    bool written = false;
    host.set_progress_bar(wants_progress_bar(args, input));
    bool ok = render(host, output, path, written, [&](Engine& engine) {
      if (args.quiet) engine.err = &quiet_sink;
      engine_run_inputs(engine, engine_vector(args, input));
    });
    if (!ok) {
      print_summary(args, host);
      return 1;
    }
    all_written = all_written && written;
  }
  print_summary(args, host);
  return all_written ? 0 : 1;
}
