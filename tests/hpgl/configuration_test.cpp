#include "geometry/coordinates.h"
#include "hpgl/configuration.h"

#include <gtest/gtest.h>

#include <cmath>

#include "engine/run.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;

struct Box {
  double xmin, xmax, ymin, ymax;
};

Box hard_clip(const Engine& e) {
  const PlotArea& a = e.gs.area;
  return {a.clip_xmin, a.clip_xmax, a.clip_ymin, a.clip_ymax};
}

void expect_box(const Box& b, double xmin, double xmax, double ymin, double ymax) {
  EXPECT_DOUBLE_EQ(b.xmin, xmin);
  EXPECT_DOUBLE_EQ(b.xmax, xmax);
  EXPECT_DOUBLE_EQ(b.ymin, ymin);
  EXPECT_DOUBLE_EQ(b.ymax, ymax);
}

void expect_points(const Engine& e, double p1x, double p1y, double p2x, double p2y) {
  const Scaling& s = e.gs.scaling;
  EXPECT_DOUBLE_EQ(s.p1x, p1x);
  EXPECT_DOUBLE_EQ(s.p1y, p1y);
  EXPECT_DOUBLE_EQ(s.p2x, p2x);
  EXPECT_DOUBLE_EQ(s.p2y, p2y);
}

void expect_maps(const Engine& e, double ux, double uy, double px, double py) {
  user_to_plotter(e, ux, uy);
  EXPECT_NEAR(ux, px, 1e-9);
  EXPECT_NEAR(uy, py, 1e-9);
}

struct Coordinates : ::testing::Test {
  TestEngine t;
  Engine& e() { return *t.engine; }
  void init(std::vector<std::string> options = {"-PT", "HP7550", "-PP", "A"}) { ASSERT_TRUE(t.init(options)); }
};

// Plot area and device extents.

TEST_F(Coordinates, PlotAreaOfTheRecord) {
  init();
  expect_box(hard_clip(e()), 0, 10170, 0, 7840);
  expect_points(e(), 80, 320, 10080, 7520);
  const DeviceExtents& d = e().gs.device;
  EXPECT_EQ(d.org_x, 0);
  EXPECT_EQ(d.ext_x, 10170);
  EXPECT_EQ(d.ext_y, 7840);
  EXPECT_DOUBLE_EQ(p1p2_length(e()), std::hypot(10000.0, 7200.0));
}

TEST_F(Coordinates, MagnificationScalesAreaAndDefaultPoints) {
  init({"-PT", "HP7550", "-PP", "A", "-PX", "2X0.5"});
  expect_box(hard_clip(e()), 0, 20340, 0, 3920);
  expect_points(e(), 160, 160, 20160, 3760);
  EXPECT_DOUBLE_EQ(e().gs.area.xmax, 20340);
}

TEST_F(Coordinates, TrimmingCutsTheHardClipButNotThePlotArea) {
  init({"-PT", "HP7550", "-PP", "A", "-BM", "50", "25", "50", "50"});
  expect_box(hard_clip(e()), 5085, 10170, 1960, 5880);
  EXPECT_DOUBLE_EQ(e().gs.area.xmin, 0);
  EXPECT_EQ(e().gs.device.org_x, 5085);
  EXPECT_EQ(e().gs.device.ext_y, 3920);
  // IN puts the pen at the lower-left corner of the trimmed limits.
  EXPECT_DOUBLE_EQ(e().gs.label.pos_x, 5085);
  EXPECT_DOUBLE_EQ(e().gs.label.pos_y, 1960);
}

TEST_F(Coordinates, TrimmingOffsetsAloneChangeNothing) {
  init({"-PT", "HP7550", "-PP", "A", "-BM", "10", "10", "90", "90"});
  expect_box(hard_clip(e()), 1017, 1017 + 9153, 784, 784 + 7056);
  e().options.trim_x1 = e().options.trim_y1 = 100;
  build_plot_area(e());
  expect_box(hard_clip(e()), 0, 10170, 0, 7840);
}

TEST_F(Coordinates, OutputFactorsDivideTheHardClipOnly) {
  init({"-PT", "HP7580", "-PP", "A3", "-OX", "2X4"});
  expect_box(hard_clip(e()), -3690, 3690, -1357.5, 1357.5);
  expect_points(e(), -6780, -4830, 6780, 4830);
}

TEST_F(Coordinates, TurnedSheetsSwapXAndY) {
  init({"-PT", "HP7580", "-PP", "A4"});
  expect_box(hard_clip(e()), -5430, 5430, -3300, 3300);
  expect_points(e(), -4830, -2700, 4830, 2700);
  EXPECT_DOUBLE_EQ(e().gs.area.xmax, 5430);
  TestEngine c;
  ASSERT_TRUE(c.init({"-PT", "HP7586", "-PP", "C"}));
  expect_box(hard_clip(*c.engine), -10675, 10675, -7490, 7490);
  TestEngine b;
  ASSERT_TRUE(b.init({"-PT", "HP7585", "-PP", "B"}));
  expect_box(hard_clip(*b.engine), -7700, 7700, -5100, 5100);
  TestEngine a4;
  ASSERT_TRUE(a4.init({"-PT", "HP7595", "-PP", "A4"}));
  expect_box(hard_clip(*a4.engine), -5300, 5300, -3080, 3080);
}

TEST_F(Coordinates, RealSizePixelFactors) {
  init({"-PT", "HP7550", "-PP", "A", "-SM", "REAL", "-RE", "300X600"});
  EXPECT_DOUBLE_EQ(e().gs.device.kx, 300 * 0.0009842);
  EXPECT_DOUBLE_EQ(e().gs.device.ky, 600 * 0.0009842);
}

TEST_F(Coordinates, P1P2LengthInDevicePixels) {
  init();
  e().run.view = {1000, 700};
  // P1 (80, 320) maps to (7, 672), P2 (10080, 7520) to (991, 29).
  EXPECT_DOUBLE_EQ(p1p2_device_length(e()), std::hypot(984.0, 643.0));
}

TEST_F(Coordinates, MillimetresToPixels) {
  init();
  EXPECT_EQ(mm_to_pixels(e(), 25.4), 72);
  EXPECT_EQ(mm_to_pixels(e(), 0.01), 1);
  TestEngine p;
  ASSERT_TRUE(p.init({"-CC", "x", "-RE", "300"}));
  EXPECT_EQ(mm_to_pixels(*p.engine, 1.0), 12);  // 11.81
  EXPECT_EQ(mm_to_pixels(*p.engine, 0.0), 1);
}

// IP and IR.

TEST_F(Coordinates, IpWithTwoValuesMovesP2Along) {
  init();
  t.feed("IP0,0,10000,7000;IP100,100;");
  expect_points(e(), 100, 100, 10100, 7100);
  t.feed("IP;");
  expect_points(e(), 80, 320, 10080, 7520);
  t.feed("IP1,2,3;");
  expect_points(e(), 80, 320, 10080, 7520);
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_EQ(t.host.warnings[0], "IP:missing P2 y-value\n");
}

TEST_F(Coordinates, IrTakesPercentagesOfThePlotArea) {
  init({"-PT", "HP7550", "-PP", "A", "-BM", "0", "0", "50", "50"});
  t.feed("IR0,0,100,100;");
  expect_points(e(), 0, 0, 10170, 7840);
  t.feed("IR50,50;");
  expect_points(e(), 5085, 3920, 15255, 11760);
}

// SC.

TEST_F(Coordinates, AnisotropicScaling) {
  init();
  t.feed("IP0,0,10000,5000;SC0,100,-50,50;");
  ASSERT_TRUE(e().gs.scaling.on);
  expect_maps(e(), 100, 50, 10000, 5000);
  expect_maps(e(), 50, 0, 5000, 2500);
  t.feed("SC100,0,0,100;");  // mirrored x
  expect_maps(e(), 100, 0, 0, 0);
  t.feed("SC5,5,0,1;");
  EXPECT_EQ(t.host.warnings.back(), "SC:parameter value is not fit in range,zero range in X or Y.");
  expect_maps(e(), 100, 0, 0, 0);
}

TEST_F(Coordinates, IsotropicScalingPlacesTheSpareRange) {
  init();
  t.feed("IP0,0,10000,5000;SC0,100,0,100,1,0,0;");
  expect_maps(e(), 0, 0, 0, 0);
  expect_maps(e(), 100, 100, 5000, 5000);
  t.feed("SC0,100,0,100,1,100,0;");
  expect_maps(e(), 100, 100, 10000, 5000);
  t.feed("SC0,100,0,100,1;");  // five values centre the range
  expect_maps(e(), 0, 0, 2500, 0);
  expect_maps(e(), 50, 50, 5000, 2500);
  t.feed("SC0,100,0,100,1,500,-20;");  // clamped to 100 and 0
  expect_maps(e(), 100, 0, 10000, 0);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(Coordinates, IsotropicScalingWidensYForTallP1P2) {
  init();
  t.feed("IP0,0,1000,4000;SC0,10,0,10,1,0,100;");
  // 100 units per user unit both ways; y range 40 with all spare below.
  expect_maps(e(), 0, 10, 0, 4000);
  expect_maps(e(), 10, -30, 1000, 0);
}

TEST_F(Coordinates, IsotropicErrors) {
  init();
  t.feed("SC0,100,0,100,1,5;");
  EXPECT_EQ(t.host.warnings.back(), "SC:number of parameter error, expecting bottom or left argument.");
  EXPECT_FALSE(e().gs.scaling.on);
  t.feed("SC0,100,3,3,1;");
  EXPECT_EQ(t.host.warnings.back(), "SC:parameter value is not fit in range, zero range in X or Y.");
  EXPECT_FALSE(e().gs.scaling.on);
}

TEST_F(Coordinates, PointFactorScaling) {
  init();
  t.feed("IP1000,1000,9000,7000;SC-5,40,10,40,2;");
  expect_maps(e(), -5, 10, 1000, 1000);
  expect_maps(e(), 5, 20, 1400, 1400);  // one user unit is one millimetre
  t.feed("SC0,40,0,0,2;");
  EXPECT_EQ(t.host.warnings.back(),
            "SC:parameter value is not fit in range" "x-factor or y-factor in type-2 SC instruction is zero.");
  expect_maps(e(), 5, 20, 1400, 1400);
}

TEST_F(Coordinates, WrongCountsAndTypes) {
  init();
  for (const char* sc : {"SC1;", "SC1,2,3;", "SC0,1,0,1,3;"}) {
    t.host.warnings.clear();
    t.feed(sc);
    ASSERT_EQ(t.host.warnings.size(), 1u) << sc;
    EXPECT_EQ(t.host.warnings[0], "SC:number of parameter error.") << sc;
    EXPECT_FALSE(e().gs.scaling.on);
  }
}

TEST_F(Coordinates, SharedP1P2CoordinateDoesNotDivideByZero) {
  init();
  t.feed("IP500,500,500,500;SC0,10,0,10;");
  expect_maps(e(), 5, 5, 500.5, 500.5);
  t.feed("SC0,10,0,10,1;SC0,10,0,10,2;");
  double x = 7, y = 7;
  user_to_plotter(e(), x, y);
  EXPECT_TRUE(std::isfinite(x) && std::isfinite(y));
}

// IW and the freeze at SC.

TEST_F(Coordinates, DefaultWindowIsOffAtTheHardClipLimits) {
  init();
  const InputWindow& w = e().gs.window;
  EXPECT_FALSE(w.on);
  EXPECT_DOUBLE_EQ(w.x1, 0);
  EXPECT_DOUBLE_EQ(w.x2, 10170);
  EXPECT_DOUBLE_EQ(w.y2, 7840);
  t.feed("IW100,100,200,200;IW;");
  EXPECT_FALSE(w.on);
  EXPECT_DOUBLE_EQ(w.x1, 0);
}

TEST_F(Coordinates, WindowInUserUnitsFollowsScalingUntilScOff) {
  init();
  t.feed("IP0,0,1000,1000;SC0,10,0,10;IW1,2,3,4;");
  double x1, y1, x2, y2;
  input_window_plotter(e(), x1, y1, x2, y2);
  EXPECT_DOUBLE_EQ(x1, 100);
  EXPECT_DOUBLE_EQ(y2, 400);
  t.feed("SC0,100,0,100;");
  input_window_plotter(e(), x1, y1, x2, y2);
  EXPECT_DOUBLE_EQ(x1, 10);
  EXPECT_DOUBLE_EQ(y2, 40);
  t.feed("SC;SC0,1,0,1;");  // frozen where it was, then new scaling
  input_window_plotter(e(), x1, y1, x2, y2);
  EXPECT_DOUBLE_EQ(x1, 10);
  EXPECT_DOUBLE_EQ(y1, 20);
  EXPECT_DOUBLE_EQ(x2, 30);
  EXPECT_DOUBLE_EQ(y2, 40);
  EXPECT_EQ(e().gs.window.units, UNITS_PLOTTER);
}

TEST_F(Coordinates, WindowErrors) {
  init();
  t.feed("IW1,2,1,5;");
  EXPECT_EQ(t.host.warnings.back(), "IW:zero range in X or Y.");
  EXPECT_FALSE(e().gs.window.on);
  t.feed("IW1,2,3;");
  EXPECT_EQ(t.host.warnings.back(), "IW:number of parameter error.");
  EXPECT_FALSE(e().gs.window.on);
  t.feed("IW300,400,100,200;");
  EXPECT_TRUE(e().gs.window.on);
  EXPECT_EQ(e().gs.window.units, UNITS_PLOTTER);
}

TEST_F(Coordinates, ScOffFreezesUserSizesAndDirections) {
  init();
  t.feed("IP0,0,1000,1000;SC0,10,0,10;");
  LabelState& l = e().gs.label;
  l.fonts[1].size_mode = 2;
  l.fonts[1].width = 1;
  l.fonts[1].height = 2;
  l.direction_mode = 2;
  l.run = 3;
  l.rise = 4;
  t.feed("SC;");
  EXPECT_FALSE(e().gs.scaling.on);
  EXPECT_EQ(l.fonts[1].size_mode, 0);
  EXPECT_NEAR(l.fonts[1].width * 39.3701, 100, 1e-9);
  EXPECT_NEAR(l.fonts[1].height * 39.3701, 200, 1e-9);
  EXPECT_EQ(l.fonts[0].size_mode, 1);  // relative sizes stay
  EXPECT_EQ(l.direction_mode, 0);
  EXPECT_DOUBLE_EQ(l.run, 300);
  EXPECT_DOUBLE_EQ(l.rise, 400);
}

// RO, PG and the pen position.

TEST_F(Coordinates, RotationChangesOnlyTheIndex) {
  init();
  t.feed("SC0,100,0,100;RO90;");
  EXPECT_EQ(e().gs.scaling.rotation, 1);
  expect_points(e(), 80, 320, 10080, 7520);
  EXPECT_TRUE(e().gs.scaling.on);
  t.feed("RO270;");
  EXPECT_EQ(e().gs.scaling.rotation, 3);
  t.feed("RO45;");
  EXPECT_EQ(e().gs.scaling.rotation, 3);
  EXPECT_EQ(t.host.warnings.back(), "RO:parameter value is not fit in range.");
  t.feed("RO;");
  EXPECT_EQ(e().gs.scaling.rotation, 0);
}

TEST_F(Coordinates, PenPositionIsKeptInBothUnits) {
  init();
  t.feed("IP0,0,1000,1000;SC0,10,0,10;");
  move_pen_to(e(), 2, 3);
  EXPECT_DOUBLE_EQ(e().gs.pen.x, 2);
  EXPECT_DOUBLE_EQ(e().gs.label.pos_x, 200);
  EXPECT_DOUBLE_EQ(e().gs.label.pos_y, 300);
  EXPECT_DOUBLE_EQ(e().gs.label.cr_x, 200);
  EXPECT_DOUBLE_EQ(e().gs.label.cr_y, 300);
}

TEST_F(Coordinates, PageAdvanceWaitsForTheNextInstruction) {
  init();
  t.feed("IP0,0,1000,1000;SC-10,10,-10,10;");
  move_pen_to(e(), 5, 5);
  e().gs.pen.down = true;
  e().gs.page.drawn = true;
  t.feed("PG;");
  EXPECT_TRUE(e().gs.page.advance_pending);
  EXPECT_FALSE(e().gs.pen.down);
  EXPECT_DOUBLE_EQ(e().gs.label.pos_x, 500);  // user (0, 0)
  t.feed("RO;");
  EXPECT_FALSE(e().gs.page.advance_pending);
  EXPECT_FALSE(e().gs.page.drawn);
}

TEST_F(Coordinates, PageStepRedrawsTheFrameOnlyAfterDrawing) {
  init({"-PT", "HP7550", "-PP", "A", "-FRAME"});
  t.feed("PG;RO;");
  EXPECT_DOUBLE_EQ(e().gs.extents.xmax, -29.0);  // nothing drawn: no frame
  e().gs.page.drawn = true;
  t.feed("PG;RO;");
  EXPECT_DOUBLE_EQ(e().gs.extents.xmax, 10170);
  EXPECT_DOUBLE_EQ(e().gs.extents.ymax, 7840);
  TestEngine plain;
  ASSERT_TRUE(plain.init({"-PT", "HP7550", "-PP", "A"}));
  plain.engine->gs.page.drawn = true;
  plain.feed("PG;RO;");
  EXPECT_DOUBLE_EQ(plain.engine->gs.extents.xmax, -29.0);
}

TEST(PageEnds, EveryPageAdvanceCarriedOutIsReportedOnce) {
  struct Case {
    const char* plot;
    int ends;
  };
  const Case cases[] = {
      {"PG;", 0},               // an advance with nothing after it ends no page
      {"PG;PU;", 1},            // carried out before the next instruction
      {"PG;PG;PU;", 2},         // an empty page in between
      {"PG;IN;", 1},            // IN's own page step is not a second advance
      {"PG;\x1b" "E", 1},       // the printer reset drops the advance, not the page end
      {"IN;\x1b" "E;PU;", 0},  // resets alone are no page advances
      {"AF;AH;", 2},            // the older plotters' page advances end at once
  };
  for (const Case& c : cases) {
    TestEngine t;
    ASSERT_TRUE(t.run(c.plot)) << c.plot;
    EXPECT_EQ(t.host.pages_ended, c.ends) << c.plot;
  }
}

TEST(ChangeSheet, NewPlotAreaAndSizesKeepTheGraphicsState) {
  TestEngine t;
  ASSERT_TRUE(t.init({"-PT", "HP7550", "-PP", "A4", "-CC", "x"}));
  Engine& e = *t.engine;
  t.feed("IP100,200,300,400;");
  t.host.view = {640, 480};
  t.host.printer = {1234, 567};
  change_sheet(e, {kProgramName, "-PP", "A3", "-BM", "10", "20", "50", "40"});
  expect_box(hard_clip(e), 1597, 1597 + 7985, 2174, 2174 + 4348);
  EXPECT_DOUBLE_EQ(e.gs.area.xmax, 15970);
  EXPECT_EQ(e.gs.device.org_x, 1597);
  EXPECT_EQ(e.gs.device.ext_y, 4348);
  EXPECT_EQ(e.run.view.width, 640);
  EXPECT_EQ(e.options.printer_width, 1234);
  EXPECT_EQ(e.options.printer_height, 567);
  expect_points(e, 100, 200, 300, 400);
  t.feed("\x1b" "E");  // the reset takes its defaults from the new sheet
  expect_points(e, 380, 430, 15580, 10430);
}

// Damaged records must not break the arithmetic.

TEST(CoordinatesRecord, DegenerateRecordsStaySane) {
  for (const char* record : {"5 5 7 7 5 7 5 7", "inf -inf nan 1e308 nan inf 0 0", "1e300 -1e300 1e300 -1e300"}) {
    TestEngine u;
    u.dir.write("$ppaper.kv", std::string("!hp7550:normal\n$A4\n") + record + "\n!end\n");
    ASSERT_TRUE(u.init({})) << record;
    u.feed("IP;IR0,0,100,100;SC0,10,0,10,1;IW0,0,1,1;SC;SC0,1,0,1,2;PG;IN;PA1,1;");
    EXPECT_GE(mm_to_pixels(*u.engine, 1e300), 1);
  }
}

}  // namespace
}  // namespace kavor
