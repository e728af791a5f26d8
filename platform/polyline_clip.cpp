#include "platform/polyline_clip.h"

#include <algorithm>

#include "engine/numeric.h"

namespace kavor {

namespace {

// Liang-Barsky: narrows [t0, t1] to the part of the segment inside the box.
bool clip_parameter(double p, double q, double& t0, double& t1) {
  if (p == 0) return q >= 0;
  double r = q / p;
  if (p < 0) {
    if (r > t1) return false;
    if (r > t0) t0 = r;
  } else {
    if (r < t0) return false;
    if (r < t1) t1 = r;
  }
  return true;
}

bool clip_segment_to_box(DevicePoint& a, DevicePoint& b, const ClipBox& box) {
  if (box.contains(a) && box.contains(b)) return true;
  double x0 = a.x, y0 = a.y, dx = double(b.x) - a.x, dy = double(b.y) - a.y;
  double t0 = 0, t1 = 1;
  if (!clip_parameter(-dx, x0 - double(box.xmin), t0, t1) || !clip_parameter(dx, double(box.xmax) - x0, t0, t1) ||
      !clip_parameter(-dy, y0 - double(box.ymin), t0, t1) || !clip_parameter(dy, double(box.ymax) - y0, t0, t1))
    return false;
  // Rounding may step a hair over an edge: keep the ends on the box.
  auto on_box = [&](double x, double y) {
    return DevicePoint{saturate_to_int32(std::clamp<int64_t>(round_to_int32(x), box.xmin, box.xmax)),
                       saturate_to_int32(std::clamp<int64_t>(round_to_int32(y), box.ymin, box.ymax))};
  };
  DevicePoint na = on_box(x0 + t0 * dx, y0 + t0 * dy);
  b = on_box(x0 + t1 * dx, y0 + t1 * dy);
  a = na;
  return true;
}

}  // namespace

ClipBox device_clip_box(int64_t left, int64_t top, int64_t right, int64_t bottom, int pen_width) {
  constexpr int64_t kMargin = 4096;
  int64_t m = kMargin + std::max(pen_width, 0);
  return {left - m, top - m, right + m, bottom + m};
}

std::vector<std::vector<DevicePoint>> clip_polyline(const DevicePoint* points, int count, const ClipBox& box) {
  std::vector<std::vector<DevicePoint>> runs;
  std::vector<DevicePoint> run;
  auto close_run = [&] {
    if (run.size() >= 2) runs.push_back(std::move(run));
    run.clear();
  };
  for (int i = 0; i + 1 < count; ++i) {
    DevicePoint a = points[i], b = points[i + 1];
    if (!clip_segment_to_box(a, b, box)) {
      close_run();
      continue;
    }
    if (run.empty() || !(run.back() == a)) {
      close_run();
      run.push_back(a);
    }
    run.push_back(b);
  }
  close_run();
  return runs;
}

}  // namespace kavor
