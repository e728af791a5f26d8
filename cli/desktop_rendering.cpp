#include "cli/desktop_rendering.h"

#include <sstream>

#include "cli/output_names.h"
#include "cli/picture_layout.h"
#include "config/settings.h"
#include "engine/quiet_engine.h"
#include "engine/rendering.h"
#include "engine/run.h"
#include "platform/safe_output.h"

namespace kavor {

namespace {

constexpr int kMaxSide = 20000;

// The picture: the size given, or the width given and the proportions of
// the hard clip that the parameter file's options make.
PixelSize picture_size(const ConvertArguments& a, const std::string& settings_dir, const std::string& param_file) {
  const int width = a.width > 0 ? a.width : kDefaultPictureWidth;
  if (a.height > 0) return {width, a.height};
  QuietEngine quiet(settings_dir);
  std::vector<std::string> options = parameter_file_arguments(settings_dir, param_file);
  PictureLayout layout;
  if (options.empty() || !quiet.prepare(separate_inputs(quiet.engine, options).parameters) ||
      !picture_layout(quiet.engine.gs.device.ext_x, quiet.engine.gs.device.ext_y, {width, 0, false, 0}, kMaxSide,
                      layout))
    return {width, width * 3 / 4};
  return layout.picture;
}

int usage_error(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n' << kConvertUsage;
  return 2;
}

}  // namespace

int render_as_desktop(const ConvertArguments& a, const std::string& settings_dir, PictureFormat format,
                      ConsoleHost& host) {
  std::string param_file = a.param_file;
  if (!a.settings_file.empty()) {
    if (a.inputs.size() != 1 || a.inputs[0] == "-") return usage_error("--settings renders exactly one input file");
    Settings desktop;
    load_settings_file(desktop, a.settings_file);
    const int width = a.width > 0 ? a.width : kDefaultPictureWidth;
    const int height = a.height > 0 ? a.height : width * 3 / 4;
    ZoomView whole{width, height, 0, 0, width - 1, height - 1};
    auto report = [](const std::string& text, const std::string&) { std::cerr << text; };
    if (!write_parameter_file(desktop, settings_dir, a.inputs[0], 0, whole, report)) return 1;
    param_file = settings_file_path(settings_dir, "$param.kv");
  }
  const std::string named_after = a.settings_file.empty() ? a.param_file : a.inputs[0];
  const OutputNames names(a.output, a.output_dir, picture_extension(format), {named_after});
  const std::string path = names.whole(0);
  if (is_one_of(path, {a.param_file, a.settings_file, named_after})) return usage_error(path + " is one of the inputs");
  const PixelSize size = picture_size(a, settings_dir, param_file);
  host.set_view(size);

  SafeOutput safe(path);
  if (!safe.begin()) {
    std::cerr << "kavor-convert: " << safe.error() << '\n';
    return 1;
  }
  PictureOutput output(format, safe.write_path(), size);
  if (!output.open()) {
    std::cerr << "kavor-convert: cannot write " << path << '\n';
    return 1;
  }
  host.begin_run();
  host.start_deadline(a.timeout);
  Engine engine(host);
  std::ostringstream quiet_sink;
  if (a.quiet) engine.err = &quiet_sink;
  DeviceTargets targets;
  output.attach(targets);
  const bool finished = run_rendering(engine, targets, [&](Engine& e) { engine_run_file(e, param_file); });
  host.end_run();
  if (host.timed_out()) {
    std::cerr << "kavor-convert: " << named_after << ": stopped after the --timeout of " << a.timeout << " seconds\n";
    return 1;
  }
  if (!finished || host.aborted()) return 1;
  if (!output.close()) {
    std::cerr << "kavor-convert: cannot write " << path << '\n';
    return 1;
  }
  if (!safe.commit()) {
    std::cerr << "kavor-convert: " << safe.error() << '\n';
    return 1;
  }
  return 0;
}

}  // namespace kavor
