#include "platform/whole_file.h"

#include <array>
#include <filesystem>
#include <fstream>

namespace kavor {

namespace {

constexpr std::streamsize kCopyBlock = 65536;

void remove_half_written(const std::string& path) {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path, ignored)) std::filesystem::remove(path, ignored);
}

}  // namespace

int write_whole_file(const std::string& path, const std::function<bool(std::ostream&)>& fill) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) return 0;
  const bool filled = fill(out);
  out.close();
  if (filled && out) return 1;
  remove_half_written(path);
  return 0;
}

int copy_whole_file(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  if (!in) return 0;
  return write_whole_file(to, [&in](std::ostream& out) {
    std::array<char, kCopyBlock> block;
    while (out && in.read(block.data(), block.size()).gcount() > 0) out.write(block.data(), in.gcount());
    return in.eof() && !in.bad() && static_cast<bool>(out);
  });
}

}  // namespace kavor
