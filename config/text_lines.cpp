#include "config/text_lines.h"

namespace kavor {

namespace {
constexpr size_t kLineChunk = 127;
}  // namespace

bool LineReader::next(std::string& line) {
  line.clear();
  size_t taken = 0;
  while (taken < kLineChunk && left_ > 0) {
    const int c = in_.get();
    if (c == std::char_traits<char>::eof()) break;
    ++taken;
    --left_;
    if (c == '\n') break;
    line += static_cast<char>(c);
  }
  return taken > 0;
}

}  // namespace kavor
