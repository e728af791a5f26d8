// The arc generator: the chords of an arc about the pen position, drawn
// through the line path or recorded in the polygon buffer, with the chord
// angle rules and the bounds that keep huge arcs cheap.
#include "geometry/arcs.h"

#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/units.h"
#include "geometry/coordinates.h"
#include "geometry/line_path.h"
#include "geometry/polygon_buffer.h"

namespace kavor {

namespace {

constexpr double kSmallestChordAngle = 0.5;
constexpr double kLargestChordAngle = 180.0;
constexpr double kPi = 3.14159265358979323846;
// Chords per arc at most, per pixel of the visible picture's width plus
// height. Far more than any arc on the picture needs: with this many chords
// even a circle with a radius of 2^31 pixels deviates from its chords by less
// than half a pixel.
constexpr int64_t kChordsPerVisiblePixel = 64;
constexpr int64_t kSmallestVisibleSize = 1000;

// The largest number of chords one arc may have.
int64_t chord_limit(const Engine& e) {
  const OptionState& o = e.options;
  int64_t size = std::max<int64_t>(int64_t{e.run.view.width} + e.run.view.height,
                                   int64_t{o.printer_width} + o.printer_height);
  size = std::max<int64_t>(size, int64_t{o.display_width} + o.display_height);
  return kChordsPerVisiblePixel * std::max(size, kSmallestVisibleSize);
}

void sort_pair(double& lo, double& hi) {
  if (lo > hi) std::swap(lo, hi);
}

bool boxes_apart(double ax1, double ay1, double ax2, double ay2, double bx1, double by1, double bx2, double by2) {
  sort_pair(ax1, ax2);
  sort_pair(ay1, ay2);
  sort_pair(bx1, bx2);
  sort_pair(by1, by2);
  return ax2 < bx1 || ax1 > bx2 || ay2 < by1 || ay1 > by2;
}

// True when no chord of the circle around m can reach the input window or
// the hard-clip rectangle, so that drawing it would produce nothing.
bool circle_outside_picture(const Engine& e, ArcPoint m, double r) {
  const double a = std::fabs(r);
  double x1 = m.x - a, y1 = m.y - a, x2 = m.x + a, y2 = m.y + a;
  user_to_plotter(e, x1, y1);
  user_to_plotter(e, x2, y2);
  if (e.gs.window.on) {
    double wx1, wy1, wx2, wy2;
    input_window_plotter(e, wx1, wy1, wx2, wy2);
    if (boxes_apart(x1, y1, x2, y2, wx1, wy1, wx2, wy2)) return true;
  }
  rotate_segment(e, &x1, &y1, &x2, &y2);
  const PlotArea& c = e.gs.area;
  return boxes_apart(x1, y1, x2, y2, c.clip_xmin, c.clip_ymin, c.clip_xmax, c.clip_ymax);
}

void extend_extents(Engine& e, ArcPoint p) {
  user_to_plotter(e, p.x, p.y);
  DrawingExtents& d = e.gs.extents;
  d.xmin = std::min(d.xmin, p.x);
  d.ymin = std::min(d.ymin, p.y);
  d.xmax = std::max(d.xmax, p.x);
  d.ymax = std::max(d.ymax, p.y);
}

// A culled arc still counts in the drawing extents: its end points and the
// points where it crosses the axes through the centre.
void extend_extents_by_arc(Engine& e, ArcPoint m, double r, double s, double end) {
  extend_extents(e, point_on_circle(m, r, s));
  extend_extents(e, point_on_circle(m, r, end));
  double lo = std::min(s, end), hi = std::max(s, end);
  if (!std::isfinite(lo) || !std::isfinite(hi)) return;
  if (hi - lo >= 360) hi = lo + 360;
  // At most five axis points; counted, as huge angles do not grow by 90.
  const double first = std::ceil(lo / 90);
  for (int i = 0; i < 5 && (first + i) * 90 <= hi; ++i) extend_extents(e, point_on_circle(m, r, (first + i) * 90));
}

// False when the polygon buffer is full (it has warned once already).
bool record_point(Engine& e, ArcPoint p, int output) {
  const int count = output == ARC_WEDGE ? add_vertex(e, p.x, p.y, VERTEX_CONTINUES, VERTEX_ADD)
                                        : add_polygon_mode_vertex(e, p.x, p.y);
  return count >= 0;
}

bool before_end(double u, double s, double end) { return s < end ? u < end : (s > end && u > end); }


}  // namespace

ArcPoint point_on_circle(ArcPoint m, double r, double degrees) {
  return {m.x + r * std::cos(degrees * kArcRadiansPerDegree), m.y + r * std::sin(degrees * kArcRadiansPerDegree)};
}

double chord_angle(const Engine& e, double t, double r) {
  if (e.gs.other.chord_mode == CHORD_DEVIATION) {
    // Deviation from the arc in user units; the radius is taken as a length.
    const double radius = std::fabs(r);
    if (!(radius > 0)) return kLargestChordAngle;
    const double d = std::min(t, 2 * radius);
    return std::acos((radius - d) / radius) * kDegreesPerRadian;
  }
  return std::clamp(t, kSmallestChordAngle, kLargestChordAngle);
}

void limit_chord_step(const Engine& e, double r, double* step) {
  double plotter = std::fabs(r);
  if (e.gs.scaling.on && e.gs.scaling.ux != 0) plotter /= std::fabs(e.gs.scaling.ux);
  int32_t rp = round_to_int32(plotter);
  device_length(e, &rp);
  if (rp < 1) rp = 1;
  const double smallest = 180.0 / (kPi * rp);
  if (std::fabs(*step) < smallest) *step = *step < 0 ? -smallest : smallest;
}

void generate_arc(Engine& e, double r, double c, double s, double end, int output, double* ex, double* ey) {
  const ArcPoint m{e.gs.pen.x, e.gs.pen.y};
  const ArcPoint last = point_on_circle(m, r, end);
  *ex = last.x;
  *ey = last.y;
  if (output != ARC_POLYGON && !e.gs.pen.down) return;
  if (output == ARC_DRAW && circle_outside_picture(e, m, r)) {
    extend_extents_by_arc(e, m, r, s, end);
    return;
  }
  ArcPoint previous = point_on_circle(m, r, s);
  if (output != ARC_DRAW && !record_point(e, previous, output)) return;
  double delta = s <= end ? c : -c;
  limit_chord_step(e, r, &delta);
  // Bound the work for huge sweeps and radii: never more chords than the
  // visible picture can show.
  const int64_t limit = chord_limit(e);
  const double sweep = std::fabs(end - s);
  if (sweep / std::fabs(delta) > static_cast<double>(limit)) delta = std::copysign(sweep / limit, delta);
  double u = s + delta;
  for (int64_t i = 0; i <= limit && before_end(u, s, end); ++i) {
    const ArcPoint p = point_on_circle(m, r, u);
    ++e.work.chords;
    if (output == ARC_DRAW) {
      draw_user_line(e, previous.x, previous.y, p.x, p.y);
      previous = p;
    } else if (!record_point(e, p, output)) {
      return;
    }
    const double next = u + delta;
    if (next == u) break;
    u = next;
  }
  ++e.work.chords;
  if (output == ARC_DRAW) {
    draw_user_line(e, previous.x, previous.y, last.x, last.y);
  } else {
    record_point(e, last, output);
  }
}

}  // namespace kavor
