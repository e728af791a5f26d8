// Engine options: the flag words, the option table and its value tables.

#include "engine/options.h"

#include <cctype>
#include <cstring>
#include <string_view>

#include "config/plotters.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "engine/units.h"
#include "hpgl/lexer.h"

namespace kavor {

namespace {

struct NamedValue {
  const char* name;
  int value;
};

constexpr NamedValue kFileTypes[] = {{"SPR", 8}, {"4PACK", 1}, {"MHFAX", 2}, {"NTL", 3}, {"MRAW", 4},
                                     {"SF", 6},  {"SFF", 6},   {"SFN", 7},   {nullptr, -1}};
constexpr NamedValue kPlotterModes[] = {{"EMULATION", 0}, {"STANDARD", 1}, {"EXPAND", 2}, {nullptr, -1}};
constexpr NamedValue kPaperDirections[] = {{"V", 0}, {"H", 1}, {nullptr, -1}};
constexpr NamedValue kOutputPages[] = {{"A4", 0}, {"A3", 1}, {"A2", 2}, {"A1", 3}, {"A0", 4}, {nullptr, -1}};
constexpr NamedValue kDevices[] = {{"FILE", 1}, {"DISPLAY", 2}, {"PRINTER", 0}, {nullptr, -1}};
constexpr NamedValue kSizeModes[] = {{"NORMAL", 1}, {"REAL", 2}, {"FIT", 3}, {nullptr, -1}};

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

int lookup(const NamedValue* table, const std::string& value) {
  std::string key = upper(value);
  for (; table->name; ++table)
    if (key == table->name) return table->value;
  return -1;
}

template <size_t N>
int lookup(const std::array<NamedCode, N>& table, const std::string& value) {
  const NamedCode* entry = find_name(table, upper(value));
  return entry ? entry->code : -1;
}

bool all_digits(const std::string& s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  return true;
}

// Reads "%d" at pos like the C scanner: blanks, a sign, digits.
bool read_int(const std::string& s, size_t& pos, int& out) {
  size_t p = pos;
  while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
  size_t start = p;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
  size_t digits = p;
  while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) ++p;
  if (p == digits) return false;
  const char* b = s.data() + start + (s[start] == '+' ? 1 : 0);
  out = saturate_to_int32(static_cast<int64_t>(parse_integer(b, s.data() + p)));
  pos = p;
  return true;
}

// Reads "%lf" at pos: blanks, then the longest decimal number.
bool read_double(const std::string& s, size_t& pos, double& out) {
  size_t p = pos;
  while (p < s.size() && std::isspace(static_cast<unsigned char>(s[p]))) ++p;
  size_t start = p;
  if (p < s.size() && (s[p] == '+' || s[p] == '-')) ++p;
  size_t mantissa = p;
  while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) ++p;
  if (p < s.size() && s[p] == '.') {
    ++p;
    while (p < s.size() && std::isdigit(static_cast<unsigned char>(s[p]))) ++p;
  }
  if (p == mantissa || (p == mantissa + 1 && s[mantissa] == '.')) return false;
  out = parse_real(s.data() + start, s.data() + p);
  pos = p;
  return true;
}

// Integer pair syntax: one integer when all digits, else integer, any one
// character, integer. Both start at -1.
void integer_pair(const std::string& v, int& x, int& y) {
  x = y = -1;
  size_t pos = 0;
  if (!read_int(v, pos, x)) return;
  if (all_digits(v) || pos >= v.size()) return;
  ++pos;
  read_int(v, pos, y);
}

void factor_pair(const std::string& value, double& x, double& y) {
  std::string v = upper(value);
  size_t pos = 0;
  double a = 0;
  read_double(v, pos, a);
  x = y = a;
  if (v.find('X') == std::string::npos || pos >= v.size()) return;
  ++pos;
  double b;
  if (read_double(v, pos, b)) y = b;
}

using ValueHandler = bool (*)(Engine&, const std::string&);

bool opt_in(Engine& e, const std::string& v) {
  if (!open_input_file(e, v)) report_fatal_fmt(e, " input file %s not found !", v);
  return true;
}
bool opt_pt(Engine& e, const std::string& v) {
  int code = lookup(kPlotterModels, v);
  if (code < 0) code = lookup(kPlotterFamilies, v);
  if (code < 0) return false;
  e.options.plotter = code;
  return true;
}
bool opt_pm(Engine& e, const std::string& v) {
  int m = lookup(kPlotterModes, v);
  if (m < 0) return false;
  e.options.plotter_mode = m;
  return true;
}
bool opt_pp(Engine& e, const std::string& v) {
  int p = lookup(kPaperNames, v);
  if (p >= 0) {
    e.options.paper = p;
    e.options.expanded = MODE_NORMAL;
    return true;
  }
  p = lookup(kExpandedPaperNames, v);
  if (p < 0) return false;
  e.options.paper = p;
  e.options.expanded = MODE_EXPAND;
  return true;
}
bool opt_pd(Engine& e, const std::string& v) {
  int d = lookup(kPaperDirections, v);
  if (d < 0) return false;
  e.options.paper_direction = d;
  return true;
}
bool opt_cc(Engine& e, const std::string&) {
  e.options.device = DeviceKind::PRINTER;
  read_printer_page(e);
  return true;
}
bool opt_op(Engine& e, const std::string& v) {
  int p = lookup(kOutputPages, v);
  if (p < 0) return false;
  e.options.output_page = p;
  return true;
}
bool opt_om(Engine& e, const std::string& v) {
  report_warning_fmt(e, "not support %s option !", v);
  return false;
}
bool opt_re(Engine& e, const std::string& v) {
  int x, y;
  integer_pair(v, x, y);
  if (x <= 0) report_fatal_fmt(e, "Error: Invalid Output DPI[%s] !", v);
  e.options.resolution_x = x;
  e.options.resolution_y = y < 0 ? x : y;
  return true;
}
bool opt_pn(Engine& e, const std::string& v) {
  report_warning_fmt(e, "not support %s option !\n", v);
  return false;
}
bool opt_mp(Engine& e, const std::string& value) {
  std::string v = upper(value);
  if (v.size() < 2 || v[0] != '-' || v[1] != 'M') return false;
  char unit = v.size() > 2 ? v[2] : 0;
  if (unit == 'I')
    e.options.margin_unit = kPlotterUnitsPerInch;
  else if (unit == 'M')
    e.options.margin_unit = kPlotterUnitsPerMm;
  else
    report_warning(e, "Errror margin options !\n");
  char side = v.size() > 3 ? v[3] : 0;
  if (side != 'B' && side != 'L' && side != 'R' && side != 'T') return false;
  e.options.margin_side = side;
  return true;
}
bool opt_px(Engine& e, const std::string& v) {
  factor_pair(v, e.options.magnification_x, e.options.magnification_y);
  return true;
}
bool opt_ox(Engine& e, const std::string& v) {
  factor_pair(v, e.options.output_factor_x, e.options.output_factor_y);
  return true;
}
bool opt_pc(Engine& e, const std::string& v) {
  e.options.pen_letters = upper(v);
  set_pen_colours(e, e.options.pen_letters.c_str());
  return true;
}
bool opt_dt(Engine&, const std::string&) { return true; }
bool opt_sp(Engine& e, const std::string& v) {
  int x, y;
  integer_pair(v, x, y);
  if (x <= 0) report_fatal_fmt(e, "Error: Invalid status position [%s] !", v);
  e.options.status_x = x;
  e.options.status_y = y < 0 ? 0 : y;
  return true;
}
// The single integers of -SW, -SH, -DW and -DH use the pair syntax's first number.
int single_integer(const std::string& v) {
  int x, y;
  integer_pair(v, x, y);
  return x;
}
constexpr char kInvalidStatusSize[] = "Error: Invalid status window width [%s] !";
constexpr char kInvalidDisplaySize[] = "Error: Invalid display window width [%s] !";

// -SW, -SH, -DW and -DH: a window size of at least 1 into the field.
template <int OptionState::*Field, const char* Message>
bool opt_window_size(Engine& e, const std::string& v) {
  int size = single_integer(v);
  if (size <= 0) report_fatal_fmt(e, Message, v);
  e.options.*Field = size;
  return true;
}
bool opt_de(Engine& e, const std::string& v) {
  int d = lookup(kDevices, v);
  if (d < 0) return false;
  e.options.device = static_cast<DeviceKind>(d);
  return true;
}
bool opt_ft(Engine& e, const std::string& v) {
  int t = lookup(kFileTypes, v);
  if (t < 0) return false;
  e.options.output_file_type = t;
  e.options.device = DeviceKind::FILE;
  return true;
}
bool opt_dp(Engine& e, const std::string& v) {
  int x, y;
  integer_pair(v, x, y);
  if (x <= 0) report_fatal_fmt(e, "Error: Invalid display position [%s] !", v);
  e.options.display_x = x;
  e.options.display_y = y < 0 ? 0 : y;
  return true;
}
bool opt_pw(Engine& e, const std::string& value) {
  std::string v = upper(value);
  if (v.size() > 256) {
    report_warning(e, "length over of -PW option !");
    return false;
  }
  for (char c : v) {
    if (!std::isdigit(static_cast<unsigned char>(c)) && !(c >= 'A' && c <= 'Z')) {
      report_warning(e, "invalid data in -PW option !");
      return false;
    }
  }
  e.options.pen_width_codes.fill(0);
  for (size_t i = 0; i < v.size(); ++i)
    e.options.pen_width_codes[i] = static_cast<uint8_t>(std::isdigit(static_cast<unsigned char>(v[i])) ? v[i] - '0' : v[i] - 'A' + 10);
  e.options.pen_widths_supplied = true;
  return true;
}
bool opt_sm(Engine& e, const std::string& v) {
  int m = lookup(kSizeModes, v);
  if (m < 0) return false;
  e.options.size_mode = m;
  return true;
}

struct OptionEntry {
  const char* name;
  int number;
  ValueHandler handler;  // nullptr for -BM, handled by the parser itself
};

constexpr int kTrimOption = 14;

constexpr OptionEntry kOptions[] = {
    {"-IN", 1, opt_in},   {"-PT", 2, opt_pt},   {"-PM", 3, opt_pm},   {"-PP", 4, opt_pp},   {"-PD", 5, opt_pd},
    {"-CC", 6, opt_cc},   {"-OP", 7, opt_op},   {"-OM", 8, opt_om},   {"-RE", 9, opt_re},   {"-PN", 10, opt_pn},
    {"-MP", 11, opt_mp},  {"-PX", 12, opt_px},  {"-OX", 13, opt_ox},  {"-BM", 14, nullptr}, {"-PC", 15, opt_pc},
    {"-DT", 16, opt_dt},  {"-SP", 17, opt_sp},
    {"-SW", 18, opt_window_size<&OptionState::status_width, kInvalidStatusSize>},
    {"-SH", 19, opt_window_size<&OptionState::status_height, kInvalidStatusSize>},
    {"-DE", 20, opt_de},  {"-FT", 21, opt_ft},  {"-DP", 22, opt_dp},
    {"-DW", 23, opt_window_size<&OptionState::display_width, kInvalidDisplaySize>},
    {"-DH", 24, opt_window_size<&OptionState::display_height, kInvalidDisplaySize>},
    {"-PW", 25, opt_pw},  {"-SM", 26, opt_sm},  {nullptr, -1, nullptr},
};

const OptionEntry* find_option(const std::string& token) {
  for (const OptionEntry* o = kOptions; o->name; ++o)
    if (token == o->name) return o;
  return nullptr;
}

bool set_flag(OptionState& o, const std::string& token) {
  struct Flag {
    const char* name;
    bool OptionState::*field;
  };
  static constexpr Flag kFlags[] = {{"-DEBUG", &OptionState::debug},   {"-STEP", &OptionState::step},
                                    {"-NOWAIT", &OptionState::nowait}, {"-SLOW", &OptionState::slow},
                                    {"-FRAME", &OptionState::frame},   {"-NOVRESET", &OptionState::novreset}};
  for (const Flag& f : kFlags) {
    if (token == f.name) {
      o.*(f.field) = true;
      return true;
    }
  }
  return false;
}

[[noreturn]] void invalid_parameter(Engine& e, const std::string& token) {
  report_fatal_fmt(e, "Error: Invalid Parameter \"%s\" !", token);
}

// -BM: four value tokens; false (with the consumed count) when rejected.
bool parse_trim(Engine& e, const std::vector<std::string>& tokens, size_t& i) {
  static constexpr const char* kMissing[] = {"missing magify x0 argument!\n", "missing magify y0 argument!\n",
                                             "missing magify x1 argument!\n", "missing magify y1 argument!\n"};
  double v[4];
  for (int k = 0; k < 4; ++k) {
    if (i + 1 >= tokens.size()) {
      *e.out << kMissing[k];
      return false;
    }
    const std::string& token = tokens[++i];
    size_t pos = 0;
    v[k] = 0;
    read_double(token, pos, v[k]);
  }
  if (v[0] + v[2] > 100 || v[1] + v[3] > 100) return false;
  e.options.trim_x0 = v[0];
  e.options.trim_y0 = v[1];
  e.options.trim_x1 = v[2];
  e.options.trim_y1 = v[3];
  return true;
}

void open_stream_option(Engine& e, bool log, const std::string& name) {
  auto file = std::make_unique<std::ofstream>(name, log ? std::ios::out : std::ios::out | std::ios::binary);
  if (!*file) report_fatal_fmt(e, log ? "can not create errorlog file %s!" : "can not create output file %s!", name);
  (log ? e.run.log_file : e.run.output_file) = std::move(file);
}

}  // namespace

void read_printer_page(Engine& e) {
  const PixelSize page = e.host.printer_page();
  e.options.printer_width = page.width;
  e.options.printer_height = page.height;
}

void parse_options(Engine& e, const std::vector<std::string>& tokens) {
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i].empty() || tokens[i][0] != '-') invalid_parameter(e, tokens[i]);
    const std::string token = upper(tokens[i]);
    if (set_flag(e.options, token)) continue;
    if (token == "-MONO" || token == "-COLOR") {
      e.options.colour_mode = token == "-MONO" ? COLOUR_MONO : COLOUR_COLOR;
      continue;
    }
    if (token == "-LOG" || token == "-OFILE") {
      if (i + 1 >= tokens.size()) invalid_parameter(e, token);
      open_stream_option(e, token == "-LOG", tokens[++i]);
      continue;
    }
    const OptionEntry* option = find_option(token);
    if (!option) invalid_parameter(e, token);
    if (option->number == kTrimOption) {
      const size_t option_index = i;
      // The last token read names the fault: the option when no value was.
      if (!parse_trim(e, tokens, i)) invalid_parameter(e, i == option_index ? token : tokens[i]);
      continue;
    }
    if (i + 1 >= tokens.size()) invalid_parameter(e, token);
    const std::string& value = tokens[++i];
    if (!option->handler(e, value)) invalid_parameter(e, value);
  }
}

}  // namespace kavor
