#include "hpgl/configuration.h"

#include <gtest/gtest.h>

#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;

struct GraphicsStateDefaults : ::testing::Test {
  TestEngine t;
  Engine& e() { return *t.engine; }
  void SetUp() override {
    ASSERT_TRUE(t.init({"-PT", "HP7550", "-PP", "A", "-BM", "50", "25", "50", "50"}));
    t.feed("IP100,200,3000,4000;RO90;SC0,10,0,10;IW1,1,2,2;PG;");
  }
};

TEST_F(GraphicsStateDefaults, DfKeepsPointsAndRotationButResetsScalingAndWindow) {
  t.feed("DF;");
  const GraphicsState& gs = e().gs;
  EXPECT_DOUBLE_EQ(gs.scaling.p1x, 100);
  EXPECT_DOUBLE_EQ(gs.scaling.p2y, 4000);
  EXPECT_EQ(gs.scaling.rotation, 1);
  EXPECT_FALSE(gs.scaling.on);
  EXPECT_FALSE(gs.window.on);
  EXPECT_DOUBLE_EQ(gs.window.x1, 5085);
  EXPECT_DOUBLE_EQ(gs.window.y2, 5880);
  EXPECT_FALSE(gs.page.advance_pending);
}

TEST_F(GraphicsStateDefaults, InResetsEverythingAndParksThePen) {
  for (const char* in : {"IN;", "IN5;"}) {
    t.feed("IP100,200,3000,4000;RO90;SC0,10,0,10;IW1,1,2,2;PD;");
    e().gs.extents.xmax = 5000;
    t.feed(in);
    const GraphicsState& gs = e().gs;
    EXPECT_DOUBLE_EQ(gs.scaling.p1x, 80) << in;
    EXPECT_DOUBLE_EQ(gs.scaling.p2y, 7520);
    EXPECT_EQ(gs.scaling.rotation, 0);
    EXPECT_FALSE(gs.scaling.on);
    EXPECT_FALSE(gs.window.on);
    // The pen waits at the lower-left corner of the (trimmed) hard-clip limits.
    EXPECT_FALSE(gs.pen.down);
    EXPECT_DOUBLE_EQ(gs.pen.x, 5085);
    EXPECT_DOUBLE_EQ(gs.pen.y, 1960);
    EXPECT_DOUBLE_EQ(gs.label.pos_x, 5085);
    EXPECT_DOUBLE_EQ(gs.extents.xmax, -29.0);
    EXPECT_FALSE(gs.page.drawn);
  }
  EXPECT_TRUE(t.host.warnings.empty());
}

TEST(GraphicsState, PrinterResetRebuildsThePlotArea) {
  TestEngine t;
  ASSERT_TRUE(t.init({"-PT", "HP7550", "-PP", "A"}));
  t.engine->gs.area.clip_xmax = 1;
  t.feed("IP1,1,2,2;\x1b" "E");
  EXPECT_DOUBLE_EQ(t.engine->gs.area.clip_xmax, 10170);
  EXPECT_DOUBLE_EQ(t.engine->gs.scaling.p1x, 80);
  EXPECT_EQ(t.engine->gs.device.ext_x, 10170);
}

}  // namespace
}  // namespace kavor
