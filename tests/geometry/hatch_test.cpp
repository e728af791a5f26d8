#include "geometry/hatch.h"
#include "engine/units.h"
#include "hpgl/instruction_table.h"
#include "hpgl/lines_and_fills.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;
using testing::conversion_lines;
using testing::run_handler;
using testing::SquareDisplayTest;
using Line = std::array<double, 4>;

// Runs FT with the values, as the dispatcher would after scanning them.
void ft(Engine& e, const std::vector<double>& values) {
  e.params.count = static_cast<int>(values.size());
  for (size_t i = 0; i < values.size(); ++i) e.params.reals[i] = values[i];
  run_handler(e, "FT");
}

class FillTypes : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(t.init()); }
  Engine& e() { return *t.engine; }

  std::vector<Line> layout(HatchBox box, double spacing, double angle) {
    std::vector<Line> lines;
    lay_out_hatch(e(), box, spacing, angle, kArcRadiansPerDegree,
                  [&](double x1, double y1, double x2, double y2) { lines.push_back({x1, y1, x2, y2}); });
    return lines;
  }

  TestEngine t;
};

TEST_F(FillTypes, TypesMapToKinds) {
  ft(e(), {3});
  EXPECT_EQ(e().gs.fill.kind, FILL_HATCH);
  ft(e(), {});
  EXPECT_EQ(e().gs.fill.kind, FILL_SOLID);
  ft(e(), {4});
  ft(e(), {2});
  EXPECT_EQ(e().gs.fill.kind, FILL_SOLID);
  ft(e(), {10, 30});
  EXPECT_EQ(e().gs.fill.kind, FILL_SHADING);
  EXPECT_EQ(e().gs.fill.shading_level, 30);
  ft(e(), {11});
  EXPECT_EQ(e().gs.fill.kind, FILL_RASTER);
  EXPECT_EQ(e().gs.fill.raster_index, 1);
  EXPECT_EQ(e().gs.fill.raster_option, 0);
  ft(e(), {11, 4, 1});
  EXPECT_EQ(e().gs.fill.raster_index, 4);
  EXPECT_EQ(e().gs.fill.raster_option, 1);
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST_F(FillTypes, UnknownTypeReportedAndKindKept) {
  ft(e(), {4});
  ft(e(), {5});
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_NE(t.host.warnings[0].find(", type."), std::string::npos);
  EXPECT_EQ(e().gs.fill.kind, FILL_CROSS_HATCH);
}

TEST_F(FillTypes, SpacingAndAngleKeptPerKind) {
  ft(e(), {3, 100, 30});
  ft(e(), {4, 50, 60});
  ft(e(), {3});
  EXPECT_EQ(e().gs.fill.hatch.spacing, 100);
  EXPECT_EQ(e().gs.fill.hatch.unit, UNITS_PLOTTER);
  EXPECT_EQ(e().gs.fill.hatch.angle, 30);
  EXPECT_EQ(e().gs.fill.cross_hatch.spacing, 50);
  EXPECT_EQ(e().gs.fill.cross_hatch.angle, 60);
  EXPECT_EQ(hatch2pu(e(), FILL_HATCH), 100);
  ft(e(), {3, 0});
  EXPECT_EQ(e().gs.fill.hatch.unit, UNITS_DEFAULT) << "spacing 0 selects the default spacing";
  EXPECT_EQ(e().gs.fill.hatch.angle, 30);
}

TEST_F(FillTypes, UserUnitSpacingMeasuredAlongXAndFrozen) {
  e().gs.scaling.on = true;
  e().gs.scaling.ux = -4;
  ft(e(), {4, 20});
  EXPECT_EQ(e().gs.fill.cross_hatch.unit, UNITS_USER);
  EXPECT_EQ(hatch2pu(e(), FILL_CROSS_HATCH), 5);
  freeze_user_units(e());
  EXPECT_EQ(e().gs.fill.cross_hatch.unit, UNITS_PLOTTER);
  e().gs.scaling.ux = 1;
  EXPECT_EQ(hatch2pu(e(), FILL_CROSS_HATCH), 5) << "no longer follows the scaling";
}

TEST_F(FillTypes, InvalidSpacingUnitIsASystemError) {
  e().gs.fill.hatch.unit = 7;
  EXPECT_ANY_THROW(hatch2pu(e(), FILL_HATCH));
  ASSERT_EQ(t.host.fatals.size(), 1u);
  EXPECT_NE(t.host.fatals[0].find("SYSTEM ERROR:  error detected in hatch2pu."), std::string::npos);
}

TEST_F(FillTypes, ClearFillStateKeepsTheAnchor) {
  set_anchor(e(), 123, 456, UNITS_PLOTTER);
  ft(e(), {4, 50, 60});
  clear_fill_state(e());
  EXPECT_EQ(e().gs.fill.kind, FILL_SOLID);
  EXPECT_EQ(e().gs.fill.cross_hatch.spacing, 0);
  EXPECT_EQ(e().gs.fill.cross_hatch.angle, 0);
  double x = 0, y = 0;
  anchor_point(e(), x, y);
  EXPECT_EQ(x, 123);
  EXPECT_EQ(y, 456);
}

// Signed distance of a point from the anchor line, across the lines.
double across(double x, double y, double ax, double ay, double degrees) {
  const double a = degrees * kArcRadiansPerDegree;
  return -(x - ax) * std::sin(a) + (y - ay) * std::cos(a);
}

// Every line of the family through the anchor that meets the box is there,
// once, cut to the box.
TEST_F(FillTypes, LayoutIsTheWholeFamilyThroughTheAnchor) {
  const HatchBox box{100, 200, 400, 350};
  for (double angle : {0.0, 20.0, 44.0, 45.0, 70.0, 90.0, 110.0, 135.0, 150.0, 170.0}) {
    for (std::array<double, 2> anchor : {std::array<double, 2>{0, 0}, {133.3, 271.7}, {-57, 1000}}) {
      SCOPED_TRACE(::testing::Message() << "angle " << angle << " anchor " << anchor[0]);
      set_anchor(e(), anchor[0], anchor[1], UNITS_PLOTTER);
      const double s = 17;
      const std::vector<Line> lines = layout(box, s, angle);
      double lo = 1e300, hi = -1e300;
      for (double x : {box.left, box.right}) {
        for (double y : {box.bottom, box.top}) {
          lo = std::min(lo, across(x, y, anchor[0], anchor[1], angle));
          hi = std::max(hi, across(x, y, anchor[0], anchor[1], angle));
        }
      }
      const double expected = std::floor(hi / s) - std::ceil(lo / s) + 1;
      EXPECT_EQ(static_cast<double>(lines.size()), expected);
      for (const Line& l : lines) {
        const double k = across(l[0], l[1], anchor[0], anchor[1], angle) / s;
        EXPECT_NEAR(k, std::round(k), 1e-6);
        EXPECT_NEAR(across(l[2], l[3], anchor[0], anchor[1], angle) / s, std::round(k), 1e-6);
        for (int i = 0; i < 4; i += 2) {
          EXPECT_GE(l[i], box.left - 1e-9);
          EXPECT_LE(l[i], box.right + 1e-9);
          EXPECT_GE(l[i + 1], box.bottom - 1e-9);
          EXPECT_LE(l[i + 1], box.top + 1e-9);
        }
      }
    }
  }
}

TEST_F(FillTypes, AnglesReducedModulo180) {
  set_anchor(e(), 3, 7, UNITS_PLOTTER);
  const HatchBox box{0, 0, 100, 100};
  const std::vector<Line> zero = layout(box, 10, 0);
  ASSERT_EQ(zero.size(), 10u);
  EXPECT_EQ(zero[0][1], 97);
  EXPECT_EQ(zero[0][0], 0);
  EXPECT_EQ(zero[0][2], 100);
  EXPECT_EQ(layout(box, 10, 180), zero);
  EXPECT_EQ(layout(box, 10, -180), zero);
  const std::vector<Line> minus45 = layout(box, 10, -45);
  const std::vector<Line> plus135 = layout(box, 10, 135);
  ASSERT_EQ(minus45.size(), plus135.size());
  for (size_t i = 0; i < minus45.size(); ++i) {
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(minus45[i][c], plus135[i][c], 1e-9);
  }
  const std::vector<Line> vertical = layout(box, 10, 90);
  ASSERT_EQ(vertical.size(), 10u);
  EXPECT_NEAR(vertical[0][0], 93, 1e-9);
}

TEST_F(FillTypes, SpacingZeroAndLineCap) {
  const HatchBox box{0, 0, 10000, 10000};
  EXPECT_TRUE(layout(box, 0, 30).empty());
  EXPECT_EQ(layout(box, 1, 0).size(), static_cast<size_t>(kMaxHatchLines));
  EXPECT_EQ(layout(box, 1, 60).size(), static_cast<size_t>(kMaxHatchLines));
  EXPECT_EQ(layout(box, -100, 0).size(), 101u) << "a negative spacing counts by its size";
}


// Rectangles drawn through the real line path onto a 1000 x 1000 view of
// the plot area 0..1000 (conversion y = plotter y).
class RectangleFills : public SquareDisplayTest {
 protected:
  void SetUp() override {
    SquareDisplayTest::SetUp();
    set_anchor(e(), 0, 0, UNITS_PLOTTER);
  }
};

TEST_F(RectangleFills, ByKind) {
  fill_rectangle(e(), 10, 10, 12, 20);
  EXPECT_EQ(take_lines(), (std::vector<std::string>{"SP1 PU10,10 PD10,20", "SP1 PU11,10 PD11,20",
                                                    "SP1 PU12,10 PD12,20"}));
  ft(e(), {10, 50});
  fill_rectangle(e(), 10, 10, 100, 100);
  ft(e(), {11, 2});
  fill_rectangle(e(), 10, 10, 100, 100);
  EXPECT_TRUE(take_lines().empty()) << "shading and raster kinds keep only the edge";
  ft(e(), {3, 30, 0});
  fill_rectangle(e(), 100, 100, 10, 10);
  EXPECT_EQ(take_lines(), (std::vector<std::string>{"SP1 PU10,90 PD100,90", "SP1 PU10,60 PD100,60",
                                                    "SP1 PU10,30 PD100,30"}));
  ft(e(), {4, 40, 90});
  fill_rectangle(e(), 10, 10, 100, 100);
  EXPECT_EQ(take_lines(), (std::vector<std::string>{"SP1 PU80,10 PD80,100", "SP1 PU40,10 PD40,100",
                                                    "SP1 PU10,80 PD100,80", "SP1 PU10,40 PD100,40"}))
      << "the cross-hatch adds the family at 90 degrees more, 180 being 0";
}

TEST_F(RectangleFills, AnchorMovesTheHatch) {
  ft(e(), {3, 30, 0});
  set_anchor(e(), 500, 17, UNITS_PLOTTER);
  fill_rectangle(e(), 10, 10, 100, 100);
  EXPECT_EQ(take_lines(), (std::vector<std::string>{"SP1 PU10,77 PD100,77", "SP1 PU10,47 PD100,47",
                                                    "SP1 PU10,17 PD100,17"}));
  ft(e(), {3, 30, 45});
  set_anchor(e(), 0, 0, UNITS_PLOTTER);
  fill_rectangle(e(), 0, 0, 100, 100);
  const std::vector<std::string> lines = take_lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SP1 PU0,0 PD100,100"), lines.end())
      << "one line passes through the anchor";
}

TEST_F(RectangleFills, DefaultSpacingIsAHundredthOfP1P2) {
  Scaling& sc = e().gs.scaling;
  sc.p1x = sc.p1y = 0;
  sc.p2x = 600;
  sc.p2y = 800;
  ft(e(), {3, 0, 0});
  EXPECT_DOUBLE_EQ(hatch2pu(e(), FILL_HATCH), 10);
  fill_rectangle(e(), 0, 0, 100, 35);
  EXPECT_EQ(take_lines().size(), 4u);
}

TEST_F(RectangleFills, ScalingFreezesTheUserAnchorAndSpacing) {
  t.feed("IP0,0,1000,1000;SC0,100,0,100;FT3,5,0;");
  e().gs.area.clip_xmax = e().gs.area.clip_ymax = 1000;
  set_anchor(e(), 50, 50, UNITS_USER);
  double x = 0, y = 0;
  anchor_point(e(), x, y);
  EXPECT_DOUBLE_EQ(x, 500);
  EXPECT_DOUBLE_EQ(hatch2pu(e(), FILL_HATCH), 50);
  t.feed("SC;");
  EXPECT_EQ(e().gs.fill.anchor_unit, UNITS_PLOTTER);
  EXPECT_DOUBLE_EQ(e().gs.fill.anchor_x, 500);
  EXPECT_EQ(e().gs.fill.hatch.unit, UNITS_PLOTTER);
  EXPECT_DOUBLE_EQ(hatch2pu(e(), FILL_HATCH), 50);
}

}  // namespace
}  // namespace kavor
