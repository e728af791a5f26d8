#pragma once
// The simple HP-GL conversion file: pen selections and straight moves in
// window pixels, one segment a line.

#include <cstdint>
#include <ostream>

namespace kavor {

void write_conversion_header(std::ostream& out, int width, int height);
void write_conversion_segment(std::ostream& out, int height, int pen, int32_t x1, int32_t y1, int32_t x2, int32_t y2);
void write_conversion_end(std::ostream& out, int height);

}  // namespace kavor
