#pragma once
// A Windows metafile written record by record behind the placeable header:
// a pen is created and selected when the colour or width changes and serves
// every polyline after it, single pixels are SetPixel records, and a filled
// polygon is one PolyPolygon record with a solid brush and no outline, by
// the even-odd rule. The metafile coordinates are the view's pixels;
// polylines are clipped to the 16-bit range the records hold.

#include <array>
#include <cstdint>
#include <ostream>

#include "device/surface.h"

namespace kavor {

constexpr uint32_t kPlaceableKey = 0x9AC6CDD7u;
constexpr uint16_t kWmfUnitsPerInch = 576;

// The 22-byte placeable header for a bounding box of 0, 0, width, height.
std::array<uint8_t, 22> placeable_header(int width, int height);

class WmfSurface : public Surface {
 public:
  // The stream must be seekable: the headers are written again at finish,
  // with the sizes then known.
  WmfSurface(std::ostream& out, int width, int height);

  void draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) override;
  void set_pixel(DevicePoint p, Rgb colour) override;
  bool draws_polygons() const override { return true; }
  void fill_polygon(const DeviceRings& rings, Rgb colour) override;
  // Writes the end record and the final headers; false when a write failed.
  bool finish();

 private:
  void begin_record(uint32_t words, uint16_t function);
  void put16(uint16_t v);
  void put32(uint32_t v);
  void write_headers();
  void write_polyline(const DevicePoint* points, int count);
  void put_point(DevicePoint p);
  // Selects a pen of this style, width and colour in object slot 0, unless
  // it is the one selected.
  void select_pen(uint16_t style, int width, Rgb colour);
  void delete_object(uint16_t slot);

  std::ostream& out_;
  int width_, height_;
  std::streampos start_;
  uint32_t words_ = 9;  // the metafile header itself
  uint32_t largest_record_ = 0;
  bool pen_selected_ = false;
  uint16_t pen_style_ = 0;
  int pen_width_ = 0;
  Rgb pen_colour_;
};

}  // namespace kavor
