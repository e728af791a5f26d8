#include "geometry/scan_fill.h"

#include <gtest/gtest.h>

#include "device/draw_device.h"
#include "support/test_env.h"

#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

namespace kavor {
namespace {

// Row -> spans (xa, xb) in order.
using Spans = std::map<int64_t, std::vector<std::pair<double, double>>>;

Spans scan(const std::vector<Vertex>& v, int64_t bottom, int64_t top) {
  Spans spans;
  scan_rows(v, bottom, top, [&](int64_t row, double xa, double xb) { spans[row].push_back({xa, xb}); });
  return spans;
}

// A closed subpolygon through the points, appended to the table.
void add_ring(std::vector<Vertex>& v, const std::vector<std::pair<double, double>>& points) {
  for (size_t i = 0; i < points.size(); ++i) v.push_back({points[i].first, points[i].second, i == 0 ? 1 : 0});
  v.push_back({points[0].first, points[0].second, 0});
}

void close_table(std::vector<Vertex>& v) { v.back().flag += 2; }

int cross(int rule, std::array<double, 4> line, std::array<double, 4> edge, double& x, double& y) {
  return intersect_segments(rule, line.data(), edge.data(), &x, &y);
}

TEST(IntersectSegments, ScanRuleCountsLowerEndOnly) {
  double x = 0, y = 0;
  EXPECT_EQ(cross(RULE_SCAN, {0, 10, 100, 10}, {10, 10, 10, 20}, x, y), 1);
  EXPECT_EQ(x, 10);
  EXPECT_EQ(y, 10);
  EXPECT_EQ(cross(RULE_SCAN, {0, 20, 100, 20}, {10, 10, 10, 20}, x, y), 0) << "upper end excluded";
  EXPECT_EQ(cross(RULE_SCAN, {0, 20, 100, 20}, {10, 20, 10, 10}, x, y), 0) << "whatever the edge's direction";
  EXPECT_EQ(cross(RULE_SCAN, {0, 5, 100, 5}, {0, 0, 3, 10}, x, y), 1);
  EXPECT_EQ(x, 2) << "1.5 rounds half away from zero";
  EXPECT_EQ(cross(RULE_SCAN, {0, 5, 100, 5}, {0, 5, 50, 5}, x, y), 0) << "horizontal edges never cross";
  EXPECT_EQ(cross(RULE_SCAN, {0, 5, 100, 5}, {0, 0, 100000, 5}, x, y), 0) << "slope under the tolerance";
  EXPECT_EQ(cross(RULE_SCAN, {0, 30, 100, 30}, {10, 10, 10, 20}, x, y), 0) << "outside the edge's y range";
}

TEST(IntersectSegments, HatchRuleIncludesEndsAndNearHorizontal) {
  double x = 0, y = 0;
  EXPECT_EQ(cross(RULE_HATCH, {0, 20, 100, 20}, {10, 10, 10, 20}, x, y), 1) << "both ends included";
  EXPECT_EQ(cross(RULE_HATCH, {0, 0, 100, 100}, {0, 50, 100, 50.00005}, x, y), 1);
  EXPECT_EQ(x, 50);
  EXPECT_EQ(y, 50);
  EXPECT_EQ(cross(RULE_HATCH, {0, 0, 100, 100}, {0, 60, 40, 60}, x, y), 0) << "beyond the edge's end";
  EXPECT_EQ(cross(RULE_HATCH, {30, 0, 30, 100}, {0, 0, 100, 50}, x, y), 1) << "vertical hatch line";
  EXPECT_EQ(x, 30);
  EXPECT_EQ(y, 15);
  EXPECT_EQ(cross(RULE_HATCH, {30, 0, 30, 100}, {40, 0, 40, 100}, x, y), 0) << "two vertical segments";
  EXPECT_EQ(cross(RULE_HATCH, {30, 0, 30.00001, 100}, {40, 0, 40, 100}, x, y), 0) << "both nearly vertical";
}

TEST(SortIntercepts, ByXThenY) {
  std::vector<Intercept> t{{5, 2}, {1, 9}, {5, 1}, {-3, 0}, {1, 8}};
  sort_intercepts(t);
  const std::vector<std::pair<double, double>> want{{-3, 0}, {1, 8}, {1, 9}, {5, 1}, {5, 2}};
  ASSERT_EQ(t.size(), want.size());
  for (size_t i = 0; i < t.size(); ++i) EXPECT_EQ(std::make_pair(t[i].x, t[i].y), want[i]);
}

TEST(ScanRows, SquareFillsRowsTenToNineteen) {
  std::vector<Vertex> v;
  add_ring(v, {{10, 10}, {20, 10}, {20, 20}, {10, 20}});
  close_table(v);
  const Spans s = scan(v, 0, 30);
  ASSERT_EQ(s.size(), 10u);
  for (int64_t j = 10; j < 20; ++j) {
    ASSERT_EQ(s.count(j), 1u) << j;
    ASSERT_EQ(s.at(j).size(), 1u);
    EXPECT_EQ(s.at(j)[0], std::make_pair(10.0, 20.0));
  }
}

TEST(ScanRows, TrianglesAtTheirTips) {
  std::vector<Vertex> down;
  add_ring(down, {{10, 10}, {20, 20}, {0, 20}});
  close_table(down);
  const Spans s = scan(down, 10, 10);
  ASSERT_EQ(s.count(10), 1u);
  EXPECT_EQ(s.at(10)[0], std::make_pair(10.0, 10.0)) << "lowest vertex crosses twice: one pixel";

  std::vector<Vertex> up;
  add_ring(up, {{0, 10}, {20, 10}, {10, 20}});
  close_table(up);
  EXPECT_TRUE(scan(up, 20, 20).empty()) << "highest vertex not at all";
  EXPECT_EQ(scan(up, 10, 19).size(), 10u);
}

TEST(ScanRows, NestedSquaresLeaveTheHoleInEitherDirection) {
  for (bool reversed : {false, true}) {
    std::vector<Vertex> v;
    add_ring(v, {{0, 0}, {30, 0}, {30, 30}, {0, 30}});
    if (reversed) {
      add_ring(v, {{10, 10}, {10, 20}, {20, 20}, {20, 10}});
    } else {
      add_ring(v, {{10, 10}, {20, 10}, {20, 20}, {10, 20}});
    }
    close_table(v);
    const Spans s = scan(v, 0, 29);
    ASSERT_EQ(s.at(15).size(), 2u);
    EXPECT_EQ(s.at(15)[0], std::make_pair(0.0, 10.0));
    EXPECT_EQ(s.at(15)[1], std::make_pair(20.0, 30.0));
    ASSERT_EQ(s.at(5).size(), 1u);
    EXPECT_EQ(s.at(5)[0], std::make_pair(0.0, 30.0));
  }
}

TEST(ScanRows, StarLeavesItsCentreEmpty) {
  std::vector<std::pair<double, double>> points;
  for (int k : {0, 2, 4, 1, 3}) {
    const double a = (90.0 + 72.0 * k) * 3.14159265358979 / 180.0;
    points.push_back({std::round(200 + 100 * std::cos(a)), std::round(200 + 100 * std::sin(a))});
  }
  std::vector<Vertex> v;
  add_ring(v, points);
  close_table(v);
  const Spans s = scan(v, 200, 200);
  ASSERT_EQ(s.at(200).size(), 2u) << "four crossings through the centre pentagon";
  EXPECT_LT(s.at(200)[0].second, 200);
  EXPECT_GT(s.at(200)[1].first, 200);
}

TEST(ScanRows, HorizontalEdgesOnlyFillNothing) {
  std::vector<Vertex> v{{0, 5, 1}, {50, 5, 0}, {10, 5, 0}, {0, 5, 2}};
  EXPECT_TRUE(scan(v, 0, 10).empty());
}

TEST(ScanRows, OpenSubpolygonDropsTheLastCrossing) {
  std::vector<Vertex> v;
  add_ring(v, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  v.push_back({20, 0, 1});
  v.push_back({20, 10, 2});
  const Spans s = scan(v, 5, 5);
  ASSERT_EQ(s.at(5).size(), 1u);
  EXPECT_EQ(s.at(5)[0], std::make_pair(0.0, 10.0));
}

// Rows try only the edges whose y range holds them; every crossing of the
// row with every edge must come out the same as trying all edges.
TEST(ScanRows, RandomPolygonsGiveTheCrossingsOfAllEdges) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> coord(-20, 60), rings(1, 3), corners(3, 9);
  for (int trial = 0; trial < 300; ++trial) {
    std::vector<Vertex> v;
    for (int r = rings(rng); r > 0; --r) {
      std::vector<std::pair<double, double>> points;
      for (int k = corners(rng); k > 0; --k) points.push_back({coord(rng), coord(rng)});
      add_ring(v, points);
    }
    close_table(v);
    double xmin = v[0].x, xmax = v[0].x;
    for (const Vertex& p : v) xmin = std::min(xmin, p.x), xmax = std::max(xmax, p.x);
    Spans want;
    for (int64_t row = -25; row <= 65; ++row) {
      std::vector<Intercept> table;
      for (size_t i = 1; i < v.size(); ++i) {
        if (v[i].flag & 1) continue;  // a subpolygon starts here
        double x, y;
        if (cross(RULE_SCAN, {xmin, double(row), xmax, double(row)}, {v[i - 1].x, v[i - 1].y, v[i].x, v[i].y}, x, y))
          table.push_back({x, y});
      }
      sort_intercepts(table);
      for (size_t k = 0; k + 1 < table.size(); k += 2) want[row].push_back({table[k].x, table[k + 1].x});
    }
    ASSERT_EQ(scan(v, -25, 65), want) << "trial " << trial;
  }
}

TEST(ScanRows, CombWithFiftyOneTeethFillsExactly) {
  // Base 0..10 high, teeth 10 wide with gaps of 10 up to 100.
  constexpr int kTeeth = 51;
  std::vector<std::pair<double, double>> ring{{0, 0}, {kTeeth * 20.0 - 10, 0}};
  for (int k = kTeeth - 1; k >= 0; --k) {
    ring.push_back({20.0 * k + 10, 100});
    ring.push_back({20.0 * k, 100});
    if (k > 0) {
      ring.push_back({20.0 * k, 10});
      ring.push_back({20.0 * k - 10, 10});
    }
  }
  std::vector<Vertex> v;
  add_ring(v, ring);
  close_table(v);
  const Spans s = scan(v, 50, 50);
  ASSERT_EQ(s.at(50).size(), static_cast<size_t>(kTeeth)) << "102 crossings on one row";
  for (int k = 0; k < kTeeth; ++k) EXPECT_EQ(s.at(50)[k], std::make_pair(20.0 * k, 20.0 * k + 10));
  ASSERT_EQ(s.size(), 1u);
  EXPECT_EQ(scan(v, 5, 5).at(5).size(), 1u) << "the base is one span";
}

}  // namespace
}  // namespace kavor

namespace kavor {
namespace {

using Part = std::array<double, 4>;

std::vector<Part> parts(const std::vector<Vertex>& v, std::array<double, 4> line) {
  std::vector<Part> out;
  hatch_line_parts(v, line.data(), [&](double x1, double y1, double x2, double y2) { out.push_back({x1, y1, x2, y2}); });
  return out;
}

TEST(HatchLineParts, VertexOnTheLine) {
  std::vector<Vertex> diamond;
  add_ring(diamond, {{50, 0}, {100, 50}, {50, 100}, {0, 50}});
  close_table(diamond);
  const std::vector<Part> middle = parts(diamond, {0, 50, 100, 50});
  ASSERT_EQ(middle.size(), 1u) << "the boundary passes across at both side corners";
  EXPECT_EQ(middle[0], (Part{0, 50, 100, 50}));
  EXPECT_TRUE(parts(diamond, {0, 100, 100, 100}).empty()) << "touching the top corner";
  EXPECT_TRUE(parts(diamond, {0, 0, 100, 0}).empty()) << "touching the first vertex of the subpolygon";

  std::vector<Vertex> pentagon;
  add_ring(pentagon, {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {-20, 50}});
  close_table(pentagon);
  const std::vector<Part> through = parts(pentagon, {-20, 50, 100, 50});
  ASSERT_EQ(through.size(), 1u);
  EXPECT_EQ(through[0], (Part{-20, 50, 100, 50}));
}

TEST(HatchLineParts, EvenOddAlongASlantedLine) {
  std::vector<Vertex> v;
  add_ring(v, {{0, 0}, {300, 0}, {300, 300}, {0, 300}});
  add_ring(v, {{100, 100}, {200, 100}, {200, 200}, {100, 200}});
  close_table(v);
  const std::vector<Part> p = parts(v, {0, 30, 300, 330});
  ASSERT_EQ(p.size(), 2u);
  EXPECT_EQ(p[0], (Part{0, 30, 100, 130}));
  EXPECT_EQ(p[1], (Part{170, 200, 270, 300}));
}

}  // namespace
}  // namespace kavor

namespace kavor::testing {
namespace {

// Counts the spans that reach the device.
class SpanCounter : public Surface {
 public:
  void draw_polyline(const DevicePoint*, int, int, Rgb) override { ++calls; }
  void set_pixel(DevicePoint, Rgb) override {}
  long calls = 0;
};

TEST(SolidFill, HugeZoomVisitsOnlyTheVisibleRows) {
  TestEngine t;
  SpanCounter surface;
  t.engine->device.targets.picture = &surface;
  t.host.view = {800, 600};
  // A display size of 2e8 pixels puts the polygon's rows far beyond the view.
  ASSERT_TRUE(t.run("PA0,0;PM0;PD10000,0,10000,7000,0,7000;PM2;FP;", {"-DW", "200000000", "-DH", "200000000"}));
  flush_display_batch(*t.engine);
  EXPECT_GT(surface.calls, 0);
  EXPECT_LT(surface.calls, 2000);
  // The rows scanned: the view's 600 and one beyond each edge.
  EXPECT_GT(t.engine->work.scan_rows, 0);
  EXPECT_LE(t.engine->work.scan_rows, 603);
}

}  // namespace
}  // namespace kavor::testing
