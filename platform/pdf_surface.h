#pragma once
// A one-page PDF file written as the picture is drawn: the page's content
// stream is compressed and written out piece by piece, so that memory stays
// the same whatever the size of the plot; the page, the catalogue and the
// cross-reference table follow at finish. Paths as VectorSurface draws
// them; one point of the page per view pixel.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/vector_surface.h"

namespace kavor {

class PdfSurface : public VectorSurface {
 public:
  // Writes the file head and begins the page's content on white; the page
  // measures width by height pixels of points_per_pixel points each.
  PdfSurface(std::ostream& out, int width, int height, double points_per_pixel = 1.0);
  ~PdfSurface() override;
  PdfSurface(const PdfSurface&) = delete;
  PdfSurface& operator=(const PdfSurface&) = delete;

  // Ends the content and writes the page, the catalogue and the
  // cross-reference table; false when a write failed.
  bool finish();

 private:
  void begin_strokes(int width, Rgb colour) override;
  void move_to(DevicePoint p) override;
  void line_to(DevicePoint from, DevicePoint to) override;
  void pixel_square(DevicePoint p) override;
  void end_strokes() override;
  void write_polygon(const DeviceRings& rings, Rgb colour) override;

  // Content operators, gathered and compressed in pieces.
  void content(const char* text);
  void number(double v);
  void point(DevicePoint p, const char* op);
  void colour(Rgb c, const char* op);
  void compress(bool last);
  // Bytes written to the file itself, with their count for the offsets.
  void put(const std::string& bytes);
  void begin_object(int number);

  class Deflater;
  std::ostream& out_;
  std::unique_ptr<Deflater> deflater_;
  std::string pending_;
  uint64_t written_ = 0;  // bytes of the file so far
  uint64_t stream_bytes_ = 0;
  std::vector<uint64_t> offsets_;  // of objects 1.., by number
  double scale_;                   // points per pixel
  bool ok_ = true;
};

}  // namespace kavor
