#include "cli/arguments.h"

#include <cctype>
#include <cstdlib>

namespace kavor {

const char kConvertUsage[] =
    "usage: kavor-convert [-o OUT | --out-dir DIR] [--format F] [--fit drawing|paper|none]\n"
    "                     [--size W[xH] [--stretch] | --dpi N] [--page N | --pages]\n"
    "                     [--abort-on-error] [--timeout SECONDS] [--quiet] [ENGINE OPTIONS...] [INPUT...]\n"
    "       kavor-convert --split 1|2|4|8|16 [-o OUT.pdf] [--print QUEUE] [--paper P] [--dpi N]\n"
    "                     [--fit paper|none] [ENGINE OPTIONS...] INPUT\n"
    "       kavor-convert [-o OUT] [--size W[xH]] --param PARAMFILE | --settings FILE INPUT\n"
    "       kavor-convert --help | --version\n"
    "formats: png bmp svg pdf wmf hpgl jpeg tiff; INPUT and OUT '-' are standard input and output\n";

namespace {

// Pictures up to this many pixels a side; resolutions up to this many dots
// per inch.
constexpr long kMaxSide = 20000;
constexpr long kMaxDpi = 2400;

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

// A whole decimal number in 1..max, or 0.
int positive_number(const std::string& v, long max) {
  char* end = nullptr;
  long n = std::strtol(v.c_str(), &end, 10);
  if (v.empty() || !std::isdigit(static_cast<unsigned char>(v[0])) || *end != 0 || n < 1 || n > max) return 0;
  return static_cast<int>(n);
}

// Seconds: a positive decimal number up to a million, or 0.
double positive_seconds(const std::string& v) {
  char* end = nullptr;
  const double s = std::strtod(v.c_str(), &end);
  if (v.empty() || !(std::isdigit(static_cast<unsigned char>(v[0])) || v[0] == '.') || *end != 0 || !(s > 0) ||
      s > 1e6)
    return 0;
  return s;
}

bool parse_size(const std::string& v, int& w, int& h) {
  const size_t x = v.find_first_of("xX");
  w = positive_number(v.substr(0, x), kMaxSide);
  h = x == std::string::npos ? 0 : positive_number(v.substr(x + 1), kMaxSide);
  return w > 0 && (x == std::string::npos || h > 0);
}

bool parse_fit(const std::string& v, FitMode& fit) {
  if (v == "drawing") fit = FitMode::drawing;
  else if (v == "paper") fit = FitMode::paper;
  else if (v == "none") fit = FitMode::none;
  else return false;
  return true;
}

// Engine options that already choose the part of the paper shown.
bool chooses_the_part_shown(const std::string& token) {
  const std::string t = upper(token);
  return t == "-BM" || t == "-OX" || t == "-DP" || t == "-DW" || t == "-DH";
}

bool parse_split(const std::string& v, int& sheets) {
  sheets = positive_number(v, 16);
  return sheets == 1 || sheets == 2 || sheets == 4 || sheets == 8 || sheets == 16;
}

// The checks of printed sheets: a sheet of paper is neither a picture's
// size nor a page of the file, and the split lines take the place of a
// trimming.
std::string check_sheets(const ConvertArguments& a, bool fit_given, bool size_given) {
  if (!prints_sheets(a)) return a.paper.empty() ? std::string() : "--paper applies to --split and --print";
  if (size_given || a.stretch || a.page || a.pages || !a.output_dir.empty() || !a.param_file.empty() ||
      !a.settings_file.empty())
    return "--split and --print print sheets of paper: no --size, --stretch, --page, --pages, --out-dir, --param "
           "or --settings";
  if (fit_given && a.fit == FitMode::drawing)
    return "--split and --print show the plotter's paper: --fit paper or none";
  if (a.output.empty() && a.print_queue.empty()) return "--split writes a PDF: give -o OUT.pdf or --print QUEUE";
  if (a.inputs.size() != 1 || a.inputs[0] == "-")
    return "--split and --print draw every sheet from one plot file: give one file, not standard input";
  return {};
}

// The checks that need the whole command line.
std::string check(const ConvertArguments& a, bool fit_given, bool size_given) {
  if (std::string problem = check_sheets(a, fit_given, size_given); !problem.empty()) return problem;
  const bool desktop = !a.param_file.empty() || !a.settings_file.empty();
  if (desktop && (fit_given || a.dpi || a.page || a.pages))
    return "--param and --settings render as the desktop program does: no --fit, --dpi, --page or --pages";
  if (size_given && a.dpi) return "--size and --dpi both set the picture's size";
  if (a.page && a.pages) return "--page and --pages exclude each other";
  if (a.output == "-" && a.pages) return "--pages writes several pictures, not one to standard output";
  if (!a.output.empty() && !a.output_dir.empty()) return "-o and --out-dir exclude each other";
  return {};
}

}  // namespace

bool prints_sheets(const ConvertArguments& a) { return a.split > 0 || !a.print_queue.empty(); }

int engine_option_values(const std::string& token) {
  std::string t = upper(token);
  static const char* const kFlags[] = {"-DEBUG", "-STEP", "-NOWAIT", "-SLOW", "-FRAME", "-NOVRESET", "-MONO", "-COLOR"};
  for (const char* f : kFlags)
    if (t == f) return 0;
  if (t == "-BM") return 4;
  if (t == "-LOG" || t == "-OFILE") return 1;
  static const char* const kValued[] = {"-IN", "-PT", "-PM", "-PP", "-PD", "-CC", "-OP", "-OM", "-RE",
                                        "-PN", "-MP", "-PX", "-OX", "-PC", "-DT", "-SP", "-SW", "-SH",
                                        "-DE", "-FT", "-DP", "-DW", "-DH", "-PW", "-SM"};
  for (const char* o : kValued)
    if (t == o) return 1;
  return 0;
}

ConvertArguments parse_convert_arguments(int argc, char** argv) {
  ConvertArguments a;
  bool fit_given = false, size_given = false, part_chosen = false;
  auto value = [&](int& i) -> std::string {
    if (i + 1 >= argc) {
      a.error = std::string("missing value after ") + argv[i];
      return {};
    }
    return argv[++i];
  };
  for (int i = 1; i < argc && a.error.empty(); ++i) {
    const std::string arg = argv[i];
    if (arg == "-o") {
      a.output = value(i);
    } else if (arg == "--out-dir") {
      a.output_dir = value(i);
    } else if (arg == "--format") {
      a.format = value(i);
    } else if (arg == "--size") {
      const std::string v = value(i);
      size_given = true;
      if (a.error.empty() && !parse_size(v, a.width, a.height)) a.error = "invalid --size " + v;
    } else if (arg == "--stretch") {
      a.stretch = true;
    } else if (arg == "--dpi") {
      const std::string v = value(i);
      if (a.error.empty() && !(a.dpi = positive_number(v, kMaxDpi))) a.error = "invalid --dpi " + v;
    } else if (arg == "--fit") {
      const std::string v = value(i);
      fit_given = true;
      if (a.error.empty() && !parse_fit(v, a.fit)) a.error = "invalid --fit " + v + " (drawing, paper or none)";
    } else if (arg == "--page") {
      const std::string v = value(i);
      if (a.error.empty() && !(a.page = positive_number(v, 1 << 30))) a.error = "invalid --page " + v;
    } else if (arg == "--pages") {
      a.pages = true;
    } else if (arg == "--split") {
      const std::string v = value(i);
      if (a.error.empty() && !parse_split(v, a.split)) a.error = "invalid --split " + v + " (1, 2, 4, 8 or 16)";
    } else if (arg == "--paper") {
      a.paper = value(i);
    } else if (arg == "--print") {
      a.print_queue = value(i);
    } else if (arg == "--param") {
      a.param_file = value(i);
    } else if (arg == "--settings") {
      a.settings_file = value(i);
    } else if (arg == "--abort-on-error") {
      a.abort_on_error = true;
    } else if (arg == "--timeout") {
      const std::string v = value(i);
      if (a.error.empty() && !(a.timeout = positive_seconds(v))) a.error = "invalid --timeout " + v;
    } else if (arg == "--quiet") {
      a.quiet = true;
    } else if (arg == "--help" || arg == "-h") {
      a.help = true;
    } else if (arg == "--version") {
      a.version = true;
    } else if (arg.rfind("--", 0) == 0) {
      a.error = "unknown option " + arg;
    } else if (arg == "-" || arg.empty() || arg[0] != '-') {
      a.inputs.push_back(arg);
    } else if (upper(arg).rfind("-IN", 0) == 0) {
      // The engine's own input marker: the next token is an input file.
      const std::string v = value(i);
      if (a.error.empty()) a.inputs.push_back(v);
    } else {
      part_chosen = part_chosen || chooses_the_part_shown(arg);
      a.engine_options.push_back(arg);
      for (int k = engine_option_values(arg); k > 0 && i + 1 < argc; --k) a.engine_options.push_back(argv[++i]);
    }
  }
  if (!a.error.empty()) return a;
  a.error = check(a, fit_given, size_given);
  if (!fit_given && (part_chosen || !a.param_file.empty() || !a.settings_file.empty() || prints_sheets(a)))
    a.fit = FitMode::none;
  if (fit_given && a.fit == FitMode::drawing && part_chosen)
    a.error = "--fit drawing chooses the part shown itself: leave out -BM, -OX, -DP, -DW and -DH";
  return a;
}

}  // namespace kavor
