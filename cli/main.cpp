// kavor-convert: runs the engine headless over plot files and writes the
// pictures.

#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <filesystem>
#include <iostream>

#include "cli/arguments.h"
#include "cli/console_host.h"
#include "cli/conversion.h"
#include "cli/desktop_rendering.h"
#include "cli/output_names.h"
#include "cli/settings_fallback.h"
#include "cli/sheet_printing.h"
#include "platform/picture_output.h"
#include "platform/settings_dir.h"

using namespace kavor;

namespace {

// Qt's image and PDF writers warn on standard error about what fails as
// they write; the converter reports every failed output itself.
void only_serious_qt_messages(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) std::cerr << text.toStdString() << '\n';
}

int usage_error(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n' << kConvertUsage;
  return 2;
}

// Checks what the whole command line asks for before anything is read or
// written; an empty text when it can go ahead.
std::string check_outputs(const ConvertArguments& a, PictureFormat format, const OutputNames& names) {
  if (!picture_format_available(format))
    return std::string("this system's Qt has no writer for ") + picture_extension(format);
  if (a.dpi && format == PictureFormat::hpgl) return "--dpi does not apply to the hpgl conversion file";
  if (!a.output.empty() && a.inputs.size() > 1) return "-o names one output; use --out-dir for several inputs";
  if (std::count(a.inputs.begin(), a.inputs.end(), "-") > 1) return "standard input can be read only once";
  if (a.pages || a.page) return {};  // the names of pages are checked once the pages are known
  for (size_t i = 0; i < a.inputs.size(); ++i)
    if (is_one_of(names.whole(i), a.inputs)) return names.whole(i) + " is one of the inputs; nothing was written";
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  qInstallMessageHandler(only_serious_qt_messages);
  ConvertArguments args = parse_convert_arguments(argc, argv);
  if (args.help) {
    std::cout << kConvertUsage;
    return 0;
  }
  if (args.version) {
    std::cout << "kavor-convert " << KAVOR_VERSION << '\n';
    return 0;
  }
  if (!args.error.empty()) return usage_error(args.error);
  if (args.inputs.empty() && args.param_file.empty()) {
    if (isatty(STDIN_FILENO)) return usage_error("no input file (give '-' to read standard input)");
    args.inputs.push_back("-");
  }
  // Printed sheets are PDF pages; print_sheets checks their output.
  const bool sheets = prints_sheets(args);
  PictureFormat format = PictureFormat::pdf;
  if (!sheets && !choose_picture_format(args.format, args.output, format)) {
    if (!args.format.empty()) return usage_error("unknown format " + args.format + " (" + picture_format_names() + ")");
    return usage_error("cannot tell the format of " + args.output + " from its name: give --format (" +
                       picture_format_names() + ")");
  }
  const OutputNames names(args.output, args.output_dir, picture_extension(format), args.inputs);
  if (std::string problem = sheets ? std::string() : check_outputs(args, format, names); !problem.empty())
    return usage_error(problem);
  if (!args.output_dir.empty()) {
    std::error_code ec;
    std::filesystem::create_directories(args.output_dir, ec);
    if (ec) {
      std::cerr << "kavor-convert: cannot create " << args.output_dir << ": " << ec.message() << '\n';
      return 1;
    }
  }

  const SettingsFallback settings(default_settings_dir());
  if (!settings.notice().empty() && !args.quiet) std::cerr << "kavor-convert: " << settings.notice() << '\n';
  ConsoleHost host(settings.dir(), args.abort_on_error);
  host.set_quiet(args.quiet);
  int status = 0;
  if (sheets) {
    status = print_sheets(args, settings.dir(), host);
  } else if (!args.param_file.empty() || !args.settings_file.empty()) {
    status = render_as_desktop(args, settings.dir(), format, host);
  } else {
    const Conversion conversion{args, settings.dir(), format, names, host};
    for (size_t i = 0; i < args.inputs.size(); ++i) {
      if (convert_input(conversion, i)) continue;
      std::cerr << "kavor-convert: " << args.inputs[i] << " was not converted\n";
      status = 1;
    }
  }
  const std::string summary = host.summary();
  if (!args.quiet && !summary.empty()) std::cerr << "kavor-convert: " << summary << '\n';
  return status;
}
