// The instruction index over every chapter's entries, and the instructions
// that are accepted and ignored.

#include "hpgl/instruction_table.h"

#include <array>
#include <cstdint>

#include "engine/engine.h"

namespace kavor {

namespace {

int ignored(Engine&) { return 0; }

// Accepted and ignored: the parameters are still scanned.
constexpr InstructionEntry kIgnoredInstructions[] = {
    {'A', 'P', ignored, SCAN_REALS, 1, LEVEL_HPGL}, {'A', 'S', ignored, SCAN_REALS, 2, LEVEL_HPGL},
    {'B', 'F', ignored, SCAN_REALS, 0, LEVEL_HPGL}, {'C', 'A', ignored, SCAN_REALS, 1, LEVEL_HPGL},
    {'C', 'C', ignored, SCAN_REALS, 1, LEVEL_HPGL}, {'C', 'M', ignored, SCAN_REALS, 2, LEVEL_HPGL},
    {'C', 'S', ignored, SCAN_REALS, 1, LEVEL_HPGL}, {'C', 'V', ignored, SCAN_REALS, 2, LEVEL_HPGL},
    {'D', 'C', ignored, SCAN_REALS, 0, LEVEL_BOTH}, {'D', 'P', ignored, SCAN_REALS, 0, LEVEL_BOTH},
    {'D', 'S', ignored, SCAN_REALS, 2, LEVEL_HPGL}, {'E', 'C', ignored, SCAN_REALS, 1, LEVEL_BOTH},
    {'F', 'I', ignored, SCAN_REALS, 1, LEVEL_HPGL2}, {'F', 'N', ignored, SCAN_REALS, 1, LEVEL_HPGL2},
    {'F', 'R', ignored, SCAN_REALS, 0, LEVEL_BOTH}, {'F', 'S', ignored, SCAN_REALS, 2, LEVEL_HPGL},
    {'G', 'C', ignored, SCAN_REALS, 1, LEVEL_HPGL}, {'G', 'M', ignored, SCAN_REALS, 5, LEVEL_HPGL},
    {'G', 'P', ignored, SCAN_BY_HANDLER, 0, LEVEL_HPGL}, {'G', 'R', ignored, SCAN_BY_HANDLER, 0, LEVEL_HPGL},
    {'I', 'M', ignored, SCAN_REALS, 3, LEVEL_HPGL}, {'I', 'V', ignored, SCAN_REALS, 2, LEVEL_HPGL},
    {'K', 'Y', ignored, SCAN_REALS, 2, LEVEL_HPGL}, {'L', 'E', ignored, SCAN_REALS, 1, LEVEL_HPGL},
    {'M', 'G', ignored, SCAN_BY_HANDLER, 0, LEVEL_HPGL2}, {'N', 'R', ignored, SCAN_REALS, 1, LEVEL_BOTH},
    {'O', 'A', ignored, SCAN_REALS, 0, LEVEL_HPGL}, {'O', 'D', ignored, SCAN_REALS, 0, LEVEL_BOTH},
    {'O', 'E', ignored, SCAN_REALS, 0, LEVEL_BOTH}, {'O', 'F', ignored, SCAN_REALS, 0, LEVEL_HPGL},
    {'O', 'G', ignored, SCAN_REALS, 0, LEVEL_HPGL}, {'O', 'H', ignored, SCAN_REALS, 0, LEVEL_BOTH},
    {'O', 'I', ignored, SCAN_REALS, 0, LEVEL_BOTH}, {'O', 'K', ignored, SCAN_REALS, 0, LEVEL_HPGL},
    {'O', 'L', ignored, SCAN_REALS, 0, LEVEL_HPGL}, {'O', 'O', ignored, SCAN_REALS, 0, LEVEL_HPGL},
    {'O', 'P', ignored, SCAN_REALS, 0, LEVEL_BOTH}, {'O', 'S', ignored, SCAN_REALS, 0, LEVEL_BOTH},
    {'O', 'T', ignored, SCAN_REALS, 0, LEVEL_HPGL}, {'O', 'W', ignored, SCAN_REALS, 0, LEVEL_HPGL},
    {'P', 'S', ignored, SCAN_REALS, 2, LEVEL_BOTH}, {'Q', 'L', ignored, SCAN_REALS, 1, LEVEL_HPGL2},
    {'R', 'P', ignored, SCAN_REALS, 1, LEVEL_BOTH}, {'S', 'B', ignored, SCAN_REALS, 1, LEVEL_HPGL2},
    {'S', 'G', ignored, SCAN_REALS, 1, LEVEL_HPGL}, {'S', 'V', ignored, SCAN_REALS, 3, LEVEL_HPGL2},
    {'T', 'R', ignored, SCAN_REALS, 1, LEVEL_HPGL2}, {'V', 'A', ignored, SCAN_REALS, 0, LEVEL_HPGL},
    {'V', 'N', ignored, SCAN_REALS, 0, LEVEL_HPGL}, {'V', 'S', ignored, SCAN_REALS, 2, LEVEL_BOTH},
    {'X', 'A', ignored, SCAN_REALS, 5, LEVEL_HPGL}, {'Y', 'A', ignored, SCAN_REALS, 5, LEVEL_HPGL},
};

// Index of each mnemonic's entry, nullptr when absent. Built once from the
// chapters' tables; a mnemonic in two of them is a fault the build catches
// in the tests.
class InstructionIndex {
 public:
  InstructionIndex() {
    for (auto table : {configuration_instructions(), pen_motion_instructions(), figure_instructions(),
                       polygon_instructions(), line_and_fill_instructions(), character_instructions(),
                       std::span<const InstructionEntry>(kIgnoredInstructions)})
      for (const InstructionEntry& entry : table) slots_[slot(entry.first, entry.second)] = &entry;
  }
  const InstructionEntry* find(char first, char second) const { return slots_[slot(first, second)]; }

 private:
  static int slot(char first, char second) { return (first - 'A') * 26 + (second - 'A'); }
  std::array<const InstructionEntry*, 26 * 26> slots_{};
};

}  // namespace

const InstructionEntry* find_instruction(char first, char second) {
  if (first < 'A' || first > 'Z' || second < 'A' || second > 'Z') return nullptr;
  static const InstructionIndex kIndex;
  return kIndex.find(first, second);
}

void run_default(Engine& e, const char* mnemonic) {
  e.params.count = 0;
  e.params.given.fill('0');
  e.params.token[0] = 0;
  find_instruction(mnemonic[0], mnemonic[1])->handler(e);
}

}  // namespace kavor
