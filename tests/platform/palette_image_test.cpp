#include "platform/palette_image.h"

#include <gtest/gtest.h>

namespace kavor {
namespace {

QImage picture_with_colours(int colours) {
  QImage image(64, 32, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int i = 0; i < colours - 1; ++i) image.setPixel(i % 64, i / 64 + 1, qRgb(i, 255 - i % 7, i / 2));
  return image;
}

void expect_same_pixels(const QImage& a, const QImage& b) {
  ASSERT_EQ(a.size(), b.size());
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) ASSERT_EQ(a.pixel(x, y), b.pixel(x, y)) << x << "," << y;
}

TEST(PaletteImage, KeepsEveryPixelOfAPictureOfUpTo256Colours) {
  for (int colours : {1, 2, 9, 256}) {
    const QImage picture = picture_with_colours(colours);
    const QImage palette = to_palette_image(picture);
    ASSERT_FALSE(palette.isNull()) << colours;
    EXPECT_EQ(palette.format(), QImage::Format_Indexed8);
    EXPECT_EQ(palette.colorCount(), colours);
    expect_same_pixels(picture, palette);
  }
}

TEST(PaletteImage, GivesNothingForMoreColoursOrAnotherFormat) {
  EXPECT_TRUE(to_palette_image(picture_with_colours(257)).isNull());
  EXPECT_TRUE(to_palette_image(picture_with_colours(3).convertToFormat(QImage::Format_ARGB32)).isNull());
  EXPECT_TRUE(to_palette_image(QImage()).isNull());
}

}  // namespace
}  // namespace kavor
