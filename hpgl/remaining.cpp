// Begin plot, the palette instructions, character download and the
// device-setting instructions that are checked and remembered.
#include "hpgl/remaining.h"

#include <algorithm>
#include <string>

#include "device/draw_device.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"
#include "hpgl/graphics_state.h"
#include "hpgl/lexer.h"

namespace kavor {

namespace {

constexpr size_t kPictureNameLimit = 80;
constexpr int kFirstDownloadCode = 33, kLastDownloadCode = 126;
constexpr int kPenUpMark = -128;

int handler_result(int r) { return r == -1 ? -1 : 0; }

int report_range(Engine& e, const std::string& suffix) {
  report_param_range_error(e, suffix);
  return 1;
}

// Skips to a double quote and reads the name up to the next one; the
// characters beyond the limit are read and dropped.
int read_picture_name(Engine& e, std::string& name) {
  int c;
  do {
    c = next_input_char(e);
  } while (c != -1 && c != '"');
  name.clear();
  if (c == -1) return -1;
  for (c = next_input_char(e); c != -1 && c != '"'; c = next_input_char(e))
    if (name.size() < kPictureNameLimit) name += static_cast<char>(c);
  return c;
}

// Reads the value of a BP kind that must be 0 or 1.
int read_flag_value(Engine& e, int& value, const char* missing, const char* range) {
  int r = scan_reals_upto(e, 1);
  if (e.params.count != 1) {
    report_param_count_error(e, missing);
    return r == -1 ? -1 : 1;
  }
  int v = e.params.ints[0];
  if (v != 0 && v != 1) return report_range(e, range);
  value = v;
  return 0;
}

int read_begin_plot_pairs(Engine& e) {
  BeginPlot& bp = e.gs.other.begin_plot;
  const ParamBlock& p = e.params;
  for (;;) {
    int r = scan_reals_upto(e, 1);
    if (p.count == 0) return handler_result(r);
    int kind = p.count < 0 ? 0 : p.ints[0];
    int result = 0;
    switch (kind) {
      case 1:
        if (read_picture_name(e, bp.picture_name) == -1) return -1;
        break;
      case 2:
        r = scan_reals_upto(e, 1);
        if (p.count != 1) {
          report_param_count_error(e, ", missing number of copies parameter.");
          return r == -1 ? -1 : 1;
        }
        bp.copies = p.ints[0];
        break;
      case 3:
        result = read_flag_value(e, bp.disposition, ", missing file disposition code.", ", file disposition code.");
        break;
      case 4:
        result = read_flag_value(e, bp.render_unfinished, ", missing unfinished plot.", ", unfinished plot.");
        break;
      default:
        return report_range(e, ", kind parameter.");
    }
    if (result != 0) return result;
  }
}

// A colour component scaled from its CR range to 0..255 (set_pen_rgb keeps
// it within a byte). An empty range gives 0 below it and 255 from it on.
int scale_component(double value, double minimum, double maximum) {
  if (maximum == minimum) return value >= maximum ? 255 : 0;
  return trunc_to_int32((value - minimum) * 255 / (maximum - minimum));
}

// One DL number: 0 none left, 1 read into value, -1 not a number.
int read_download_number(Engine& e, int& r, double& value) {
  r = scan_reals_upto(e, 1);
  if (e.params.count == 0) return 0;
  if (e.params.count < 0) return -1;
  value = e.params.reals[0];
  return 1;
}

signed char download_coordinate(double v) { return static_cast<signed char>(std::clamp(round_to_int32(v), -127, 127)); }

int download_character(Engine& e) {
  double code_value = 0;
  int r = 0;
  int got = read_download_number(e, r, code_value);
  if (got == 0) {
    clear_download_table(e);
    return handler_result(r);
  }
  DownloadGlyph glyph;
  bool warned = false;
  while (got == 1) {
    double v = 0;
    got = read_download_number(e, r, v);
    if (got != 1) break;
    if (v < -128 || v > 127) {
      report_param_range_error(e, ".");
      continue;
    }
    const bool pen_up = v == kPenUpMark;
    double x = v, y = 0;
    if (pen_up && read_download_number(e, r, x) != 1) {
      report_param_count_error(e, ", expect x,y.");
      break;
    }
    if (read_download_number(e, r, y) != 1) {
      report_param_count_error(e, pen_up ? ", expect x,y." : ", expect y.");
      break;
    }
    if (glyph.count == static_cast<int>(glyph.pen_up.size())) {
      if (!warned) report_warning(e, " too many parameters, ignore it.");
      warned = true;
      continue;
    }
    glyph.xy[2 * glyph.count] = download_coordinate(x);
    glyph.xy[2 * glyph.count + 1] = download_coordinate(y);
    glyph.pen_up[glyph.count] = pen_up || glyph.count == 0;
    ++glyph.count;
  }
  if (got < 0 && r != -1) r = skip_param_list(e);
  const int code = round_to_int32(code_value);
  if (code >= kFirstDownloadCode && code <= kLastDownloadCode) e.gs.other.download[code - kFirstDownloadCode] = glyph;
  return handler_result(r);
}

// A single optional mode of 0 or 1; no parameter means 0.
int read_binary_mode(Engine& e, int& target, const char* suffix) {
  int v = e.params.count >= 1 ? e.params.ints[0] : 0;
  if (e.params.count < 0 || (v != 0 && v != 1)) return report_range(e, suffix);
  target = v;
  return 0;
}

}  // namespace

void reset_begin_plot(Engine& e) { e.gs.other.begin_plot = BeginPlot{}; }

int hpgl_BP(Engine& e) {
  // The device's end of page does nothing on any device; the begin-plot
  // settings return to their defaults with the rest of the state.
  set_in_defaults(e);
  return read_begin_plot_pairs(e);
}

int hpgl_CR(Engine& e) {
  const ParamBlock& p = e.params;
  auto& range = e.gs.other.colour_range;
  if (p.count == 0) {
    range = {0, 255, 0, 255, 0, 255};
    return 0;
  }
  if (p.count != 6) {
    report_warning(e, "Parameter error.");
    return 1;
  }
  std::copy(p.reals.begin(), p.reals.begin() + 6, range.begin());
  return 0;
}

int hpgl_NP(Engine& e) {
  const ParamBlock& p = e.params;
  if (p.count < 1) {
    e.gs.other.number_of_pens = e.options.colour_mode == COLOUR_COLOR ? 8 : 2;
    return 0;
  }
  e.gs.other.number_of_pens = std::min(p.ints[0], 257);
  return 0;
}

int hpgl_PC(Engine& e) {
  int r = scan_real_list(e, 3);
  const ParamBlock& p = e.params;
  if (p.count != 1 && p.count != 4) {
    report_warning(e, "Parameter error.");
    return r == -1 ? -1 : 1;
  }
  const int pen = p.ints[0];
  if (pen < 0 || pen > 255) return handler_result(r);
  if (p.count == 1) {
    // The pen's colour from the -PC letters; pens beyond them are black.
    const std::string& letters = e.options.pen_letters;
    set_pen_colour(e, pen, static_cast<size_t>(pen) < letters.size() ? letters[pen] : 'K');
    return handler_result(r);
  }
  const auto& range = e.gs.other.colour_range;
  set_pen_rgb(e, pen, scale_component(p.reals[1], range[0], range[1]), scale_component(p.reals[2], range[2], range[3]),
              scale_component(p.reals[3], range[4], range[5]));
  return handler_result(r);
}

void clear_download_table(Engine& e) { e.gs.other.download.fill(DownloadGlyph{}); }

int hpgl_DL(Engine& e) { return download_character(e); }

int hpgl_CT(Engine& e) { return read_binary_mode(e, e.gs.other.chord_mode, "."); }
int hpgl_MC(Engine& e) { return read_binary_mode(e, e.gs.other.merge_control, ", mode."); }

int hpgl_MT(Engine& e) {
  int v = e.params.count >= 1 ? e.params.ints[0] : 0;
  if (e.params.count < 0 || v < 0 || v > 5) return report_range(e, ". type.");
  e.gs.other.media_type = v;
  return 0;
}

int hpgl_ST(Engine& e) {
  int v = e.params.count >= 1 ? e.params.ints[0] : 0;
  if (e.params.count < 0 || v < -1 || v == 3 || v > 4) return report_range(e, ", switch,");
  return 0;
}

}  // namespace kavor
