#include "config/paper_database.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/diagnostics.h"
#include "engine/engine.h"

namespace kavor {

// Blocks of the plotters that share their papers carry two heading lines.
// A "-" after a paper name marks a paper the plotter does not take. Records
// are kept as the plotters' tables list them, even where a value looks
// mistyped (HP7595 C), except the E-size expand records: their tables list
// the y limits swapped, an area no plot can use, so they are listed here in
// order like every other record.
constexpr std::array<std::string_view, kDefaultPaperDatabaseLines> kDefaultPaperDatabase{
    "!hp7470:normal",
    "!hp7440:normal",
    "$A4",
    "0  10900 \t  0  7650 \t  250  279 \t   10250   7479      0 0 0 0",
    "$A3-",
    "0  16158 \t  0  11040 \t  170  602 \t   15370   10602      0 0 0 0",
    "$A2-",
    "0  22915 \t  0  16153 \t  239  1004 \t   21339   16004      0 0 0 0",
    "$A1-",
    "0  32340 \t  0  22751 \t  462  248 \t   31682   21348      0 0 0 0",
    "$A0-",
    "0  45110 \t  0  33751 \t  362  448 \t   44682   33348      0 0 0 0",
    " ",
    "$A",
    "0  10300 \t  0  7650 \t  250  279 \t   10250   7479      0 0 0 0",
    "$B-",
    "0  16640 \t  0  10365 \t  522  259 \t   15722   10259      0 0 0 0",
    "$C-",
    "0  21365 \t  0  16640 \t  225  1141 \t   21325   16341      0 0 0 0",
    "$D-",
    "0  33640 \t  0  21365 \t  372  233 \t   33522   21333      0 0 0 0",
    "$E-",
    "0  42542 \t  0  33344 \t  600  600 \t   41944   33250      0 0 0 0",
    "!end",
    " ",
    "!hp7475:normal",
    "$A4",
    "0  11040 \t  0  7721 \t  603  521 \t   10603   7721      0 0 0 0",
    "$A3",
    "0  16158 \t  0  11040 \t  170  602 \t   15370   10602      0 0 0 0",
    "$A2-",
    "0  22915 \t  0  16153 \t  239  1004 \t   21339   16004      0 0 0 0",
    "$A1-",
    "0  32340 \t  0  22751 \t  462  248 \t   31682   21348      0 0 0 0",
    "$A0-",
    "0  45110 \t  0  33751 \t  362  448 \t   44682   33348      0 0 0 0",
    " ",
    " ",
    "$A",
    "0  10365 \t  0  7962 \t  250  596 \t   10250   7796      0 0 0 0",
    "$B",
    "0  16640 \t  0  10365 \t  522  259 \t   15722   10259      0 0 0 0",
    "$C-",
    "0  21365 \t  0  16640 \t  225  1141 \t   21325   16341      0 0 0 0",
    "$D-",
    "0  33640 \t  0  21365 \t  372  233 \t   33522   21333      0 0 0 0",
    "$E-",
    "0  42542 \t  0  33344 \t  600  600 \t   41944   33250      0 0 0 0",
    "!end",
    " ",
    "!hp7550:normal",
    "$A4",
    "0  10870 \t  0  7600 \t  430  200 \t   10430   7400      0 0 0 0",
    "$A3",
    "0  15970 \t  0  10870 \t  380  430 \t   15580   10430      0 0 0 0",
    "$A2-",
    "0  22915 \t  0  16153 \t  239  1004 \t   21339   16004      0 0 0 0",
    "$A1-",
    "0  32340 \t  0  22751 \t  462  248 \t   31682   21348      0 0 0 0",
    "$A0-",
    "0  45110 \t  0  33751 \t  362  448 \t   44682   33348      0 0 0 0",
    " ",
    "$A",
    "0  10170 \t  0  7840 \t  80  320 \t   10080   7520      0 0 0 0",
    "$B",
    "0  16450 \t  0  10170 \t  620  80 \t   15820   10080      0 0 0 0",
    "$C-",
    "0  21365 \t  0  16640 \t  225  1141 \t   21325   16341      0 0 0 0",
    "$D-",
    "0  33640 \t  0  21365 \t  372  233 \t   33522   21333      0 0 0 0",
    "$E-",
    "0  42542 \t  0  33344 \t  600  600 \t   41944   33250      0 0 0 0",
    "!end",
    " ",
    "!hp7570:normal",
    "$A4-",
    "-3300  3300 \t  -5430  5430 \t  -2700  -4830 \t   2700   4830      0 0 0 0",
    "$A3-",
    "-7380  7380 \t  -5430  5430 \t  -6780  -4830 \t   6780   4830      0 0 0 0",
    "$A2",
    "-11280  11280 \t  -7320  7320 \t  -10680  -6720 \t   10680   6720      0 0 0 0",
    "$A1",
    "-15740  15740 \t  -11280  11280 \t  -15140  -10680 \t   15140   10680      0 0 0 0",
    "$A0-",
    "-22790  22790 \t  -16340  16340 \t  -22190  -15740 \t   22190   15740      0 0 0 0",
    " ",
    "$A-",
    "-3390  3390 \t  -5100  5100 \t  -2790  -4500 \t   2790   4500      0 0 0 0",
    "$B-",
    "-7700  7700 \t  -5100  5100 \t  -7100  -4500 \t   7100   4500      0 0 0 0",
    "$C",
    "-10576  10576 \t  -7556  7556 \t  -9976  -6956 \t   9976   6956      0 0 0 0",
    "$D",
    "-16192  16192 \t  -10576  10576 \t  -15592  -9976 \t   15592   9976      0 0 0 0",
    "$E-",
    "-21440  21440 \t  -16780  16780 \t  -20840  -16180 \t   20840   16180      0 0 0 0",
    "!end",
    " ",
    "!hp7570:expand",
    "$A4-",
    "-3690  3690 \t  -5830  5830 \t  -3090  -5230 \t   3090   5230      0 0 0 0",
    "$A3-",
    "-7780  7780 \t  -5840  5840 \t  -7180  -5240 \t   7180   5240      0 0 0 0",
    "$A2",
    "-11680  11680 \t  -7680  7680 \t  -11080  -7080 \t   11080   7080      0 0 0 0",
    "$A1",
    "-16100  16100 \t  -11680  11680 \t  -15500  -11080 \t   15500   11080      0 0 0 0",
    "$A0-",
    "-23190  23190 \t  -16745  16745 \t  -22590  -16145 \t   22590   16145      0 0 0 0",
    " ",
    "$A-",
    "-3790  3790 \t  -5500  5500 \t  -3190  -4900 \t   3190   4900      0 0 0 0",
    "$B-",
    "-8100  8100 \t  -5500  5500 \t  -7500  -4900 \t   7500   4900      0 0 0 0",
    "$C",
    "-10976  10976 \t  -7916  7916 \t  -10376  -7316 \t   10376   7316      0 0 0 0",
    "$D",
    "-16552  16552 \t  -10976  10976 \t  -15952  -10376 \t   15952   10376      0 0 0 0",
    "$E-",
    "-21850  21850 \t  -17180  17180 \t  -21250  -16580 \t   21250   16580      0 0 0 0",
    "!end",
    " ",
    "!hp7580:normal",
    "$A4",
    "-3300  3300 \t  -5430  5430 \t  -2700  -4830 \t   2700   4830      0 0 0 0",
    "$A3",
    "-7380  7380 \t  -5430  5430 \t  -6780  -4830 \t   6780   4830      0 0 0 0",
    "$A2",
    "-10880  10880 \t  -7860  7860 \t  -10280  -7260 \t   10280   7260      0 0 0 0",
    "$A1",
    "-15720  15720 \t  -11360  11360 \t  -15120  -10760 \t   15120   10760      0 0 0 0",
    "$A0-",
    "-22790  22790 \t  -16340  16340 \t  -22190  -15740 \t   22190   15740      0 0 0 0",
    " ",
    "$A",
    "-3390  3390 \t  -5110  5110 \t  -2790  -4500 \t   2790   4500      0 0 0 0",
    "$B",
    "-7700  7700 \t  -5100  5100 \t  -7100  -4500 \t   7100   4500      0 0 0 0",
    "$C",
    "-10240  10240 \t  -8130  8130 \t  -9640  -7530 \t   9640   7530      0 0 0 0",
    "$D",
    "-16310  16310 \t  -10660  10660 \t  -15710  -10060 \t   15710   10060      0 0 0 0",
    "$E-",
    "-21440  21440 \t  -16780  16780 \t  -20840  -16180 \t   20840   16180      0 0 0 0",
    "!end",
    " ",
    "!hp7580:expand",
    "$A4",
    "-3690  3690 \t  -5830  5830 \t  -3090  -5230 \t   3090   5230      0 0 0 0",
    "$A3",
    "-7780  7780 \t  -5840  5840 \t  -7180  -5240 \t   7180   5240      0 0 0 0",
    "$A2",
    "-11280  11280 \t  -8260  8260 \t  -10680  -7660 \t   10680   7660      0 0 0 0",
    "$A1",
    "-16120  16120 \t  -11760  11760 \t  -15520  -11160 \t   15520   11160      0 0 0 0",
    "$A0-",
    "-23190  23190 \t  -16745  16745 \t  -22590  -16145 \t   22590   16145      0 0 0 0",
    " ",
    "$A",
    "-3790  3790 \t  -5500  5500 \t  -3190  -4900 \t   3190   4900      0 0 0 0",
    "$B",
    "-8100  8100 \t  -5500  5500 \t  -7500  -4900 \t   7500   4900      0 0 0 0",
    "$C",
    "-10640  10640 \t  -8530  8530 \t  -10040  -7390 \t   10040   7390      0 0 0 0",
    "$D",
    "-16710  16710 \t  -11060  11060 \t  -16110  -10460 \t   16110   10460      0 0 0 0",
    "$E-",
    "-21850  21850 \t  -17180  17180 \t  -21250  -16580 \t   21250   16580      0 0 0 0",
    "!end",
    " ",
    "!hp7585:normal",
    "!hp7586:normal",
    "$A4",
    "-3300  3300 \t  -5430  5430 \t  -2700  -4830 \t   2700   4830      0 0 0 0",
    "$A3",
    "-7380  7380 \t  -5430  5430 \t  -6780  -4830 \t   6780   4830      0 0 0 0",
    "$A2",
    "-7475  7475 \t  -11385  11385 \t  -6875  -10785 \t   6875   10785      0 0 0 0",
    "$A1",
    "-15720  15720 \t  -11360  11360 \t  -15120  -10760 \t   15120   10760      0 0 0 0",
    "$A0",
    "-22790  22790 \t  -16340  16340 \t  -22190  -15740 \t   22190   15740      0 0 0 0",
    " ",
    "$A",
    "-3390  3390 \t  -5100  5100 \t  -2790  -4500 \t   2790   4500      0 0 0 0",
    "$B",
    "-7700  7700 \t  -5100  5100 \t  -7100  -4500 \t   7100   4500      0 0 0 0",
    "$C",
    "-7490  7490 \t  -10675  10675 \t  -7090  -10075 \t   7090   10075      0 0 0 0",
    "$D",
    "-16310  16310 \t  -10660  10660 \t  -15710  -10060 \t   15710   10060      0 0 0 0",
    "$E",
    "-21440  21440 \t  -16780  16780 \t  -20840  -16180 \t   20840   16180      0 0 0 0",
    "!end",
    " ",
    "!hp7585:expand",
    "!hp7586:expand",
    "$A4",
    "-3690  3690 \t  -5830  5830 \t  -3090  -5230 \t   3090   5230      0 0 0 0",
    "$A3",
    "-7780  7780 \t  -5840  5840 \t  -7180  -5240 \t   7180   5240      0 0 0 0",
    "$A2",
    "-7870  7870 \t  -11780  11780 \t  -7270  -11180 \t   7270   11180      0 0 0 0",
    "$A1",
    "-16120  16120 \t  -11760  11760 \t  -15520  -11160 \t   15520   11160      0 0 0 0",
    "$A0",
    "-23190  23190 \t  -16745  16745 \t  -22590  -16145 \t   22590   16145      0 0 0 0",
    " ",
    "$A",
    "-3790  3790 \t  -5500  5500 \t  -3190  -4900 \t   3190   4900      0 0 0 0",
    "$B",
    "-8100  8100 \t  -5500  5500 \t  -7500  -4900 \t   7500   4900      0 0 0 0",
    "$C",
    "-8085  8085 \t  -11080  11080 \t  -7485  -10480 \t   7845   10480      0 0 0 0",
    "$D",
    "-16710  16710 \t  -11060  11060 \t  -16110  -10460 \t   16110   10460      0 0 0 0",
    "$E",
    "-21850  21850 \t  -17180  17180 \t  -21250  -16580 \t   21250   16580      0 0 0 0",
    "!end",
    " ",
    "!hp7595:normal",
    "!hp7596:normal",
    "$A4",
    "-5300  5300 \t  -3080  3080 \t  -4700  -2480 \t   4700   2480      0 0 0 0",
    "$A3",
    "-7280  7280 \t  -5300  5300 \t  -6680  -4700 \t   6680   4700      0 0 0 0",
    "$A2",
    "-11240  11240 \t  -7280  7280 \t  -10640  -6680 \t   10640   6680      0 0 0 0",
    "$A1",
    "-16180  16180 \t  -10760  10760 \t  -15580  -10160 \t   16180   10160      0 0 0 0",
    "$A0",
    "-22660  22660 \t  -16180  16180 \t  -22060  -15580 \t   22060   15580      0 0 0 0",
    " ",
    "$A",
    "-4948  4948 \t  -3198  3198 \t  -4348  -2598 \t   4348   2598      0 0 0 0",
    "$B",
    "-7516  7516 \t  -4948  4948 \t  -6916  -4348 \t   6916   4348      0 0 0 0",
    "$C",
    "-10536  10536 \t  -7516  7616 \t  -9936  -6916 \t   9936   6916      0 0 0 0",
    "$D",
    "-16632  16632 \t  -10056  10056 \t  -16032  -9456 \t   16032   9456      0 0 0 0",
    "$E",
    "-21232  21232 \t  -16632  16632 \t  -20632  -16032 \t   20632   16032      0 0 0 0",
    "!end",
    " ",
    "!hp7595:expand",
    "!hp7596:expand",
    "$A4",
    "-5740  5740 \t  -3520  3520 \t  -5140  -2920 \t   5140   2920      0 0 0 0",
    "$A3",
    "-7720  7720 \t  -5740  5740 \t  -7120  -5140 \t   7120   5140      0 0 0 0",
    "$A2",
    "-11680  11680 \t  -7720  7720 \t  -11080  -7120 \t   11080   7120      0 0 0 0",
    "$A1",
    "-16620  16620 \t  -11200  11200 \t  -16020  -10600 \t   16020   10600      0 0 0 0",
    "$A0",
    "-23100  23100 \t  -16620  16620 \t  -22500  -16020 \t   22500   16020      0 0 0 0",
    " ",
    "$A",
    "-5388  5388 \t  -3638  3638 \t  -4788  -3038 \t   4788   3038      0 0 0 0",
    "$B",
    "-7956  7956 \t  -5388  5388 \t  -7356  -4788 \t   7356   4788      0 0 0 0",
    "$C",
    "-10976  10976 \t  -7956  7956 \t  -10376  -7356 \t   10376   7356      0 0 0 0",
    "$D",
    "-17072  17072 \t  -10496  10496 \t  -16472  -9896 \t   16472   9896      0 0 0 0",
    "$E",
    "-21672  21672 \t  17072  -17072 \t  -21072  -16472 \t   21072   16472      0 0 0 0",
    "!end",
};

namespace {

constexpr char kCannotWriteDatabase[] = "セットアップ失敗!，プロッタＤＢを書き込めません";
constexpr char kInvalidPlotter[] = "paperter error: invalid plotter type !!!";

// The heading of the entry with the code: the mark and its name; empty when
// the code has no entry.
template <size_t N>
std::string heading_of(const std::array<NamedCode, N>& table, char mark, int code) {
  const NamedCode* entry = find_code(table, code);
  if (!entry) return {};
  return (mark ? std::string(1, mark) : std::string()) + std::string(entry->name);
}

// The paper name of a heading ends at a "-", a blank or the end of the line.
bool is_paper_heading(const std::string& line, std::string_view name) {
  if (!starts_with(line, name)) return false;
  if (line.size() == name.size()) return true;
  char next = line[name.size()];
  return next == '-' || next == ' ' || next == '\t' || next == '\r';
}

[[noreturn]] void database_destroyed(Engine& e) { report_fatal(e, kDatabaseDestroyed); }

// Hard-clip limits that enclose an area and finite scaling points: numbers
// that do not (zero or inverted ranges, infinities, not-a-numbers) would
// give an empty or undefined picture without a word.
bool makes_plot_area(const PaperRecord& r) {
  for (int i = 0; i < 8; ++i)
    if (!std::isfinite(r.v[i])) return false;
  return r.v[0] < r.v[1] && r.v[2] < r.v[3];
}

// Reads up to the heading line of the block of plotter and mode.
void find_block(Engine& e, LineReader& in, std::string_view plotter, std::string_view mode) {
  std::string line;
  while (in.next(line)) {
    if (is_comment_line(line)) continue;
    upper_case(line);
    if (!starts_with(line, plotter)) continue;
    if (line.size() <= plotter.size() || line[plotter.size()] != ':') database_destroyed(e);
    if (line.compare(plotter.size() + 1, mode.size(), mode) == 0) return;
  }
  database_destroyed(e);
}

// Reads up to the paper heading within the block, then its record line.
void read_paper(Engine& e, LineReader& in, std::string_view paper) {
  std::string line;
  while (in.next(line)) {
    if (is_comment_line(line)) continue;
    upper_case(line);
    if (starts_with(line, "!END")) database_destroyed(e);
    if (!is_paper_heading(line, paper)) continue;
    std::string record;
    in.next(record);  // at the end of the file: no numbers
    scan_record_numbers(record, e.paper.v);
    if (!makes_plot_area(e.paper)) database_destroyed(e);
    return;
  }
  database_destroyed(e);
}

}  // namespace

std::string paper_database_path(const std::string& dir) {
  std::string path = dir;
  if (!path.empty() && path.back() != '/') path += '/';
  path += kPaperDatabaseName;
  return path;
}

bool is_comment_line(const std::string& line) { return !line.empty() && line[0] == '#'; }

void upper_case(std::string& line) {
  for (char& c : line) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool starts_with(const std::string& line, std::string_view prefix) {
  return line.compare(0, prefix.size(), prefix) == 0;
}

void scan_record_numbers(const std::string& line, std::array<double, 12>& v) {
  const char* p = line.c_str();
  for (double& value : v) {
    char* end = nullptr;
    double number = std::strtod(p, &end);
    if (end == p) return;
    value = number;
    p = end;
  }
}

int write_default_paper_database(const std::string& dir) {
  std::error_code ignored;
  if (!dir.empty()) std::filesystem::create_directories(dir, ignored);
  std::ofstream out(paper_database_path(dir), std::ios::binary | std::ios::trunc);
  if (!out) return 1;
  for (std::string_view line : kDefaultPaperDatabase) out << line << '\n';
  out.close();
  return out ? 0 : 1;
}

void load_paper_record(Engine& e) {
  const std::string dir = e.host.settings_dir();
  std::ifstream in(paper_database_path(dir), std::ios::binary);
  if (!in) {
    if (write_default_paper_database(dir) == 1) report_fatal(e, kCannotWriteDatabase);
    in.clear();
    in.open(paper_database_path(dir), std::ios::binary);
    if (!in) report_fatal(e, kRunPdbgen);
  }
  const std::string plotter = heading_of(kPlotterModels, kPlotterHeadingMark, e.options.plotter);
  const std::string paper = heading_of(kPaperNames, kPaperHeadingMark, e.options.paper);
  const std::string mode = heading_of(kPaperModeNames, 0, e.options.expanded);
  if (plotter.empty() || paper.empty() || mode.empty()) report_fatal(e, kInvalidPlotter);
  LineReader lines(in);
  find_block(e, lines, plotter, mode);
  read_paper(e, lines, paper);
}

}  // namespace kavor
