#include "platform/wmf_surface.h"

#include <algorithm>
#include <limits>

#include "platform/polyline_clip.h"

namespace kavor {

namespace {

constexpr uint16_t kCreatePenIndirect = 0x02FA;
constexpr uint16_t kSelectObject = 0x012D;
constexpr uint16_t kDeleteObject = 0x01F0;
constexpr uint16_t kPolyline = 0x0325;
constexpr uint16_t kSetPixel = 0x041F;
constexpr uint16_t kCreateBrushIndirect = 0x02FC;
constexpr uint16_t kSetPolyFillMode = 0x0106;
constexpr uint16_t kPolyPolygon = 0x0538;
constexpr uint16_t kPenSolid = 0;
constexpr uint16_t kPenNull = 5;
constexpr uint16_t kBrushSolid = 0;
constexpr uint16_t kAlternateFill = 1;  // the even-odd rule
// Object slots: the pen, and the brush of a polygon while it is drawn.
constexpr uint16_t kPenSlot = 0;
constexpr uint16_t kBrushSlot = 1;
constexpr uint16_t kObjectSlots = 2;
// Points per Polyline record: its point count is a signed 16-bit value.
constexpr int kMaxRecordPoints = 8000;
constexpr ClipBox kInt16Box{-32768, -32768, 32767, 32767};

uint16_t to_int16_bits(int64_t v) {
  return static_cast<uint16_t>(static_cast<int16_t>(std::clamp<int64_t>(v, -32768, 32767)));
}

uint32_t colour_ref(Rgb c) { return uint32_t(c.r) | uint32_t(c.g) << 8 | uint32_t(c.b) << 16; }

void store16(uint8_t* at, uint16_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}

}  // namespace

std::array<uint8_t, 22> placeable_header(int width, int height) {
  std::array<uint16_t, 10> words{static_cast<uint16_t>(kPlaceableKey & 0xFFFF),
                                 static_cast<uint16_t>(kPlaceableKey >> 16),
                                 0,
                                 0,
                                 0,
                                 to_int16_bits(width),
                                 to_int16_bits(height),
                                 kWmfUnitsPerInch,
                                 0,
                                 0};
  std::array<uint8_t, 22> bytes{};
  uint16_t checksum = 0;
  for (size_t i = 0; i < words.size(); ++i) {
    store16(&bytes[2 * i], words[i]);
    checksum ^= words[i];
  }
  store16(&bytes[20], checksum);
  return bytes;
}

WmfSurface::WmfSurface(std::ostream& out, int width, int height)
    : out_(out), width_(width), height_(height), start_(out.tellp()) {
  write_headers();
  begin_record(4, kSetPolyFillMode);
  put16(kAlternateFill);
}

void WmfSurface::put16(uint16_t v) {
  char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
  out_.write(b, 2);
}

void WmfSurface::put32(uint32_t v) {
  put16(static_cast<uint16_t>(v & 0xFFFF));
  put16(static_cast<uint16_t>(v >> 16));
}

void WmfSurface::begin_record(uint32_t words, uint16_t function) {
  words_ += words;
  largest_record_ = std::max(largest_record_, words);
  put32(words);
  put16(function);
}

void WmfSurface::write_headers() {
  std::array<uint8_t, 22> placeable = placeable_header(width_, height_);
  out_.write(reinterpret_cast<const char*>(placeable.data()), placeable.size());
  put16(1);       // metafile in memory
  put16(9);       // header size in words
  put16(0x0300);  // version
  put32(words_);
  put16(kObjectSlots);
  put32(largest_record_);
  put16(0);
}

void WmfSurface::put_point(DevicePoint p) {
  put16(to_int16_bits(p.x));
  put16(to_int16_bits(p.y));
}

void WmfSurface::write_polyline(const DevicePoint* points, int count) {
  begin_record(4 + 2 * static_cast<uint32_t>(count), kPolyline);
  put16(static_cast<uint16_t>(count));
  for (int i = 0; i < count; ++i) put_point(points[i]);
}

void WmfSurface::delete_object(uint16_t slot) {
  begin_record(4, kDeleteObject);
  put16(slot);
}

void WmfSurface::select_pen(uint16_t style, int width, Rgb colour) {
  if (pen_selected_ && pen_style_ == style && pen_width_ == width && pen_colour_ == colour) return;
  if (pen_selected_) delete_object(kPenSlot);
  begin_record(8, kCreatePenIndirect);
  put16(style);
  put16(to_int16_bits(width));
  put16(0);
  put32(colour_ref(colour));
  begin_record(4, kSelectObject);
  put16(kPenSlot);
  pen_selected_ = true;
  pen_style_ = style;
  pen_width_ = width;
  pen_colour_ = colour;
}

void WmfSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (count < 2) return;
  auto runs = clip_polyline(points, count, kInt16Box);
  if (runs.empty()) return;
  select_pen(kPenSolid, std::max(width, 1), colour);
  for (const std::vector<DevicePoint>& run : runs) {
    // Long runs are split into records that share their joining point.
    for (size_t first = 0; first + 1 < run.size(); first += kMaxRecordPoints - 1) {
      size_t n = std::min<size_t>(kMaxRecordPoints, run.size() - first);
      write_polyline(run.data() + first, static_cast<int>(n));
    }
  }
}

void WmfSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (!kInt16Box.contains(p)) return;
  begin_record(7, kSetPixel);
  put32(colour_ref(colour));
  put16(to_int16_bits(p.y));
  put16(to_int16_bits(p.x));
}

void WmfSurface::fill_polygon(const DeviceRings& rings, Rgb colour) {
  // The counts are 16-bit: far beyond the rings of a polygon of the buffer.
  uint32_t points = 0;
  for (const std::vector<DevicePoint>& ring : rings) points += static_cast<uint32_t>(std::min<size_t>(ring.size(), 0xFFFF));
  if (rings.empty() || rings.size() > 0xFFFF) return;
  select_pen(kPenNull, 1, Rgb{});
  begin_record(7, kCreateBrushIndirect);
  put16(kBrushSolid);
  put32(colour_ref(colour));
  put16(0);
  begin_record(4, kSelectObject);
  put16(kBrushSlot);
  begin_record(4 + static_cast<uint32_t>(rings.size()) + 2 * points, kPolyPolygon);
  put16(static_cast<uint16_t>(rings.size()));
  for (const std::vector<DevicePoint>& ring : rings) put16(static_cast<uint16_t>(std::min<size_t>(ring.size(), 0xFFFF)));
  for (const std::vector<DevicePoint>& ring : rings)
    for (size_t i = 0; i < ring.size() && i < 0xFFFF; ++i) put_point(ring[i]);
  delete_object(kBrushSlot);
}

bool WmfSurface::finish() {
  if (pen_selected_) delete_object(kPenSlot);
  pen_selected_ = false;
  begin_record(3, 0);
  std::streampos end = out_.tellp();
  out_.seekp(start_);
  write_headers();
  out_.seekp(end);
  out_.flush();
  return static_cast<bool>(out_);
}

}  // namespace kavor
