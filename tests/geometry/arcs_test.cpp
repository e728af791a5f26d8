#include "geometry/arcs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "geometry/coordinates.h"
#include "hpgl/configuration.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

// Runs figures on an initialised engine and reads back every segment that
// reaches the display device through the conversion stream.
struct ArcsTest : ::testing::Test {
  TestEngine t;
  Engine* e = nullptr;
  std::ostringstream conversion;
  double cx = 0, cy = 0;  // the middle of the hard-clip rectangle

  void SetUp() override {
    ASSERT_TRUE(t.init());
    e = t.engine.get();
    e->device.targets.conversion = &conversion;
    cx = std::round((e->gs.area.clip_xmin + e->gs.area.clip_xmax) / 2);
    cy = std::round((e->gs.area.clip_ymin + e->gs.area.clip_ymax) / 2);
  }
  void at(double x, double y, bool down) {
    move_pen_to(*e, x, y);
    e->gs.pen.down = down;
  }
  void feed(const std::string& text) {
    conversion.str("");
    t.feed(text);
  }
  std::string num(double v) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", v);
    return buffer;
  }
  std::vector<ConversionSegment> segments() const { return conversion_segments(conversion.str()); }
};

TEST_F(ArcsTest, ChordAngleInAngleMode) {
  e->gs.other.chord_mode = 0;
  EXPECT_DOUBLE_EQ(chord_angle(*e, 0.1, 100), 0.5);
  EXPECT_DOUBLE_EQ(chord_angle(*e, 200, 100), 180.0);
  EXPECT_DOUBLE_EQ(chord_angle(*e, 7, 100), 7.0);
}

TEST_F(ArcsTest, ChordAngleInDeviationMode) {
  e->gs.other.chord_mode = 1;
  EXPECT_NEAR(chord_angle(*e, 500, 100), 180.0, 1e-5);  // larger than the diameter
  EXPECT_NEAR(chord_angle(*e, 100, 100), 90.0, 1e-5);
  EXPECT_NEAR(chord_angle(*e, 5, 100), std::acos(0.95) * 57.2957795, 1e-9);
  // A negative radius (circles starting at 180 degrees) has the same chords.
  EXPECT_DOUBLE_EQ(chord_angle(*e, 5, -100), chord_angle(*e, 5, 100));
  EXPECT_DOUBLE_EQ(chord_angle(*e, 5, 0), 180.0);
}

TEST_F(ArcsTest, ChordStepIsAtLeastOnePixelOfArc) {
  double step = 5;
  limit_chord_step(*e, 0.3, &step);
  EXPECT_NEAR(step, 180 / M_PI, 1e-9);
  step = 0;
  limit_chord_step(*e, 0.3, &step);
  EXPECT_NEAR(step, 180 / M_PI, 1e-9);
  step = -1;
  limit_chord_step(*e, 0.3, &step);
  EXPECT_NEAR(step, -180 / M_PI, 1e-9);
  step = 5;
  limit_chord_step(*e, 100000, &step);
  EXPECT_DOUBLE_EQ(step, 5);
}

TEST_F(ArcsTest, ArcAbsoluteDrawsFiveDegreeChordsToTheEndPoint) {
  at(cx + 1000, cy, true);
  feed("AA" + num(cx) + "," + num(cy) + ",90;");
  EXPECT_EQ(segments().size(), 18u);
  EXPECT_NEAR(e->gs.pen.x, cx, 1e-6);
  EXPECT_NEAR(e->gs.pen.y, cy + 1000, 1e-6);
  EXPECT_TRUE(e->gs.page.drawn);
  // A sweep of 0 is half a degree: one chord.
  feed("AA" + num(cx) + "," + num(cy) + ",0;");
  EXPECT_EQ(segments().size(), 1u);
}

TEST_F(ArcsTest, ArcWithThePenUpOnlyMoves) {
  at(cx + 1000, cy, false);
  feed("AA" + num(cx) + "," + num(cy) + ",-90;");
  EXPECT_TRUE(segments().empty());
  EXPECT_NEAR(e->gs.pen.x, cx, 1e-6);
  EXPECT_NEAR(e->gs.pen.y, cy - 1000, 1e-6);
}

TEST_F(ArcsTest, ArcRelativeWithZeroOffsetHasRadiusZero) {
  at(cx, cy, true);
  feed("AR0,0,90;");
  auto s = segments();
  ASSERT_FALSE(s.empty());
  for (const ConversionSegment& seg : s) {
    EXPECT_EQ(seg.x1, seg.x2);
    EXPECT_EQ(seg.y1, seg.y2);
  }
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
  EXPECT_DOUBLE_EQ(e->gs.pen.y, cy);
}

TEST_F(ArcsTest, MissingParametersChangeNothing) {
  at(cx, cy, true);
  feed("AA1,2;AT1,2,3;CI;EW1,2;WG;EA5;RR1,2,3;AC1;");
  EXPECT_TRUE(segments().empty());
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
  EXPECT_EQ(t.host.warnings, (std::vector<std::string>{
                                 "AA:number of parameter error, missing X,Y, or arc angle.",
                                 "AT:number of parameter error, missing parameters.",
                                 "CI:number of parameter error, expect radius.",
                                 "EW:number of parameter error, missing radius, start angle or sweep angle.",
                                 "WG:number of parameter error, missing radius, start angle or sweep angle.",
                                 "EA:number of parameter error.",
                                 "RR:number of parameter error.",
                                 "AC:number of parameter error.",
                             }));
}

TEST_F(ArcsTest, ChordParameterInBothModes) {
  at(cx, cy, true);
  feed("CI3000,0.1;");
  EXPECT_EQ(segments().size(), 720u);
  feed("CI3000,200;");
  EXPECT_EQ(segments().size(), 2u);
  feed("CI3000,0;");
  EXPECT_EQ(segments().size(), 72u);
  e->gs.other.chord_mode = 1;
  // Degrees come from radians with the factor 57.2957795, a little short:
  // 180 and 90 degree chords leave a last chord of a few millionths.
  feed("CI3000,7000;");
  EXPECT_EQ(segments().size(), 3u);
  feed("CI3000,-3000;");
  EXPECT_EQ(segments().size(), 5u);
  feed("CI3000,0;");  // deviation 5, not 0
  const double step = std::acos((3000.0 - 5) / 3000) * 57.2957795;
  EXPECT_EQ(segments().size(), static_cast<size_t>(std::ceil(360 / step)));
}

TEST_F(ArcsTest, SubPixelCircleUsesChordsOfOneRadian) {
  at(cx, cy, true);
  feed("CI0.3;");
  EXPECT_EQ(segments().size(), 7u);  // 360 / 57.3
}

TEST_F(ArcsTest, CircleDrawsWithThePenUpAndLeavesItUp) {
  at(cx, cy, false);
  feed("CI1000;");
  EXPECT_EQ(segments().size(), 72u);
  EXPECT_FALSE(e->gs.pen.down);
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
  EXPECT_DOUBLE_EQ(e->gs.pen.y, cy);
}

TEST_F(ArcsTest, ThreePointArcTurnsTowardsTheIntermediatePoint) {
  const DrawingExtents none{1e30, 1e30, -1e30, -1e30};
  e->gs.extents = none;
  at(cx, cy, true);
  feed("AT" + num(cx + 1000) + "," + num(cy + 1000) + "," + num(cx + 2000) + "," + num(cy) + ";");
  EXPECT_EQ(segments().size(), 36u);
  EXPECT_NEAR(e->gs.extents.ymax, cy + 1000, 1e-6);
  EXPECT_GE(e->gs.extents.ymin, cy - 1e-6);
  EXPECT_NEAR(e->gs.pen.x, cx + 2000, 1e-6);
  EXPECT_NEAR(e->gs.pen.y, cy, 1e-6);

  e->gs.extents = none;
  at(cx, cy, true);
  feed("AT" + num(cx + 1000) + "," + num(cy - 1000) + "," + num(cx + 2000) + "," + num(cy) + ";");
  // Counterclockwise from just short of 180 to 360: a last, tiny chord.
  EXPECT_EQ(segments().size(), 37u);
  EXPECT_NEAR(e->gs.extents.ymin, cy - 1000, 1e-6);
  EXPECT_LE(e->gs.extents.ymax, cy + 1e-6);
  EXPECT_NEAR(e->gs.pen.x, cx + 2000, 1e-6);
  EXPECT_NEAR(e->gs.pen.y, cy, 1e-6);
}

TEST_F(ArcsTest, CollinearThreePointArcIsTwoLines) {
  at(cx, cy, true);
  feed("AT" + num(cx + 10) + "," + num(cy + 10) + "," + num(cx + 2000) + "," + num(cy + 2000) + ";");
  EXPECT_EQ(segments().size(), 2u);
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx + 2000);
  at(cx, cy, false);
  feed("AT" + num(cx + 10) + "," + num(cy) + "," + num(cx) + "," + num(cy) + ";");  // end on the start
  EXPECT_TRUE(segments().empty());
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
}

TEST_F(ArcsTest, RelativeThreePointArcIsTheShiftedAbsoluteOne) {
  at(cx + 5, cy + 5, true);
  feed("RT1000,1000,2000,0,10;");
  const auto relative = segments();
  at(cx + 5, cy + 5, true);
  feed("AT" + num(cx + 1005) + "," + num(cy + 1005) + "," + num(cx + 2005) + "," + num(cy + 5) + ",10;");
  EXPECT_EQ(segments(), relative);
  EXPECT_EQ(relative.size(), 18u);
}

TEST_F(ArcsTest, EdgeWedgeDrawsRadiiAndArc) {
  at(cx, cy, false);
  feed("EW1000,0,360;");
  const auto s = segments();
  ASSERT_EQ(s.size(), 74u);  // radius, 72 chords, radius back
  EXPECT_EQ(s.front().x1, s.back().x2);
  EXPECT_EQ(s.front().y1, s.back().y2);
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
  EXPECT_FALSE(e->gs.pen.down);
}

TEST_F(ArcsTest, ZeroSweepWedgeIsTwoRadiiAndADot) {
  at(cx, cy, true);
  feed("EW1000,30,0;");
  const auto s = segments();
  ASSERT_EQ(s.size(), 3u);
  EXPECT_EQ(s[1].x1, s[1].x2);
  EXPECT_EQ(s[1].y1, s[1].y2);
  EXPECT_EQ(s[0].x2, s[1].x1);
}

TEST_F(ArcsTest, ZeroSweepFilledWedgeFillsNothing) {
  at(cx, cy, true);
  e->gs.polygon.vertices.push_back({1, 2, 1});
  feed("FT1;WG1000,30,0;");
  EXPECT_TRUE(e->gs.polygon.vertices.empty());  // the buffer is still reset
  EXPECT_TRUE(segments().empty());
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
  EXPECT_TRUE(e->gs.pen.down);
}
TEST_F(ArcsTest, RectangleEdgesLeaveThePenInPlace) {
  at(cx, cy, false);
  feed("EA" + num(cx + 1000) + "," + num(cy + 500) + ";ER-1000,-500;");
  const auto s = segments();
  ASSERT_EQ(s.size(), 8u);
  EXPECT_EQ(s[3].x2, s[0].x1);
  EXPECT_EQ(s[7].x2, s[4].x1);
  EXPECT_LT(s[4].x2, s[4].x1);  // ER goes left
  EXPECT_DOUBLE_EQ(e->gs.pen.x, cx);
  EXPECT_FALSE(e->gs.pen.down);
}

TEST_F(ArcsTest, CircleOutsideThePictureCostsNothing) {
  at(e->gs.area.clip_xmax + 5000, cy, true);
  feed("CI1000,0.0001;AA" + num(e->gs.area.clip_xmax + 6000) + "," + num(cy) + ",1000000000;");
  EXPECT_EQ(e->work.chords, 0) << "no chord is worked out for arcs that cannot show";
  EXPECT_TRUE(segments().empty());
  EXPECT_NEAR(e->gs.extents.xmax, e->gs.area.clip_xmax + 7000, 1e-6);
  // The arc's end point is still exact: a sweep of 1e9 degrees is 280 turns.
  const double end = std::atan2(0.0, -1.0) * 57.2957795 + 1e9;
  EXPECT_NEAR(e->gs.pen.x, e->gs.area.clip_xmax + 6000 + 1000 * std::cos(end * 0.017453292519943334), 1e-6);
}

TEST_F(ArcsTest, CircleOutsideTheInputWindowIsCulled) {
  feed("IW" + num(cx + 2000) + "," + num(cy) + "," + num(cx + 3000) + "," + num(cy + 1000) + ";");
  at(cx, cy, true);
  feed("CI1000;");
  EXPECT_TRUE(segments().empty());
  feed("CI2500;");
  EXPECT_FALSE(segments().empty());
}

TEST_F(ArcsTest, ArcAtHugeAnglesOutsideThePictureEnds) {
  at(e->gs.area.clip_xmax + 5000, cy, true);
  const std::string huge = "1" + std::string(300, '0');
  feed("AA" + num(e->gs.area.clip_xmax + 6000) + "," + num(cy) + "," + huge + ";EW1000," + huge + ",90;");
  EXPECT_TRUE(segments().empty());
}

TEST_F(ArcsTest, HugeCircleWithTinyChordsIsBounded) {
  at(cx, cy, true);
  feed("CI1000000000000,0.0001;AA" + num(cx) + "," + num(cy + 3e11) + ",1000000000000;CI1" + std::string(300, '0') + ";");
  // At most 64 chords per pixel of the view's width plus height, and the
  // closing chord, for each of the three arcs; a full circle of 0.0001
  // degree chords alone would be 3.6 million.
  const int64_t per_arc = 64 * (t.host.view.width + t.host.view.height) + 2;
  EXPECT_GT(e->work.chords, 0);
  EXPECT_LE(e->work.chords, 3 * per_arc);
}

}  // namespace
}  // namespace kavor::testing
