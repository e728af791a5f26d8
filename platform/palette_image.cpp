#include "platform/palette_image.h"

#include <array>
#include <cstdint>

namespace kavor {

namespace {

constexpr int kMaxColours = 256;

// Colour to palette index by open addressing; twice the palette's size
// keeps the probes short.
class ColourIndex {
 public:
  // The colour's index, added when new; -1 once the palette is full.
  int find_or_add(uint32_t colour) {
    for (uint32_t slot = hash(colour);; slot = (slot + 1) % kSlots) {
      if (indices_[slot] < 0) {
        if (colours_.size() == kMaxColours) return -1;
        indices_[slot] = static_cast<int16_t>(colours_.size());
        keys_[slot] = colour;
        colours_.push_back(colour);
        return indices_[slot];
      }
      if (keys_[slot] == colour) return indices_[slot];
    }
  }
  const QList<QRgb>& colours() const { return colours_; }

 private:
  static constexpr uint32_t kSlots = 2 * kMaxColours;
  static uint32_t hash(uint32_t c) { return (c * 2654435761u) >> 23; }  // 9 bits: 0..511

  std::array<uint32_t, kSlots> keys_{};
  std::array<int16_t, kSlots> indices_ = [] {
    std::array<int16_t, kSlots> a{};
    a.fill(-1);
    return a;
  }();
  QList<QRgb> colours_;
};

}  // namespace

QImage to_palette_image(const QImage& picture) {
  QImage out(picture.size(), QImage::Format_Indexed8);
  if (out.isNull() || picture.format() != QImage::Format_RGB32) return {};
  ColourIndex index;
  const int width = picture.width(), height = picture.height();
  for (int y = 0; y < height; ++y) {
    const auto* in = reinterpret_cast<const uint32_t*>(picture.constScanLine(y));
    uchar* row = out.scanLine(y);
    uint32_t last = 0;
    int last_index = -1;
    for (int x = 0; x < width; ++x) {
      if (last_index < 0 || in[x] != last) {
        last = in[x];
        last_index = index.find_or_add(last | 0xff000000u);
        if (last_index < 0) return {};
      }
      row[x] = static_cast<uchar>(last_index);
    }
  }
  out.setColorTable(index.colours());
  return out;
}

}  // namespace kavor
