#include "shell/view_zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace kavor {

namespace {

constexpr int kSmallestZoomWidth = 5;  // pixels; a narrower drag does not zoom

// truncate(value * num / den) for values of a frame: all of them at least 0
// in use, and the product kept in 64 bits.
int scaled(int value, int num, int den) {
  return den == 0 ? value : static_cast<int>(static_cast<int64_t>(value) * num / den);
}

int sign(int v) { return v < 0 ? -1 : 1; }

}  // namespace

bool ViewZoom::is_zoomed() const {
  return frame_.x0 != 0 || frame_.x1 != frame_.width - 1 || frame_.y0 != 0 || frame_.y1 != frame_.height - 1;
}

void ViewZoom::zoom_whole() {
  frame_.x0 = frame_.y0 = 0;
  frame_.x1 = frame_.width - 1;
  frame_.y1 = frame_.height - 1;
}

bool ViewZoom::resize(int w, int h, bool auto_size) {
  if (w <= 0 || h <= 0) return false;  // minimised: only repainted
  if (w == frame_.width && h == frame_.height) return false;
  if (frame_.width != 0 && frame_.height != 0 && is_zoomed()) {
    if (w != frame_.width) {
      frame_.x0 = scaled(frame_.x0, w, frame_.width);
      frame_.x1 = scaled(frame_.x1, w, frame_.width);
    }
    if (h != frame_.height) {
      frame_.y0 = scaled(frame_.y0, h, frame_.height);
      frame_.y1 = scaled(frame_.y1, h, frame_.height);
    }
    frame_.width = w;
    frame_.height = h;
  } else {
    frame_.width = w;
    frame_.height = h;
    zoom_whole();
  }
  return auto_size;
}

void ViewZoom::press(ViewPoint p, int view_height, bool keep_aspect) {
  saved_ = frame_;
  view_height_ = view_height;
  ratio_ = keep_aspect && view_height > 0 ? static_cast<double>(frame_.width) / view_height : 0;
  dragging_ = true;
  anchor_ = current_ = clamped(p);
}

bool ViewZoom::move(ViewPoint p) {
  if (!dragging_) return false;
  follow(p);
  return true;
}

ViewPoint ViewZoom::clamped(ViewPoint p) const {
  return {std::clamp(p.x, 0, std::max(0, frame_.width - 1)), std::clamp(p.y, 0, std::max(0, view_height_ - 1))};
}

void ViewZoom::follow(ViewPoint p) {
  current_ = clamped(p);
  enforce_ratio();
}

// Cuts the drag to the ratio: a drag wider than the ratio in x, a taller
// one in y.
void ViewZoom::enforce_ratio() {
  const int dx = current_.x - anchor_.x, dy = current_.y - anchor_.y;
  if (ratio_ <= 0 || dx == 0 || dy == 0) return;
  if (std::abs(static_cast<double>(dx) / dy) >= ratio_)
    current_.x = anchor_.x + sign(dx) * static_cast<int>(ratio_ * std::abs(dy));
  else
    current_.y = anchor_.y + sign(dy) * static_cast<int>(std::abs(dx) / ratio_);
}

bool ViewZoom::release(ViewPoint p) {
  if (!dragging_) return false;
  dragging_ = false;
  follow(p);
  const int left = std::min(anchor_.x, current_.x), right = std::max(anchor_.x, current_.x);
  // Window y turned into a distance from the bottom.
  const int lower = view_height_ - std::max(anchor_.y, current_.y);
  const int upper = view_height_ - std::min(anchor_.y, current_.y);
  if (right - left <= kSmallestZoomWidth) return false;
  // The new rectangle is taken within the one from before the drag.
  const ZoomView& s = saved_;
  const int span_x = std::abs(s.x1 - s.x0) + 1, span_y = std::abs(s.y0 - s.y1) + 1;
  frame_.x0 = s.x0 + scaled(span_x, left, s.width);
  frame_.x1 = s.x0 + scaled(span_x, right, s.width);
  frame_.y1 = s.y0 + scaled(span_y, upper, view_height_);
  frame_.y0 = s.y0 + scaled(span_y, lower, view_height_);
  if (frame_.x0 == frame_.x1) ++frame_.x1;
  if (frame_.y0 == frame_.y1) ++frame_.y0;
  return true;
}

}  // namespace kavor
