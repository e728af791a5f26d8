#include "cli/sheet_printing.h"

#include <QTemporaryFile>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/output_names.h"
#include "cli/page_measure.h"
#include "cli/sheet_plan.h"
#include "config/settings.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "platform/cups_queue.h"
#include "platform/picture_output.h"
#include "platform/safe_output.h"
#include "platform/sheet_pdf.h"

namespace kavor {

namespace {

constexpr int kDefaultDpi = 300;
constexpr const char* kDefaultPaper = "A4";

int usage_error(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n' << kConvertUsage;
  return 2;
}

int failure(const std::string& text) {
  std::cerr << "kavor-convert: " << text << '\n';
  return 1;
}

// The engine options of every sheet: the user's, the plotter and paper
// that hold the drawing when --fit paper asks for them, and the printer
// device at the resolution of the pages.
std::vector<std::string> sheet_options(const ConvertArguments& a, const std::string& settings_dir, int dpi) {
  std::vector<std::string> options{kProgramName, "-COLOR"};
  options.insert(options.end(), a.engine_options.begin(), a.engine_options.end());
  if (a.fit == FitMode::paper) {
    PlotBox drawing;
    for (const PlotBox& page : measure_pages({settings_dir, options, a.inputs[0], a.abort_on_error}))
      drawing.add(page);
    SheetPlanner planner(settings_dir, options, FitMode::paper);
    const Sheet sheet = planner.sheet_for(drawing);
    if (!sheet.holds_page) std::cerr << "kavor-convert: no paper holds the drawing of " << a.inputs[0] << '\n';
    options.insert(options.end(), sheet.options.begin(), sheet.options.end());
  }
  options.insert(options.end(), {"-CC", "ESC/P", "-RE", std::to_string(dpi)});
  return options;
}

// A sheet's run: its split line (none for the single sheet), then the input.
std::vector<std::string> sheet_arguments(std::vector<std::string> options, int index, const std::string& input) {
  if (index != 0) {
    std::istringstream split(std::string(kSplitPrintLines.at(static_cast<size_t>(index - 1))));
    for (std::string word; split >> word;) options.push_back(word);
  }
  options.push_back("-IN");
  options.push_back(input);
  return options;
}

}  // namespace

int print_sheets(const ConvertArguments& a, const std::string& settings_dir, ConsoleHost& host) {
  const std::string& input = a.inputs.at(0);
  PictureFormat format = PictureFormat::pdf;
  if (!a.output.empty() && (!choose_picture_format(a.format, a.output, format) || format != PictureFormat::pdf))
    return usage_error("--split and --print write PDF pages: name the output .pdf");
  if (!a.output.empty() && is_one_of(a.output, a.inputs)) return usage_error(a.output + " is one of the inputs");
  SheetDocument document{QPageSize(QPageSize::A4), a.dpi ? a.dpi : kDefaultDpi,
                         std::filesystem::path(input).filename().string()};
  const std::string paper = a.paper.empty() ? kDefaultPaper : a.paper;
  if (!paper_named(paper, document.paper)) return usage_error("unknown paper " + paper);
  const PrintLayoutEntry& layout = *print_layout_of_sheets(a.split ? a.split : 1);
  std::error_code ec;
  if (!std::filesystem::is_regular_file(input, ec)) return failure("cannot read " + input);
  if (!a.print_queue.empty() && !has_queue(a.print_queue)) return failure("no printer queue " + a.print_queue);

  // The pages go to -o, written safely, or to a temporary file that only
  // the queue reads.
  SafeOutput safe(a.output.empty() ? std::string() : a.output);
  QTemporaryFile spool;
  std::string path;
  if (!a.output.empty()) {
    if (!safe.begin()) return failure(safe.error());
    path = safe.write_path();
  } else if (spool.open()) {
    path = spool.fileName().toStdString();
  }
  std::ofstream file;
  if (!path.empty()) file.open(path, std::ios::binary | std::ios::trunc);
  if (!file.is_open()) return failure("cannot write the pages of " + input);

  const std::vector<std::string> options = sheet_options(a, settings_dir, document.dpi);
  std::ostringstream quiet_sink;
  auto sheet = [&](int index) {
    std::vector<std::string> arguments = sheet_arguments(options, index, input);
    // The input is named once, when its first sheet is drawn.
    const bool quiet = a.quiet || index != layout.first_index;
    return SheetRun{layout, arguments, [quiet, &quiet_sink, arguments](Engine& e) {
                      if (quiet) e.err = &quiet_sink;
                      engine_run_inputs(e, arguments);
                    }};
  };
  host.begin_run();
  const bool finished = write_sheet_pdf(file, host, document, layout, sheet);
  host.end_run();
  file.close();
  if (!finished || host.aborted()) return 1;
  if (!file) return failure("cannot write the pages of " + input);
  if (!a.output.empty() && !safe.commit()) return failure(safe.error());
  std::string error;
  const std::string written = a.output.empty() ? path : a.output;
  if (!a.print_queue.empty() && !send_to_queue(a.print_queue, document.title, kPdfDocument, written, error))
    return failure(error);
  return 0;
}

}  // namespace kavor
