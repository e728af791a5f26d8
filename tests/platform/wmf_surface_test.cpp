#include "platform/wmf_surface.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

namespace kavor {
namespace {

struct Record {
  uint16_t function;
  std::vector<uint16_t> params;
};

struct Parsed {
  std::vector<uint16_t> placeable;  // 11 words
  std::vector<uint16_t> header;     // 9 words
  std::vector<Record> records;
  size_t total_words = 0;
};

uint32_t dword(const std::vector<uint16_t>& w, size_t i) { return w[i] | uint32_t(w[i + 1]) << 16; }

Parsed parse(const std::string& bytes) {
  std::vector<uint16_t> w;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2)
    w.push_back(static_cast<uint16_t>(uint8_t(bytes[i]) | uint8_t(bytes[i + 1]) << 8));
  Parsed p;
  p.placeable.assign(w.begin(), w.begin() + 11);
  p.header.assign(w.begin() + 11, w.begin() + 20);
  p.total_words = w.size() - 11;
  for (size_t i = 20; i + 2 < w.size();) {
    uint32_t size = dword(w, i);
    if (size < 3 || i + size > w.size()) break;
    p.records.push_back({w[i + 2], std::vector<uint16_t>(w.begin() + i + 3, w.begin() + i + size)});
    i += size;
  }
  return p;
}

Parsed render(void (*draw)(WmfSurface&), int width = 640, int height = 400) {
  std::stringstream out;
  WmfSurface wmf(out, width, height);
  draw(wmf);
  EXPECT_TRUE(wmf.finish());
  return parse(out.str());
}

TEST(WmfSurface, PlaceableHeaderChecksumIsXorOfTheTenWords) {
  std::array<uint8_t, 22> h = placeable_header(640, 400);
  uint16_t expected = 0xCDD7 ^ 0x9AC6 ^ 0 ^ 0 ^ 0 ^ 640 ^ 400 ^ 576 ^ 0 ^ 0;
  EXPECT_EQ(h[20] | h[21] << 8, expected);
  EXPECT_EQ(h[0], 0xD7);
  EXPECT_EQ(h[3], 0x9A);
  EXPECT_EQ(h[10] | h[11] << 8, 640);
  EXPECT_EQ(h[12] | h[13] << 8, 400);
  EXPECT_EQ(h[14] | h[15] << 8, 576);
}

TEST(WmfSurface, EmptyMetafileHasHeadersAndEndRecord) {
  Parsed p = render([](WmfSurface&) {});
  EXPECT_EQ(p.header[0], 1);
  EXPECT_EQ(p.header[1], 9);
  EXPECT_EQ(p.header[2], 0x0300);
  EXPECT_EQ(dword(p.header, 3), 16u);  // header, the fill mode and the end record
  EXPECT_EQ(p.total_words, 16u);
  ASSERT_EQ(p.records.size(), 2u);
  EXPECT_EQ(p.records[0].function, 0x0106);
  EXPECT_EQ(p.records[0].params, std::vector<uint16_t>{1}) << "alternate: the even-odd rule";
  EXPECT_EQ(p.records[1].function, 0);
  EXPECT_EQ(p.records[1].params.size(), 0u);
}

std::vector<uint16_t> functions(const Parsed& p) {
  std::vector<uint16_t> f;
  for (const Record& r : p.records) f.push_back(r.function);
  return f;
}

// A pen serves every polyline until the colour or width changes; a filled
// polygon is one PolyPolygon record with a solid brush and a null pen.
TEST(WmfSurface, PenServesItsPolylinesAndPolygonsAreOneRecord) {
  Parsed p = render([](WmfSurface& w) {
    DevicePoint pts[3] = {{1, 2}, {30, 2}, {30, 40}};
    w.draw_polyline(pts, 3, 3, Rgb{255, 0, 128});
    w.set_pixel({30, 40}, Rgb{1, 2, 3});
    w.draw_polyline(pts, 2, 3, Rgb{255, 0, 128});
    w.fill_polygon({{{0, 0}, {10, 0}, {10, 10}}, {{2, 1}, {8, 1}, {8, 7}, {2, 7}}}, Rgb{0, 0, 255});
    w.draw_polyline(pts, 2, 1, Rgb{255, 0, 128});
  });
  EXPECT_EQ(functions(p), (std::vector<uint16_t>{0x0106, 0x02FA, 0x012D, 0x0325, 0x041F, 0x0325,  // one pen
                                                 0x01F0, 0x02FA, 0x012D, 0x02FC, 0x012D, 0x0538, 0x01F0,  // polygon
                                                 0x01F0, 0x02FA, 0x012D, 0x0325, 0x01F0, 0}));
  const Record& pen = p.records[1];
  ASSERT_EQ(pen.params.size(), 5u);
  EXPECT_EQ(pen.params[0], 0);  // solid
  EXPECT_EQ(pen.params[1], 3);  // width
  EXPECT_EQ(dword(pen.params, 3), 0x008000FFu);
  EXPECT_EQ(p.records[3].params, (std::vector<uint16_t>{3, 1, 2, 30, 2, 30, 40}));
  // COLORREF, then y before x.
  EXPECT_EQ(p.records[4].params, (std::vector<uint16_t>{0x0201, 0x0003, 40, 30}));
  EXPECT_EQ(p.records[7].params[0], 5) << "no outline around the polygon";
  EXPECT_EQ(p.records[9].params, (std::vector<uint16_t>{0, 0x0000, 0x00FF, 0})) << "a solid blue brush";
  EXPECT_EQ(p.records[11].params,
            (std::vector<uint16_t>{2, 3, 4, 0, 0, 10, 0, 10, 10, 2, 1, 8, 1, 8, 7, 2, 7}));
  EXPECT_EQ(dword(p.header, 3), p.total_words);
  EXPECT_EQ(p.header[5], 2);  // objects: the pen and the brush
}

TEST(WmfSurface, FarCoordinatesAreClippedToTheSixteenBitRange) {
  Parsed p = render([](WmfSurface& w) {
    DevicePoint pts[2] = {{-100000, 10}, {100000, 10}};
    w.draw_polyline(pts, 2, 1, Rgb{});
    DevicePoint gone[2] = {{50000, 50000}, {60000, 40000}};
    w.draw_polyline(gone, 2, 1, Rgb{});
    w.set_pixel({40000, 5}, Rgb{});
  });
  ASSERT_EQ(p.records.size(), 6u);
  const Record& line = p.records[3];
  ASSERT_EQ(line.function, 0x0325);
  ASSERT_EQ(line.params.size(), 5u);
  EXPECT_EQ(static_cast<int16_t>(line.params[1]), -32768);
  EXPECT_EQ(line.params[2], 10);
  EXPECT_EQ(static_cast<int16_t>(line.params[3]), 32767);
  EXPECT_EQ(line.params[4], 10);
  EXPECT_EQ(functions(p), (std::vector<uint16_t>{0x0106, 0x02FA, 0x012D, 0x0325, 0x01F0, 0}))
      << "nothing for the invisible line and pixel";
}

TEST(WmfSurface, PolylineLeavingTheRangeSplitsIntoVisibleRuns) {
  Parsed p = render([](WmfSurface& w) {
    DevicePoint pts[4] = {{0, 0}, {0, 40000}, {100, 40000}, {100, 0}};
    w.draw_polyline(pts, 4, 1, Rgb{});
  });
  std::vector<Record> lines;
  for (const Record& r : p.records)
    if (r.function == 0x0325) lines.push_back(r);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].params, (std::vector<uint16_t>{2, 0, 0, 0, 32767}));
  EXPECT_EQ(lines[1].params, (std::vector<uint16_t>{2, 100, 32767, 100, 0}));
}

}  // namespace
}  // namespace kavor
