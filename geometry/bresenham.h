#pragma once
// The pixels of a straight line between two device points, as the midpoint
// rule picks them (a tie steps the minor axis), and the range of steps that
// can touch a rectangle, so that far-off lines are walked only where they
// cross it. Steps are numbered from 0 at the first end point to `major` at
// the second.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "device/surface.h"
#include "engine/numeric.h"

namespace kavor {

class BresenhamLine {
 public:
  BresenhamLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
      : x1_(x1), y1_(y1), sx_(x2 >= x1 ? 1 : -1), sy_(y2 >= y1 ? 1 : -1) {
    const int64_t adx = std::llabs(int64_t{x2} - x1), ady = std::llabs(int64_t{y2} - y1);
    y_major_ = ady > adx;
    major_ = y_major_ ? ady : adx;
    minor_ = y_major_ ? adx : ady;
  }

  int64_t major() const { return major_; }

  // Narrows [first, last] to the steps where the exact line lies within the
  // rectangle [xlo, xhi] x [ylo, yhi], give or take two steps; first > last
  // when it misses. A pixel may lie half a pixel off the exact line, so a
  // caller that needs every pixel inside adds that margin.
  void narrow_to(double xlo, double ylo, double xhi, double yhi, int64_t& first, int64_t& last) const {
    const double mj = static_cast<double>(major_), mn = static_cast<double>(minor_);
    narrow(first, last, static_cast<double>(x1_), sx_, y_major_ ? mn : mj, xlo, xhi);
    narrow(first, last, static_cast<double>(y1_), sy_, y_major_ ? mj : mn, ylo, yhi);
  }

  // The pixel of step i.
  DevicePoint pixel(int64_t i) const {
    const int64_t across = minor_steps(i);
    return {static_cast<int32_t>(x1_ + sx_ * (y_major_ ? across : i)),
            static_cast<int32_t>(y1_ + sy_ * (y_major_ ? i : across))};
  }

  // Calls visit(DevicePoint) for the pixels of steps first..last in order.
  template <class Visit>
  void walk(int64_t first, int64_t last, Visit&& visit) const {
    if (first > last) return;
    const DevicePoint p = pixel(first);
    const Pair x_step{sx_, 0}, y_step{0, sy_};
    step_along(Pair{p.x, p.y}, y_major_ ? y_step : x_step, y_major_ ? x_step : y_step, error_at(first), last - first,
               [&](Pair at) { visit(DevicePoint{at.x, at.y}); });
  }

  // The same with each pixel given as its offset x + y * row_stride in an
  // image, which a raster writes to without working out the address.
  template <class Visit>
  void walk_offsets(int64_t first, int64_t last, int64_t row_stride, Visit&& visit) const {
    if (first > last) return;
    const DevicePoint p = pixel(first);
    const int64_t x_step = sx_, y_step = sy_ * row_stride;
    step_along(p.x + p.y * row_stride, y_major_ ? y_step : x_step, y_major_ ? x_step : y_step, error_at(first),
               last - first, visit);
  }

 private:
  using Wide = __int128;

  struct Pair {
    int32_t x, y;
    void add_masked(Pair step, int64_t mask) {
      x += step.x & static_cast<int32_t>(mask);
      y += step.y & static_cast<int32_t>(mask);
    }
    void operator+=(Pair step) {
      x += step.x;
      y += step.y;
    }
  };
  static void add_masked(Pair& at, Pair step, int64_t mask) { at.add_masked(step, mask); }
  static void add_masked(int64_t& at, int64_t step, int64_t mask) { at += step & mask; }

  // The error term at step i; it always lies in [-2 major, 0).
  int64_t error_at(int64_t i) const {
    if (i == 0) return -major_;
    return static_cast<int64_t>(-Wide{major_} + Wide{2} * minor_ * i - Wide{2} * major_ * minor_steps(i));
  }

  // Visits n + 1 positions from `at`, moving by major_step each time and by
  // minor_step as well whenever the error term comes up to 0.
  template <class Position, class Visit>
  void step_along(Position at, Position major_step, Position minor_step, int64_t error, int64_t n,
                  Visit&& visit) const {
    const int64_t two_minor = 2 * minor_, two_major = 2 * major_;
    for (int64_t i = 0;; ++i) {
      visit(at);
      if (i == n) break;
      at += major_step;
      error += two_minor;
      // All ones when the minor axis steps: without a branch, since for
      // lines of any slope the branch cannot be predicted.
      const int64_t steps = ~(error >> 63);
      add_masked(at, minor_step, steps);
      error -= two_major & steps;
    }
  }

  // Minor-axis steps taken up to step i.
  int64_t minor_steps(int64_t i) const {
    if (major_ == 0 || i == 0) return 0;
    // Lines within 2^30 pixels keep the arithmetic in 64 bits.
    constexpr int64_t kNarrow = int64_t{1} << 30;
    if (major_ < kNarrow && i < kNarrow) return (2 * minor_ * i + major_) / (2 * major_);
    return static_cast<int64_t>((Wide{2} * minor_ * i + major_) / (Wide{2} * major_));
  }

  // Narrows [lo, hi] to the steps whose coordinate c0 + s * t * num / major
  // lies in [cmin, cmax], widened by two steps for the rounding.
  void narrow(int64_t& lo, int64_t& hi, double c0, int s, double num, double cmin, double cmax) const {
    if (num == 0 || major_ == 0) {
      if (c0 < cmin || c0 > cmax) hi = lo - 1;
      return;
    }
    const double mj = static_cast<double>(major_);
    double t1 = (cmin - c0) * mj / (s * num), t2 = (cmax - c0) * mj / (s * num);
    if (t1 > t2) std::swap(t1, t2);
    lo = std::max(lo, saturate_to_int64(std::floor(t1) - 2));
    hi = std::min(hi, saturate_to_int64(std::ceil(t2) + 2));
  }

  int64_t x1_, y1_;
  int sx_, sy_;
  bool y_major_ = false;
  int64_t major_ = 0, minor_ = 0;
};

}  // namespace kavor
