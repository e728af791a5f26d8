#include "cli/arguments.h"

#include <cctype>
#include <cstdlib>

namespace kavor {

const char kConvertUsage[] =
    "usage: kavor-convert [-o OUT | --out-dir DIR] [--size WxH | --size W] [--format F]\n"
    "                     [--param PARAMFILE] [--settings FILE] [--abort-on-error] [--quiet]\n"
    "                     [ENGINE OPTIONS...] [INPUT...]\n"
    "formats: png bmp svg pdf wmf hpgl; INPUT '-' reads standard input\n";

namespace {

std::string upper(std::string s) {
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

bool parse_size(const std::string& v, int& w, int& h) {
  char* end = nullptr;
  long a = std::strtol(v.c_str(), &end, 10);
  if (end == v.c_str() || a <= 0 || a > 20000) return false;
  w = static_cast<int>(a);
  h = 0;
  if (*end == 0) return true;
  if (*end != 'x' && *end != 'X') return false;
  const char* rest = end + 1;
  long b = std::strtol(rest, &end, 10);
  if (end == rest || *end != 0 || b <= 0 || b > 20000) return false;
  h = static_cast<int>(b);
  return true;
}

}  // namespace

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
  auto value = [&](int& i) -> std::string {
    if (i + 1 >= argc) {
      a.error = std::string("missing value after ") + argv[i];
      return {};
    }
    return argv[++i];
  };
  for (int i = 1; i < argc && a.error.empty(); ++i) {
    std::string arg = argv[i];
    if (arg == "-o") {
      a.output = value(i);
    } else if (arg == "--out-dir") {
      a.output_dir = value(i);
    } else if (arg == "--format") {
      a.format = value(i);
    } else if (arg == "--size") {
      std::string v = value(i);
      if (a.error.empty() && !parse_size(v, a.width, a.height)) a.error = "invalid --size " + v;
    } else if (arg == "--param") {
      a.param_file = value(i);
    } else if (arg == "--settings") {
      a.settings_file = value(i);
    } else if (arg == "--abort-on-error") {
      a.abort_on_error = true;
    } else if (arg == "--quiet") {
      a.quiet = true;
    } else if (arg == "--help" || arg == "-h") {
      a.help = true;
    } else if (arg == "-" || arg.empty() || arg[0] != '-') {
      a.inputs.push_back(arg);
    } else if (upper(arg).rfind("-IN", 0) == 0) {
      // The engine's own input marker: the next token is an input file.
      std::string v = value(i);
      if (a.error.empty()) a.inputs.push_back(v);
    } else {
      a.engine_options.push_back(arg);
      for (int k = engine_option_values(arg); k > 0 && i + 1 < argc; --k) a.engine_options.push_back(argv[++i]);
    }
  }
  return a;
}

}  // namespace kavor
