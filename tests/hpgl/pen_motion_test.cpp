#include "hpgl/pen_motion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;

// Plotter units map one to one onto a 1000 by 1000 view; the conversion
// stream's lines show plotter coordinates.
struct PenMotion : testing::SquareDisplayTest {};

using Lines = std::vector<std::string>;

// PE number encoding: sign in the lowest bit, least significant digit first.
std::string encode(int v, int base = 64) {
  unsigned n = v >= 0 ? 2u * v : 2u * -v + 1;
  const unsigned digits = base == 64 ? 64 : 32;
  const int terminal = base == 64 ? 191 : 95;
  std::string s;
  for (; n >= digits; n /= digits) s += static_cast<char>(63 + n % digits);
  s += static_cast<char>(terminal + n);
  return s;
}

TEST_F(PenMotion, PairLoopDrawsEveryPairWhileThePenIsDown) {
  EXPECT_EQ(feed("PU10,20;PD30,40,50 60;PU70,80;PA90,100;"), (Lines{"SP1 PU10,20 PD30,40", "SP1 PU30,40 PD50,60"}));
  EXPECT_EQ(e().gs.pen.x, 90);
  EXPECT_EQ(e().gs.pen.y, 100);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(PenMotion, OddCountDrawsCompletePairsAndSkipsTheRest) {
  EXPECT_EQ(feed("PU0,0;PD;PA10,10,30;PA40,40;"),
            (Lines{"SP1 PU0,0 PD0,0", "SP1 PU0,0 PD10,10", "SP1 PU10,10 PD40,40"}));
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "PA:number of parameter error.");
  feed("PU1;");
  EXPECT_EQ(t.host.warnings.size(), 2u);
  EXPECT_EQ(e().gs.pen.x, 40);
}

TEST_F(PenMotion, RelativeModePersistsIntoPenDownAndUp) {
  EXPECT_EQ(feed("PU100,100;PR;PD10,0,0,10;PU5,5;PD-5,0;"),
            (Lines{"SP1 PU100,100 PD110,100", "SP1 PU110,100 PD110,110", "SP1 PU115,115 PD110,115"}));
  EXPECT_EQ(feed("PA;PD0,0;"), (Lines{"SP1 PU110,115 PD0,0"}));
}

TEST_F(PenMotion, EncodedPolylineInBase64) {
  const std::string plot = "PU100,100;PE<" + encode(10) + encode(20) + encode(5) + encode(-3) + "=" + encode(300) +
                           encode(400) + ":" + encode(3) + encode(1) + encode(1) + ";";
  EXPECT_EQ(feed(plot), (Lines{"SP1 PU110,120 PD115,117", "SP1 PU115,117 PD300,400", "SP3 PU300,400 PD301,401"}));
  EXPECT_EQ(e().gs.pen.pen, 3);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(PenMotion, EncodedPolylineInBase32WithFractions) {
  // Base 32 numbers use up to four digits; 7 switches for the rest of PE.
  const std::string plot = "PU0,0;PE7>" + encode(5, 32) + encode(20000, 32) + encode(8, 32) + "\r\n " +
                           encode(-40, 32) + encode(0, 32) + ";";
  EXPECT_EQ(feed(plot), (Lines{"SP1 PU0,0 PD625,0", "SP1 PU625,0 PD624,0"}));
  EXPECT_DOUBLE_EQ(e().gs.pen.x, 623.75);
  EXPECT_DOUBLE_EQ(e().gs.pen.y, 0.25);
}

TEST_F(PenMotion, MalformedEncodedNumbersEndThePolyline) {
  // Three non-terminal base-64 digits are one too many.
  std::string plot = "PU0,0;PE" + encode(10) + encode(10) + std::string("???") + static_cast<char>(191) + "PU5,5;";
  EXPECT_EQ(feed(plot), (Lines{"SP1 PU0,0 PD10,10"}));
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "PE:number of parameter error, x-value.");
  EXPECT_DOUBLE_EQ(e().gs.pen.x, 5);

  feed("PE>;PA;");
  ASSERT_EQ(t.host.warnings.size(), 2u);
  EXPECT_EQ(t.host.warnings[1], "PE:number of parameter error,fraction-value.");
  feed("PE:;");  // a malformed pen number ends PE without a message
  EXPECT_EQ(t.host.warnings.size(), 2u);
  EXPECT_EQ(feed("PE" + encode(1) + encode(1) + "!" + encode(1) + encode(1) + ";"), (Lines{"SP1 PU5,5 PD6,6"}));
}

TEST_F(PenMotion, TicksUseTheTickLengthsAndP1P2) {
  e().gs.scaling.p1x = 0;
  e().gs.scaling.p2x = 200;
  e().gs.scaling.p1y = 0;
  e().gs.scaling.p2y = 1000;
  EXPECT_EQ(feed("PU500,500;TL10,5;XT;YT;"), (Lines{"SP1 PU500,600 PD500,450", "SP1 PU520,500 PD490,500"}));
  EXPECT_EQ(e().gs.pen.x, 500);
  feed("TL5,200;");
  EXPECT_EQ(e().gs.pen.tick_tp, 5);
  EXPECT_EQ(e().gs.pen.tick_tn, 100);
  feed("TL-300;");
  EXPECT_EQ(e().gs.pen.tick_tp, -100);
  EXPECT_EQ(e().gs.pen.tick_tn, 0);
  feed("TL;");
  EXPECT_EQ(e().gs.pen.tick_tp, 0.5);
  EXPECT_EQ(e().gs.pen.tick_tn, 0.5);
}

TEST_F(PenMotion, PenThicknessIsCheckedAgainstItsRange) {
  feed("PT2.5;");
  EXPECT_EQ(e().gs.pen.thickness, 2.5);
  feed("PT0.05;PT5.1;");
  EXPECT_EQ(e().gs.pen.thickness, 2.5);
  EXPECT_EQ(t.host.warnings.size(), 2u);
  feed("PT;");
  EXPECT_EQ(e().gs.pen.thickness, 0.3);
}

TEST_F(PenMotion, UserFillSpacingsKeepTwentyNonNegativeValues) {
  feed("UF1,2.9,-3,4;");
  ASSERT_EQ(e().gs.pen.fill_spacing_count, 3);
  EXPECT_EQ(e().gs.pen.fill_spacings[1], 2);
  EXPECT_EQ(e().gs.pen.fill_spacings[2], 4);
  EXPECT_EQ(t.host.warnings.size(), 1u);
  std::string many = "UF";
  for (int i = 1; i <= 21; ++i) many += std::to_string(i) + (i < 21 ? "," : ";");
  feed(many);
  EXPECT_EQ(e().gs.pen.fill_spacing_count, 20);
  EXPECT_EQ(e().gs.pen.fill_spacings[19], 20);
  EXPECT_EQ(t.host.warnings.size(), 1u);
  EXPECT_TRUE(t.host.instruction_errors.empty());
}

TEST_F(PenMotion, LabelDirectionSizeAndBufferedText) {
  feed("DU3,4;SU2,5;BLHELLO\x03WDhidden\x03");
  EXPECT_EQ(e().gs.label.direction_mode, 2);
  EXPECT_EQ(e().gs.label.run, 3);
  EXPECT_EQ(e().gs.label.rise, 4);
  const FontRecord& f = e().gs.label.fonts[e().gs.label.selected];
  EXPECT_EQ(f.size_mode, 2);
  EXPECT_EQ(f.height, 5);
  EXPECT_EQ(e().gs.label.buffered, "HELLO");
  feed("DU1;SU;");
  EXPECT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(f.size_mode, 1);
  EXPECT_EQ(f.width, 0.75);
}

TEST_F(PenMotion, AdvanceFullPageClearsTheDrawnMarkAndRedrawsTheFrame) {
  e().options.frame = true;
  EXPECT_EQ(feed("AF;"), Lines{});
  const Lines lines = feed("PU0,0;PD10,0;AH;");
  ASSERT_EQ(lines.size(), 5u);
  EXPECT_EQ(lines[1], "SP0 PU0,0 PD1000,0");
  EXPECT_FALSE(e().gs.page.drawn);
}

}  // namespace
}  // namespace kavor
