// Placeholder implementations, replaced as each instruction group is built.
#include "geometry/line_path.h"

#include <string>

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/lexer.h"

namespace kavor {

void draw_line(Engine&, double, double, double, double) {}
void draw_line_solid(Engine&, double, double, double, double) {}
void draw_user_line(Engine&, double, double, double, double) {}
int clip_segment(double*, double*, double*, double*, double, double, double, double) { return 1; }
int clip_to_window(const Engine&, double*, double*, double*, double*) { return 1; }
int clip_to_hard_clip(const Engine&, double*, double*, double*, double*) { return 1; }
void rotate_segment(const Engine&, double*, double*, double*, double*) {}
void map_to_device(const Engine&, int32_t*, int32_t*) {}
void device_length(const Engine&, int32_t*) {}
void draw_clip_frame(Engine&) {}
void fill_rectangle_solid(Engine&, double, double, double, double) {}

}  // namespace kavor
