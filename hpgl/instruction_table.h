#pragma once
// The instruction table: every mnemonic with its handler, how the
// dispatcher scans its parameters, and its language level. Each chapter
// file ends with the entries of the instructions it defines.

#include <span>

namespace kavor {

struct Engine;

// A handler returns 0 when done, 1 after an error it has reported, -1 at
// the end of input.
using Handler = int (*)(Engine&);

// How the dispatcher scans the parameters before the handler runs.
enum ScanKind : int { SCAN_BY_HANDLER = 0, SCAN_INTEGERS = 1, SCAN_REALS = 2 };

// The plotters that know the instruction: older HP-GL, HP-GL/2, or both.
enum LanguageLevel : int { LEVEL_HPGL = 1, LEVEL_HPGL2 = 2, LEVEL_BOTH = 3 };

struct InstructionEntry {
  char first;
  char second;
  Handler handler;
  ScanKind kind;
  int maximum;  // the scanner accepts maximum + 1 values
  LanguageLevel level;
};

// The table entry of a mnemonic, or nullptr.
const InstructionEntry* find_instruction(char first, char second);
// Runs the handler of a mnemonic as its own default: no parameters (IN, DF).
void run_default(Engine& e, const char* mnemonic);

// The chapters' entries, defined beside their handlers.
std::span<const InstructionEntry> configuration_instructions();
std::span<const InstructionEntry> pen_motion_instructions();
std::span<const InstructionEntry> figure_instructions();
std::span<const InstructionEntry> polygon_instructions();
std::span<const InstructionEntry> line_and_fill_instructions();
std::span<const InstructionEntry> character_instructions();

}  // namespace kavor
