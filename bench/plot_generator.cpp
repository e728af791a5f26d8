#include "bench/plot_generator.h"

#include <cstdint>
#include <algorithm>
#include <random>

namespace kavor::bench {

namespace {

// Appends a PE number: base 64, zig-zag sign in the lowest bit.
void append_pe_number(std::string& out, long v) {
  unsigned long u = v < 0 ? (static_cast<unsigned long>(-v) << 1) | 1 : static_cast<unsigned long>(v) << 1;
  while (u >= 64) {
    out += static_cast<char>(63 + (u & 63));
    u >>= 6;
  }
  out += static_cast<char>(191 + u);
}

void polyline(std::string& out, std::mt19937& rng, int points) {
  std::uniform_int_distribution<int> coord(0, 10000), step(-300, 300);
  int x = coord(rng), y = coord(rng) % 7000;
  out += "PU" + std::to_string(x) + "," + std::to_string(y) + ";PD";
  for (int i = 0; i < points; ++i) {
    x = std::clamp(x + step(rng), 0, 10800);
    y = std::clamp(y + step(rng), 0, 7500);
    out += std::to_string(x) + "," + std::to_string(y) + (i + 1 < points ? "," : ";\n");
  }
}

// Appends the mixed drawing until `out` holds `bytes` bytes.
void append_mixed(std::string& out, std::mt19937& rng, size_t bytes) {
  std::uniform_int_distribution<int> coord(200, 9800), pick(0, 9), pen(1, 6), small(50, 600);
  while (out.size() < bytes) {
    int x = coord(rng), y = coord(rng) % 7000 + 200;
    std::string at = std::to_string(x) + "," + std::to_string(y);
    switch (pick(rng)) {
      case 0:
      case 1:
      case 2:
        polyline(out, rng, 30);
        break;
      case 3: {
        out += "PU" + at + ";PE<=";
        append_pe_number(out, x);
        append_pe_number(out, y);
        for (int i = 0; i < 30; ++i) {
          append_pe_number(out, small(rng) - 300);
          append_pe_number(out, small(rng) - 300);
        }
        out += ";\n";
        break;
      }
      case 4:
        out += "LT" + std::to_string(pick(rng) % 8 + 1) + ";";
        polyline(out, rng, 10);
        out += "LT;";
        break;
      case 5:
        out += "SP" + std::to_string(pen(rng)) + ";PU" + at + ";SI0.2,0.3;LBPart No. " + std::to_string(x) +
               " rev B\x03";
        break;
      case 6:
        out += "PU" + at + ";PM0;PR" + std::to_string(small(rng)) + ",0,0," + std::to_string(small(rng)) + ",-" +
               std::to_string(small(rng)) + ",0;PM2;FT1;FP;EP;PA;\n";
        break;
      case 7:
        out += "PU" + at + ";FT3," + std::to_string(small(rng) / 10 + 20) + ",45;RR" + std::to_string(small(rng)) +
               "," + std::to_string(small(rng)) + ";\n";
        break;
      case 8:
        out += "PU" + at + ";CI" + std::to_string(small(rng)) + ";PD;AA" + at + ",120;PU;\n";
        break;
      default:
        out += "PU" + at + ";EW" + std::to_string(small(rng)) + ",30,270;WG" + std::to_string(small(rng) / 2) +
               ",0,90;\n";
        break;
    }
  }
}

}  // namespace

std::string pen_move_plot(size_t bytes) {
  std::mt19937 rng(1);
  std::string out = "IN;SP1;\n";
  while (out.size() < bytes) polyline(out, rng, 40);
  return out;
}

std::string mixed_plot(size_t bytes) {
  std::mt19937 rng(2);
  std::string out = "IN;SP1;\n";
  append_mixed(out, rng, bytes);
  return out;
}

std::string paged_plot(size_t bytes, int pages) {
  std::mt19937 rng(3);
  std::string out;
  for (int page = 1; page <= pages; ++page) {
    out += "IN;SP1;\n";
    append_mixed(out, rng, bytes / pages * page);
    out += page < pages ? "PG;\n" : "";
  }
  return out;
}

}  // namespace kavor::bench
