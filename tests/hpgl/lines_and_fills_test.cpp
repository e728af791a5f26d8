#include "geometry/line_pattern.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/coordinates.h"
#include "geometry/line_path.h"
#include "hpgl/configuration.h"

#include "support/test_env.h"

namespace kavor::testing {
namespace {

struct LineTypesTest : ::testing::Test {
  TestEngine t;
  Engine* e = nullptr;
  void SetUp() override {
    ASSERT_TRUE(t.init());
    e = t.engine.get();
  }
  LineTypeBlock& block() { return e->gs.line.block; }
  std::vector<int32_t> lengths() {
    return std::vector<int32_t>(block().lengths.begin(), block().lengths.begin() + block().count);
  }
  // Walks n pixels with pen 5 and answers the lengths of the runs of equal
  // answers; ink runs are positive, gap runs negative.
  std::vector<int> walk(int n) {
    std::vector<int> runs;
    int state = -1;
    for (int i = 0; i < n; ++i) {
      int answer = pattern_step(*e, 5);
      EXPECT_TRUE(answer == 5 || answer == 0);
      if (answer != state) runs.push_back(0);
      state = answer;
      runs.back() += answer ? 1 : -1;
    }
    return runs;
  }
  void adaptive(int type, int32_t pattern, double length) {
    block().type = type;
    block().pattern_pixels = pattern;
    adaptive_setup(*e, 0, 0, length, 0);
  }
};

TEST_F(LineTypesTest, AdaptivePatternIsFittedToTheSegment) {
  // 95 pixels, pattern 40: two repetitions of 17, 14, 17 (fitted length 47.5).
  adaptive(-2, 40, 95);
  EXPECT_EQ(lengths(), (std::vector<int32_t>{17, 14, 17}));
  EXPECT_DOUBLE_EQ(block().remainder, -0.5);
  EXPECT_EQ(walk(96), (std::vector<int>{17, -14, 34, -14, 17}));
}

TEST_F(LineTypesTest, AdaptiveRemainderAddsOnePixelAndRestartsThePattern) {
  // 99 pixels, pattern 40: 17, 15, 17 twice leaves half a pixel per repetition.
  adaptive(-2, 40, 99);
  EXPECT_EQ(lengths(), (std::vector<int32_t>{17, 15, 17}));
  EXPECT_DOUBLE_EQ(block().remainder, 0.5);
  // The extra pixel after the second repetition, then a fresh pattern.
  EXPECT_EQ(walk(148), (std::vector<int>{17, -15, 34, -15, 35, -15, 17}));
  // The restart after the extra pixel does not count the remainder again.
  EXPECT_DOUBLE_EQ(block().accumulator, 0.0);
  pattern_step(*e, 5);
  EXPECT_DOUBLE_EQ(block().accumulator, 0.5);
}

TEST_F(LineTypesTest, ZeroLengthElementsBecomeDots) {
  adaptive(-1, 40, 40);
  EXPECT_EQ(lengths(), (std::vector<int32_t>{1, 38, 1}));
  adaptive(-4, 40, 40);
  EXPECT_EQ(lengths(), (std::vector<int32_t>{16, 4, 1, 3, 16}));
  adaptive(-8, 40, 40);
  EXPECT_EQ(lengths(), (std::vector<int32_t>{10, 4, 1, 3, 4, 4, 1, 3, 10}));
}

TEST_F(LineTypesTest, AdaptiveFitOfSparseUserPatternIsQuick) {
  // Gaps adding up to 2 per cent on a segment of a billion pixels: the last
  // element takes up the missing length at once.
  t.feed("UL2,1,1;");
  adaptive(-2, 1000000000, 1e9);
  ASSERT_EQ(block().count, 2);
  EXPECT_EQ(int64_t{block().lengths[0]} + block().lengths[1], 1000000000);
}

TEST_F(LineTypesTest, LineTypeSaveAndRestore) {
  t.feed("LT3;LT;");
  EXPECT_EQ(block().type, 9);
  EXPECT_EQ(e->gs.line.saved.type, 3);
  t.feed("LT99;");
  EXPECT_EQ(block().type, 3);
  t.feed("LT5;LT99;");
  EXPECT_EQ(block().type, 5);
  // The length and mode are not taken back.
  t.feed("LT2,7,1;LT;LT99;");
  EXPECT_EQ(block().type, 2);
  EXPECT_DOUBLE_EQ(block().length, 7.0);
  EXPECT_EQ(block().mode, 1);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(LineTypesTest, LineTypeRangeMessages) {
  t.feed("LT4,6;LT 1,4,2;");
  EXPECT_EQ(block().type, 1);
  EXPECT_DOUBLE_EQ(block().length, 4.0);
  EXPECT_EQ(block().mode, 0);
  t.feed("LT 9;LT -9,3;");
  EXPECT_EQ(block().type, 1);
  EXPECT_EQ(t.host.warnings, (std::vector<std::string>{"LT:parameter value is not fit in range, mode error.",
                                                       "LT:parameter value is not fit in range, line type error.",
                                                       "LT:parameter value is not fit in range, line type error."}));
}

TEST_F(LineTypesTest, UserPatternsDefineBothSignsAndRestore) {
  const auto& defaults = default_pattern_table();
  auto& table = e->gs.line.table;
  t.feed("UL 2,10,10,10,10;");
  for (int type : {2, -2}) {
    EXPECT_EQ(table[type + 8].count, 4);
    EXPECT_EQ(table[type + 8].elements[3], 10);
  }
  t.feed("UL -3,300,-5,150;");  // low 8 bits, negative gap skipped, no scaling
  EXPECT_EQ(table[3 + 8].count, 2);
  EXPECT_EQ(table[3 + 8].elements[0], 300 & 0xFF);
  EXPECT_EQ(table[3 + 8].elements[1], 150);
  EXPECT_EQ(t.host.warnings, (std::vector<std::string>{"UL:parameter value is not fit in range, gap."}));
  t.feed("UL 2;");
  EXPECT_EQ(table[2 + 8].count, defaults[2 + 8].count);
  EXPECT_EQ(table[-2 + 8].count, defaults[-2 + 8].count);
  EXPECT_EQ(table[3 + 8].count, 2);
  t.feed("UL9,1;UL;");
  EXPECT_EQ(t.host.warnings.back(), "UL:parameter value is not fit in range, index.");
  for (int i = 0; i < 17; ++i) EXPECT_EQ(table[i].count, defaults[i].count);
}

TEST_F(LineTypesTest, UserPatternOfTwentyOneGapsKeepsTwenty) {
  t.feed("UL1,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18,19,20,21;");
  EXPECT_EQ(e->gs.line.table[1 + 8].count, 20);
  EXPECT_EQ(e->gs.line.table[1 + 8].elements[19], 20);
}

TEST_F(LineTypesTest, LineAttributesAreCheckedAndKept) {
  t.feed("LA 1,3,2,6,3,4.7;");
  EXPECT_EQ(e->gs.line.line_ends, 3);
  EXPECT_EQ(e->gs.line.line_joins, 6);
  EXPECT_DOUBLE_EQ(e->gs.line.miter_limit, 4.0);
  EXPECT_TRUE(t.host.warnings.empty());
  t.feed("LA 1,5;LA 2,0,3,9,4,1;LA 1;");
  EXPECT_EQ(e->gs.line.line_ends, 1);
  EXPECT_EQ(e->gs.line.line_joins, 1);
  EXPECT_DOUBLE_EQ(e->gs.line.miter_limit, 5.0);
  EXPECT_EQ(t.host.warnings, (std::vector<std::string>{"LA:parameter value is not fit in range, lineEnds.",
                                                       "LA:parameter value is not fit in range, lineJoins.",
                                                       "LA:parameter value is not fit in range, mitterLimit.",
                                                       "LA:parameter value is not fit in range, kind.",
                                                       "LA:number of parameter error."}));
}

TEST_F(LineTypesTest, PenSelectionTakesTheWidthOfThePenAskedFor) {
  t.feed("PW 0.35;");
  EXPECT_EQ(e->gs.line.current_width, 1);
  t.feed("PW 0;");
  EXPECT_EQ(e->gs.line.current_width, 1);
  e->gs.line.widths[7] = 4;
  t.feed("SP 7;");
  EXPECT_EQ(e->gs.pen.pen, 1);  // monochrome
  EXPECT_EQ(e->gs.line.current_width, 4);
  t.feed("SP 300;");
  EXPECT_EQ(e->gs.pen.pen, 1);
  EXPECT_EQ(e->gs.line.current_width, 4);
  t.feed("SP;");
  EXPECT_EQ(e->gs.pen.pen, 0);
  e->options.colour_mode = COLOUR_COLOR;
  t.feed("SP 7;");
  EXPECT_EQ(e->gs.pen.pen, 7);
  t.feed("PW 1,2,3;WU 2;");
  EXPECT_EQ(e->gs.line.width_unit, 0);
  EXPECT_EQ(t.host.warnings, (std::vector<std::string>{"PW:number of parameter error.",
                                                       "WU:parameter value is not fit in range, type."}));
}

TEST_F(LineTypesTest, SymbolModeReadsTheNextCharacter) {
  t.feed("SM*");
  EXPECT_TRUE(e->gs.line.symbol_mode);
  EXPECT_EQ(e->gs.line.symbol, '*');
  t.feed(";SM;");
  EXPECT_FALSE(e->gs.line.symbol_mode);
  t.feed("SM#;SM\nLT3;");
  EXPECT_TRUE(e->gs.line.symbol_mode);
  EXPECT_EQ(e->gs.line.symbol, '#');
  EXPECT_EQ(block().type, 3);  // the line feed went back to the input
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(LineTypesTest, RasterFillReadsItsOwnParameters) {
  t.feed("SP1;RF 2;RF 3,2,2,4,5,6;RF 4,2,2,1,2,3,4,5,6,7;LT3;");
  const auto& raster = e->gs.line.raster;
  EXPECT_EQ(raster[2].width, 64);
  EXPECT_EQ(raster[2].pixels.size(), 64u * 64u);
  EXPECT_EQ(raster[2].pixels[100], 1);
  EXPECT_EQ(raster[3].pixels, (std::vector<int>{4, 5, 6}));
  EXPECT_EQ(raster[4].pixels, (std::vector<int>{1, 2, 3, 4}));
  EXPECT_EQ(block().type, 3);
  t.feed("RF 5,8;RF 9;LT4;");
  EXPECT_EQ(raster[5].width, 0);
  EXPECT_EQ(block().type, 4);
  EXPECT_EQ(t.host.warnings, (std::vector<std::string>{"RF:number of parameter error.",
                                                       "RF:parameter value is not fit in range, index."}));
}


// Cases on the real device mapping: P1 and P2 are set so that the diagonal
// from P1 to P2 is exactly 1000 display pixels (a horizontal P1-P2 over the
// whole hard-clip width of a view 1000 pixels wide).
struct LineTypesOnDeviceTest : LineTypesTest {
  std::ostringstream conversion;
  double x0 = 0, y0 = 0, x1 = 0;
  void SetUp() override {
    LineTypesTest::SetUp();
    t.host.view = {1000, 700};
    e->run.view = {1000, 700};
    e->device.targets.conversion = &conversion;
    x0 = e->gs.device.org_x;
    y0 = e->gs.device.org_y;
    x1 = x0 + e->gs.device.ext_x;
    t.feed("IP" + std::to_string(int64_t(x0)) + "," + std::to_string(int64_t(y0)) + "," +
           std::to_string(int64_t(x1)) + "," + std::to_string(int64_t(y0)) + ";");
  }
  void feed(const std::string& text) {
    conversion.str("");
    t.feed(text);
  }
  // Pens of the segments written since the last feed.
  std::vector<int> pens() {
    std::vector<int> result;
    for (const testing::ConversionSegment& s : testing::conversion_segments(conversion.str())) result.push_back(s.pen);
    return result;
  }
  // The plotter x that maps to display column px.
  double column(int px) { return x0 + std::ceil(px * (x1 - x0) / 1000); }
  // A horizontal line 1000 plotter units up, from column a to column b.
  void line(int a, int b) { draw_line(*e, column(a), y0 + 1000, column(b), y0 + 1000); }
};

TEST_F(LineTypesOnDeviceTest, RelativeLengthFollowsTheDiagonal) {
  ASSERT_DOUBLE_EQ(p1p2_device_length(*e), 1000.0);
  t.feed("LT2;");
  EXPECT_EQ(lengths(), (std::vector<int32_t>{20, 20}));
  EXPECT_EQ(walk(80), (std::vector<int>{20, -20, 20, -20}));
  t.feed("LT1;");
  EXPECT_EQ(lengths(), (std::vector<int32_t>{1, 39}));
  t.feed("LT4;");
  EXPECT_EQ(lengths(), (std::vector<int32_t>{32, 4, 1, 3}));
}

TEST_F(LineTypesOnDeviceTest, PenWidthsInBothUnits) {
  t.feed("PW0.35;");
  EXPECT_EQ(e->gs.line.current_width, 1);
  t.feed("PW1;");
  EXPECT_EQ(e->gs.line.current_width, 3);  // 72 dots per inch
  EXPECT_EQ(e->gs.line.widths[200], 3);
  t.feed("WU1;PW0.5,4;");
  EXPECT_EQ(e->gs.line.widths[4], 5);  // half a per cent of 1000 pixels
  EXPECT_EQ(e->gs.line.current_width, 5);
  t.feed("PW100000000,5;");
  EXPECT_EQ(e->gs.line.widths[5], 32767);
  // Converted once: a new P1-P2 does not change the width.
  t.feed("IP0,0,10,10;SP4;");
  EXPECT_EQ(e->gs.line.current_width, 5);
}

TEST_F(LineTypesOnDeviceTest, FixedPatternRunsOnAcrossVectors) {
  t.feed("LT2;");
  line(0, 15);
  EXPECT_EQ(block().element, 1);
  EXPECT_EQ(block().drawn, 16);
  // A pen-up move and instructions that do not restart the pattern.
  t.feed("PU" + std::to_string(int64_t(column(300))) + ",0;SP1;PW;LA;SC;IW;RO;");
  line(500, 510);
  EXPECT_EQ(block().element, 2);
  EXPECT_EQ(block().drawn, 7);
  t.feed("IP;");
  EXPECT_EQ(block().element, 1);
  EXPECT_EQ(block().drawn, 0);
}

TEST_F(LineTypesOnDeviceTest, AdaptiveVectorsLeaveNoTrace) {
  t.feed("LT-2;");
  const LineTypeBlock before = block();
  conversion.str("");
  line(0, 95);
  EXPECT_EQ(pens(), (std::vector<int>{1, 0, 1, 0, 1}));
  EXPECT_EQ(block().element, before.element);
  EXPECT_EQ(block().drawn, before.drawn);
  EXPECT_EQ(lengths(), std::vector<int32_t>(before.lengths.begin(), before.lengths.begin() + before.count));
}

TEST_F(LineTypesOnDeviceTest, SymbolModeMarksEveryPointOfAPenUpMove) {
  const std::string p1 = std::to_string(int64_t(column(100))) + ",3000";
  const std::string p2 = std::to_string(int64_t(column(600))) + ",3000";
  feed("SM*;PU;PA" + p1 + ";");
  const size_t one = pens().size();
  EXPECT_GT(one, 0u);
  feed("PA" + p1 + "," + p2 + ";");
  EXPECT_EQ(pens().size(), 2 * one);
  feed("SM;PA" + p2 + ";");
  EXPECT_TRUE(pens().empty());
}

TEST_F(LineTypesOnDeviceTest, AbsoluteLengthInMillimetres) {
  t.feed("LT1,4,1;");
  int32_t length = 157;  // 4 mm as 39.3701 units each
  device_length(*e, &length);
  EXPECT_NEAR(block().pattern_pixels, length, 1);
  EXPECT_EQ(block().mode, 1);
}

}  // namespace
}  // namespace kavor::testing
