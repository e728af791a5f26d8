#pragma once
// The drawing surface over a QPainter on any paint device (an image, a PDF
// or SVG file, a printer page).
//
// Pens are solid and drawn without antialiasing. A pen of width 1 uses flat
// caps: Qt's aliased one-pixel stroker then leaves the pixel of the last
// point unpainted, which is the line rule the drawing device relies on (it
// sets that pixel itself when a polyline ends). Wider pens have round caps
// and joins; a polyline of one repeated point is a round dot of the pen's
// width. Polylines are clipped to the device rectangle enlarged by a
// margin, so that far-off coordinates never reach the rasteriser.

#include <QPainter>
#include <QRect>

#include "device/surface.h"

namespace kavor {

class QtSurface : public Surface {
 public:
  // The painter must be active; bounds is the paint device's rectangle in
  // the painter's coordinates.
  QtSurface(QPainter& painter, QRect bounds, int page_extent_x = 0);

  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override;
  void set_pixel(DevicePoint p, Rgb colour) override;
  int page_extent_x() const override { return page_extent_x_; }

 private:
  QPainter& painter_;
  QRect bounds_;
  int page_extent_x_;
};

}  // namespace kavor
