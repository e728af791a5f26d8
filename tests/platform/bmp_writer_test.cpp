#include "platform/bmp_writer.h"

#include <gtest/gtest.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace kavor {
namespace {

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

TEST(BmpWriter, HeadersOf640By400At24Bits) {
  std::array<uint8_t, 54> h = bmp_headers(640, 400);
  EXPECT_EQ(h[0], 'B');
  EXPECT_EQ(h[1], 'M');
  EXPECT_EQ(bmp_row_bytes(640), 1920u);
  EXPECT_EQ(u32(&h[2]), 1920u * 400 + 54);  // block plus the file header
  EXPECT_EQ(u16(&h[6]), 0);
  EXPECT_EQ(u16(&h[8]), 0);
  EXPECT_EQ(u32(&h[10]), 54u);
  EXPECT_EQ(u32(&h[14]), 40u);
  EXPECT_EQ(u32(&h[18]), 640u);
  EXPECT_EQ(u32(&h[22]), 400u);  // positive: bottom-up rows
  EXPECT_EQ(u16(&h[26]), 1);
  EXPECT_EQ(u16(&h[28]), 24);
  EXPECT_EQ(u32(&h[30]), 0u);
  EXPECT_EQ(u32(&h[34]), 1920u * 400);
  for (int i = 38; i < 54; ++i) EXPECT_EQ(h[i], 0) << i;
}

TEST(BmpWriter, RowsArePaddedToFourBytes) {
  EXPECT_EQ(bmp_row_bytes(1), 4u);
  EXPECT_EQ(bmp_row_bytes(3), 12u);
  EXPECT_EQ(bmp_row_bytes(5), 16u);
}

TEST(BmpWriter, FileHoldsBottomUpBgrRows) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(0, 0, qRgb(10, 20, 30));    // top-left
  image.setPixel(2, 1, qRgb(200, 100, 50));  // bottom-right
  std::string path = (std::filesystem::temp_directory_path() / "kavor_bmp_test.bmp").string();
  ASSERT_TRUE(write_bmp_file(image, path));
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  ASSERT_EQ(d.size(), 54u + 2 * 12);
  EXPECT_EQ(u32(&d[2]), d.size());
  // The first stored row is the bottom one: white, white, then B G R of (200,100,50).
  const uint8_t* bottom = &d[54];
  EXPECT_EQ(bottom[0], 255);
  EXPECT_EQ(bottom[6], 50);
  EXPECT_EQ(bottom[7], 100);
  EXPECT_EQ(bottom[8], 200);
  EXPECT_EQ(bottom[9], 0);  // padding
  EXPECT_EQ(bottom[11], 0);
  const uint8_t* top = &d[54 + 12];
  EXPECT_EQ(top[0], 30);
  EXPECT_EQ(top[1], 20);
  EXPECT_EQ(top[2], 10);
}

TEST(BmpWriter, UnwritablePathFails) {
  QImage image(2, 2, QImage::Format_RGB32);
  EXPECT_FALSE(write_bmp_file(image, "/nonexistent-dir/x.bmp"));
}

}  // namespace
}  // namespace kavor
