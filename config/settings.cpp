#include "config/settings.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <optional>
#include <tuple>
#include <utility>

#include "config/text_lines.h"
#include "engine/numeric.h"

namespace kavor {

namespace {

constexpr size_t kWordField = 8;

// The option names the loader recognises, searched in this order; a line
// is taken by the first name it begins with.
constexpr std::array<std::string_view, 27> kLoaderOptions{
    "-IN", "-PT", "-PM", "-PP", "-PD", "-CC", "-OP", "-OM", "-RE", "-PN", "-MP", "-PX", "-OX", "-BM",
    "-PC", "-DT", "-SP", "-SW", "-SH", "-DE", "-FT", "-DP", "-DW", "-DH", "-COLOR", "-MONO", "-PW",
};

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

std::string_view skip_spaces(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && is_space(text[i])) ++i;
  return text.substr(i);
}

// The first blank-delimited word of text.
std::string_view first_word(std::string_view text) {
  text = skip_spaces(text);
  size_t n = 0;
  while (n < text.size() && !is_space(text[n])) ++n;
  return text.substr(0, n);
}

bool is_expand_capable(int plotter) {
  for (int code : kExpandCapablePlotters)
    if (code == plotter) return true;
  return false;
}

// The text of an 8-character field, up to its terminator.
std::string field_text(const std::array<char, 9>& field) {
  size_t n = 0;
  while (n < kWordField && field[n]) ++n;
  return std::string(field.data(), n);
}

// Stores a word in an 8-character field; a longer word is cut to 8.
void set_field(std::array<char, 9>& field, std::string_view word) {
  field.fill('\0');
  word.copy(field.data(), std::min(word.size(), kWordField));
}

}  // namespace

std::string fixed_decimals(double v, int decimals) {
  char buf[400];
  auto result = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
  return result.ec == std::errc() ? std::string(buf, result.ptr) : std::string("0");
}

std::optional<double> scan_real(std::string_view& text) {
  text = skip_spaces(text);
  std::string_view digits = !text.empty() && text[0] == '+' ? text.substr(1) : text;
  double value = 0;
  auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc()) return std::nullopt;
  text = digits.substr(static_cast<size_t>(result.ptr - digits.data()));
  return value;
}

namespace {

// Reads a decimal integer as "%d" would, saturating instead of overflowing.
std::optional<int> scan_int(std::string_view text) {
  text = skip_spaces(text);
  bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  int64_t value = 0;
  size_t n = 0;
  for (; n < text.size() && text[n] >= '0' && text[n] <= '9'; ++n)
    if (value <= INT32_MAX) value = value * 10 + (text[n] - '0');
  if (n == 0) return std::nullopt;
  return saturate_to_int32(negative ? -value : value);
}

// A pair such as "180x180" or "1.5x2": a number, any one character and a
// number. A missing or negative first number gives nothing; a missing or
// negative second number repeats the first.
std::optional<std::pair<double, double>> read_pair(std::string_view text) {
  std::optional<double> x = scan_real(text);
  if (!x || !std::isfinite(*x) || *x < 0) return std::nullopt;
  std::optional<double> y;
  if (!text.empty()) {
    text.remove_prefix(1);
    y = scan_real(text);
  }
  bool y_usable = y && std::isfinite(*y) && *y >= 0;
  return std::make_pair(*x, y_usable ? *y : *x);
}

// Prints with "%2.8lf" and reads the text back: the zoom percentages are
// kept to eight decimals.
double round_to_8_decimals(double v) {
  std::string text = fixed_decimals(v, 8);
  double back = v;
  std::from_chars(text.data(), text.data() + text.size(), back);
  return back;
}

// The -BM line of the zoom rectangle, or nothing for the whole picture.
// Rewrites the rectangle from the rounded percentages.
std::string zoom_line(ZoomView& z) {
  if (z.width <= 0 || z.height <= 0) return {};
  if (int64_t{z.x1} - z.x0 == int64_t{z.width} - 1 && int64_t{z.y1} - z.y0 == int64_t{z.height} - 1) return {};
  const double w = z.width, h = z.height;
  const double x_pc = round_to_8_decimals(z.x0 * 100.0 / w);
  const double y_pc = round_to_8_decimals(z.y0 * 100.0 / h);
  const double w_pc = round_to_8_decimals(std::abs(static_cast<double>(z.x0) - z.x1) * 100.0 / w);
  const double h_pc = round_to_8_decimals(std::abs(static_cast<double>(z.y1) - z.y0) * 100.0 / h);
  z.x0 = trunc_to_int32(w * x_pc * 0.01);
  z.y1 = trunc_to_int32((h_pc + y_pc) * h * 0.01);
  z.x1 = trunc_to_int32((x_pc + w_pc) * w * 0.01);
  z.y0 = trunc_to_int32(y_pc * h * 0.01);
  if (x_pc == 0 && y_pc == 0 && w_pc == 100 && h_pc == 100) return {};
  return "-BM " + fixed_decimals(x_pc, 8) + " " + fixed_decimals(y_pc, 8) + " " + fixed_decimals(w_pc, 8) + " " +
         fixed_decimals(h_pc, 8) + "\n";
}

// The engine's tokeniser splits at every byte up to 32 and reads a token
// that starts with a double quote up to the next one.
std::string quoted_if_needed(const std::string& path) {
  for (char c : path)
    if (static_cast<unsigned char>(c) <= 32) return "\"" + path + "\"";
  return path;
}

std::string input_line(const std::string& path) { return "-in " + quoted_if_needed(path) + "\n"; }
std::string pen_colour_line(const Settings& s) { return "-PC " + field_text(s.pen_colours) + "\n"; }
std::string pen_width_line(const Settings& s) { return "-PW " + field_text(s.pen_widths) + "\n"; }
std::string printing_line(const Settings& s) { return s.printing ? "-CC ESC/P\n" : ""; }
std::string colour_line(const Settings& s) { return s.colour ? "-COLOR\n" : "-MONO\n"; }

// A plotter or paper code outside the tables writes no line, so that the
// engine keeps its default rather than reading a broken option.
std::string plotter_line(const Settings& s) {
  const NamedCode* plotter = find_code(kPlotterModels, s.plotter);
  return plotter ? "-PT " + std::string(plotter->name) + "\n" : "";
}

std::string paper_line(const Settings& s) {
  const NamedCode* paper = find_code(kPaperNames, s.paper);
  if (!paper) return {};
  bool expanded = s.expand == MODE_EXPAND && is_expand_capable(s.plotter);
  return "-PP " + std::string(paper->name) + (expanded ? "E" : "") + "\n";
}

std::string factor_line(std::string_view option, double x, double y) {
  if (x == 1.0 && y == 1.0) return {};
  return std::string(option) + " " + fixed_decimals(x, 6) + "x" + fixed_decimals(y, 6) + "\n";
}

std::string magnification_line(const Settings& s) { return factor_line("-PX", s.magnification_x, s.magnification_y); }

std::string output_magnification_line(const Settings& s) {
  return factor_line("-OX", s.output_magnification_x, s.output_magnification_y);
}

std::string output_paper_lines(const Settings& s) {
  if (s.output_paper < 0)
    return "-DW " + std::to_string(s.device_width) + "\n-DH " + std::to_string(s.device_height) + "\n";
  const NamedCode* paper = find_code(kOutputPaperNames, s.output_paper);
  return paper ? "-OP " + std::string(paper->name) + "\n" : "";
}

std::string resolution_lines(const Settings& s) {
  return "-RE " + std::to_string(s.resolution_x) + "x" + std::to_string(s.resolution_y) + "\n" +
         (s.real_size ? "-SM REAL\n" : "-SM NORMAL\n");
}

std::string split_print_line(int split_index) {
  if (split_index < 1 || split_index > static_cast<int>(kSplitPrintLines.size())) return {};
  return std::string(kSplitPrintLines[static_cast<size_t>(split_index - 1)]);
}

bool write_text_file(const std::string& path, const std::string& text, const MessageFn& report) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) {
    out << text;
    out.close();
  }
  if (out) return true;
  if (report) report("Disk full, can not create parameter file " + path + "!\n", "REREZA");
  return false;
}

void load_paper(Settings& s, std::string_view word) {
  if (const NamedCode* paper = find_name(kPaperNames, word)) {
    s.paper = paper->code;
    s.expand = MODE_NORMAL;
    return;
  }
  if (const NamedCode* paper = find_name(kExpandedPaperNames, word)) s.paper = paper->code;
  s.expand = MODE_EXPAND;
}

void load_option(Settings& s, std::string_view option, std::string_view value) {
  std::string_view word = first_word(value);
  if (option == "-PT") {
    if (const NamedCode* plotter = find_name(kPlotterModels, word)) s.plotter = plotter->code;
  } else if (option == "-PP") {
    load_paper(s, word);
  } else if (option == "-OP") {
    if (const NamedCode* paper = find_name(kOutputPaperNames, word)) s.output_paper = paper->code;
    s.device_width = s.device_height = -1;
  } else if (option == "-RE") {
    if (auto pair = read_pair(value)) {
      s.resolution_x = trunc_to_int32(pair->first);
      s.resolution_y = trunc_to_int32(pair->second);
    }
  } else if (option == "-PX") {
    if (auto pair = read_pair(value)) std::tie(s.magnification_x, s.magnification_y) = *pair;
  } else if (option == "-OX") {
    if (auto pair = read_pair(value)) std::tie(s.output_magnification_x, s.output_magnification_y) = *pair;
  } else if (option == "-PC" || option == "-PW") {
    if (!word.empty()) set_field(option == "-PC" ? s.pen_colours : s.pen_widths, word);
  } else if (option == "-DW" || option == "-DH") {
    if (auto size = scan_int(value)) (option == "-DW" ? s.device_width : s.device_height) = *size;
    s.output_paper = -1;
  } else if (option == "-COLOR") {
    s.colour = 1;
  } else if (option == "-MONO") {
    s.colour = 0;
  }
  // Every other option, the zoom (-BM), printing (-CC) and input among
  // them, is not restored.
}

void load_settings_line(Settings& s, std::string line) {
  if (line.empty() || line[0] != '-') return;
  upper_case_ascii(line);
  std::string_view text = line;
  for (std::string_view option : kLoaderOptions) {
    if (!text.starts_with(option)) continue;
    load_option(s, option, text.substr(3));  // the value starts after a three-letter name
    return;
  }
}

}  // namespace

std::string settings_file_path(const std::string& dir, std::string_view name) {
  std::string path = dir;
  if (!path.empty() && path.back() != '/') path += '/';
  path += name;
  return path;
}

void upper_case_ascii(std::string& text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
}

bool write_parameter_file(const Settings& s, const std::string& dir, const std::string& input_path,
                          int split_index, ZoomView& zoom, const MessageFn& report) {
  std::string text = input_line(input_path) + "-NOVRESET\n" + "-NOWAIT\n" + pen_colour_line(s) +
                     pen_width_line(s) + printing_line(s) + plotter_line(s) + paper_line(s) +
                     magnification_line(s) + output_paper_lines(s) + resolution_lines(s) +
                     output_magnification_line(s) + colour_line(s);
  text += split_index != 0 ? split_print_line(split_index) : zoom_line(zoom);
  return write_text_file(settings_file_path(dir, kParameterFileName), text, report);
}

bool save_settings_file(const Settings& s, const std::string& path, ZoomView& zoom, const MessageFn& report) {
  std::string text = zoom_line(zoom) + pen_colour_line(s) + pen_width_line(s) + plotter_line(s) + paper_line(s) +
                     magnification_line(s) + output_magnification_line(s) + printing_line(s) +
                     output_paper_lines(s) + resolution_lines(s) + colour_line(s);
  return write_text_file(path, text, report);
}

void load_settings_file(Settings& s, const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return;
  LineReader lines(in);
  std::string line;
  while (lines.next(line)) load_settings_line(s, line);
}

void reset_settings(Settings& s, const std::string& dir, const ForgetViewFn& forget_view) {
  s = Settings{};
  if (forget_view) forget_view();
  load_settings_file(s, settings_file_path(dir, kDefaultSettingsFileName));
}

void clear_default_settings(Settings& s, const std::string& dir, const ForgetViewFn& forget_view) {
  std::error_code ignored;
  std::filesystem::remove(settings_file_path(dir, kDefaultSettingsFileName), ignored);
  reset_settings(s, dir, forget_view);
}

std::string slot_file_name(int slot) {
  if (slot < 1 || slot > 4) return {};
  // $config.kv with the last letter before the dot replaced by the slot digit.
  std::string name(kDefaultSettingsFileName);
  name[name.find('.') - 1] = static_cast<char>('0' + slot);
  return name;
}

bool save_settings_slot(const Settings& s, const std::string& dir, int slot, bool save_as_default, ZoomView& zoom,
                        const MessageFn& report) {
  std::string name = slot_file_name(slot);
  if (name.empty()) return false;
  bool default_saved = !save_as_default || save_settings_file(s, settings_file_path(dir, kDefaultSettingsFileName), zoom, report);
  bool slot_saved = save_settings_file(s, settings_file_path(dir, name), zoom, report);
  return default_saved && slot_saved;
}

void load_settings_slot(Settings& s, const std::string& dir, int slot) {
  std::string name = slot_file_name(slot);
  if (!name.empty()) load_settings_file(s, settings_file_path(dir, name));
}

}  // namespace kavor
