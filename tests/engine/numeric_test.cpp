#include "engine/numeric.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace kavor {
namespace {

constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
constexpr int32_t kMin = std::numeric_limits<int32_t>::min();

TEST(Numeric, RoundingIsHalfAwayFromZeroAndSaturates) {
  struct Case {
    double in;
    int32_t out;
  };
  const Case cases[] = {
      {0.0, 0},          {-0.0, 0},         {0.5, 1},   {-0.5, -1},
      {1.5, 2},          {-1.5, -2},        {2.5, 3},                 {-2.4, -2}, {123456.5, 123457},
      {2147483646.4, 2147483646},           {2147483646.5, kMax},     {2147483647.0, kMax},
      {-2147483647.5, kMin},                {-2147483648.0, kMin},    {-2147483648.6, kMin},
      {1e308, kMax},     {-1e308, kMin},    {HUGE_VAL, kMax},         {-HUGE_VAL, kMin},
      {std::nan(""), 0},
  };
  for (const Case& c : cases) EXPECT_EQ(round_to_int32(c.in), c.out) << c.in;
}

TEST(Numeric, TruncationAndWideSaturation) {
  EXPECT_EQ(trunc_to_int32(-2.9), -2);
  EXPECT_EQ(trunc_to_int32(3e9), kMax);
  EXPECT_EQ(trunc_to_int32(std::nan("")), 0);
  EXPECT_EQ(saturate_to_int32(int64_t{1} << 40), kMax);
  EXPECT_EQ(saturate_to_int32(-(int64_t{1} << 40)), kMin);
  EXPECT_EQ(saturate_to_int64(1e30), std::numeric_limits<int64_t>::max());
  EXPECT_EQ(saturate_to_int64(-1e30), std::numeric_limits<int64_t>::min());
}

// The fast paths must give exactly the 128-bit quotient, truncated toward
// zero, including just beside integers and at the edges of each path.
TEST(Numeric, ScaleTowardZeroIsExactOnEveryPath) {
  auto reference = [](__int128 v, __int128 num, __int128 den) { return v * num / den; };
  const int64_t two52 = int64_t{1} << 52;
  const int64_t edges[][3] = {
      {two52 - 1, 1, 3},  {two52, 1, 3},          {-two52 + 1, 1, 7},      {-two52, 1, 7},
      {two52 - 1, 1, two52}, {3, 1, two52 - 1},   {INT64_MAX, 1, 2},       {INT64_MIN, 1, 3},
      {INT64_MAX, 2, 3},  {INT64_MIN, -1, 1},     {4294967295, 2147483647, 4294967295},
      {-1, 1, INT64_MAX}, {7, -3, 2},             {-7, 3, 2},              {0, 5, 9},
  };
  for (const auto& c : edges) EXPECT_TRUE(scale_toward_zero(c[0], c[1], c[2]) == reference(c[0], c[1], c[2])) << c[0];

  std::mt19937_64 rng(7);
  std::uniform_int_distribution<int64_t> coord(-(int64_t{1} << 33), int64_t{1} << 33);
  std::uniform_int_distribution<int64_t> size(1, 1 << 20), extent(1, int64_t{1} << 34);
  for (int i = 0; i < 200000; ++i) {
    const int64_t v = coord(rng), num = size(rng), den = extent(rng);
    ASSERT_TRUE(scale_toward_zero(v, num, den) == reference(v, num, den)) << v << " " << num << " " << den;
    // A dividend one away from a multiple of the divisor, on either side.
    const int64_t near = (v / den) * den + (i % 2 ? 1 : -1);
    ASSERT_TRUE(scale_toward_zero(near, 1, den) == reference(near, 1, den)) << near << " " << den;
  }
  // Products too wide for a double to hold exactly, just below a multiple.
  std::uniform_int_distribution<int64_t> wide(int64_t{1} << 53, int64_t{1} << 61), divisor(2, 1 << 20);
  for (int i = 0; i < 20000; ++i) {
    const int64_t den = divisor(rng), near = (wide(rng) / den) * den - 1;
    ASSERT_TRUE(scale_toward_zero(near, 1, den) == reference(near, 1, den)) << near << " " << den;
    ASSERT_TRUE(scale_toward_zero(-near, 1, den) == reference(-near, 1, den)) << near << " " << den;
  }
}

}  // namespace
}  // namespace kavor
