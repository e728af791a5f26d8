#pragma once
// A PDF file written as the picture is drawn: each page's content stream
// is compressed and written out piece by piece, so that memory stays the
// same whatever the size of the plot; the pages, the catalogue and the
// cross-reference table follow at finish. Paths as VectorSurface draws
// them; one point of the page per view pixel, or the points of a pixel of
// a resolution.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "platform/vector_surface.h"

namespace kavor {

// The sheet of paper a page's drawn area lies on, in points: its size and
// the drawn area's top left corner on it. A sheet of no size is the drawn
// area itself.
struct PdfSheet {
  double width = 0, height = 0;
  double left = 0, top = 0;
};

class PdfSurface : public VectorSurface {
 public:
  // Writes the file head and begins the first page's content on white; the
  // drawn area measures width by height pixels of points_per_pixel points
  // each. page_extent_x is what the printer device asks of its page.
  PdfSurface(std::ostream& out, int width, int height, double points_per_pixel = 1.0, PdfSheet sheet = {},
             int page_extent_x = 0);
  ~PdfSurface() override;
  PdfSurface(const PdfSurface&) = delete;
  PdfSurface& operator=(const PdfSurface&) = delete;

  int page_extent_x() const override { return page_extent_x_; }

  // Ends the page drawn so far and begins another like it.
  void new_page();
  // The document's title, for the readers' window.
  void set_title(const std::u16string& title) { title_ = title; }
  // Ends the content and writes the pages, the catalogue and the
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
  int new_object();
  void begin_object(int number);
  // A page's content stream, begun and ended; the page's own object is
  // written at finish.
  void begin_page();
  void end_page();
  void write_page(int page);
  // The Info dictionary with the title; 0 when there is no title.
  int write_info();

  class Deflater;
  std::ostream& out_;
  std::unique_ptr<Deflater> deflater_;
  std::string pending_;
  uint64_t written_ = 0;  // bytes of the file so far
  uint64_t stream_bytes_ = 0;
  std::vector<uint64_t> offsets_;  // of objects 1.., by number
  std::vector<int> pages_;         // the page objects, in order
  int content_ = 0, length_ = 0;   // the open page's stream and its length
  double scale_;                   // points per pixel
  PdfSheet sheet_;
  int page_extent_x_;
  std::u16string title_;
  bool ok_ = true;
};

}  // namespace kavor
