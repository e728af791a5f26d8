#pragma once
// The plotter and paper database $ppaper.kv: the built-in default copy, the
// engine's lookup of one paper record, and the pieces that the paper
// fitting shares with it (heading tables, line reader, number scanner).

#include <array>
#include <istream>
#include <string>
#include <string_view>

namespace kavor {

struct Engine;

// Twelve numbers in plotter units: hard-clip x-min, x-max, y-min, y-max,
// default P1 x, y, default P2 x, y, a reserved x pair and a reserved y pair.
struct PaperRecord {
  std::array<double, 12> v{};
};

struct HeadingName {
  std::string_view name;
  int code;
};

// Searched in this order; a prefix test finds "$A4" before "$A".
inline constexpr std::array<HeadingName, 10> kPlotterHeadings{{
    {"!HP7440", 0x101}, {"!HP7470", 0x201}, {"!HP7475", 0x202}, {"!HP7550", 0x401}, {"!HP7570", 0x801},
    {"!HP7580", 0x2001}, {"!HP7585", 0x2002}, {"!HP7586", 0x2003}, {"!HP7595", 0x1001}, {"!HP7596", 0x1002},
}};
inline constexpr std::array<HeadingName, 10> kPaperHeadings{{
    {"$A4", 0}, {"$A3", 1}, {"$A2", 2}, {"$A1", 3}, {"$A0", 4}, {"$A", 5}, {"$B", 6}, {"$C", 7}, {"$D", 8}, {"$E", 9},
}};
inline constexpr std::array<HeadingName, 2> kModeNames{{{"EXPAND", 1}, {"NORMAL", 0}}};

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
