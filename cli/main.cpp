// kavor-convert: runs the engine headless over plot files and writes the
// pictures.

#include <iostream>

#include "cli/arguments.h"
#include "cli/console_host.h"
#include "cli/picture_output.h"
#include "cli/view_size.h"
#include "device/draw_device.h"
#include "engine/engine.h"
#include "engine/fatal_error.h"
#include "engine/run.h"

using namespace kavor;

namespace {

std::vector<std::string> engine_vector(const ConvertArguments& a) {
  std::vector<std::string> v{"Dummy.EXE", "-COLOR"};
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

int usage_error(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n' << kConvertUsage;
  return 2;
}

// One rendering into one output file, bracketed as the drawing device
// requires. Returns false after a fatal error (the picture drawn until then
// is still saved).
template <typename Run>
bool render(Host& host, PictureOutput& output, const std::string& path, bool& written, Run run) {
  written = false;
  if (!output.open()) {
    std::cerr << "kavor-convert: cannot write " << path << '\n';
    return true;
  }
  Engine engine(host);
  output.attach(engine.device.targets);
  reset_display_batch(engine);
  bool fatal = false;
  try {
    run(engine);
  } catch (const FatalError&) {
    fatal = true;
  }
  flush_display_batch(engine);
  engine.device.targets = DeviceTargets{};
  written = output.close();
  if (!written) std::cerr << "kavor-convert: cannot write " << path << '\n';
  return !fatal;
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
  const std::vector<std::string> size_options =
      args.param_file.empty() ? engine_vector(args) : parameter_file_vector(settings, args.param_file);
  const PixelSize view = converter_view_size(settings, args.width, args.height, size_options);
  ConsoleHost host(settings, view, args.abort_on_error);

  auto output_for = [&](const std::string& input) {
    if (!args.output.empty()) return args.output;
    return output_in_directory(args.output_dir.empty() ? "." : args.output_dir, input, format);
  };
  bool all_written = true;
  if (!args.param_file.empty()) {
    std::string path = output_for(args.param_file);
    PictureOutput output(format, path, view);
    bool written = false;
    bool ok = render(host, output, path, written,
                     [&](Engine& engine) { engine_run_file(engine, args.param_file); });
    return ok && written ? 0 : 1;
  }
  for (const std::string& input : inputs) {
    std::string path = output_for(input);
    PictureOutput output(format, path, view);
    bool written = false;
    bool ok = render(host, output, path, written,
                     [&](Engine& engine) { engine_run_inputs(engine, engine_vector(args, input)); });
    if (!ok) return 1;
    all_written = all_written && written;
  }
  return all_written ? 0 : 1;
}
