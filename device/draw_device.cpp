// Placeholder implementations, replaced as each instruction group is built.
#include "device/draw_device.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void draw_segment(Engine&, int32_t, int32_t, int32_t, int32_t, int) {}
void reset_display_batch(Engine& e) { e.device.batch.state = 0; }
void flush_display_batch(Engine& e) { e.device.batch.state = 0; }
Rgb colour_of_letter(char) { return {}; }
void set_pen_colour(Engine&, int, char) {}
void set_pen_colours(Engine&, const char*) {}
void set_pen_rgb(Engine&, int, int, int, int) {}

}  // namespace kavor
