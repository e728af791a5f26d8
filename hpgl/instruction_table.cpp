// The instruction table: every mnemonic with its scan kind, maximum and
// language level. Lookup is by a 26 x 26 index built at compile time.

#include <array>
#include <cstdint>

#include "engine/engine.h"
#include "geometry/arcs.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/coordinates.h"
#include "hpgl/dispatch.h"
#include "hpgl/fill_types.h"
#include "hpgl/graphics_state.h"
#include "hpgl/labels.h"
#include "hpgl/line_types.h"
#include "hpgl/pen_motion.h"
#include "hpgl/remaining.h"

namespace kavor {

int hpgl_ignored(Engine&) { return 0; }

namespace {

constexpr InstructionEntry kInstructions[] = {
    // Instructions with handlers.
    {'A', 'A', hpgl_AA, 2, 4, 3}, {'A', 'C', hpgl_AC, 2, 4, 2}, {'A', 'D', hpgl_AD, 0, 0, 2},
    {'A', 'F', hpgl_AF, 2, 0, 1}, {'A', 'H', hpgl_AH, 2, 0, 1}, {'A', 'R', hpgl_AR, 2, 4, 3},
    {'A', 'T', hpgl_AT, 2, 5, 3}, {'B', 'L', hpgl_BL, 0, 0, 1}, {'B', 'P', hpgl_BP, 0, 0, 3},
    {'C', 'F', hpgl_CF, 2, 2, 2}, {'C', 'I', hpgl_CI, 2, 2, 3}, {'C', 'P', hpgl_CP, 2, 2, 3},
    {'C', 'R', hpgl_CR, 2, 6, 2}, {'C', 'T', hpgl_CT, 2, 1, 3}, {'D', 'F', hpgl_DF, 2, 0, 3},
    {'D', 'I', hpgl_DI, 2, 2, 3}, {'D', 'L', hpgl_DL, 0, 0, 3}, {'D', 'R', hpgl_DR, 2, 2, 3},
    {'D', 'T', hpgl_DT, 0, 0, 3}, {'D', 'U', hpgl_DU, 2, 2, 1}, {'D', 'V', hpgl_DV, 2, 2, 3},
    {'E', 'A', hpgl_EA, 2, 2, 3}, {'E', 'P', hpgl_EP, 2, 0, 3}, {'E', 'R', hpgl_ER, 2, 2, 3},
    {'E', 'S', hpgl_ES, 2, 2, 3}, {'E', 'W', hpgl_EW, 2, 4, 3}, {'F', 'P', hpgl_FP, 2, 0, 3},
    {'F', 'T', hpgl_FT, 2, 3, 3}, {'I', 'C', hpgl_IC, 0, 0, 1}, {'I', 'N', hpgl_IN, 2, 1, 3},
    {'I', 'P', hpgl_IP, 2, 4, 3}, {'I', 'R', hpgl_IR, 2, 4, 2}, {'I', 'W', hpgl_IW, 2, 4, 3},
    {'L', 'A', hpgl_LA, 2, 6, 2}, {'L', 'B', hpgl_LB, 0, 0, 3}, {'L', 'O', hpgl_LO, 2, 1, 3},
    {'L', 'T', hpgl_LT, 2, 3, 3}, {'M', 'C', hpgl_MC, 2, 1, 2}, {'M', 'T', hpgl_MT, 2, 1, 2},
    {'N', 'P', hpgl_NP, 2, 1, 2}, {'P', 'A', hpgl_PA, 0, 0, 3}, {'P', 'B', hpgl_PB, 2, 0, 1},
    {'P', 'C', hpgl_PC, 0, 0, 3}, {'P', 'D', hpgl_PD, 0, 0, 3}, {'P', 'E', hpgl_PE, 0, 0, 2},
    {'P', 'G', hpgl_PG, 2, 1, 3}, {'P', 'M', hpgl_PM, 2, 1, 3}, {'P', 'R', hpgl_PR, 0, 0, 3},
    {'P', 'T', hpgl_PT, 2, 1, 1}, {'P', 'U', hpgl_PU, 0, 0, 3}, {'P', 'W', hpgl_PW, 2, 2, 2},
    {'R', 'A', hpgl_RA, 2, 2, 3}, {'R', 'C', hpgl_RC, 2, 0, 1}, {'R', 'F', hpgl_RF, 0, 0, 2},
    {'R', 'O', hpgl_RO, 2, 1, 3}, {'R', 'R', hpgl_RR, 2, 2, 3}, {'R', 'T', hpgl_RT, 2, 5, 2},
    {'S', 'A', hpgl_SA, 2, 0, 3}, {'S', 'C', hpgl_SC, 2, 7, 3}, {'S', 'D', hpgl_SD, 0, 0, 3},
    {'S', 'I', hpgl_SI, 2, 2, 3}, {'S', 'L', hpgl_SL, 2, 1, 3}, {'S', 'M', hpgl_SM, 0, 0, 3},
    {'S', 'P', hpgl_SP, 2, 1, 3}, {'S', 'R', hpgl_SR, 2, 2, 3}, {'S', 'S', hpgl_SS, 2, 0, 3},
    {'S', 'T', hpgl_ST, 2, 1, 3}, {'S', 'U', hpgl_SU, 2, 2, 1}, {'T', 'D', hpgl_TD, 2, 1, 2},
    {'T', 'L', hpgl_TL, 2, 2, 1}, {'U', 'C', hpgl_UC, 0, 0, 1}, {'U', 'F', hpgl_UF, 0, 0, 1},
    {'U', 'L', hpgl_UL, 2, 21, 2}, {'W', 'D', hpgl_WD, 0, 0, 1}, {'W', 'G', hpgl_WG, 2, 4, 3},
    {'W', 'U', hpgl_WU, 2, 1, 3}, {'X', 'T', hpgl_XT, 2, 0, 1}, {'Y', 'T', hpgl_YT, 2, 0, 1},
    // Accepted and ignored: parameters are still scanned.
    {'A', 'P', hpgl_ignored, 2, 1, 1}, {'A', 'S', hpgl_ignored, 2, 2, 1}, {'B', 'F', hpgl_ignored, 2, 0, 1},
    {'C', 'A', hpgl_ignored, 2, 1, 1}, {'C', 'C', hpgl_ignored, 2, 1, 1}, {'C', 'M', hpgl_ignored, 2, 2, 1},
    {'C', 'S', hpgl_ignored, 2, 1, 1}, {'C', 'V', hpgl_ignored, 2, 2, 1}, {'D', 'C', hpgl_ignored, 2, 0, 3},
    {'D', 'P', hpgl_ignored, 2, 0, 3}, {'D', 'S', hpgl_ignored, 2, 2, 1}, {'E', 'C', hpgl_ignored, 2, 1, 3},
    {'F', 'I', hpgl_ignored, 2, 1, 2}, {'F', 'N', hpgl_ignored, 2, 1, 2}, {'F', 'R', hpgl_ignored, 2, 0, 3},
    {'F', 'S', hpgl_ignored, 2, 2, 1}, {'G', 'C', hpgl_ignored, 2, 1, 1}, {'G', 'M', hpgl_ignored, 2, 5, 1},
    {'G', 'P', hpgl_ignored, 0, 0, 1}, {'G', 'R', hpgl_ignored, 0, 0, 1}, {'I', 'M', hpgl_ignored, 2, 3, 1},
    {'I', 'V', hpgl_ignored, 2, 2, 1}, {'K', 'Y', hpgl_ignored, 2, 2, 1}, {'L', 'E', hpgl_ignored, 2, 1, 1},
    {'M', 'G', hpgl_ignored, 0, 0, 2}, {'N', 'R', hpgl_ignored, 2, 1, 3}, {'O', 'A', hpgl_ignored, 2, 0, 1},
    {'O', 'D', hpgl_ignored, 2, 0, 3}, {'O', 'E', hpgl_ignored, 2, 0, 3}, {'O', 'F', hpgl_ignored, 2, 0, 1},
    {'O', 'G', hpgl_ignored, 2, 0, 1}, {'O', 'H', hpgl_ignored, 2, 0, 3}, {'O', 'I', hpgl_ignored, 2, 0, 3},
    {'O', 'K', hpgl_ignored, 2, 0, 1}, {'O', 'L', hpgl_ignored, 2, 0, 1}, {'O', 'O', hpgl_ignored, 2, 0, 1},
    {'O', 'P', hpgl_ignored, 2, 0, 3}, {'O', 'S', hpgl_ignored, 2, 0, 3}, {'O', 'T', hpgl_ignored, 2, 0, 1},
    {'O', 'W', hpgl_ignored, 2, 0, 1}, {'P', 'S', hpgl_ignored, 2, 2, 3}, {'Q', 'L', hpgl_ignored, 2, 1, 2},
    {'R', 'P', hpgl_ignored, 2, 1, 3}, {'S', 'B', hpgl_ignored, 2, 1, 2}, {'S', 'G', hpgl_ignored, 2, 1, 1},
    {'S', 'V', hpgl_ignored, 2, 3, 2}, {'T', 'R', hpgl_ignored, 2, 1, 2}, {'V', 'A', hpgl_ignored, 2, 0, 1},
    {'V', 'N', hpgl_ignored, 2, 0, 1}, {'V', 'S', hpgl_ignored, 2, 2, 3}, {'X', 'A', hpgl_ignored, 2, 5, 1},
    {'Y', 'A', hpgl_ignored, 2, 5, 1},
};

constexpr int kInstructionCount = sizeof kInstructions / sizeof kInstructions[0];

// Index of each mnemonic in kInstructions, -1 when absent; the first entry wins.
constexpr std::array<int16_t, 26 * 26> build_index() {
  std::array<int16_t, 26 * 26> index{};
  for (auto& slot : index) slot = -1;
  for (int i = kInstructionCount - 1; i >= 0; --i)
    index[(kInstructions[i].first - 'A') * 26 + (kInstructions[i].second - 'A')] = static_cast<int16_t>(i);
  return index;
}

constexpr std::array<int16_t, 26 * 26> kIndex = build_index();

}  // namespace

const InstructionEntry* find_instruction(char first, char second) {
  if (first < 'A' || first > 'Z' || second < 'A' || second > 'Z') return nullptr;
  int i = kIndex[(first - 'A') * 26 + (second - 'A')];
  return i < 0 ? nullptr : &kInstructions[i];
}

}  // namespace kavor
