#include "platform/qt_surface.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <set>

namespace kavor {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kRed{255, 0, 0};

struct Canvas {
  QImage image{40, 40, QImage::Format_RGB32};
  QPainter painter;
  std::unique_ptr<QtSurface> surface;
  Canvas() {
    image.fill(Qt::white);
    painter.begin(&image);
    surface = std::make_unique<QtSurface>(painter, image.rect());
  }
  QImage& done() {
    painter.end();
    return image;
  }
};

bool black(const QImage& img, int x, int y) { return img.pixel(x, y) == qRgb(0, 0, 0); }

TEST(QtSurface, WidthOneLineLeavesItsEndPixelUnpainted) {
  Canvas c;
  DevicePoint pts[3] = {{2, 2}, {10, 2}, {10, 10}};
  c.surface->draw_polyline(pts, 3, 1, kBlack);
  DevicePoint diagonal[2] = {{1, 15}, {9, 18}};
  c.surface->draw_polyline(diagonal, 2, 1, kBlack);
  QImage& img = c.done();
  EXPECT_TRUE(black(img, 2, 2));
  EXPECT_TRUE(black(img, 9, 2));
  EXPECT_TRUE(black(img, 10, 2));  // the corner
  EXPECT_TRUE(black(img, 10, 9));
  EXPECT_FALSE(black(img, 10, 10));
  EXPECT_TRUE(black(img, 1, 15));
  EXPECT_FALSE(black(img, 9, 18));
}

TEST(QtSurface, SetPixelPaintsExactlyOnePixel) {
  Canvas c;
  c.surface->set_pixel({5, 6}, kRed);
  c.surface->set_pixel({-1, 6}, kRed);
  c.surface->set_pixel({40, 6}, kRed);
  QImage& img = c.done();
  int painted = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) painted += img.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_EQ(painted, 1);
  EXPECT_EQ(img.pixel(5, 6), qRgb(255, 0, 0));
}

TEST(QtSurface, WidePenHasRoundEndsAndNoAntialiasing) {
  Canvas c;
  DevicePoint pts[2] = {{10, 20}, {30, 20}};
  c.surface->draw_polyline(pts, 2, 7, kRed);
  QImage& img = c.done();
  std::set<QRgb> colours;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) colours.insert(img.pixel(x, y));
  EXPECT_EQ(colours, (std::set<QRgb>{qRgb(255, 255, 255), qRgb(255, 0, 0)}));
  EXPECT_EQ(img.pixel(30, 20), qRgb(255, 0, 0));  // the cap covers the end
  EXPECT_EQ(img.pixel(32, 20), qRgb(255, 0, 0));  // round cap beyond the end
  EXPECT_EQ(img.pixel(33, 23), qRgb(255, 255, 255));  // but not its square corner
  EXPECT_EQ(img.pixel(20, 23), qRgb(255, 0, 0));
  EXPECT_EQ(img.pixel(20, 25), qRgb(255, 255, 255));
}

TEST(QtSurface, ZeroLengthPolylineOfAWidePenIsADot) {
  Canvas c;
  DevicePoint dot[2] = {{20, 20}, {20, 20}};
  c.surface->draw_polyline(dot, 2, 5, kRed);
  DevicePoint thin[2] = {{5, 5}, {5, 5}};
  c.surface->draw_polyline(thin, 2, 1, kBlack);
  QImage& img = c.done();
  int painted = 0;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 40; ++x) painted += img.pixel(x, y) != qRgb(255, 255, 255);
  EXPECT_EQ(img.pixel(20, 20), qRgb(255, 0, 0));
  EXPECT_GE(painted, 12);
  EXPECT_LE(painted, 30);
  EXPECT_EQ(img.pixel(5, 5), qRgb(255, 255, 255));  // the engine sets that pixel itself
}

TEST(QtSurface, FarOffCoordinatesDrawTheVisiblePart) {
  Canvas c;
  DevicePoint pts[2] = {{-2000000000, 5}, {2000000000, 5}};
  c.surface->draw_polyline(pts, 2, 1, kBlack);
  DevicePoint extreme[2] = {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}};
  c.surface->draw_polyline(extreme, 2, 3, kBlack);
  QImage& img = c.done();
  for (int x = 0; x < 40; ++x) EXPECT_TRUE(black(img, x, 5)) << x;
  EXPECT_TRUE(black(img, 20, 20));
}

}  // namespace
}  // namespace kavor
