#pragma once
// The line-type walk of the line path: pattern set-up and the step of one
// pixel through the current line type's pattern.

#include <array>

#include "engine/graphics_state.h"

namespace kavor {

struct Engine;

using PatternTable = std::array<PatternEntry, 2 * kLineTypeLimit + 1>;

// The pattern table as it stands before any UL, for types -8..8 (index type + 8).
const PatternTable& default_pattern_table();

// Scales the current fixed pattern to device pixels and restarts it.
void pattern_setup(Engine& e);
// Answers pen (ink) or 0 (gap) for one pixel and advances the pattern.
int pattern_step(Engine& e, int pen);
// Fits the current adaptive pattern to the vector from (x1, y1) to (x2, y2).
void adaptive_setup(Engine& e, double x1, double y1, double x2, double y2);

}  // namespace kavor
