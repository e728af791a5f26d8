#include "geometry/polygon_buffer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/engine.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::TestEngine;

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
  hpgl_PM(e);
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
  hpgl_PM(e());
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

}  // namespace
}  // namespace kavor
