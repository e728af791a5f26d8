#pragma once
// Choosing the plotter, paper and mode whose plotting area holds the last
// drawing most tightly.

#include <string>

#include "config/settings_record.h"
#include "engine/graphics_state.h"

namespace kavor {

struct Engine;

struct PaperChoice {
  int plotter = -1, paper = -1, mode = -1;  // all -1 when nothing fits
};

// Scans every record of $ppaper.kv in dir against the drawing extents.
// Fatal errors are reported through e.
PaperChoice choose_fitting_paper(Engine& e, const std::string& dir, const DrawingExtents& extents);
// Stores the best fit of e's last drawing in s when it differs from s:
// returns 1 then, else 0 with s unchanged.
int apply_fitting_paper(Engine& e, Settings& s);

}  // namespace kavor
