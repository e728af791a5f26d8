#include "hpgl/labels.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/test_env.h"

namespace kavor::testing {
namespace {

// A character size of 1.6256 mm makes one glyph unit one plotter unit.
constexpr const char* kUnitCell = "SI0.16256,0.16256;";
constexpr double kStartX = 1000, kStartY = 2000;

struct LabelTest : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  LabelState& l = e.gs.label;
  void SetUp() override {
    ASSERT_TRUE(t.init());
    l.pos_x = l.cr_x = kStartX;
    l.pos_y = l.cr_y = kStartY;
  }
  void feed(const std::string& s) { t.feed(s); }
  void expect_position(double x, double y) {
    EXPECT_NEAR(l.pos_x, x, 0.01);
    EXPECT_NEAR(l.pos_y, y, 0.01);
  }
  const std::string& last_warning() {
    static const std::string none;
    return t.host.warnings.empty() ? none : t.host.warnings.back();
  }
};

TEST_F(LabelTest, TerminatorModes) {
  feed("LBAB\x03");
  EXPECT_EQ(l.buffered, "AB");
  feed("DT$,0;LBAB$");
  EXPECT_EQ(l.terminator, '$');
  EXPECT_EQ(l.terminator_mode, 0);
  EXPECT_EQ(l.buffered, "AB$");
  feed("DT$;LBCD$");
  EXPECT_EQ(l.terminator_mode, 1);
  EXPECT_EQ(l.buffered, "CD");
  feed("DT;");
  EXPECT_EQ(l.terminator, 3);
  EXPECT_EQ(l.terminator_mode, 1);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(LabelTest, TerminatorErrorsKeepTheMode) {
  feed("DT#,0;DT$,2;");
  EXPECT_EQ(l.terminator, '$');
  EXPECT_EQ(l.terminator_mode, 0);
  EXPECT_EQ(last_warning(), "DT:parameter value is not fit in range, mode parameter error.");
  feed("DT%,*;");
  EXPECT_EQ(l.terminator, '%');
  EXPECT_EQ(l.terminator_mode, 0);
  EXPECT_EQ(last_warning(), "DT:mode parameter error.");
  // A line feed right after DT is given back and changes nothing.
  feed("DT\nLBX%");
  EXPECT_EQ(l.terminator, '%');
  EXPECT_EQ(l.buffered, "X%");
}

TEST_F(LabelTest, LabelRunningToTheEndOfInputKeepsItsLastCharacter) {
  feed(std::string(kUnitCell) + "LBABC");
  EXPECT_EQ(l.buffered, "ABC");
  expect_position(kStartX + 3 * 96, kStartY);
}

TEST_F(LabelTest, AdvancesAlongTheFourPaths) {
  feed(std::string(kUnitCell) + "ES0.5,0.25;LBAB\x03");
  expect_position(kStartX + 2 * 96 * 1.5, kStartY);
  feed("DV1;LBAB\x03");  // down: the line advance with the extra lines
  expect_position(kStartX + 288, kStartY - 2 * 128 * 1.25);
  feed("DV2;LBA\x03");
  expect_position(kStartX + 288 - 144, kStartY - 320);
  feed("DV3;LBAB\x03");  // up: the line advance with the extra spaces
  expect_position(kStartX + 144, kStartY - 320 + 2 * 128 * 1.5);
}

TEST_F(LabelTest, OriginsShiftThePieceByItsLength) {
  struct Case {
    int origin;
    double end;  // where three characters end, relative to the start
  };
  for (Case c : {Case{1, 288}, Case{4, 144}, Case{7, 0}, Case{11, 320}, Case{15, 144}, Case{17, -1}}) {
    l.pos_x = kStartX;
    feed(std::string(kUnitCell) + "LO" + std::to_string(c.origin) + ";LBABC\x03");
    EXPECT_NEAR(l.pos_x, kStartX + c.end, 0.01) << c.origin;
  }
  // Backspaces do not count as characters of the piece.
  l.pos_x = kStartX;
  feed("LO7;LBA\bB\x03");
  EXPECT_NEAR(l.pos_x, kStartX - 96, 0.01);
}

TEST_F(LabelTest, LineFeedAloneKeepsTheColumnCarriageReturnGoesBack) {
  feed(std::string(kUnitCell) + "LBAB\nCD\x03");
  expect_position(kStartX + 4 * 96, kStartY - 128);
  EXPECT_NEAR(l.cr_x, kStartX, 0.01);
  EXPECT_NEAR(l.cr_y, kStartY - 128, 0.01);
  feed("LB\r\nEF\x03");
  expect_position(kStartX + 2 * 96, kStartY - 256);
  // The next label keeps the carriage-return point of the first.
  feed("LB\rG\x03");
  expect_position(kStartX + 96, kStartY - 256);
  feed("DV0,1;LB\n\x03");  // reversed line feed moves up
  expect_position(kStartX + 96, kStartY - 128);
}

TEST_F(LabelTest, BackspaceMovesBackUnlessDataIsTransparent) {
  feed(std::string(kUnitCell) + "LBA\bB\x03");
  expect_position(kStartX + 96, kStartY);
  l.pos_x = kStartX;
  feed("TD1;LBA\bB\r\n\x03");
  EXPECT_TRUE(l.transparent);
  expect_position(kStartX + 5 * 96, kStartY);
  EXPECT_NEAR(l.cr_y, kStartY, 0.01);
}

TEST_F(LabelTest, CodesAbove127AdvanceOneCharacter) {
  feed(std::string(kUnitCell) + "LB\xC8\xFF\x03");
  expect_position(kStartX + 2 * 96, kStartY);
}

TEST_F(LabelTest, DefaultSizesOfSiAndSrAndTheSelectedRecordOnly) {
  feed("SA;SI1,2;SS;SI;");
  EXPECT_EQ(l.fonts[1].size_mode, CHAR_SIZE_ABSOLUTE);
  EXPECT_DOUBLE_EQ(l.fonts[1].width, 10);
  EXPECT_DOUBLE_EQ(l.fonts[1].height, 20);
  EXPECT_NEAR(l.fonts[0].width, 2.85, 1e-9);
  EXPECT_NEAR(l.fonts[0].height, 3.75, 1e-9);
  feed("SR;");
  EXPECT_EQ(l.fonts[0].size_mode, CHAR_SIZE_RELATIVE);
  EXPECT_DOUBLE_EQ(l.fonts[0].width, 0.75);
  EXPECT_DOUBLE_EQ(l.fonts[0].height, 1.5);
  EXPECT_DOUBLE_EQ(l.fonts[1].width, 10);
  feed("SI200,1;");
  EXPECT_NEAR(l.fonts[0].width, 1279.999, 1e-9);
  feed("SI1;SR1,2,3;");
  ASSERT_EQ(t.host.warnings.size(), 2u);
  EXPECT_EQ(t.host.warnings[0], "SI:number of parameter error, missing height parameter.");
  EXPECT_EQ(t.host.warnings[1], "SR:number of parameter error, missing height parameter.");
  EXPECT_NEAR(l.fonts[0].width, 1279.999, 1e-9);
}

TEST_F(LabelTest, SizesScaleTheAdvance) {
  feed("SI0.285,0.375;LBA\x03");
  expect_position(kStartX + 96 * 2.85 * 39.3701 / 64, kStartY);
  Scaling& s = e.gs.scaling;
  s.p1x = 0, s.p1y = 0, s.p2x = 6400, s.p2y = 3200;
  l.pos_x = kStartX;
  feed("SR1,2;LBA\x03");  // 1 % of 6400 per cell
  expect_position(kStartX + 96, kStartY);
  // Absolute sizes mirror when P1 lies beyond P2.
  s.p1x = 6400, s.p2x = 0;
  l.pos_x = kStartX;
  feed(std::string(kUnitCell) + "LBAB\x03");
  expect_position(kStartX - 192, kStartY);
}

TEST_F(LabelTest, FontDefinitionPairs) {
  feed("SD1,2,2,1,3,10,4,12,5,1,6,3,7,5;");
  const FontRecord& f = l.fonts[0];
  EXPECT_EQ(f.charset, 2);
  EXPECT_EQ(f.spacing, 1);
  EXPECT_NEAR(f.width, 2.54, 1e-9);
  EXPECT_NEAR(f.height, 12 * 25.4 / 72, 1e-9);
  EXPECT_EQ(f.posture, 1);
  EXPECT_EQ(f.weight, 3);
  EXPECT_EQ(f.typeface, 5);
  EXPECT_TRUE(t.host.warnings.empty());
  feed("SD2,3,5,2,9,1;");
  EXPECT_EQ(f.spacing, 3);
  EXPECT_EQ(f.posture, 2);
  ASSERT_EQ(t.host.warnings.size(), 3u);
  EXPECT_EQ(t.host.warnings[0], "SD:parameter value is not fit in range, font spacing.");
  EXPECT_EQ(t.host.warnings[1], "SD:parameter value is not fit in range, font slant.");
  EXPECT_EQ(t.host.warnings[2], "SD:parameter value is not fit in range, kind parameter out of range.");
  feed("AD7,9,6;");
  EXPECT_EQ(l.fonts[1].typeface, 9);
  EXPECT_EQ(last_warning(), "AD:number of parameter error.");
  feed("SD3,0;");  // a pitch of 0 keeps the width
  EXPECT_NEAR(f.width, 2.54, 1e-9);
  feed("SD;");
  EXPECT_EQ(f.charset, 0);
  EXPECT_NEAR(f.width, 25.4 / 9, 1e-6);
  EXPECT_NEAR(f.height, 4.056944, 1e-6);
}

TEST(LabelFontDefaults, TheA0PaperHasALargerCell) {
  TestEngine t;
  ASSERT_TRUE(t.init({"-PP", "A0"}));
  t.feed("AD;");
  EXPECT_NEAR(t.engine->gs.label.fonts[1].width, 4.305085, 1e-6);
  EXPECT_NEAR(t.engine->gs.label.fonts[1].height, 5.644444, 1e-6);
}

TEST_F(LabelTest, SlantPathOriginAndModeMessages) {
  feed("SL2;");
  EXPECT_DOUBLE_EQ(l.slant, 1);
  EXPECT_EQ(last_warning(), "SL:parameter value is not fit in range.");
  feed("SL-3;");
  EXPECT_DOUBLE_EQ(l.slant, -1);
  feed("DV2,1;DV1;");
  EXPECT_EQ(l.path, 1);
  EXPECT_EQ(l.line_feed_direction, 0);
  feed("DV0,1;DV4;");
  EXPECT_EQ(l.path, 0);
  EXPECT_EQ(l.line_feed_direction, 1);
  EXPECT_EQ(last_warning(), "DV:parameter value is not fit in range, path.");
  feed("DV3,2;");
  EXPECT_EQ(l.path, 3);
  EXPECT_EQ(last_warning(), "DV:parameter value is not fit in range, line feed direction.");
  feed("LO10;");
  EXPECT_EQ(l.origin, 1);
  EXPECT_EQ(last_warning(), "LO:parameter value is not fit in range.");
  feed("LO19;");
  EXPECT_EQ(l.origin, 19);
  feed("TD2;");
  EXPECT_EQ(last_warning(), "TD:parameter value is not fit in range.");
  feed("CF1,5;CF2;CF4;");
  EXPECT_EQ(l.fill_mode, 2);
  EXPECT_EQ(l.edge_pen, 5);
  EXPECT_EQ(last_warning(), "CF:parameter value is not fit in range, fill mode.");
  feed("DI1;");
  EXPECT_EQ(last_warning(), "DI:number of parameter error, missing rise parametter.");
  feed("ES1,2;ES3;");
  EXPECT_DOUBLE_EQ(l.extra_spaces, 3);
  EXPECT_DOUBLE_EQ(l.extra_lines, 2);
  EXPECT_EQ(t.host.warnings.size(), 8u);
}

TEST_F(LabelTest, DirectionsTurnTheAdvance) {
  feed(std::string(kUnitCell) + "DI0,1;LBA\x03");
  expect_position(kStartX, kStartY + 96);
  Scaling& s = e.gs.scaling;
  s.p1x = 0, s.p1y = 0, s.p2x = 2000, s.p2y = 1000;
  // Relative: the rise is taken along the shorter P1-P2 side.
  feed("DR1,2;LBA\x03");
  EXPECT_NEAR(l.pos_x, kStartX + 96 * std::cos(M_PI / 4), 0.01);
  EXPECT_NEAR(l.pos_y, kStartY + 96 + 96 * std::sin(M_PI / 4), 0.01);
  feed("DR;");
  EXPECT_EQ(l.direction_mode, DIRECTION_ABSOLUTE);
  EXPECT_DOUBLE_EQ(l.run, 1);
}

TEST_F(LabelTest, CharacterPlotMovesAndSetsTheCarriageReturnPoint) {
  feed(std::string(kUnitCell) + "CP2,1;");
  expect_position(kStartX + 192, kStartY + 128);
  EXPECT_NEAR(l.cr_x, kStartX + 192, 0.01);
  feed("LBAB\x03" "CP;");
  expect_position(kStartX + 192, kStartY);
  EXPECT_NEAR(l.cr_y, kStartY, 0.01);
  feed("CP1;");
  EXPECT_EQ(last_warning(), "CP:number of parameter error");
}

TEST_F(LabelTest, PenPositionInUserUnitsFollowsTheLabel) {
  feed("IP0,0,4000,4000;SC0,100,0,100;");
  l.pos_x = l.cr_x = 1000;
  l.pos_y = l.cr_y = 2000;
  feed(std::string(kUnitCell) + "LBAB\n\x03");
  EXPECT_NEAR(e.gs.pen.x, (1000 + 192) / 40.0, 1e-4);
  EXPECT_NEAR(e.gs.pen.y, (2000 - 128) / 40.0, 1e-4);
  expect_position(1000 + 192, 2000 - 128);
  // The user-unit size mode takes the cell from the scaling.
  l.fonts[0] = FontRecord{CHAR_SIZE_USER, 1.6, 1.6};
  l.pos_x = 1000;
  feed("LBA\x03");
  EXPECT_NEAR(l.pos_x, 1000 + 96, 1e-9);
}

TEST(LabelHostileInput, ExtremeValuesNeverReachUndefinedBehaviour) {
  TestEngine t;
  const std::string plots[] = {
      "SR1e300,1e300;DI1e308,-1e308;LBABC\r\nDEF\x03CP1e300,1e300;CP;",
      "SI-1000,1000;SL1;ES-1,-1;LO17;LB\b\b\bX\x03DV3;LBup\x03",
      "IP0,0,0,0;SC0,0,0,0;DU1,1;LBA\x03",
      "UC99,98,98,98,-98,-98,98;LBX\x03DT",
      "SD3,0,4,1e300,1,99999999999;SA;AD;LB" + std::string(600, 'W'),
      "DL99999999999,-128,1e300,-1e300;DL33,-128;BP1,\"unterminated",
  };
  for (const std::string& plot : plots) EXPECT_TRUE(t.run(plot)) << plot;
}

TEST_F(LabelTest, InitialisationResetsSizesToRelative) {
  feed("SI1,1;SA;SL0.5;DV1;IN;");
  EXPECT_EQ(l.selected, 0);
  for (const FontRecord& f : l.fonts) {
    EXPECT_EQ(f.size_mode, CHAR_SIZE_RELATIVE);
    EXPECT_DOUBLE_EQ(f.width, 0.75);
    EXPECT_DOUBLE_EQ(f.height, 1.5);
  }
  EXPECT_DOUBLE_EQ(l.slant, 0);
  EXPECT_EQ(l.path, 0);
}

// Strokes reach the line path, which records the extents of every vector
// in plotter units: a probe of where each glyph is placed.
struct DrawLabelTest : LabelTest {
  void SetUp() override {
    LabelTest::SetUp();
    feed(kUnitCell);
    clear_extents();
  }
  void clear_extents() { e.gs.extents = DrawingExtents{1e9, 1e9, -1e9, -1e9}; }
  bool nothing_drawn() const { return e.gs.extents.xmin > e.gs.extents.xmax; }
  void expect_box(double xmin, double ymin, double xmax, double ymax) {
    const DrawingExtents& d = e.gs.extents;
    EXPECT_NEAR(d.xmin, xmin, 0.01);
    EXPECT_NEAR(d.ymin, ymin, 0.01);
    EXPECT_NEAR(d.xmax, xmax, 0.01);
    EXPECT_NEAR(d.ymax, ymax, 0.01);
  }
  // Draws the user character defined by uc as UC does.
  void draw_user(const std::string& uc) {
    feed(uc);
    clear_extents();
    l.pos_x = kStartX;
    l.pos_y = kStartY;
    e.gs.user_glyph.active = true;
    draw_label(e, "a");
  }
};

TEST_F(DrawLabelTest, GlyphSitsOnTheBaselineAtOriginOne) {
  feed("LBA\x03");
  expect_box(kStartX, kStartY, kStartX + 64, kStartY + 64);
}

TEST_F(DrawLabelTest, OriginsPlaceTheText) {
  feed("LO4;LBAM\x03");
  expect_box(kStartX - 96, kStartY, kStartX + 64, kStartY + 64);
  clear_extents();
  l.pos_x = kStartX;
  feed("LO9;LBA\x03");
  expect_box(kStartX - 96, kStartY - 64, kStartX - 32, kStartY);
  clear_extents();
  l.pos_x = kStartX;
  l.pos_y = kStartY;
  feed("LO11;LBA\x03");
  expect_box(kStartX + 32, kStartY + 48, kStartX + 96, kStartY + 112);
}

TEST_F(DrawLabelTest, SlantShearsByTheTangentOfTheStoredValue) {
  feed("SL1;LBA\x03");
  // The top of A (40, 96) moves by tan(1) x 64, rounded: 100 units.
  expect_box(kStartX, kStartY, kStartX + 140, kStartY + 64);
}

TEST_F(DrawLabelTest, BackspaceIsDrawnOnlyAsTransparentData) {
  feed("LB\b\x03");
  EXPECT_TRUE(nothing_drawn());
  feed("LB\xC8 \x03");
  EXPECT_TRUE(nothing_drawn());
  feed("TD1;LB\b\x03");
  EXPECT_FALSE(nothing_drawn());
}

TEST_F(DrawLabelTest, UcDrawsItsCharacterOnceAndLabelsUseTheFontAgain) {
  feed("UC-99,0,0,99,4,0;");
  expect_box(kStartX, kStartY, kStartX + 64, kStartY);
  EXPECT_NEAR(l.pos_x, kStartX + 96, 0.01);
  clear_extents();
  feed("LBA\x03");  // the table's A, not the user character
  expect_box(kStartX + 96, kStartY, kStartX + 160, kStartY + 64);
}

TEST_F(DrawLabelTest, UserCharacterExamples) {
  draw_user("UC-99,0,0,99,4,0;");
  expect_box(kStartX, kStartY, kStartX + 64, kStartY);
  // Pen down before the first pair: from (0, 0), 32 units below the baseline.
  draw_user("UC99,2,2;");
  expect_box(kStartX, kStartY - 32, kStartX + 32, kStartY + 16);
  draw_user("UC4,4,99,0,4;");
  expect_box(kStartX + 64, kStartY + 32, kStartX + 64, kStartY + 64);
  draw_user("UC0,100;");
  EXPECT_TRUE(nothing_drawn());
  EXPECT_NEAR(l.pos_x, kStartX + 96, 0.01);
  EXPECT_FALSE(e.gs.user_glyph.active);
}

}  // namespace
}  // namespace kavor::testing
