#include "platform/image_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <random>
#include <set>
#include <utility>

#include "platform/qt_surface.h"
#include "support/recording_surface.h"

namespace kavor {
namespace {

constexpr Rgb kBlue{0, 0, 255};
constexpr int kSize = 40;

using Pixels = std::set<std::pair<int, int>>;

QImage white_image() {
  QImage image(kSize, kSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  return image;
}

Pixels painted(const QImage& image) {
  Pixels out;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) != qRgb(255, 255, 255)) out.insert({x, y});
  return out;
}

// The midpoint rule worked out on its own: at step i along the major axis
// the line has moved (2 minor i + major) / (2 major) pixels, rounded down,
// along the minor one. The end pixel is left out, and only pixels in the
// image count.
Pixels expected_line(int64_t x1, int64_t y1, int64_t x2, int64_t y2) {
  const int64_t dx = x2 - x1, dy = y2 - y1;
  const bool y_major = std::llabs(dy) > std::llabs(dx);
  const int64_t major = y_major ? std::llabs(dy) : std::llabs(dx), minor = y_major ? std::llabs(dx) : std::llabs(dy);
  const int64_t sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
  Pixels out;
  for (int64_t i = 0; i < major; ++i) {
    const int64_t across = (2 * minor * i + major) / (2 * major);
    const int64_t x = x1 + sx * (y_major ? across : i), y = y1 + sy * (y_major ? i : across);
    if (x >= 0 && y >= 0 && x < kSize && y < kSize) out.insert({static_cast<int>(x), static_cast<int>(y)});
  }
  return out;
}

struct Thin {
  QImage image = white_image();
  testing::RecordingSurface wide;
  ImageSurface surface{image, wide};
  void line(DevicePoint a, DevicePoint b) {
    const DevicePoint pts[2] = {a, b};
    surface.draw_polyline(pts, 2, 1, kBlue);
  }
};

TEST(ImageSurface, LinesFollowTheMidpointRuleInEveryDirectionAndLeaveTheirEndPixel) {
  const DevicePoint centre{20, 20};
  const DevicePoint ends[] = {{30, 20}, {10, 20}, {20, 30}, {20, 10}, {30, 25}, {10, 15}, {25, 30}, {15, 10},
                              {30, 10}, {10, 30}, {31, 13}, {9, 27},  {27, 31}, {13, 9},  {30, 30}, {10, 10}};
  for (DevicePoint end : ends) {
    Thin t;
    t.line(centre, end);
    EXPECT_EQ(painted(t.image), expected_line(centre.x, centre.y, end.x, end.y)) << end.x << "," << end.y;
    EXPECT_EQ(t.image.pixel(centre.x, centre.y), qRgb(0, 0, 255));
    EXPECT_EQ(t.image.pixel(end.x, end.y), qRgb(255, 255, 255));
  }
}

TEST(ImageSurface, PolylineCornersArePaintedOnceByTheNextSegment) {
  Thin t;
  const DevicePoint pts[4] = {{2, 2}, {12, 2}, {12, 9}, {3, 14}};
  t.surface.draw_polyline(pts, 4, 1, kBlue);
  Pixels want = expected_line(2, 2, 12, 2);
  want.merge(expected_line(12, 2, 12, 9));
  want.merge(expected_line(12, 9, 3, 14));
  EXPECT_EQ(painted(t.image), want);
  EXPECT_EQ(t.image.pixel(3, 14), qRgb(255, 255, 255));
}

TEST(ImageSurface, LinesReachingFarOutsideDrawExactlyTheirVisiblePixels) {
  const std::pair<DevicePoint, DevicePoint> lines[] = {
      {{-100, -37}, {150, 90}},    // both ends outside, crossing
      {{-5, 7}, {60, 7}},          // a row cut at both sides
      {{33, 80}, {33, -3}},        // a column cut at both ends
      {{-50, 100}, {100, -50}},    // the anti-diagonal
      {{5, 39}, {39, 39 + 60}},    // leaves through the bottom row
      {{-70, -70}, {-10, 45}},     // misses the image
      {{39, 0}, {39, 0}},          // no length: nothing
      // Shallow lines whose pixels come in long before the exact line does.
      {{0, -1}, {40, 0}},
      {{39, 40}, {-1, 39}},
      {{-1, 0}, {0, 40}},
      {{-3000, -1}, {3000, 1}},
      {{20, -2}, {4000000, 60}},
  };
  for (const auto& [a, b] : lines) {
    Thin t;
    t.line(a, b);
    EXPECT_EQ(painted(t.image), expected_line(a.x, a.y, b.x, b.y)) << a.x << "," << a.y << " " << b.x << "," << b.y;
  }
}

TEST(ImageSurface, RandomLinesAcrossTheEdgesDrawExactlyTheirVisiblePixels) {
  std::mt19937 rng(5);
  std::uniform_int_distribution<int> near(-300, 340), far(-300000, 300000);
  for (int i = 0; i < 1500; ++i) {
    Thin t;
    const DevicePoint a{near(rng), near(rng)};
    const DevicePoint b = i % 3 == 0 ? DevicePoint{far(rng), near(rng)} : DevicePoint{near(rng), near(rng)};
    t.line(a, b);
    ASSERT_EQ(painted(t.image), expected_line(a.x, a.y, b.x, b.y)) << a.x << "," << a.y << " " << b.x << "," << b.y;
  }
}

TEST(ImageSurface, ExtremeCoordinatesCostOnlyTheVisiblePart) {
  Thin t;
  t.line({INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX});
  t.line({INT32_MIN, 3}, {INT32_MAX, 3});
  t.line({INT32_MAX, INT32_MIN}, {INT32_MAX, INT32_MAX});
  const Pixels got = painted(t.image);
  for (int i = 0; i < kSize; ++i) {
    EXPECT_TRUE(got.count({i, 3})) << i;
    EXPECT_TRUE(got.count({i, i})) << i;
  }
  EXPECT_EQ(got.size(), 2u * kSize - 1);
}

TEST(ImageSurface, WideLinesGoToThePainterAndPixelsStayInside) {
  Thin t;
  const DevicePoint pts[2] = {{1, 1}, {20, 20}};
  t.surface.draw_polyline(pts, 2, 3, kBlue);
  ASSERT_EQ(t.wide.calls.size(), 1u);
  EXPECT_EQ(t.wide.calls[0].width, 3);
  EXPECT_TRUE(painted(t.image).empty());
  t.surface.set_pixel({-1, 5}, kBlue);
  t.surface.set_pixel({5, kSize}, kBlue);
  t.surface.set_pixel({kSize - 1, kSize - 1}, Rgb{10, 20, 30});
  EXPECT_EQ(painted(t.image), Pixels({{kSize - 1, kSize - 1}}));
  EXPECT_EQ(t.image.pixel(kSize - 1, kSize - 1), qRgb(10, 20, 30));
}

// The painter and the direct writes share the image: later drawing covers
// earlier drawing whichever of the two made it.
TEST(ImageSurface, DrawsIntoTheSameImageAsAPainterOverIt) {
  QImage image = white_image();
  QPainter painter(&image);
  QtSurface wide(painter, image.rect());
  ImageSurface surface(image, wide);
  const DevicePoint across[2] = {{0, 20}, {39, 20}};
  surface.draw_polyline(across, 2, 5, Rgb{255, 0, 0});
  surface.draw_polyline(across, 2, 1, kBlue);
  const DevicePoint down[2] = {{20, 0}, {20, 39}};
  surface.draw_polyline(down, 2, 5, Rgb{255, 0, 0});
  painter.end();
  EXPECT_EQ(image.pixel(10, 20), qRgb(0, 0, 255));
  EXPECT_EQ(image.pixel(10, 21), qRgb(255, 0, 0));
  EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace kavor
