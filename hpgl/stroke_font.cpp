// The lookup of a character's glyph and the user-defined character of UC.
#include "hpgl/stroke_font.h"

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "hpgl/lexer.h"
#include "hpgl/stroke_font_data.h"

namespace kavor {

namespace {

constexpr int kEmptyCode = 127;
constexpr double kPenControl = 99;

static_assert(sizeof font_data::kStart / sizeof font_data::kStart[0] == 129);
static_assert(font_data::kStart[128] == sizeof font_data::kPoints / sizeof font_data::kPoints[0]);

Glyph table_glyph(int code) {
  if (code < 0 || code > kEmptyCode) code = kEmptyCode;
  const int start = font_data::kStart[code];
  return {font_data::kPoints + start, font_data::kStart[code + 1] - start};
}

// Gives the last point of the user glyph its end mark.
void close_user_glyph(UserGlyph& g) {
  GlyphPoint& last = g.points[g.count - 1];
  last.flag = last.flag == GLYPH_DRAW ? GLYPH_DRAW_END : GLYPH_END;
}

// Reads the next UC value; false when the list ended or was malformed
// (reported, and the rest skipped).
bool next_uc_value(Engine& e, int& r, double& value) {
  r = scan_reals_upto(e, 1);
  if (e.params.count == 0) return false;
  if (e.params.count < 0) {
    report_param_count_error(e, ".");
    if (r != -1) r = skip_param_list(e);
    return false;
  }
  value = e.params.reals[0];
  return true;
}

}  // namespace

// The user glyph serves only while UC itself draws: it is active from its
// definition to the end of the label that follows, and the mnemonic guards
// against a definition whose label was never drawn.
Glyph glyph_for(const Engine& e, int code) {
  const UserGlyph& u = e.gs.user_glyph;
  const bool in_uc = e.run.mnemonic[0] == 'U' && e.run.mnemonic[1] == 'C';
  if (u.active && in_uc) return {u.points.data(), u.count};
  return table_glyph(code);
}

int read_user_character(Engine& e) {
  UserGlyph& g = e.gs.user_glyph;
  g.points[0] = {0, 0, GLYPH_MOVE};
  g.count = 1;
  g.active = true;
  bool pen_down = false;
  double sum_x = 0, sum_y = 0;
  int r = 0;
  for (;;) {
    double x;
    if (!next_uc_value(e, r, x)) break;
    if (x >= kPenControl || x <= -kPenControl) {
      pen_down = x > 0;
      continue;
    }
    double y;
    if (!next_uc_value(e, r, y)) break;
    if (y >= kPenControl || y <= -kPenControl) {
      report_param_range_error(e, ", y value.");
      if (r != -1) r = skip_param_list(e);
      break;
    }
    if (g.count == static_cast<int>(g.points.size())) {
      // The table holds 19 pairs; a further pair ends the definition.
      report_param_range_error(e, ", over ucFont table.");
      if (r != -1) r = skip_param_list(e);
      break;
    }
    sum_x += x;
    sum_y += y;
    g.points[g.count++] = {trunc_to_int32(sum_x * 16), trunc_to_int32(sum_y * 8 + 32),
                           pen_down ? GLYPH_DRAW : GLYPH_MOVE};
  }
  close_user_glyph(g);
  return r == -1 ? -1 : 0;
}

}  // namespace kavor
