#pragma once
// The shared parameter block that the scanners fill and every handler reads.

#include <array>
#include <cstdint>

namespace kavor {

struct ParamBlock {
  static constexpr int kValues = 30;
  static constexpr int kTokenBytes = 516;
  int count = 0;  // -1 after a scan error
  std::array<int32_t, kValues> ints{};
  std::array<double, kValues> reals{};
  std::array<char, 32> given{};
  std::array<char, kTokenBytes> token{};  // current token, zero-terminated

  bool token_empty() const { return token[0] == 0; }
};

}  // namespace kavor
