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

  // Narrows [first, last] to the steps that come within the rectangle
  // [xlo, xhi] x [ylo, yhi], give or take two steps; first > last when the
  // line misses it.
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
    // The error term at step `first`; it always lies in [-2 major, 0).
    int64_t error = -major_;
    if (first != 0)
      error = static_cast<int64_t>(-Wide{major_} + Wide{2} * minor_ * first - Wide{2} * major_ * minor_steps(first));
    const DevicePoint start = pixel(first);
    // One loop per major axis keeps the per-pixel path free of the test.
    if (y_major_) step_along(start.y, start.x, sy_, sx_, error, last - first, visit, [](int32_t a, int32_t b) { return DevicePoint{b, a}; });
    else step_along(start.x, start.y, sx_, sy_, error, last - first, visit, [](int32_t a, int32_t b) { return DevicePoint{a, b}; });
  }

 private:
  using Wide = __int128;

  // Visits n + 1 pixels from (along, across), stepping the major axis each
  // time and the minor axis whenever the error term comes up to 0.
  template <class Visit, class Point>
  void step_along(int32_t along, int32_t across, int s_along, int s_across, int64_t error, int64_t n, Visit& visit,
                  Point point) const {
    const int64_t two_minor = 2 * minor_, two_major = 2 * major_;
    for (int64_t i = 0;; ++i) {
      visit(point(along, across));
      if (i == n) break;
      along += s_along;
      error += two_minor;
      // All ones when the minor axis steps: without a branch, since for
      // lines of any slope the branch cannot be predicted.
      const int64_t steps = ~(error >> 63);
      across += s_across & static_cast<int32_t>(steps);
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
