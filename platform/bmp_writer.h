#pragma once
// Device-independent bitmap files: the 14-byte file header, the 40-byte
// information header and 24-bit rows, bottom-up, each padded to 4 bytes.

#include <array>
#include <cstdint>
#include <string>

class QImage;

namespace kavor {

constexpr uint32_t kBmpHeaderBytes = 14 + 40;

// Bytes of one padded 24-bit row.
uint32_t bmp_row_bytes(int width);
// Both headers for a 24-bit picture of the given size.
std::array<uint8_t, kBmpHeaderBytes> bmp_headers(int width, int height);
// Writes the picture as a 24-bit bitmap file; false when the file cannot
// be written.
bool write_bmp_file(const QImage& image, const std::string& path);

}  // namespace kavor
