#pragma once
// Device-independent bitmaps. The packed block: the 40-byte information
// header, the colour table (2, 16 or 256 entries for 1, 4 and 8 bits per
// pixel, none for 24) and the rows, bottom-up, each padded to 4 bytes. The
// bitmap file: the 14-byte file header, then the packed block. The
// converter's BMP output, the desktop program's saved bitmaps and its
// clipboard all come from here.

#include <QByteArray>
#include <array>
#include <cstdint>
#include <string>

class QImage;

namespace kavor {

constexpr int kBmpFileHeaderBytes = 14;
constexpr int kDibInfoHeaderBytes = 40;

// Bits per pixel of the bitmap of a picture of `depth` bits per pixel: 1
// up to 1 bit, 4 up to 4, 8 up to 8, and 24 above.
int dib_bit_count(int depth);
// Bytes of one row of `width` pixels, padded to 4 bytes.
uint32_t dib_row_bytes(int width, int bit_count);
// The packed bitmap of a picture at the bit count of its depth; empty for
// a null picture.
QByteArray packed_dib(const QImage& image);
// The file header that goes before a packed bitmap.
std::array<uint8_t, kBmpFileHeaderBytes> bmp_file_header(const QByteArray& dib);
// Creates (or truncates) the file and writes the file header and the
// packed bitmap, in pieces of at most 32767 bytes: 1 when all was written,
// 0 when the file could not be created or a write failed (a file that was
// begun is removed then).
int write_bitmap_file(const std::string& path, const QByteArray& dib);
// The picture's packed bitmap as a bitmap file; false when it could not
// be written.
bool write_bmp_file(const QImage& image, const std::string& path);

}  // namespace kavor
