#pragma once
// The plotter and paper database $ppaper.kv: the built-in default copy, the
// engine's lookup of one paper record, and the pieces that the paper
// fitting shares with it (heading tables, line reader, number scanner).

#include <array>
#include <istream>
#include <string>
#include <string_view>

#include "config/plotters.h"

namespace kavor {

struct Engine;

// Twelve numbers in plotter units: hard-clip x-min, x-max, y-min, y-max,
// default P1 x, y, default P2 x, y, a reserved x pair and a reserved y pair.
struct PaperRecord {
  std::array<double, 12> v{};
};

// Block headings are "!" and a plotter model name, a colon and a mode name;
// paper headings "$" and a paper name.
inline constexpr char kPlotterHeadingMark = '!';
inline constexpr char kPaperHeadingMark = '$';

// The entry whose name, after the mark (none when 0), begins the line; the
// first in table order. The heading's length is the name's plus the mark's.
template <size_t N>
const NamedCode* match_heading(const std::array<NamedCode, N>& table, char mark, std::string_view line) {
  if (mark) {
    if (line.empty() || line[0] != mark) return nullptr;
    line.remove_prefix(1);
  }
  for (const NamedCode& entry : table)
    if (line.substr(0, entry.name.size()) == entry.name) return &entry;
  return nullptr;
}

inline constexpr std::string_view kPaperDatabaseName = "$ppaper.kv";
inline constexpr int kDefaultPaperDatabaseLines = 269;

inline constexpr char kDatabaseDestroyed[] = "SYSTEM:plotter paper data base file desttroyed !!!";
inline constexpr char kRunPdbgen[] = "PDBGEN.EXEを実行してください";

// The built-in lines of the default database, in file order.
extern const std::array<std::string_view, kDefaultPaperDatabaseLines> kDefaultPaperDatabase;

// Fills e.paper for the plotter, paper and mode of the option state, from
// $ppaper.kv in the host's settings directory (written first when missing).
// Every failure is fatal.
void load_paper_record(Engine& e);
// Writes the built-in database into dir; 0 on success, 1 on failure.
int write_default_paper_database(const std::string& dir);

// dir followed by the database file name.
std::string paper_database_path(const std::string& dir);
// Reads one line of at most 127 characters without its line break; a longer
// line comes back as several. False at the end of the file.
bool read_database_line(std::istream& in, std::string& line);
bool is_comment_line(const std::string& line);
void upper_case(std::string& line);
bool starts_with(const std::string& line, std::string_view prefix);
// Reads up to twelve blank- or tab-separated numbers from the start of the
// line into v; numbers the line does not supply keep their values.
void scan_record_numbers(const std::string& line, std::array<double, 12>& v);

}  // namespace kavor
