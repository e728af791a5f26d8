#include "engine/engine.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

namespace kavor::testing {
namespace {

struct RemainingTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  OtherState& o = e.gs.other;
  void SetUp() override { ASSERT_TRUE(t.init()); }
  const std::string& last_warning() {
    static const std::string none;
    return t.host.warnings.empty() ? none : t.host.warnings.back();
  }
};

TEST_F(RemainingTest, BeginPlotRecordsNameAndCopies) {
  t.feed("BP1,\"Drawing 7\",2,3;");
  EXPECT_EQ(o.begin_plot.picture_name, "Drawing 7");
  EXPECT_EQ(o.begin_plot.copies, 3);
  EXPECT_TRUE(t.host.warnings.empty());
  t.feed("BP3,1,4,1;");
  EXPECT_EQ(o.begin_plot.picture_name, "");
  EXPECT_EQ(o.begin_plot.disposition, 1);
  EXPECT_EQ(o.begin_plot.render_unfinished, 1);
  t.feed("BP1,\"" + std::string(100, 'n') + "\";PU;");
  EXPECT_EQ(o.begin_plot.picture_name, std::string(80, 'n'));
  EXPECT_TRUE(t.host.instruction_errors.empty());
}

TEST_F(RemainingTest, BeginPlotMessagesEndTheInstruction) {
  t.feed("BP2;");
  EXPECT_EQ(last_warning(), "BP:number of parameter error, missing number of copies parameter.");
  t.feed("BP3,2,2,5;");
  EXPECT_EQ(last_warning(), "BP:parameter value is not fit in range, file disposition code.");
  EXPECT_EQ(o.begin_plot.copies, 1);
  t.feed("BP4;");
  EXPECT_EQ(last_warning(), "BP:number of parameter error, missing unfinished plot.");
  t.feed("BP4,3;");
  EXPECT_EQ(last_warning(), "BP:parameter value is not fit in range, unfinished plot.");
  t.feed("BP3;");
  EXPECT_EQ(last_warning(), "BP:number of parameter error, missing file disposition code.");
  t.feed("BP9,1;");
  EXPECT_EQ(last_warning(), "BP:parameter value is not fit in range, kind parameter.");
  EXPECT_EQ(t.host.warnings.size(), 6u);
}

TEST_F(RemainingTest, BeginPlotResetsTheGraphicsStateLikeIn) {
  t.feed("SL0.5;DT$;CT1;MT3;CR0,1,0,1,0,1;BP;IN;");
  EXPECT_DOUBLE_EQ(e.gs.label.slant, 0);
  EXPECT_EQ(e.gs.label.terminator, 3);
  EXPECT_EQ(o.chord_mode, 0);
  EXPECT_EQ(o.media_type, 0);
  EXPECT_DOUBLE_EQ(o.colour_range[1], 255);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(RemainingTest, ColourRangeAndItsErrors) {
  t.feed("CR0,100,0,200,10,20;");
  EXPECT_EQ(o.colour_range, (std::array<double, 6>{0, 100, 0, 200, 10, 20}));
  t.feed("CR1,2,3;");
  EXPECT_EQ(last_warning(), "CR:Parameter error.");
  EXPECT_DOUBLE_EQ(o.colour_range[3], 200);
  t.feed("CR;");
  EXPECT_EQ(o.colour_range, (std::array<double, 6>{0, 255, 0, 255, 0, 255}));
  t.feed("PC;PC1,2;");
  EXPECT_EQ(t.host.warnings.size(), 3u);
  EXPECT_EQ(last_warning(), "PC:Parameter error.");
}

TEST_F(RemainingTest, PenColoursFollowTheColourRange) {
  Engine& en = e;
  auto colour = [&en](int pen) { return en.device.colours[pen]; };
  t.feed("CR0,100,0,100,0,100;PC1,100,50,0;");
  EXPECT_EQ(colour(1), (Rgb{255, 127, 0}));
  t.feed("CR;PC2,255,0,0;PC3,300,-5,128;");
  EXPECT_EQ(colour(2), (Rgb{255, 0, 0}));
  EXPECT_EQ(colour(3), (Rgb{255, 0, 128}));  // beyond the range: kept within a byte
  t.feed("CR5,5,0,255,0,255;PC4,9,0,0;PC5,4,0,0;");  // an empty range divides by nothing
  EXPECT_EQ(colour(4), (Rgb{255, 0, 0}));
  EXPECT_EQ(colour(5), (Rgb{0, 0, 0}));
  t.feed("PC256,1,1,1;PC-1,1,1,1;");  // pens outside 0..255 change nothing
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST(RemainingPens, OneParameterRestoresThePensLetterColour) {
  TestEngine t;
  ASSERT_TRUE(t.init({"-PC", "WKRGBMCY"}));
  Engine& e = *t.engine;
  t.feed("PC2,0,0,255;PC9,255,255,255;PC2;PC9;");
  EXPECT_EQ(e.device.colours[2], colour_of_letter('R'));
  EXPECT_EQ(e.device.colours[9], colour_of_letter('K'));  // beyond the letters: black
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(RemainingTest, DownloadStoresAndClears) {
  DownloadGlyph& a = o.download['A' - 33];
  t.feed("DL65,10,10;");
  ASSERT_EQ(a.count, 1);
  EXPECT_EQ(a.xy[0], 10);
  EXPECT_EQ(a.pen_up[0], 1);  // the first point is always a move
  t.feed("DL66,-128,5,6,200,7,300;");
  const DownloadGlyph& b = o.download['B' - 33];
  ASSERT_EQ(b.count, 2);
  EXPECT_EQ(b.pen_up[1], 0);
  EXPECT_EQ(b.xy[2], 7);
  EXPECT_EQ(b.xy[3], 127);  // coordinates are limited to 127
  EXPECT_EQ(last_warning(), "DL:parameter value is not fit in range.");
  t.feed("DL;");
  EXPECT_EQ(a.count, 0);
  EXPECT_EQ(b.count, 0);
  t.feed("DL67,1;");
  EXPECT_EQ(last_warning(), "DL:number of parameter error, expect y.");
  t.feed("DL67,-128,1;");
  EXPECT_EQ(last_warning(), "DL:number of parameter error, expect x,y.");
  t.feed("DL20,1,1;DL127,1,1;");  // no slots: ignored
  EXPECT_EQ(t.host.warnings.size(), 3u);
  EXPECT_TRUE(t.host.instruction_errors.empty());
}

TEST_F(RemainingTest, DownloadKeepsTwentyPointsAndWarnsOnce) {
  std::string dl = "DL90";
  for (int i = 0; i < 25; ++i) dl += "," + std::to_string(i) + ",1";
  t.feed(dl + ";");
  const DownloadGlyph& z = o.download['Z' - 33];
  EXPECT_EQ(z.count, 20);
  EXPECT_EQ(z.xy[38], 19);
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "DL: too many parameters, ignore it.");
}

TEST_F(RemainingTest, DeviceSettingsAndTheirMessages) {
  t.feed("CT1;MC1;MT5;NP300;");
  EXPECT_EQ(o.chord_mode, 1);
  EXPECT_EQ(o.merge_control, 1);
  EXPECT_EQ(o.media_type, 5);
  EXPECT_EQ(o.number_of_pens, 257);
  t.feed("CT2;MC2;MT6;ST3;ST4;ST-1;ST5;");
  EXPECT_EQ(o.chord_mode, 1);
  EXPECT_EQ(o.merge_control, 1);
  EXPECT_EQ(o.media_type, 5);
  ASSERT_EQ(t.host.warnings.size(), 5u);
  EXPECT_EQ(t.host.warnings[0], "CT:parameter value is not fit in range.");
  EXPECT_EQ(t.host.warnings[1], "MC:parameter value is not fit in range, mode.");
  EXPECT_EQ(t.host.warnings[2], "MT:parameter value is not fit in range. type.");
  EXPECT_EQ(t.host.warnings[3], "ST:parameter value is not fit in range, switch,");
  EXPECT_EQ(t.host.warnings[4], "ST:parameter value is not fit in range, switch,");
  t.feed("CT;MC;MT;NP;");
  EXPECT_EQ(o.chord_mode, 0);
  EXPECT_EQ(o.merge_control, 0);
  EXPECT_EQ(o.media_type, 0);
  EXPECT_EQ(o.number_of_pens, 2);
}

TEST(RemainingPens, ColourModeGivesTheDefaultNumberOfPens) {
  TestEngine t;
  ASSERT_TRUE(t.init({"-COLOR"}));
  t.feed("NP4;NP;");
  EXPECT_EQ(t.engine->gs.other.number_of_pens, 8);
}

}  // namespace
}  // namespace kavor::testing
