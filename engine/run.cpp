#include "engine/run.h"

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "engine/diagnostics.h"
#include "geometry/line_path.h"
#include "hpgl/configuration.h"
#include "hpgl/dispatch.h"

namespace kavor {

namespace {

constexpr size_t kMaxEntries = 40;
constexpr size_t kTokenBytes = 512;
constexpr size_t kMaxListed = 50;
constexpr unsigned kPumpInterval = 256;

bool is_separator(unsigned char c) { return c <= 32; }

bool starts_with_input_marker(const std::string& token) {
  if (token.size() < 3 || token[0] != '-') return false;
  return std::toupper(static_cast<unsigned char>(token[1])) == 'I' &&
         std::toupper(static_cast<unsigned char>(token[2])) == 'N';
}

}  // namespace

void run_main_loop(Engine& e) {
  device_extents(e);
  for (;;) {
    int c = next_input_char(e);
    int result = e.run.state(e, c);
    if (++e.pump_countdown >= kPumpInterval) {
      e.pump_countdown = 0;
      e.host.pump();
    }
    if (e.host.cancel_requested() || result == -1) break;
  }
  e.run.input.close();
}


void report_progress(Engine& e, int c) {
  RunContext& r = e.run;
  const int64_t size = r.input_size;
  if (c < 0 || size <= 0) return;
  int percent = r.consumed >= size ? 100 : static_cast<int>(r.consumed * 100 / size);
  if (percent != r.last_percent || percent == 100) {
    e.host.progress(percent);
    r.last_percent = percent;
  }
  if (percent >= 100) {
    // From here every character reports again, as 100 is reported each time.
    r.progress_lo = INT64_MAX;
    r.progress_hi = 0;
    return;
  }
  // The percentage stays p while p*size <= consumed*100 < (p+1)*size.
  r.progress_lo = (static_cast<int64_t>(percent) * size + 99) / 100;
  r.progress_hi = (static_cast<int64_t>(percent + 1) * size + 99) / 100;
}

std::vector<std::string> tokenise_parameter_file(Engine& e, const std::string& bytes) {
  std::vector<std::string> args{kProgramName};
  size_t used = 0;  // bytes of the 512-byte token buffer, terminators included
  size_t i = 0;
  auto store = [&](std::string& token, char c) {
    if (used >= kTokenBytes) report_system_error(e, "length of parameter is over system limit !");
    ++used;
    if (c) token += c;
  };
  while (i < bytes.size()) {
    unsigned char c = static_cast<unsigned char>(bytes[i]);
    if (is_separator(c)) {
      ++i;
      continue;
    }
    if (args.size() >= kMaxEntries) report_system_error(e, "number of parameter is over system limit !");
    std::string token;
    if (c == '"') {
      // A quoted token runs to the next double quote: paths with blanks.
      ++i;
      while (i < bytes.size() && bytes[i] != '"') store(token, bytes[i++]);
      if (i < bytes.size()) ++i;
    } else {
      while (i < bytes.size() && !is_separator(static_cast<unsigned char>(bytes[i]))) store(token, bytes[i++]);
    }
    store(token, 0);
    args.push_back(std::move(token));
  }
  return args;
}

void engine_run_file(Engine& e, const std::string& path) {
  std::error_code ec;
  std::ifstream in;
  if (!std::filesystem::is_directory(path, ec)) in.open(path, std::ios::binary);
  if (!in.is_open()) report_fatal_fmt(e, "parameter file %s not found !", path);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  engine_run_inputs(e, tokenise_parameter_file(e, bytes));
}

void engine_run(Engine& e) { engine_run_file(e, e.host.settings_dir() + "$param.kv"); }

RunInputs separate_inputs(Engine& e, const std::vector<std::string>& args) {
  RunInputs lists;
  lists.parameters.push_back(args.empty() ? std::string(kProgramName) : args[0]);
  // A token without a leading minus sign is classified like the last one
  // that had it: the value of an option follows its option.
  bool input_marker = false;
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string& token = args[i];
    if (!token.empty() && token[0] == '-') input_marker = starts_with_input_marker(token);
    if (!input_marker) {
      if (lists.parameters.size() >= kMaxListed) report_fatal(e, "Too many parameters !");
      lists.parameters.push_back(token);
      continue;
    }
    if (i + 1 >= args.size()) continue;
    if (lists.inputs.size() >= kMaxListed) report_fatal(e, "Too many input files !");
    lists.inputs.push_back(args[++i]);
  }
  return lists;
}

void engine_run_inputs(Engine& e, const std::vector<std::string>& args) {
  const RunInputs lists = separate_inputs(e, args);
  if (lists.inputs.empty()) {
    reset_run_state(e);
    engine_run_once(e, lists.parameters);
    return;
  }
  for (const std::string& input : lists.inputs) {
    *e.err << "Now rasterizing [" << input << "]\n";
    reset_run_state(e);
    std::vector<std::string> run_vector = lists.parameters;
    run_vector.push_back("-IN");
    run_vector.push_back(input);
    engine_run_once(e, run_vector);
  }
}

void reset_run_state(Engine& e) {
  e.run.input.use_stdin();
  e.run.input_size = 0;
  e.run.consumed = 0;
  e.run.last_percent = -1;
  // Without a known input size nothing is reported.
  e.run.progress_lo = 0;
  e.run.progress_hi = INT64_MAX;
  e.run.output_file.reset();
  e.run.log_file.reset();
  e.options = OptionState{};
  set_pen_colours(e, "WKBGRMCY");
  e.run.view = e.host.view_area();
  read_pen_colour_file(e);
}

bool open_input_file(Engine& e, const std::string& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec) || std::filesystem::is_directory(path, ec)) return false;
  if (!e.run.input.open_file(path)) return false;
  auto size = std::filesystem::is_regular_file(path, ec) ? std::filesystem::file_size(path, ec) : 0;
  e.run.input_size = ec ? 0 : static_cast<int64_t>(size);
  e.run.consumed = 0;
  e.run.last_percent = -1;
  // The first character read reports; an empty file reports nothing.
  e.run.progress_lo = 0;
  e.run.progress_hi = e.run.input_size > 0 ? 0 : INT64_MAX;
  return true;
}

void engine_run_memory(Engine& e, const std::vector<std::string>& run_vector, std::string data) {
  reset_run_state(e);
  e.run.input.open_memory(std::move(data));
  engine_run_once(e, run_vector);
}

void prepare_run(Engine& e, const std::vector<std::string>& run_vector) {
  // Messages raised while the options are parsed carry no mnemonic.
  e.run.mnemonic[0] = e.run.mnemonic[1] = ' ';
  parse_options(e, run_vector);
  init_interpreter(e);
}

void change_sheet(Engine& e, const std::vector<std::string>& sheet_options) {
  parse_options(e, sheet_options);
  e.run.view = e.host.view_area();
  if (e.options.device == DeviceKind::PRINTER) read_printer_page(e);
  build_plot_area(e);
}

void engine_run_once(Engine& e, const std::vector<std::string>& run_vector) {
  prepare_run(e, run_vector);
  draw_clip_frame(e);
  run_main_loop(e);
}

}  // namespace kavor
