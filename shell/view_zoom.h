#pragma once
// The view's size, its zoom rectangle and the rubber-band drag that
// chooses a new one: plain integers, no Qt, so the arithmetic is tested on
// its own.
//
// Two heights matter. The zoom rectangle lives in a frame of the client
// width W by the client height H (status bar included), x from the left and
// y from the bottom; the whole drawing is 0, 0, W-1, H-1. The picture and
// the drag live in the view, W by Hv, Hv being H less the status bar.

#include "config/settings.h"

namespace kavor {

struct ViewPoint {
  int x = 0, y = 0;
  bool operator==(const ViewPoint&) const = default;
};

class ViewZoom {
 public:
  // Width, height and zoom rectangle, as the parameter-file writer takes
  // them (and rewrites the rectangle).
  ZoomView& frame() { return frame_; }
  const ZoomView& frame() const { return frame_; }
  // True unless the rectangle is the whole drawing.
  bool is_zoomed() const;
  void zoom_whole();
  // A size change of the client area to w by h. The rectangle is scaled
  // with the size while zoomed, else it stays the whole drawing. True when
  // the picture must be discarded: the size changed and auto size is on.
  bool resize(int w, int h, bool auto_size);

  // The drag, in view pixels; view_height is Hv.
  void press(ViewPoint p, int view_height, bool keep_aspect);
  // False when no drag is in progress.
  bool move(ViewPoint p);
  // Ends the drag at p. True when the zoom rectangle changed: the drag was
  // more than 5 pixels wide.
  bool release(ViewPoint p);
  // The right button abandons a drag; the zoom stays as it was.
  void abandon() { dragging_ = false; }
  bool dragging() const { return dragging_; }
  ViewPoint anchor() const { return anchor_; }
  ViewPoint current() const { return current_; }

 private:
  ViewPoint clamped(ViewPoint p) const;
  void follow(ViewPoint p);
  void enforce_ratio();

  ZoomView frame_;
  bool dragging_ = false;
  ViewPoint anchor_, current_;
  ZoomView saved_;
  int view_height_ = 0;
  double ratio_ = 0;  // width over height of the drag; 0 when free
};

}  // namespace kavor
