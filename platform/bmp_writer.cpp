#include "platform/bmp_writer.h"

#include <QImage>
#include <algorithm>

#include "platform/whole_file.h"

namespace kavor {

namespace {

// The largest piece handed to one write.
constexpr qsizetype kWritePiece = 32767;
// Where the bit count sits in the information header.
constexpr int kBitCountAt = 14;

void store16(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}

void store32(uint8_t* at, uint32_t v) {
  store16(at, v & 0xFFFF);
  store16(at + 2, v >> 16);
}

int table_entries(int bit_count) { return bit_count <= 8 ? 1 << bit_count : 0; }

void put_info_header(uint8_t* at, int width, int height, int bit_count, uint32_t image_size) {
  store32(&at[0], kDibInfoHeaderBytes);
  store32(&at[4], static_cast<uint32_t>(width));
  store32(&at[8], static_cast<uint32_t>(height));  // positive: bottom-up rows
  store16(&at[12], 1);                             // planes
  store16(&at[kBitCountAt], static_cast<uint32_t>(bit_count));
  store32(&at[20], image_size);  // compression (at 16) and the rest stay 0
}

void put_colour_table(uint8_t* at, const QList<QRgb>& colours, int entries) {
  for (int i = 0; i < std::min<int>(entries, static_cast<int>(colours.size())); ++i) {
    at[4 * i] = static_cast<uint8_t>(qBlue(colours[i]));
    at[4 * i + 1] = static_cast<uint8_t>(qGreen(colours[i]));
    at[4 * i + 2] = static_cast<uint8_t>(qRed(colours[i]));
  }
}

void put_rgb_row(uint8_t* row, const QImage& rgb, int y) {
  const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
  for (int x = 0; x < rgb.width(); ++x) {
    row[3 * x] = static_cast<uint8_t>(qBlue(line[x]));
    row[3 * x + 1] = static_cast<uint8_t>(qGreen(line[x]));
    row[3 * x + 2] = static_cast<uint8_t>(qRed(line[x]));
  }
}

// Colour indices packed from the high bits of each byte down.
void put_index_row(uint8_t* row, const QImage& indexed, int y, int bit_count) {
  const uchar* line = indexed.constScanLine(y);
  const int mask = (1 << bit_count) - 1;
  for (int x = 0; x < indexed.width(); ++x) {
    const int bit = x * bit_count;
    row[bit / 8] |= static_cast<uint8_t>((line[x] & mask) << (8 - bit_count - bit % 8));
  }
}

}  // namespace

int dib_bit_count(int depth) {
  if (depth <= 1) return 1;
  if (depth <= 4) return 4;
  if (depth <= 8) return 8;
  return 24;
}

uint32_t dib_row_bytes(int width, int bit_count) {
  return static_cast<uint32_t>((int64_t(width) * bit_count + 31) / 32 * 4);
}

QByteArray packed_dib(const QImage& image) {
  if (image.isNull()) return {};
  const int bit_count = dib_bit_count(image.depth());
  const QImage source = image.convertToFormat(bit_count == 24 ? QImage::Format_RGB32 : QImage::Format_Indexed8);
  const int width = source.width(), height = source.height();
  const uint32_t row_bytes = dib_row_bytes(width, bit_count);
  const uint32_t image_size = static_cast<uint32_t>(int64_t(height) * row_bytes);
  const int entries = table_entries(bit_count);
  QByteArray dib(kDibInfoHeaderBytes + 4 * entries + qsizetype(image_size), '\0');
  uint8_t* block = reinterpret_cast<uint8_t*>(dib.data());
  put_info_header(block, width, height, bit_count, image_size);
  put_colour_table(block + kDibInfoHeaderBytes, source.colorTable(), entries);
  uint8_t* row = block + kDibInfoHeaderBytes + 4 * entries;
  for (int y = height - 1; y >= 0; --y, row += row_bytes) {
    if (bit_count == 24)
      put_rgb_row(row, source, y);
    else
      put_index_row(row, source, y, bit_count);
  }
  return dib;
}

std::array<uint8_t, kBmpFileHeaderBytes> bmp_file_header(const QByteArray& dib) {
  const int bit_count = dib.size() > kBitCountAt ? static_cast<uint8_t>(dib[kBitCountAt]) : 24;
  std::array<uint8_t, kBmpFileHeaderBytes> h{};
  h[0] = 'B';
  h[1] = 'M';
  store32(&h[2], static_cast<uint32_t>(dib.size() + kBmpFileHeaderBytes));
  store32(&h[10], static_cast<uint32_t>(kBmpFileHeaderBytes + kDibInfoHeaderBytes + 4 * table_entries(bit_count)));
  return h;
}

int write_bitmap_file(const std::string& path, const QByteArray& dib) {
  return write_whole_file(path, [&dib](std::ostream& out) {
    const std::array<uint8_t, kBmpFileHeaderBytes> header = bmp_file_header(dib);
    out.write(reinterpret_cast<const char*>(header.data()), header.size());
    for (qsizetype at = 0; out && at < dib.size(); at += kWritePiece)
      out.write(dib.constData() + at, std::min(kWritePiece, dib.size() - at));
    return static_cast<bool>(out);
  });
}

bool write_bmp_file(const QImage& image, const std::string& path) {
  return write_bitmap_file(path, packed_dib(image)) == 1;
}

}  // namespace kavor
