#include "geometry/polygon_buffer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "engine/engine.h"
#include "geometry/hatch.h"
#include "geometry/line_pattern.h"
#include "hpgl/instruction_table.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;
using testing::run_handler;
using testing::SquareDisplayTest;

struct Expected {
  double x, y;
  int flag, pen;
};

void expect_table(const Engine& e, const std::vector<Expected>& want) {
  const PolygonState& p = e.gs.polygon;
  ASSERT_EQ(p.vertices.size(), want.size());
  for (size_t i = 0; i < want.size(); ++i) {
    SCOPED_TRACE("vertex " + std::to_string(i));
    EXPECT_EQ(p.vertices[i].x, want[i].x);
    EXPECT_EQ(p.vertices[i].y, want[i].y);
    EXPECT_EQ(p.vertices[i].flag, want[i].flag);
    EXPECT_EQ(p.pen_flags[i], want[i].pen);
  }
}

// Runs PM with one value, as the dispatcher would after scanning it.
void pm(Engine& e, int mode) {
  e.params.count = 1;
  e.params.reals[0] = mode;
  e.params.ints[0] = mode;
  run_handler(e, "PM");
}

void pen_to(Engine& e, bool down, double x, double y) {
  e.gs.pen.down = down;
  e.gs.pen.x = x;
  e.gs.pen.y = y;
  add_polygon_mode_vertex(e, x, y);
}

class PolygonBuffer : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(t.init()); }
  Engine& e() { return *t.engine; }
  TestEngine t;
};

TEST_F(PolygonBuffer, TriangleClosedByPm2) {
  e().gs.pen.x = e().gs.pen.y = 0;
  pm(e(), 0);
  EXPECT_TRUE(e().gs.polygon.mode);
  pen_to(e(), true, 100, 0);
  pen_to(e(), true, 100, 100);
  pm(e(), 2);
  EXPECT_FALSE(e().gs.polygon.mode);
  EXPECT_FALSE(e().gs.pen.down) << "pen state of PM0 restored";
  expect_table(e(), {{0, 0, 1, 0}, {100, 0, 0, 1}, {100, 100, 0, 1}, {0, 0, 2, 1}});
}

TEST_F(PolygonBuffer, Pm1BeforePm2AddsOneClosingVertex) {
  pm(e(), 0);
  pen_to(e(), true, 100, 0);
  pen_to(e(), true, 100, 100);
  pm(e(), 1);
  pm(e(), 2);
  expect_table(e(), {{0, 0, 1, 0}, {100, 0, 0, 1}, {100, 100, 0, 1}, {0, 0, 2, 1}});
}

TEST_F(PolygonBuffer, TwoSubpolygonsWithPenFlags) {
  pm(e(), 0);
  pen_to(e(), false, 10, 10);
  pen_to(e(), true, 20, 10);
  pen_to(e(), true, 20, 20);
  pm(e(), 1);
  pen_to(e(), false, 50, 50);
  pen_to(e(), true, 60, 50);
  pm(e(), 2);
  expect_table(e(), {{0, 0, 1, 0},
                     {10, 10, 0, 0},
                     {20, 10, 0, 1},
                     {20, 20, 0, 1},
                     {0, 0, 0, 1},
                     {50, 50, 1, 0},
                     {60, 50, 0, 1},
                     {50, 50, 2, 1}});
}

TEST_F(PolygonBuffer, RepeatedPointStoredOnceButNotWithOtherPenState) {
  pm(e(), 0);
  pen_to(e(), true, 10, 0);
  pen_to(e(), true, 10, 0);
  pen_to(e(), false, 10, 0);
  expect_table(e(), {{0, 0, 1, 0}, {10, 0, 0, 1}, {10, 0, 0, 0}});
}

TEST_F(PolygonBuffer, ClosingComparesTruncatedCoordinates) {
  e().gs.pen.x = 10.2;
  pm(e(), 0);
  pen_to(e(), true, 50, 0);
  pen_to(e(), true, 10.7, 0.5);
  pm(e(), 2);
  EXPECT_EQ(e().gs.polygon.vertices.size(), 3u) << "10.2 and 10.7 count as the same point";

  e().gs.pen.x = 9.9;
  e().gs.pen.y = 0;
  pm(e(), 0);
  pen_to(e(), true, 50, 0);
  pen_to(e(), true, 10.1, 0);
  pm(e(), 2);
  ASSERT_EQ(e().gs.polygon.vertices.size(), 4u) << "9.9 and 10.1 differ";
  EXPECT_EQ(e().gs.polygon.vertices[3].x, 9.9);
  EXPECT_EQ(e().gs.polygon.vertices[3].flag, 2);
}

TEST_F(PolygonBuffer, PmRangeAndCountErrors) {
  pm(e(), 0);
  pen_to(e(), true, 10, 0);
  pm(e(), 3);
  ASSERT_EQ(t.host.warnings.size(), 1u);
  EXPECT_TRUE(e().gs.polygon.mode) << "an invalid value changes nothing";
  EXPECT_EQ(e().gs.polygon.vertices.size(), 2u);

  e().params.count = 2;
  e().params.reals[0] = 2;
  run_handler(e(), "PM");
  EXPECT_EQ(t.host.warnings.size(), 2u);
  EXPECT_FALSE(e().gs.polygon.mode) << "goes on with the first value";
}

TEST_F(PolygonBuffer, ThousandAndFirstVertexRefused) {
  int count = 0;
  for (int i = 0; i < 1000; ++i) count = add_vertex(e(), i, i % 2, i == 0 ? 1 : 0, VERTEX_ADD);
  EXPECT_EQ(count, 1000);
  EXPECT_TRUE(t.host.warnings.empty());
  EXPECT_EQ(add_vertex(e(), 5000, 5000, 0, VERTEX_ADD), -1);
  EXPECT_EQ(add_vertex(e(), 6000, 6000, 0, VERTEX_ADD), -1);
  const PolygonState& p = e().gs.polygon;
  ASSERT_EQ(p.vertices.size(), 1000u);
  EXPECT_EQ(p.vertices.back().x, 999);
  EXPECT_EQ(p.vertices.back().flag, 2) << "closed at the last vertex that fitted";
  ASSERT_EQ(t.host.warnings.size(), 2u) << "once for every vertex that does not fit";
  EXPECT_NE(t.host.warnings[0].find(", overflow polygon table."), std::string::npos);
}

TEST_F(PolygonBuffer, ResetKeepsTheTablesRoom) {
  add_vertex(e(), 1, 1, 1, VERTEX_ADD);
  const Vertex* room = e().gs.polygon.vertices.data();
  add_vertex(e(), 0, 0, 0, VERTEX_RESET);
  EXPECT_TRUE(e().gs.polygon.vertices.empty());
  EXPECT_GE(e().gs.polygon.vertices.capacity(), 1000u);
  for (int i = 0; i < 1000; ++i) add_vertex(e(), i, 0, 0, VERTEX_ADD);
  EXPECT_EQ(e().gs.polygon.vertices.data(), room);
}

TEST_F(PolygonBuffer, CloseRequestOnEmptyTableAndTwice) {
  EXPECT_EQ(add_vertex(e(), 0, 0, 0, VERTEX_CLOSE), 0);
  EXPECT_TRUE(e().gs.polygon.vertices.empty());
  add_vertex(e(), 0, 0, 1, VERTEX_ADD);
  add_vertex(e(), 5, 0, 0, VERTEX_ADD);
  add_vertex(e(), 0, 0, 0, VERTEX_CLOSE);
  add_vertex(e(), 0, 0, 0, VERTEX_CLOSE);
  EXPECT_EQ(e().gs.polygon.vertices.back().flag, 2) << "a second close keeps the edge into the last vertex";
}

TEST_F(PolygonBuffer, WalkEndsAtEndMarkOrAtLastVertex) {
  add_vertex(e(), 0, 0, 1, VERTEX_ADD);
  add_vertex(e(), 5, 0, 0, VERTEX_ADD);
  std::vector<Vertex> open = closed_vertices(e().gs.polygon);
  ASSERT_EQ(open.size(), 2u);
  EXPECT_EQ(open[1].flag, 2) << "a table without end mark ends at its last vertex";
  EXPECT_EQ(e().gs.polygon.vertices[1].flag, 0) << "the table itself is unchanged";

  add_vertex(e(), 0, 0, 0, VERTEX_CLOSE);
  add_vertex(e(), 9, 9, 1, VERTEX_ADD);
  EXPECT_EQ(closed_vertices(e().gs.polygon).size(), 2u) << "vertices after the end mark are not walked";
}

TEST_F(PolygonBuffer, FillAndEdgeOnEmptyTableDoNothing) {
  e().gs.page.drawn = false;
  EXPECT_EQ(add_vertex(e(), 0, 0, 0, VERTEX_FILL), 0);
  EXPECT_EQ(add_vertex(e(), 0, 0, 0, VERTEX_EDGE), 0);
  EXPECT_FALSE(e().gs.page.drawn);
}

TEST_F(PolygonBuffer, ResetForDefaults) {
  pm(e(), 0);
  pen_to(e(), true, 10, 0);
  reset_polygon(e());
  EXPECT_FALSE(e().gs.polygon.mode);
  EXPECT_TRUE(e().gs.polygon.vertices.empty());
  EXPECT_TRUE(e().gs.polygon.pen_flags.empty());
}


// Drawing through the real line path onto a 1000 x 1000 view of a plot
// area 0..1000; the conversion stream shows every device segment with
// y = plotter y.
class PolygonDrawing : public SquareDisplayTest {
 protected:
  // PM0 at the pen position, the points with the pen down, PM2.
  void polygon(const std::vector<std::pair<double, double>>& points, bool down = true) {
    pm(e(), 0);
    for (const auto& [x, y] : points) pen_to(e(), down, x, y);
    pm(e(), 2);
  }
};

TEST_F(PolygonDrawing, EdgeDrawsExactlyThePenDownEdges) {
  pm(e(), 0);
  pen_to(e(), false, 10, 10);
  pen_to(e(), true, 20, 10);
  pen_to(e(), true, 20, 20);
  pm(e(), 1);
  pen_to(e(), false, 50, 50);
  pen_to(e(), true, 60, 50);
  pm(e(), 2);
  const std::vector<std::string> want{"SP1 PU10,10 PD20,10", "SP1 PU20,10 PD20,20", "SP1 PU20,20 PD0,0",
                                      "SP1 PU50,50 PD60,50", "SP1 PU60,50 PD50,50"};
  e().gs.page.drawn = false;
  run_handler(e(), "EP");
  EXPECT_EQ(take_lines(), want);
  EXPECT_TRUE(e().gs.page.drawn);
  EXPECT_FALSE(e().gs.pen.down) << "the pen state comes back after the walk";
  run_handler(e(), "EP");
  EXPECT_EQ(take_lines(), want) << "EP can be repeated";
}

TEST_F(PolygonDrawing, FillRowsOfTheTriangleAndRepeatedFill) {
  polygon({{100, 0}, {100, 100}});
  run_handler(e(), "FP");
  const std::vector<std::string> first = take_lines();
  ASSERT_EQ(first.size(), 100u) << "rows y = 1..100; the row of the two lower corners gets no crossing";
  EXPECT_EQ(first.front(), "SP1 PU100,100 PD100,100");
  EXPECT_EQ(first[50], "SP1 PU50,50 PD100,50");
  run_handler(e(), "EP");
  EXPECT_EQ(take_lines().size(), 3u);
  run_handler(e(), "FP");
  EXPECT_EQ(take_lines(), first) << "FP works on a copy: the table survives";
  EXPECT_EQ(e().gs.polygon.vertices[1].x, 100);
}

TEST_F(PolygonDrawing, PenUpPolygonFillsButHasNoEdges) {
  polygon({{100, 0}, {100, 100}}, false);
  run_handler(e(), "EP");
  EXPECT_TRUE(take_lines().empty());
  run_handler(e(), "FP");
  EXPECT_EQ(take_lines().size(), 100u);
}

TEST_F(PolygonDrawing, FillWhilePolygonModeIsOnStaysInTheRecordedVertices) {
  pm(e(), 0);
  pen_to(e(), true, 100, 0);
  pen_to(e(), true, 100, 100);
  pen_to(e(), true, 0, 0);
  e().gs.page.drawn = false;
  run_handler(e(), "FP");
  EXPECT_EQ(take_lines().size(), 100u);
  EXPECT_FALSE(e().gs.page.drawn) << "no page mark while polygon mode is on";
  EXPECT_EQ(e().gs.polygon.vertices.back().flag, 0) << "the table is not closed by the fill";
}

TEST_F(PolygonDrawing, ShadingAndRasterKindsDrawNoFill) {
  polygon({{100, 0}, {100, 100}});
  for (int kind : {FILL_SHADING, FILL_RASTER}) {
    e().gs.fill.kind = kind;
    run_handler(e(), "FP");
    EXPECT_TRUE(take_lines().empty());
  }
}

TEST_F(PolygonDrawing, HatchAndCrossHatchOfASquare) {
  set_anchor(e(), 0, 5, UNITS_PLOTTER);
  polygon({{100, 0}, {100, 100}, {0, 100}});
  e().gs.fill.kind = FILL_HATCH;
  e().gs.fill.hatch = {10, UNITS_PLOTTER, 0};
  run_handler(e(), "FP");
  std::vector<std::string> lines = take_lines();
  ASSERT_EQ(lines.size(), 10u);
  EXPECT_EQ(lines.front(), "SP1 PU0,95 PD100,95");
  EXPECT_EQ(lines.back(), "SP1 PU0,5 PD100,5");
  EXPECT_EQ(e().gs.pen.x, 0) << "the pen stays where it was";

  e().gs.fill.kind = FILL_CROSS_HATCH;
  e().gs.fill.cross_hatch = {10, UNITS_PLOTTER, 0};
  run_handler(e(), "FP");
  lines = take_lines();
  ASSERT_EQ(lines.size(), 21u) << "10 horizontal lines, then 11 vertical ones, two along the sides";
  EXPECT_EQ(lines[10], "SP1 PU100,0 PD100,100");
}

TEST_F(PolygonDrawing, DashedLineTypeDashesHatchesButNotSolidFills) {
  LineTypeBlock& b = e().gs.line.block;
  b.type = 2;
  b.count = 2;
  b.lengths[0] = 3;
  b.lengths[1] = 2;
  int gap_pixels = 0;
  for (int i = 0; i < 5; ++i) gap_pixels += pattern_step(e(), 1) == 0;
  if (gap_pixels != 2) GTEST_SKIP() << "line type patterns not built yet";
  b.element = 1;
  b.drawn = 0;
  polygon({{100, 0}, {100, 100}});
  run_handler(e(), "FP");
  for (const std::string& l : take_lines()) EXPECT_EQ(l.rfind("SP1 ", 0), 0u) << l;
  e().gs.fill.kind = FILL_HATCH;
  e().gs.fill.hatch = {10, UNITS_PLOTTER, 90};
  run_handler(e(), "FP");
  bool gaps = false;
  for (const std::string& l : take_lines()) gaps |= l.rfind("SP0 ", 0) == 0;
  EXPECT_TRUE(gaps) << "gap runs go out with pen 0";
}

TEST_F(PolygonDrawing, FillKeptInsideTheInputWindow) {
  e().gs.window = {true, 20, 30, 60, 70, UNITS_PLOTTER};
  polygon({{100, 0}, {100, 100}, {0, 100}});
  run_handler(e(), "FP");
  const std::vector<std::string> lines = take_lines();
  ASSERT_EQ(lines.size(), 41u) << "rows y = 30..70 of the window, both included";
  EXPECT_EQ(lines.front(), "SP1 PU20,70 PD60,70");
  EXPECT_EQ(lines.back(), "SP1 PU20,30 PD60,30");
}

TEST_F(PolygonDrawing, PolygonOutsideThePictureDrawsNothing) {
  e().gs.pen.x = 5000;
  e().gs.pen.y = 5000;
  polygon({{900000, 5000}, {900000, 900000}, {5000, 900000}});
  run_handler(e(), "FP");
  e().gs.fill.kind = FILL_HATCH;
  e().gs.fill.hatch = {1, UNITS_PLOTTER, 30};
  run_handler(e(), "FP");
  EXPECT_TRUE(take_lines().empty());
  EXPECT_DOUBLE_EQ(e().gs.extents.xmin, 29.0) << "no hatch line was even offered to the line path";
}

TEST_F(PolygonDrawing, LargeHatchStopsAfter2048Lines) {
  e().gs.pen.x = e().gs.pen.y = -1e6;
  polygon({{1e6, -1e6}, {1e6, 1e6}, {-1e6, 1e6}});
  e().gs.fill.kind = FILL_HATCH;
  e().gs.fill.hatch = {1, UNITS_PLOTTER, 0};
  run_handler(e(), "FP");
  EXPECT_TRUE(take_lines().empty()) << "the first 2048 lines from the top lie above the picture";
}

TEST_F(PolygonDrawing, InstructionsRecordAndFill) {
  t.feed("PA0,0;PM0;PD100,0,100,100;PM2;");
  expect_table(e(), {{0, 0, 1, 0}, {100, 0, 0, 1}, {100, 100, 0, 1}, {0, 0, 2, 1}});
  EXPECT_TRUE(take_lines().empty()) << "nothing is drawn in polygon mode";
  t.feed("FP;FP;EP;");
  EXPECT_EQ(take_lines().size(), 203u);
}

TEST_F(PolygonDrawing, WedgeInPolygonModeDiscardsTheRecordedVertices) {
  t.feed("PA0,0;PM0;PD100,0;WG50,0,90;");
  const std::vector<Vertex>& v = e().gs.polygon.vertices;
  ASSERT_FALSE(v.empty());
  EXPECT_EQ(v[0].x, 100) << "the wedge starts at its centre, the pen position";
  EXPECT_EQ(v[0].flag, 1);
  for (const Vertex& p : v) EXPECT_FALSE(p.x == 0 && p.y == 0) << "the PM0 vertex is gone";
}

TEST_F(PolygonDrawing, RectangleWithShadingKindKeepsOnlyItsEdge) {
  t.feed("PA0,0;EA100,100;");
  const std::vector<std::string> edge = take_lines();
  ASSERT_FALSE(edge.empty());
  t.feed("FT10;PA0,0;RA100,100;");
  EXPECT_EQ(take_lines(), edge);
}

TEST_F(PolygonDrawing, AnchorCornerMovesTheHatchOfARectangle) {
  t.feed("FT3,10,0;AC0,5;PA0,0;RA100,100;");
  std::vector<std::string> lines = take_lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SP1 PU0,95 PD100,95"), lines.end());
  t.feed("AC;PA0,0;RA100,100;");
  lines = take_lines();
  EXPECT_NE(std::find(lines.begin(), lines.end(), "SP1 PU0,90 PD100,90"), lines.end());
  EXPECT_EQ(std::find(lines.begin(), lines.end(), "SP1 PU0,95 PD100,95"), lines.end());
}

}  // namespace
}  // namespace kavor
