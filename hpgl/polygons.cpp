// The polygons chapter: polygon mode PM, and the edge EP and fill FP of the
// polygon buffer.
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "geometry/polygon_buffer.h"
#include "hpgl/instruction_table.h"

namespace kavor {

namespace {

// PM1 and PM2: returns to the subpolygon's first point unless the last point
// already lies there, compared in whole plotter units (truncated).
void close_subpolygon(Engine& e) {
  const PolygonState& p = e.gs.polygon;
  if (trunc_to_int32(p.first_x) != trunc_to_int32(p.last_x) ||
      trunc_to_int32(p.first_y) != trunc_to_int32(p.last_y)) {
    add_polygon_mode_point(e, p.first_x, p.first_y);
  }
}

// PM [0|1|2];
int hpgl_PM(Engine& e) {
  const ParamBlock& prm = e.params;
  if (prm.count > 1) report_param_count_error(e, ".");
  const int mode = prm.count >= 1 ? trunc_to_int32(prm.reals[0]) : 0;
  PolygonState& p = e.gs.polygon;
  switch (mode) {
    case 0:
      p.saved_pen_down = e.gs.pen.down;
      p.mode = true;
      add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_RESET);
      p.first_vertex = true;
      add_polygon_mode_vertex(e, e.gs.pen.x, e.gs.pen.y);
      break;
    case 1:
      close_subpolygon(e);
      p.first_vertex = true;
      break;
    case 2:
      close_subpolygon(e);
      add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_CLOSE);
      p.mode = false;
      e.gs.pen.down = p.saved_pen_down;
      break;
    default:
      report_param_range_error(e, ".");
      break;
  }
  return 0;
}

// EP;
int hpgl_EP(Engine& e) {
  add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_EDGE);
  return 0;
}

// FP [rule];
int hpgl_FP(Engine& e) {
  add_vertex(e, 0, 0, VERTEX_CONTINUES, VERTEX_FILL);
  return 0;
}

constexpr InstructionEntry kInstructions[] = {
    {'P', 'M', hpgl_PM, SCAN_REALS, 1, LEVEL_BOTH},
    {'E', 'P', hpgl_EP, SCAN_REALS, 0, LEVEL_BOTH},
    {'F', 'P', hpgl_FP, SCAN_REALS, 0, LEVEL_BOTH},
};

}  // namespace

std::span<const InstructionEntry> polygon_instructions() { return kInstructions; }

}  // namespace kavor
