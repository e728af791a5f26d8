// The line path: extents, clipping at the input window and the hard-clip
// rectangle, rotation, rounding, the device mapping and the line-type walk.
#include "geometry/line_path.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "device/draw_device.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "geometry/bresenham.h"
#include "geometry/coordinates.h"
#include "geometry/line_pattern.h"

namespace kavor {

namespace {

// Device arithmetic is done wide enough that no product of two 32-bit
// values (or their differences) can overflow, then saturated.
using Wide = __int128;

int32_t saturate_wide(Wide v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
}

// v * num / den, truncating toward zero, with a divisor of at least 1.
Wide scale(int64_t v, int64_t num, int64_t den) { return scale_toward_zero(v, num, std::max<int64_t>(den, 1)); }

struct Box {
  double xmin, ymin, xmax, ymax;
};

Box box_of(double ax, double ay, double bx, double by) {
  return {std::min(ax, bx), std::min(ay, by), std::max(ax, bx), std::max(ay, by)};
}

enum Outcode : int { LEFT = 8, TOP = 4, RIGHT = 2, BOTTOM = 1 };

int outcode(const Box& b, double x, double y) {
  int code = 0;
  if (x < b.xmin) code |= LEFT;
  if (y > b.ymax) code |= TOP;
  if (x > b.xmax) code |= RIGHT;
  if (y < b.ymin) code |= BOTTOM;
  return code;
}

struct Line {
  double x1, y1, x2, y2;  // the unclipped end points
};

// Moves P once towards the window along the line; false when it cannot.
bool move_towards(const Box& b, const Line& l, int code, double& px, double& py) {
  if (l.x1 == l.x2) {
    if (code & TOP) py = b.ymax;
    else if (code & BOTTOM) py = b.ymin;
    else return false;
    return true;
  }
  if (l.y1 == l.y2) {
    if (code & LEFT) px = b.xmin;
    else if (code & RIGHT) px = b.xmax;
    else return false;
    return true;
  }
  auto at_x = [&](double x) { py = l.y1 + (l.y2 - l.y1) / (l.x2 - l.x1) * (x - l.x1); px = x; };
  auto at_y = [&](double y) { px = l.x1 + (l.x2 - l.x1) / (l.y2 - l.y1) * (y - l.y1); py = y; };
  if (code & LEFT) at_x(b.xmin);
  else if (code & TOP) at_y(b.ymax);
  else if (code & RIGHT) at_x(b.xmax);
  else at_y(b.ymin);
  return true;
}

// At most three outcode tests; an end point that still lies outside after
// two moves belongs to a line that misses the window.
bool clip_end_point(const Box& b, const Line& l, double& px, double& py) {
  for (int pass = 0; pass < 3; ++pass) {
    const int code = outcode(b, px, py);
    if (code == 0) return true;
    if (!move_towards(b, l, code, px, py)) return false;
  }
  return false;
}

bool finite_segment(double x1, double y1, double x2, double y2) {
  return std::isfinite(x1) && std::isfinite(y1) && std::isfinite(x2) && std::isfinite(y2);
}

void extend_extents(Engine& e, double x1, double y1, double x2, double y2) {
  DrawingExtents& d = e.gs.extents;
  d.xmin = std::min({d.xmin, x1, x2});
  d.ymin = std::min({d.ymin, y1, y2});
  d.xmax = std::max({d.xmax, x1, x2});
  d.ymax = std::max({d.ymax, y1, y2});
}

// The input window's corners in plotter units.
Box window_box(const Engine& e) {
  const InputWindow& w = e.gs.window;
  double x1 = w.x1, y1 = w.y1, x2 = w.x2, y2 = w.y2;
  if (w.units == UNITS_USER) input_window_plotter(e, x1, y1, x2, y2);
  return box_of(x1, y1, x2, y2);
}

Box hard_clip_box(const Engine& e) {
  const PlotArea& a = e.gs.area;
  return box_of(a.clip_xmin, a.clip_ymin, a.clip_xmax, a.clip_ymax);
}

bool display_size_set(const Engine& e) {
  return e.options.display_width != -1 || e.options.display_height != -1;
}

bool real_size(const Engine& e) { return !display_size_set(e) && e.options.size_mode == SIZE_REAL; }


// Advances the pattern by n pixels without drawing. Fixed patterns repeat,
// so only n modulo the pattern length matters; the count is capped so that
// a pathological pattern length cannot make skipping expensive.
void skip_pattern(Engine& e, int64_t n) {
  const LineTypeBlock& b = e.gs.line.block;
  int64_t period = 0;
  for (int i = 0; i < std::clamp(b.count, 0, static_cast<int>(b.lengths.size())); ++i) period += std::max(0, b.lengths[i]);
  if (period <= 0 || n <= 0) return;
  constexpr int64_t kMaxSkip = int64_t{1} << 22;
  for (int64_t i = std::min(n % period, kMaxSkip); i > 0; --i) pattern_step(e, 1);
}

void walk_segment(Engine& e, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int pen) {
  const BresenhamLine line(x1, y1, x2, y2);
  int64_t first = 0, last = line.major();
  int64_t vis_x, vis_y;
  if (visible_device_box(e, vis_x, vis_y)) {
    const double margin = 2.0 + std::max(1, e.gs.line.current_width);
    line.narrow_to(-margin, -margin, vis_x + margin, vis_y + margin, first, last);
  }
  if (first > last) {
    skip_pattern(e, line.major() + 1);
    return;
  }
  skip_pattern(e, first);
  DevicePoint prev{}, run_start{};
  int state = -1;  // no run yet
  line.walk(first, last, [&](DevicePoint cur) {
    const int answer = pattern_step(e, pen);
    if (answer != state) {
      if (state != -1) draw_segment(e, run_start.x, run_start.y, prev.x, prev.y, state);
      state = answer;
      run_start = cur;
    }
    prev = cur;
  });
  draw_segment(e, run_start.x, run_start.y, prev.x, prev.y, state);
  skip_pattern(e, line.major() - last);
}

void walk_with_line_type(Engine& e, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  const int pen = e.gs.pen.pen;
  const int type = e.gs.line.block.type;
  if (type == 9) {
    draw_segment(e, x1, y1, x2, y2, pen);
  } else if (type == 0) {
    draw_segment(e, x1, y1, x1, y1, pen);
    draw_segment(e, x2, y2, x2, y2, pen);
  } else if (type < 0) {
    const LineTypeBlock saved = e.gs.line.block;
    adaptive_setup(e, x1, y1, x2, y2);
    walk_segment(e, x1, y1, x2, y2, pen);
    e.gs.line.block = saved;
  } else {
    walk_segment(e, x1, y1, x2, y2, pen);
  }
}

void line_path(Engine& e, double x1, double y1, double x2, double y2, bool with_line_type) {
  extend_extents(e, x1, y1, x2, y2);
  if (!finite_segment(x1, y1, x2, y2)) return;
  if (!clip_to_window(e, &x1, &y1, &x2, &y2)) return;
  rotate_segment(e, &x1, &y1, &x2, &y2);
  if (!clip_to_hard_clip(e, &x1, &y1, &x2, &y2)) return;
  int32_t ix1 = round_to_int32(x1), iy1 = round_to_int32(y1), ix2 = round_to_int32(x2), iy2 = round_to_int32(y2);
  map_to_device(e, &ix1, &iy1);
  map_to_device(e, &ix2, &iy2);
  if (with_line_type) walk_with_line_type(e, ix1, iy1, ix2, iy2);
  else draw_segment(e, ix1, iy1, ix2, iy2, e.gs.pen.pen);
}

}  // namespace

void draw_line(Engine& e, double x1, double y1, double x2, double y2) { line_path(e, x1, y1, x2, y2, true); }

void draw_line_solid(Engine& e, double x1, double y1, double x2, double y2) { line_path(e, x1, y1, x2, y2, false); }

void draw_user_line(Engine& e, double x1, double y1, double x2, double y2) {
  user_to_plotter(e, x1, y1);
  user_to_plotter(e, x2, y2);
  draw_line(e, x1, y1, x2, y2);
}

int clip_segment(double* x1, double* y1, double* x2, double* y2, double ax, double ay, double bx, double by) {
  const Box b = box_of(ax, ay, bx, by);
  if ((*x1 < b.xmin && *x2 < b.xmin) || (*x1 > b.xmax && *x2 > b.xmax)) return 0;
  if ((*y1 < b.ymin && *y2 < b.ymin) || (*y1 > b.ymax && *y2 > b.ymax)) return 0;
  const Line l{*x1, *y1, *x2, *y2};
  double px1 = *x1, py1 = *y1, px2 = *x2, py2 = *y2;
  if (!clip_end_point(b, l, px1, py1)) return 0;
  if (!clip_end_point(b, l, px2, py2)) return 0;
  *x1 = px1;
  *y1 = py1;
  *x2 = px2;
  *y2 = py2;
  return 1;
}

int clip_to_window(const Engine& e, double* x1, double* y1, double* x2, double* y2) {
  if (!e.gs.window.on) return 1;
  const Box b = window_box(e);
  return clip_segment(x1, y1, x2, y2, b.xmin, b.ymin, b.xmax, b.ymax);
}

int clip_to_hard_clip(const Engine& e, double* x1, double* y1, double* x2, double* y2) {
  const Box b = hard_clip_box(e);
  return clip_segment(x1, y1, x2, y2, b.xmin, b.ymin, b.xmax, b.ymax);
}

void rotate_segment(const Engine& e, double* x1, double* y1, double* x2, double* y2) {
  const double u = e.gs.area.xmax, v = e.gs.area.ymax;
  auto rotate = [&](double* x, double* y) {
    const double ox = *x, oy = *y;
    switch (e.gs.scaling.rotation) {
      case 1: *x = oy; *y = v - ox; break;
      case 2: *x = u - ox; *y = v - oy; break;
      case 3: *x = u - oy; *y = ox; break;
      default: break;
    }
  };
  rotate(x1, y1);
  rotate(x2, y2);
}

void map_to_device(const Engine& e, int32_t* x, int32_t* y) {
  const DeviceExtents& d = e.gs.device;
  const OptionState& o = e.options;
  const int64_t rx = int64_t{*x} - d.org_x, ry = int64_t{*y} - d.org_y;
  const bool shown_size = display_size_set(e);
  if (o.device == DeviceKind::DISPLAY) {
    const Wide view_h = e.run.view.height;
    if (!shown_size) {
      *x = saturate_wide(scale(rx, e.run.view.width, d.ext_x));
      *y = saturate_wide(view_h - scale(ry, view_h, d.ext_y));
    } else {
      *x = saturate_wide(scale(rx, o.display_width, d.ext_x) + o.display_x);
      *y = saturate_wide(view_h - (scale(ry, o.display_height, d.ext_y) + o.display_y));
    }
    return;
  }
  if (!shown_size && o.size_mode == SIZE_REAL) {
    *x = round_to_int32(static_cast<double>(rx) * d.kx);
    *y = round_to_int32(static_cast<double>(ry) * d.ky);
    return;
  }
  const int64_t w = shown_size ? o.display_width : o.printer_width;
  const int64_t h = shown_size ? o.display_height : o.printer_height;
  *x = saturate_wide(std::min<Wide>(scale(rx, w, int64_t{d.ext_x} + 1), Wide{o.printer_width} - 1));
  *y = saturate_wide(std::min<Wide>(scale(ry, h, int64_t{d.ext_y} + 1), Wide{o.printer_height} - 1));
}

void device_length(const Engine& e, int32_t* length) {
  const OptionState& o = e.options;
  const PlotArea& a = e.gs.area;
  const bool shown_size = display_size_set(e);
  switch (o.device) {
    case DeviceKind::DISPLAY: {
      const int64_t w = shown_size ? o.display_width : e.run.view.width;
      *length = saturate_wide(scale(*length, w, saturate_to_int64(a.clip_xmax - a.clip_xmin)));
      break;
    }
    case DeviceKind::PRINTER:
    case DeviceKind::FILE: {
      if (real_size(e)) {
        *length = round_to_int32(*length * e.gs.device.kx);
        break;
      }
      const int64_t w = shown_size ? o.display_width : o.printer_width;
      *length = saturate_wide(scale(*length, w, saturate_to_int64(a.clip_xmax - a.clip_xmin + 1)));
      break;
    }
  }
}

void draw_clip_frame(Engine& e) {
  if (!e.options.frame) return;
  const int pen = e.gs.pen.pen;
  const bool slow = e.options.slow;
  e.gs.pen.pen = 0;
  e.options.slow = false;
  // The hard-clip limits are plotter units: the frame must not pass through
  // the user scaling, or a page step while SC is on would move it.
  const PlotArea& a = e.gs.area;
  draw_line(e, a.clip_xmin, a.clip_ymin, a.clip_xmax, a.clip_ymin);
  draw_line(e, a.clip_xmax, a.clip_ymin, a.clip_xmax, a.clip_ymax);
  draw_line(e, a.clip_xmax, a.clip_ymax, a.clip_xmin, a.clip_ymax);
  draw_line(e, a.clip_xmin, a.clip_ymax, a.clip_xmin, a.clip_ymin);
  e.gs.pen.pen = pen;
  e.options.slow = slow;
}

namespace {

bool intersect(Box& r, const Box& with) {
  r = {std::max(r.xmin, with.xmin), std::max(r.ymin, with.ymin), std::min(r.xmax, with.xmax), std::min(r.ymax, with.ymax)};
  return r.xmin <= r.xmax && r.ymin <= r.ymax;
}

int32_t round_up_half(double v) { return trunc_to_int32(v + 0.5); }

}  // namespace

void fill_rectangle_solid(Engine& e, double x1, double y1, double x2, double y2) {
  if (!finite_segment(x1, y1, x2, y2)) return;
  Box r = box_of(x1, y1, x2, y2);
  if (e.gs.window.on && !intersect(r, window_box(e))) return;
  double ax = r.xmin, ay = r.ymin, bx = r.xmax, by = r.ymax;
  rotate_segment(e, &ax, &ay, &bx, &by);
  r = box_of(ax, ay, bx, by);
  if (!intersect(r, hard_clip_box(e))) return;
  int32_t dx1 = round_up_half(r.xmin), dy1 = round_up_half(r.ymin);
  int32_t dx2 = round_up_half(r.xmax), dy2 = round_up_half(r.ymax);
  map_to_device(e, &dx1, &dy1);
  map_to_device(e, &dx2, &dy2);
  int64_t lo = std::min(dx1, dx2), hi = std::max(dx1, dx2);
  // Columns beyond the visible device area show nothing; do not visit them.
  int64_t vis_x, vis_y;
  if (visible_device_box(e, vis_x, vis_y)) {
    lo = std::max<int64_t>(lo, -1);
    hi = std::min<int64_t>(hi, vis_x + 1);
  }
  for (int64_t c = lo; c <= hi; ++c) draw_segment(e, static_cast<int32_t>(c), dy1, static_cast<int32_t>(c), dy2, e.gs.pen.pen);
}

// The device area that can show anything, from 0 to (xmax, ymax); false
// when the device gives no bound. Patterned lines and solid fills are only
// walked there (and a margin around it), so that coordinates far outside
// the view cost nothing.
bool visible_device_box(const Engine& e, int64_t& xmax, int64_t& ymax) {
  if (e.options.device == DeviceKind::DISPLAY) {
    xmax = e.run.view.width;
    ymax = e.run.view.height;
    return true;
  }
  if (real_size(e) || e.options.printer_width <= 0 || e.options.printer_height <= 0) return false;
  xmax = e.options.printer_width;
  ymax = e.options.printer_height;
  return true;
}

}  // namespace kavor
