#include "device/conversion_writer.h"

namespace kavor {

void write_conversion_header(std::ostream& out, int width, int height) {
  out << "INSC0," << width << ",0," << height << '\n';
}

void write_conversion_segment(std::ostream& out, int height, int pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2) {
  // 64-bit so that far-off coordinates cannot overflow when y is turned.
  out << "SP" << pen << " PU" << x1 << ',' << static_cast<int64_t>(height) - y1 << " PD" << x2 << ','
      << static_cast<int64_t>(height) - y2 << '\n';
}

void write_conversion_end(std::ostream& out, int height) { write_conversion_segment(out, height, 0, 0, 0, 0, 0); }

}  // namespace kavor
