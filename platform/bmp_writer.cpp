#include "platform/bmp_writer.h"

#include <QImage>
#include <fstream>
#include <vector>

namespace kavor {

namespace {

void store16(uint8_t* at, uint32_t v) {
  at[0] = static_cast<uint8_t>(v);
  at[1] = static_cast<uint8_t>(v >> 8);
}

void store32(uint8_t* at, uint32_t v) {
  store16(at, v & 0xFFFF);
  store16(at + 2, v >> 16);
}

}  // namespace

uint32_t bmp_row_bytes(int width) { return static_cast<uint32_t>((int64_t(width) * 24 + 31) / 32 * 4); }

std::array<uint8_t, kBmpHeaderBytes> bmp_headers(int width, int height) {
  uint32_t image_size = static_cast<uint32_t>(int64_t(height) * bmp_row_bytes(width));
  std::array<uint8_t, kBmpHeaderBytes> h{};
  h[0] = 'B';
  h[1] = 'M';
  store32(&h[2], image_size + kBmpHeaderBytes);  // the packed block plus the file header
  store32(&h[10], kBmpHeaderBytes);              // no colour table at 24 bits
  uint8_t* info = &h[14];
  store32(&info[0], 40);
  store32(&info[4], static_cast<uint32_t>(width));
  store32(&info[8], static_cast<uint32_t>(height));
  store16(&info[12], 1);   // planes
  store16(&info[14], 24);  // bits per pixel
  store32(&info[20], image_size);
  return h;
}

bool write_bmp_file(const QImage& image, const std::string& path) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  const int width = image.width(), height = image.height();
  std::array<uint8_t, kBmpHeaderBytes> headers = bmp_headers(width, height);
  out.write(reinterpret_cast<const char*>(headers.data()), headers.size());
  QImage rgb = image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32);
  std::vector<char> row(bmp_row_bytes(width), 0);
  for (int y = height - 1; y >= 0; --y) {
    const QRgb* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < width; ++x) {
      row[3 * x] = static_cast<char>(qBlue(line[x]));
      row[3 * x + 1] = static_cast<char>(qGreen(line[x]));
      row[3 * x + 2] = static_cast<char>(qRed(line[x]));
    }
    out.write(row.data(), static_cast<std::streamsize>(row.size()));
  }
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace kavor
