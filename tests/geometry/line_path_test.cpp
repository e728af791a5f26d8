#include "geometry/line_path.h"
#include "geometry/line_pattern.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;
using testing::ConversionSegment;
using testing::conversion_lines;
using testing::conversion_segments;
using testing::use_square_display;

struct Segment {
  double x1, y1, x2, y2;
};

int clip(Segment& s, double ax, double ay, double bx, double by) { return clip_segment(&s.x1, &s.y1, &s.x2, &s.y2, ax, ay, bx, by); }

void expect_segment(const Segment& s, double x1, double y1, double x2, double y2) {
  EXPECT_DOUBLE_EQ(s.x1, x1);
  EXPECT_DOUBLE_EQ(s.y1, y1);
  EXPECT_DOUBLE_EQ(s.x2, x2);
  EXPECT_DOUBLE_EQ(s.y2, y2);
}

TEST(ClipSegment, CutsBothEndsFromTheUnclippedLine) {
  Segment s{-100, 50, 100, 50};
  ASSERT_EQ(clip(s, 0, 0, 50, 100), 1);
  expect_segment(s, 0, 50, 50, 50);

  Segment d{-10, -10, 60, 60};
  ASSERT_EQ(clip(d, 50, 100, 0, 0), 1);  // corners in any order
  expect_segment(d, 0, 0, 50, 50);

  Segment slanted{-25, 0, 75, 100};  // y = x + 25
  ASSERT_EQ(clip(slanted, 0, 0, 50, 100), 1);
  expect_segment(slanted, 0, 25, 50, 75);
}

TEST(ClipSegment, VerticalAndHorizontalLinesNeedNoDivision) {
  Segment v{10, -10, 10, 200};
  ASSERT_EQ(clip(v, 0, 0, 50, 100), 1);
  expect_segment(v, 10, 0, 10, 100);
  Segment h{80, 50, -10, 50};
  ASSERT_EQ(clip(h, 0, 0, 50, 100), 1);
  expect_segment(h, 50, 50, 0, 50);
  Segment outside{60, -10, 60, 200};
  EXPECT_EQ(clip(outside, 0, 0, 50, 100), 0);
}

TEST(ClipSegment, EdgesAreInside) {
  Segment s{0, 0, 0, 100};
  ASSERT_EQ(clip(s, 0, 0, 50, 100), 1);
  expect_segment(s, 0, 0, 0, 100);
  Segment p{50, 100, 50, 100};
  EXPECT_EQ(clip(p, 0, 0, 50, 100), 1);
}

TEST(ClipSegment, LinePassingOutsideACornerIsRejectedUnchanged) {
  // Crosses x = 0 at y = 107.5, above the window's top-left corner.
  Segment s{-10, 95, 10, 120};
  EXPECT_EQ(clip(s, 0, 0, 50, 100), 0);
  expect_segment(s, -10, 95, 10, 120);
  Segment left{-10, 0, -5, 100};
  EXPECT_EQ(clip(left, 0, 0, 50, 100), 0);
}

// Display of 1000 by 1000 pixels over a hard-clip square of 1000 plotter
// units: x' = x and y' = 1000 - y.
struct LinePath : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  std::ostringstream conversion;

  void SetUp() override {
    use_square_display(e, conversion);
    e.gs.line.block = LineTypeBlock{};
  }

  std::vector<std::string> lines() const { return conversion_lines(conversion.str()); }

  // A fixed pattern of 3 ink pixels and 2 gap pixels.
  void dash_3_2() {
    LineTypeBlock& b = e.gs.line.block;
    b.type = 2;
    b.count = 2;
    b.lengths[0] = 3;
    b.lengths[1] = 2;
    b.element = 1;
    b.drawn = 0;
  }
  bool patterns_available() {
    const LineTypeBlock keep = e.gs.line.block;
    dash_3_2();
    int gaps = 0;
    for (int i = 0; i < 5; ++i) gaps += pattern_step(e, 1) == 0;
    e.gs.line.block = keep;
    return gaps == 2;
  }
};

TEST_F(LinePath, SolidLineIsOneSegmentAndExtentsGrowBeforeClipping) {
  draw_line(e, 100, 200, 300, 400);
  e.gs.window = {true, 0, 0, 50, 100, UNITS_PLOTTER};
  draw_line(e, -500, 10, -400, 2000);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU100,200 PD300,400"}));
  EXPECT_DOUBLE_EQ(e.gs.extents.xmin, -500);
  EXPECT_DOUBLE_EQ(e.gs.extents.ymin, 10);
  EXPECT_DOUBLE_EQ(e.gs.extents.xmax, 300);
  EXPECT_DOUBLE_EQ(e.gs.extents.ymax, 2000);
}

TEST_F(LinePath, ExtentsStartAtTwentyNine) {
  const DrawingExtents fresh;
  EXPECT_EQ(fresh.xmin, 29.0);
  EXPECT_EQ(fresh.xmax, -29.0);
  draw_line(e, 40, 40, 50, 50);
  EXPECT_EQ(e.gs.extents.xmin, 29.0);
  EXPECT_EQ(e.gs.extents.xmax, 50.0);
}

TEST_F(LinePath, HardClipCutsAndRoundsHalfAwayFromZero) {
  draw_line_solid(e, 2.5, 10.4, 1500, 10.4);
  draw_line_solid(e, 7.5, 20.5, 7.49, 20.49);
  e.gs.area.clip_xmin = -100;
  draw_line_solid(e, -2.5, 30, -2.4, 30);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU3,10 PD1000,10", "SP1 PU8,21 PD7,20", "SP1 PU-3,30 PD-2,30"}));
}

TEST_F(LinePath, RotationTurnsAboutThePlotArea) {
  e.gs.area.xmax = 800;
  e.gs.area.ymax = 600;
  auto rotated = [&](int index) {
    e.gs.scaling.rotation = index;
    Segment s{0, 0, 100, 10};
    rotate_segment(e, &s.x1, &s.y1, &s.x2, &s.y2);
    return s;
  };
  expect_segment(rotated(0), 0, 0, 100, 10);
  expect_segment(rotated(1), 0, 600, 10, 500);
  expect_segment(rotated(2), 800, 600, 700, 590);
  expect_segment(rotated(3), 800, 0, 790, 100);
}

TEST_F(LinePath, DisplayMappingTurnsY) {
  e.run.view = {500, 300};
  int32_t x = 0, y = 0;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 300);
  x = 1000, y = 1000;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, 500);
  EXPECT_EQ(y, 0);
  e.options.display_width = 2000;
  e.options.display_height = 1000;
  e.options.display_x = -10;
  e.options.display_y = 5;
  x = 500, y = 100;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, 990);
  EXPECT_EQ(y, 300 - (100 + 5));
  int32_t length = 100;
  device_length(e, &length);
  EXPECT_EQ(length, 200);
}

TEST_F(LinePath, PrinterMappingStaysBelowThePageSize) {
  e.options.device = DeviceKind::PRINTER;
  e.options.printer_width = 500;
  e.options.printer_height = 400;
  int32_t x = 1000, y = 1000;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, 1000 * 500 / 1001);
  EXPECT_EQ(y, 1000 * 400 / 1001);
  e.options.display_width = 1000;
  e.options.display_height = 1000;
  x = 1000, y = 1000;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, 499);
  EXPECT_EQ(y, 399);
  x = -1000, y = -1000;  // no lower limit
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, -999);

  e.options.display_width = e.options.display_height = -1;
  e.options.size_mode = SIZE_REAL;
  e.gs.device.kx = 0.5;
  e.gs.device.ky = 0.25;
  x = 3, y = 2000;  // 1.5 and 500: no limit in this mode
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, 2);
  EXPECT_EQ(y, 500);
  int32_t length = 5;
  device_length(e, &length);
  EXPECT_EQ(length, 3);
  e.options.size_mode = SIZE_NORMAL;
  length = 1001;
  device_length(e, &length);
  EXPECT_EQ(length, 500);
}

TEST_F(LinePath, MappingSaturatesAndSurvivesZeroExtents) {
  e.options.display_width = INT_MAX;
  e.options.display_height = INT_MAX;
  e.gs.device = {INT_MIN, INT_MIN, 1, 1, 0, 0};
  int32_t x = INT_MAX, y = INT_MAX;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, INT_MAX);
  EXPECT_EQ(y, INT_MIN);
  e.gs.device = {0, 0, 0, 0, 0, 0};
  e.gs.area.clip_xmax = 0;
  x = 10, y = 10;
  map_to_device(e, &x, &y);
  int32_t length = INT_MAX;
  device_length(e, &length);
  EXPECT_EQ(length, INT_MAX);
  e.options.device = DeviceKind::PRINTER;
  e.options.printer_width = INT_MAX;
  e.gs.device.ext_x = -1;
  x = INT_MAX;
  map_to_device(e, &x, &y);
  EXPECT_EQ(x, INT_MAX - 1);
}

TEST_F(LinePath, LineTypeZeroDrawsBothEndPoints) {
  e.gs.line.block.type = 0;
  draw_line(e, 10, 20, 500, 600);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU10,20 PD10,20", "SP1 PU500,600 PD500,600"}));
}

TEST_F(LinePath, WalkEndsAtTheSecondEndPoint) {
  e.gs.line.block.type = 3;  // answers ink for every pixel without a pattern
  draw_line(e, 10, 10, 17, 13);
  draw_line(e, 20, 20, 20, 20);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU10,10 PD17,13", "SP1 PU20,20 PD20,20"}));
}

TEST_F(LinePath, DashesAlternateInkAndPenZeroGaps) {
  if (!patterns_available()) GTEST_SKIP() << "line patterns not built yet";
  dash_3_2();
  draw_line(e, 0, 500, 11, 500);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU0,500 PD2,500", "SP0 PU3,500 PD4,500", "SP1 PU5,500 PD7,500",
                                               "SP0 PU8,500 PD9,500", "SP1 PU10,500 PD11,500"}));
  // The pattern carries on into the next vector: one ink pixel is left.
  conversion.str("");
  draw_line(e, 0, 100, 0, 103);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU0,100 PD0,100", "SP0 PU0,101 PD0,102", "SP1 PU0,103 PD0,103"}));
}

TEST_F(LinePath, AdaptiveVectorLeavesThePatternUntouched) {
  dash_3_2();
  e.gs.line.block.type = -2;
  e.gs.line.block.element = 2;
  e.gs.line.block.drawn = 1;
  const LineTypeBlock before = e.gs.line.block;
  draw_line(e, 0, 0, 200, 100);
  EXPECT_EQ(e.gs.line.block.element, before.element);
  EXPECT_EQ(e.gs.line.block.drawn, before.drawn);
  EXPECT_EQ(e.gs.line.block.lengths, before.lengths);
}

TEST_F(LinePath, FarOffDashedLineCostsOnlyItsVisiblePart) {
  // Two thousand million pixels wide; only the first thousand are in view.
  e.options.display_width = 2000000000;
  e.options.display_height = 1000;
  dash_3_2();
  draw_line(e, 0, 500, 1000, 500);
  const bool patterned = patterns_available();
  const size_t runs = lines().size();
  EXPECT_LT(runs, 1000u);
  if (!patterned) return;
  EXPECT_GT(runs, 300u);
  // The pattern continues as if all 2000000001 pixels had been walked.
  std::vector<int> after, expected;
  for (int i = 0; i < 10; ++i) after.push_back(pattern_step(e, 1));
  dash_3_2();
  pattern_step(e, 1);
  for (int i = 0; i < 10; ++i) expected.push_back(pattern_step(e, 1));
  EXPECT_EQ(after, expected);
}

TEST_F(LinePath, FarOffDiagonalIsWalkedOnlyWhereItCrossesTheView) {
  // Device end points near the 32-bit limits; the line x + y = 1000 crosses
  // the view from (0, 1000) to (1000, 0).
  e.gs.device = {0, 0, 1, 1, 0, 0};
  e.options.display_width = e.options.display_height = 4294966;
  e.options.display_x = -2147483647 + 1000;
  e.options.display_y = 1000 - 2147483647;
  dash_3_2();
  draw_line(e, 0, 0, 1000, 1000);
  const std::vector<ConversionSegment> runs = conversion_segments(conversion.str());
  ASSERT_FALSE(runs.empty());
  EXPECT_LT(runs.size(), 1000u);
  for (const ConversionSegment& run : runs) {
    // The conversion turns y: its y is 1000 - y', so on the line it equals x.
    EXPECT_EQ(run.x1, run.y1);
    EXPECT_EQ(run.x2, run.y2);
    EXPECT_GE(std::min(run.x1, run.x2), -10);
    EXPECT_LE(std::max(run.x1, run.x2), 1010);
  }
}

TEST_F(LinePath, FrameGoesOutWithPenZero) {
  e.options.frame = true;
  e.gs.pen.pen = 3;
  draw_clip_frame(e);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP0 PU0,0 PD1000,0", "SP0 PU1000,0 PD1000,1000",
                                               "SP0 PU1000,1000 PD0,1000", "SP0 PU0,1000 PD0,0"}));
  EXPECT_EQ(e.gs.pen.pen, 3);
  // User scaling does not move the frame off the hard-clip limits.
  conversion.str("");
  e.gs.scaling.on = true;
  e.gs.scaling.ux = e.gs.scaling.uy = 2;
  e.gs.scaling.xmin = e.gs.scaling.ymin = -50;
  draw_clip_frame(e);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP0 PU0,0 PD1000,0", "SP0 PU1000,0 PD1000,1000",
                                               "SP0 PU1000,1000 PD0,1000", "SP0 PU0,1000 PD0,0"}));
  e.options.frame = false;
  conversion.str("");
  draw_clip_frame(e);
  EXPECT_TRUE(lines().empty());
}

TEST_F(LinePath, SolidRectangleFillsDeviceColumnsInsideTheClip) {
  e.gs.window = {true, 100, 100, 102.4, 300, UNITS_PLOTTER};
  fill_rectangle_solid(e, -5000, -5000, 5000, 5000);
  EXPECT_EQ(lines(), (std::vector<std::string>{"SP1 PU100,100 PD100,300", "SP1 PU101,100 PD101,300",
                                               "SP1 PU102,100 PD102,300"}));
  conversion.str("");
  fill_rectangle_solid(e, 0, 0, 50, 50);
  EXPECT_TRUE(lines().empty());
  e.gs.window.on = false;
  fill_rectangle_solid(e, -10, -10, 2000, 2000);
  EXPECT_EQ(lines().size(), 1001u);
}

}  // namespace
}  // namespace kavor
