// The engine's solid fills on the vector surfaces: a filled polygon, wedge
// or rectangle reaches an SVG or WMF file as one shape, not one line per row
// or column; where rows are what must be written (an open subpolygon, a
// conversion file) the rows still come.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

#include "device/draw_device.h"
#include "platform/svg_surface.h"
#include "platform/wmf_surface.h"
#include "support/test_env.h"

namespace kavor::testing {
namespace {

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// The SVG of a plot on a 1000 by 700 view.
std::string svg_of(const std::string& plot, std::ostream* conversion = nullptr) {
  TestEngine t;
  std::stringstream out;
  SvgSurface svg(out, 1000, 700);
  t.engine->device.targets.picture = &svg;
  t.engine->device.targets.conversion = conversion;
  EXPECT_TRUE(t.run(plot));
  flush_display_batch(*t.engine);
  EXPECT_TRUE(svg.finish());
  return out.str();
}

std::string comb(int teeth) {
  std::string plot = "SP1;PA0,0;PM0;PD";
  for (int k = 0; k < teeth; ++k)
    plot += std::to_string(40 * k) + ",7000," + std::to_string(40 * k + 20) + ",7000," + std::to_string(40 * k + 20) +
            ",500," + std::to_string(40 * k + 40) + ",500,";
  return plot + std::to_string(40 * teeth) + ",0;PM2;";
}

TEST(VectorFill, SolidFillsAreOneShapeEach) {
  struct Case {
    const char* what;
    std::string plot;
    size_t rings;
  };
  for (const Case& c : {Case{"comb", comb(200) + "FP;", 1},
                        Case{"ring", "SP1;PA0,0;PM0;PD5000,0,5000,5000,0,5000,0,0;PM1;PU1000,1000;"
                                     "PD2000,1000,2000,2000,1000,2000,1000,1000;PM2;FP;",
                             2},
                        Case{"wedge", "SP2;PA5000,3000;WG2000,0,270;", 1}, Case{"rectangle", "SP3;PA100,100;RA9000,6000;", 1}}) {
    const std::string svg = svg_of(c.plot);
    EXPECT_EQ(count(svg, "<path fill="), 1u) << c.what;
    EXPECT_EQ(count(svg, "Z"), c.rings) << c.what;
    EXPECT_LE(count(svg, "M"), c.rings + 1) << c.what << ": no rows or columns, at most an edge";
    EXPECT_LT(svg.size(), 20000u) << c.what;
  }
  // Repeated fills: one shape each, whatever the rows they cover.
  const std::string hundred = svg_of(comb(200) + [] {
    std::string fills;
    for (int i = 0; i < 100; ++i) fills += "FP;";
    return fills;
  }());
  EXPECT_EQ(count(hundred, "<path fill="), 100u);
  EXPECT_LT(hundred.size(), 2000000u);
}

TEST(VectorFill, RowsWhereRowsMustBeWritten) {
  // An open subpolygon (here: filled while polygon mode is still on) loses
  // a crossing on each of its rows; no shape does that.
  const std::string open = svg_of("SP1;PA0,0;PM0;PD5000,0,5000,5000,0,5000,0,1000;FP;");
  EXPECT_EQ(count(open, "<path fill="), 0u);
  EXPECT_EQ(count(open, "<path stroke="), 1u) << "the rows, as one path";
  EXPECT_GT(count(open, "H"), 100u);
  // The conversion file takes every row as a segment.
  std::ostringstream conversion;
  const std::string converted = svg_of("SP1;PA0,0;RA5000,5000;", &conversion);
  EXPECT_EQ(count(converted, "<path fill="), 0u);
  EXPECT_GT(conversion.str().size(), 1000u);
}

// Keeps the points of every polyline and polygon it is given.
class PointSurface : public Surface {
 public:
  void draw_polyline(const DevicePoint* points, int count, int, Rgb) override {
    lines.insert(points, points + count);
  }
  void set_pixel(DevicePoint, Rgb) override {}
  bool draws_polygons() const override { return true; }
  void fill_polygon(const DeviceRings& rings, Rgb) override {
    for (const std::vector<DevicePoint>& ring : rings) polygon.insert(ring.begin(), ring.end());
  }
  int page_extent_x() const override { return 900; }

  struct Less {
    bool operator()(DevicePoint a, DevicePoint b) const { return a.x < b.x || (a.x == b.x && a.y < b.y); }
  };
  std::set<DevicePoint, Less> lines, polygon;
};

// On the printer the print layout places a polygon's points on the page as
// it places the points of its edges.
TEST(VectorFill, PrinterPagePlacesThePolygonAsItsEdges) {
  for (int layout : {LAYOUT_SINGLE, LAYOUT_2}) {
    TestEngine t;
    PointSurface page;
    t.engine->device.targets.printer = &page;
    t.engine->device.targets.layout = layout;
    t.host.printer = {1000, 1000};
    ASSERT_TRUE(t.run("SP1;PA1000,2000;PM0;PD3000,2000,3000,5000,1000,5000,1000,2000;PM2;FP;EP;", {"-CC", "x"}));
    EXPECT_EQ(page.polygon.size(), 4u) << "layout " << layout;
    EXPECT_EQ(page.polygon, page.lines) << "layout " << layout;
  }
}

TEST(VectorFill, MetafilePolygonIsOnePolyPolygonRecord) {
  TestEngine t;
  std::stringstream out;
  WmfSurface wmf(out, 1000, 700);
  t.engine->device.targets.export_surface = &wmf;
  ASSERT_TRUE(t.run(comb(200) + "FP;FP;"));
  flush_display_batch(*t.engine);
  ASSERT_TRUE(wmf.finish());
  const std::string bytes = out.str();
  EXPECT_EQ(count(bytes, std::string("\x38\x05", 2)), 2u) << "two PolyPolygon records";
  EXPECT_LT(bytes.size(), 40000u);
}

}  // namespace
}  // namespace kavor::testing
