#pragma once
// The value tables of plotters and papers, in one place: the plotter model
// codes, the paper codes and the plotting-area modes, with the names that
// options, settings files and the paper database use for them.

#include <array>
#include <string_view>

namespace kavor {

enum PlotterModel : int {
  HP7440 = 0x101,
  HP7470 = 0x201,
  HP7475 = 0x202,
  HP7550 = 0x401,
  HP7570 = 0x801,
  HP7580 = 0x2001,
  HP7585 = 0x2002,
  HP7586 = 0x2003,
  HP7595 = 0x1001,
  HP7596 = 0x1002,
};

enum PaperCode : int {
  PAPER_A4 = 0,
  PAPER_A3 = 1,
  PAPER_A2 = 2,
  PAPER_A1 = 3,
  PAPER_A0 = 4,
  PAPER_A = 5,
  PAPER_B = 6,
  PAPER_C = 7,
  PAPER_D = 8,
  PAPER_E = 9,
};

// The plotter's normal or enlarged (expand) plotting area.
enum PaperMode : int { MODE_NORMAL = 0, MODE_EXPAND = 1 };

struct NamedCode {
  std::string_view name;
  int code;
};

// Model names; the paper database heads each block with "!" and the name.
inline constexpr std::array<NamedCode, 10> kPlotterModels{{
    {"HP7440", HP7440}, {"HP7470", HP7470}, {"HP7475", HP7475}, {"HP7550", HP7550}, {"HP7570", HP7570},
    {"HP7580", HP7580}, {"HP7585", HP7585}, {"HP7586", HP7586}, {"HP7595", HP7595}, {"HP7596", HP7596},
}};

// Family names that the -PT option also takes.
inline constexpr std::array<NamedCode, 3> kPlotterFamilies{{
    {"COLORPRO", HP7440}, {"DRAFTPRO", HP7570}, {"DRAFTMASTER", HP7595}}};

// Paper names; an expanded paper adds "E", a database heading puts "$"
// first. A prefix test must meet "A4" before "A": keep this order.
inline constexpr std::array<NamedCode, 10> kPaperNames{{
    {"A4", PAPER_A4}, {"A3", PAPER_A3}, {"A2", PAPER_A2}, {"A1", PAPER_A1}, {"A0", PAPER_A0},
    {"A", PAPER_A}, {"B", PAPER_B}, {"C", PAPER_C}, {"D", PAPER_D}, {"E", PAPER_E},
}};

inline constexpr std::array<NamedCode, 10> kExpandedPaperNames{{
    {"A4E", PAPER_A4}, {"A3E", PAPER_A3}, {"A2E", PAPER_A2}, {"A1E", PAPER_A1}, {"A0E", PAPER_A0},
    {"AE", PAPER_A}, {"BE", PAPER_B}, {"CE", PAPER_C}, {"DE", PAPER_D}, {"EE", PAPER_E},
}};

inline constexpr std::array<NamedCode, 2> kPaperModeNames{{{"EXPAND", MODE_EXPAND}, {"NORMAL", MODE_NORMAL}}};

// Only these plotters have an expand mode.
inline constexpr std::array<int, 6> kExpandCapablePlotters{HP7570, HP7580, HP7585, HP7586, HP7595, HP7596};

// Plotters that take these sheets turned by 90 degrees: their plot area,
// P1 and P2 and hard-clip limits have x and y exchanged.
constexpr bool sheet_is_turned(int plotter, int paper) {
  switch (plotter) {
    case HP7570:
    case HP7580:
      return paper == PAPER_A4 || paper == PAPER_A;
    case HP7585:
    case HP7586:
      return paper == PAPER_A4 || paper == PAPER_A2 || paper == PAPER_A || paper == PAPER_C;
    default:
      return false;
  }
}

// The entry with the code, or nullptr.
template <size_t N>
constexpr const NamedCode* find_code(const std::array<NamedCode, N>& table, int code) {
  for (const NamedCode& entry : table)
    if (entry.code == code) return &entry;
  return nullptr;
}

// The entry with exactly the name, or nullptr.
template <size_t N>
constexpr const NamedCode* find_name(const std::array<NamedCode, N>& table, std::string_view name) {
  for (const NamedCode& entry : table)
    if (entry.name == name) return &entry;
  return nullptr;
}

}  // namespace kavor
