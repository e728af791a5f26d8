#pragma once
// A surface that places the engine's device points in a picture: moved by
// an offset (a drawing centred in a larger picture), and, for the printer
// device, turned upright again. The printer device puts the plotter's x
// axis down the page and its y axis across it; a picture shows the plot as
// the view does, x to the right and y up.

#include <vector>

#include "device/surface.h"

namespace kavor {

class PlacedSurface : public Surface {
 public:
  // page_height: 0 for points that are upright already; for printer-page
  // points, the printer page height in pixels (the picture's height).
  PlacedSurface(Surface& picture, DevicePoint offset, int page_height = 0)
      : picture_(picture), offset_(offset), page_height_(page_height) {}

  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override;
  void set_pixel(DevicePoint p, Rgb colour) override;
  int page_extent_x() const override { return picture_.page_extent_x(); }
  bool draws_polygons() const override { return picture_.draws_polygons(); }
  void fill_polygon(const DeviceRings& rings, Rgb colour) override;

 private:
  DevicePoint place(DevicePoint p) const;

  Surface& picture_;
  DevicePoint offset_;
  int page_height_;
  std::vector<DevicePoint> placed_;
};

}  // namespace kavor
