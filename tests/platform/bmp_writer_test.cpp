#include "platform/bmp_writer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QImage>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace kavor {
namespace {

uint32_t u32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24; }
uint16_t u16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | p[1] << 8); }

// The bitmap file of a picture, as the writer leaves it on disk.
std::vector<uint8_t> file_of(const QImage& image) {
  // One name per process: the tests run in parallel, in more than one tree.
  const std::string path =
      (std::filesystem::temp_directory_path() / ("kavor_bmp_test_" + std::to_string(getpid()) + ".bmp")).string();
  EXPECT_EQ(write_bitmap_file(path, packed_dib(image)), 1);
  std::ifstream in(path, std::ios::binary);
  std::vector<uint8_t> d((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  return d;
}

QImage read_back(const std::vector<uint8_t>& file) {
  return QImage::fromData(file.data(), static_cast<int>(file.size()), "BMP").convertToFormat(QImage::Format_RGB32);
}

TEST(BmpWriter, BitCountFollowsThePictureDepth) {
  const int expected[][2] = {{0, 1}, {1, 1}, {2, 4}, {4, 4}, {5, 8}, {8, 8}, {9, 24}, {16, 24}, {24, 24}, {32, 24}};
  for (const auto& [depth, bits] : expected) EXPECT_EQ(dib_bit_count(depth), bits) << depth;
}

TEST(BmpWriter, A640By400PictureAt24Bits) {
  QImage image(640, 400, QImage::Format_RGB32);
  image.fill(Qt::white);
  const std::vector<uint8_t> d = file_of(image);
  ASSERT_EQ(d.size(), 54u + 1920 * 400);
  EXPECT_EQ(d[0], 'B');
  EXPECT_EQ(d[1], 'M');
  EXPECT_EQ(u32(&d[2]), d.size());
  EXPECT_EQ(u32(&d[6]), 0u);  // both reserved fields
  EXPECT_EQ(u32(&d[10]), 54u);
  EXPECT_EQ(u32(&d[14]), 40u);
  EXPECT_EQ(u32(&d[18]), 640u);
  EXPECT_EQ(u32(&d[22]), 400u);  // positive: bottom-up rows
  EXPECT_EQ(u16(&d[26]), 1);
  EXPECT_EQ(u16(&d[28]), 24);
  EXPECT_EQ(u32(&d[30]), 0u);
  EXPECT_EQ(u32(&d[34]), 1920u * 400);
  for (int i = 38; i < 54; ++i) EXPECT_EQ(d[i], 0) << i;
}

TEST(BmpWriter, RowsAreBottomUpBgrPaddedToFourBytes) {
  QImage image(3, 2, QImage::Format_RGB32);
  image.fill(Qt::white);
  image.setPixel(0, 0, qRgb(10, 20, 30));    // top-left
  image.setPixel(2, 1, qRgb(200, 100, 50));  // bottom-right
  const std::vector<uint8_t> d = file_of(image);
  ASSERT_EQ(d.size(), 54u + 2 * 12);
  const uint8_t* bottom = &d[54];
  EXPECT_EQ(std::vector<uint8_t>(bottom, bottom + 12),
            (std::vector<uint8_t>{255, 255, 255, 255, 255, 255, 50, 100, 200, 0, 0, 0}));
  const uint8_t* top = &d[54 + 12];
  EXPECT_EQ(std::vector<uint8_t>(top, top + 3), (std::vector<uint8_t>{30, 20, 10}));
  EXPECT_EQ(read_back(d), image);
}

// Pictures of 8 and 1 bits carry their colour tables; Qt's own reader
// gives back the same pixels.
TEST(BmpWriter, IndexedPicturesCarryTheirColourTables) {
  struct Case {
    QImage::Format format;
    int width;
    uint16_t bits;
    uint32_t offset, row_bytes;
  };
  for (const Case& c : {Case{QImage::Format_Indexed8, 7, 8, 1078, 8}, Case{QImage::Format_Mono, 37, 1, 62, 8}}) {
    QImage image(c.width, 3, c.format);
    image.setColorTable({qRgb(255, 255, 255), qRgb(200, 0, 10)});
    image.fill(0);
    for (int i = 0; i < c.width; i += 3) image.setPixel(i, i % 3, 1);
    const std::vector<uint8_t> d = file_of(image);
    EXPECT_EQ(u16(&d[28]), c.bits);
    EXPECT_EQ(u32(&d[10]), c.offset);
    EXPECT_EQ(dib_row_bytes(c.width, c.bits), c.row_bytes);
    ASSERT_EQ(d.size(), c.offset + 3 * c.row_bytes);
    EXPECT_EQ(u32(&d[34]), 3 * c.row_bytes);
    EXPECT_EQ(std::vector<uint8_t>(&d[54], &d[62]), (std::vector<uint8_t>{255, 255, 255, 0, 10, 0, 200, 0}));
    for (uint32_t at = 62; at < c.offset; ++at) ASSERT_EQ(d[at], 0) << at;  // unused entries
    EXPECT_EQ(read_back(d), image.convertToFormat(QImage::Format_RGB32)) << c.bits;
  }
}

TEST(BmpWriter, FileThatCannotBeWrittenGivesZero) {
  const QByteArray dib = packed_dib(QImage(2, 2, QImage::Format_RGB32));
  EXPECT_EQ(write_bitmap_file("/nonexistent-dir/x.bmp", dib), 0);
  EXPECT_EQ(write_bitmap_file("/dev/full", dib), 0);  // created, but every write fails
  EXPECT_TRUE(packed_dib(QImage()).isEmpty());
}

}  // namespace
}  // namespace kavor
