#include "hpgl/graphics_state.h"

#include "engine/engine.h"
#include "hpgl/dispatch.h"

namespace kavor {

namespace {

// Runs an instruction's handler as its own default: no parameters.
void run_default(Engine& e, Handler handler) {
  e.params.count = 0;
  e.params.given.fill('0');
  e.params.token[0] = 0;
  handler(e);
}

void select_pen_one(Engine& e) {
  e.params.count = 1;
  e.params.ints[0] = 1;
  e.params.reals[0] = 1.0;
  e.params.given.fill('0');
  e.params.given[0] = '1';
  hpgl_SP(e);
  e.params.count = 0;
}

}  // namespace

void init_interpreter(Engine& e) {
  build_plot_area(e);
  set_in_defaults(e);
  e.run.state = parseGl;
  e.run.mnemonic[0] = e.run.mnemonic[1] = ' ';
  e.run.mnemonic[2] = 0;
}

int hpgl_IN(Engine& e) {
  e.params.count = 0;
  page_step(e);
  set_in_defaults(e);
  return 0;
}

int hpgl_DF(Engine& e) {
  set_df_defaults(e);
  return 0;
}

void set_in_defaults(Engine& e) {
  GraphicsState& gs = e.gs;
  set_df_defaults(e);
  move_pen_to(e, gs.window.x1, gs.window.y1);
  gs.pen.down = false;
  run_default(e, hpgl_RO);
  run_default(e, hpgl_IP);
  run_default(e, hpgl_WU);
  run_default(e, hpgl_PW);
  apply_pen_width_option(e);
  select_pen_one(e);
  clear_fill_state(e);
  reset_character_sizes(e);
  reset_begin_plot(e);
  gs.other.merge_control = 0;
  gs.other.media_type = 0;
  gs.page.drawn = false;
  gs.extents = DrawingExtents{};
}

void set_df_defaults(Engine& e) {
  GraphicsState& gs = e.gs;
  set_anchor(e, gs.area.clip_xmin, gs.area.clip_ymin, UNITS_PLOTTER);
  reset_font_records(e);
  gs.label.fill_mode = 0;
  gs.label.edge_pen = 0;
  run_default(e, hpgl_DI);
  gs.label.terminator = 3;
  gs.label.terminator_mode = 1;
  run_default(e, hpgl_DV);
  run_default(e, hpgl_ES);
  run_default(e, hpgl_FT);
  run_default(e, hpgl_IW);
  run_default(e, hpgl_LA);
  run_default(e, hpgl_LO);
  reset_line_type(e);
  gs.pen.relative = false;
  reset_polygon(e);
  gs.scaling.on = false;
  run_default(e, hpgl_SI);
  run_default(e, hpgl_SL);
  gs.line.symbol_mode = false;
  run_default(e, hpgl_SS);
  run_default(e, hpgl_TD);
  run_default(e, hpgl_UL);
  gs.label.buffered.clear();
  run_default(e, hpgl_CT);
  clear_download_table(e);
  run_default(e, hpgl_PT);
  run_default(e, hpgl_TL);
  gs.pen.fill_spacing_count = 0;
  gs.pen.fill_spacings.fill(0);
  run_default(e, hpgl_CR);
  run_default(e, hpgl_NP);
  gs.page.advance_pending = false;
  sort_input_window(e);
}

}  // namespace kavor
