#include "hpgl/stroke_font.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/test_env.h"

namespace kavor::testing {
namespace {

std::vector<std::vector<int>> points_of(Glyph g) {
  std::vector<std::vector<int>> v;
  for (int i = 0; i < g.count; ++i) v.push_back({g.points[i].x, g.points[i].y, g.points[i].flag});
  return v;
}

struct StrokeFontTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  void SetUp() override { ASSERT_TRUE(t.init()); }
  // Defines a user character and returns its points.
  std::vector<std::vector<int>> define(const std::string& uc) {
    t.feed(uc);
    return points_of({e.gs.user_glyph.points.data(), e.gs.user_glyph.count});
  }
};

TEST_F(StrokeFontTest, TellingRowsAreExact) {
  using P = std::vector<std::vector<int>>;
  EXPECT_EQ(points_of(glyph_for(e, 'A')),
            (P{{0, 32, 1}, {0, 80, 0}, {24, 96, 0}, {40, 96, 0}, {64, 80, 0}, {64, 32, 0}, {64, 64, 1}, {0, 64, 2}}));
  EXPECT_EQ(points_of(glyph_for(e, 'M')), (P{{0, 32, 1}, {0, 96, 0}, {32, 64, 0}, {64, 96, 0}, {64, 32, 2}}));
  EXPECT_EQ(points_of(glyph_for(e, '0')), (P{{8, 96, 1}, {56, 96, 0}, {64, 88, 0}, {64, 40, 0}, {56, 32, 0}, {8, 32, 0},
                                             {0, 40, 0}, {0, 88, 0}, {8, 96, 0}, {64, 88, 1}, {0, 40, 2}}));
  EXPECT_EQ(points_of(glyph_for(e, '.')), (P{{40, 40, 1}, {40, 32, 0}, {32, 32, 0}, {32, 40, 0}, {40, 40, 2}}));
  EXPECT_EQ(points_of(glyph_for(e, '_')), (P{{8, 16, 1}, {56, 16, 2}}));
  EXPECT_EQ(points_of(glyph_for(e, '|')), (P{{32, 104, 1}, {32, 16, 2}}));
  EXPECT_EQ(points_of(glyph_for(e, ' ')), (P{{0, 0, 3}}));
}

TEST_F(StrokeFontTest, EmptyCodesAndCodesAbove127DrawNothing) {
  for (int code : {0, 32, 127, 128, 200, 255}) {
    Glyph g = glyph_for(e, code);
    ASSERT_EQ(g.count, 1) << code;
    EXPECT_EQ(g.points[0].flag, GLYPH_END) << code;
  }
}

TEST_F(StrokeFontTest, EveryGlyphIsWellFormedAndInsideTheCell) {
  for (int code = 1; code < 127; ++code) {
    if (code == 32) {
      continue;
    }
    Glyph g = glyph_for(e, code);
    ASSERT_GE(g.count, 2) << code;  // control codes too have visible glyphs
    ASSERT_LT(g.count, 100) << code;
    EXPECT_EQ(g.points[0].flag, GLYPH_MOVE) << code;
    EXPECT_EQ(g.points[g.count - 1].flag, GLYPH_DRAW_END) << code;
    for (int i = 0; i < g.count; ++i) {
      const GlyphPoint& p = g.points[i];
      if (i < g.count - 1) {
        EXPECT_TRUE(p.flag == GLYPH_DRAW || p.flag == GLYPH_MOVE) << code;
      }
      EXPECT_TRUE(p.x >= 0 && p.x <= 64) << code;
      EXPECT_TRUE(p.y >= 8 && p.y <= (code == '|' ? 104 : 96)) << code;
    }
  }
}

TEST_F(StrokeFontTest, LowerCaseLettersStayBelowCapitalsOrDescend) {
  for (int code : {'a', 'c', 'e', 'm', 'n', 'o', 's', 'x'}) {
    Glyph g = glyph_for(e, code);
    for (int i = 0; i < g.count; ++i) EXPECT_LE(g.points[i].y, 88) << static_cast<char>(code);
  }
  for (int code : {'g', 'j', 'p', 'q', 'y'}) {
    Glyph g = glyph_for(e, code);
    int lowest = 96;
    for (int i = 0; i < g.count; ++i) lowest = std::min(lowest, static_cast<int>(g.points[i].y));
    EXPECT_LT(lowest, 32) << static_cast<char>(code);
  }
}

TEST_F(StrokeFontTest, UserCharacterReplacesEveryCodeOnlyWhileActive) {
  define("UC4,0;");
  e.gs.user_glyph.active = true;
  EXPECT_EQ(glyph_for(e, 'A').points, e.gs.user_glyph.points.data());
  EXPECT_EQ(glyph_for(e, 200).points, e.gs.user_glyph.points.data());
  t.feed("PU;");  // another instruction: a stale definition is not used
  EXPECT_NE(glyph_for(e, 'A').points, e.gs.user_glyph.points.data());
}

TEST_F(StrokeFontTest, UserCharacterGrid) {
  using P = std::vector<std::vector<int>>;
  EXPECT_EQ(define("UC-99,0,0,99,4,0;"), (P{{0, 0, 1}, {0, 32, 1}, {64, 32, 2}}));
  // The pen is down before the first pair: the stroke starts at (0, 0).
  EXPECT_EQ(define("UC99,2,2;"), (P{{0, 0, 1}, {32, 48, 2}}));
  EXPECT_EQ(define("UC4,4,99,0,4;"), (P{{0, 0, 1}, {64, 64, 1}, {64, 96, 2}}));
  // Fractions truncate toward zero after the sums are scaled.
  EXPECT_EQ(define("UC99,-0.5,-0.3;"), (P{{0, 0, 1}, {-8, 29, 2}}));
  EXPECT_EQ(define("UC;"), (P{{0, 0, 3}}));
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(StrokeFontTest, UserCharacterErrorsKeepThePointsSoFar) {
  using P = std::vector<std::vector<int>>;
  EXPECT_EQ(define("UC0,100;"), (P{{0, 0, 3}}));
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "UC:parameter value is not fit in range, y value.");
  EXPECT_EQ(define("UC99,1,1,2,-99;"), (P{{0, 0, 1}, {16, 40, 2}}));
  EXPECT_EQ(t.host.warnings.back(), "UC:parameter value is not fit in range, y value.");
  // A missing y ends the definition quietly.
  EXPECT_EQ(define("UC99,1,1,2;"), (P{{0, 0, 1}, {16, 40, 2}}));
  EXPECT_EQ(define("UC99,1,1,2,*;"), (P{{0, 0, 1}, {16, 40, 2}}));
  EXPECT_EQ(t.host.warnings.back(), "UC:number of parameter error.");
  EXPECT_EQ(t.host.warnings.size(), 3u);
}

std::string pairs(int n) {
  std::string s = "UC99";
  for (int i = 0; i < n; ++i) s += ",1,1";
  return s + ";";
}

TEST_F(StrokeFontTest, NineteenPairsFitATwentiethIsRefusedWithoutEndingTheRun) {
  auto nineteen = define(pairs(19));
  ASSERT_EQ(nineteen.size(), 20u);
  EXPECT_EQ(nineteen.back(), (std::vector<int>{19 * 16, 19 * 8 + 32, 2}));
  EXPECT_TRUE(t.host.warnings.empty());

  auto twenty = define(pairs(20) + "PU;");
  EXPECT_EQ(twenty, nineteen);
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "UC:parameter value is not fit in range, over ucFont table.");
  EXPECT_TRUE(t.host.fatals.empty());
  EXPECT_TRUE(t.host.instruction_errors.empty());
}

}  // namespace
}  // namespace kavor::testing
