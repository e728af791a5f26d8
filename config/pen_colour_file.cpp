// Placeholder until the settings files are built.
#include "config/pen_colour_file.h"

#include "engine/engine.h"

namespace kavor {

void read_pen_colour_file(Engine&) {}

}  // namespace kavor
