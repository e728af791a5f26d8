// How the converter plans a conversion: the trimming that shows a drawing,
// the sheet of each page, the size of each picture, and the measured pages
// of a real plot.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "cli/conversion.h"
#include "cli/page_measure.h"
#include "cli/picture_layout.h"
#include "cli/sheet_plan.h"
#include "engine/options.h"
#include "support/test_env.h"

namespace kavor {
namespace {

PlotBox box(double x0, double y0, double x1, double y1) {
  PlotBox b;
  b.add(x0, y0);
  b.add(x1, y1);
  return b;
}

TEST(Trimming, ShowsTheDrawingWithItsMarginInsideThePlotArea) {
  const PlotBox a4 = box(0, 0, 10870, 7600);
  struct Case {
    const char* what;
    PlotBox area;
    bool turned;
    PlotBox drawing;
    Trimming expected;
  };
  const Case cases[] = {
      // 2 % of the larger side (5000) is a margin of 100 on every side.
      {"inside", a4, false, box(1000, 1000, 6000, 3000), {8.2797, 11.8421, 47.8381, 28.9474}},
      {"turned sheets trim before turning", a4, true, box(1000, 1000, 6000, 3000), {11.8421, 8.2797, 28.9474, 47.8381}},
      {"the margin stops at the plot area", a4, false, box(0, 0, 10870, 7600), {0, 0, 100, 100}},
      {"a small drawing has a margin of half a millimetre", a4, false, box(5000, 3000, 5000, 3000),
       {45.8142, 39.2105, 0.3680, 0.5263}},
      {"nothing drawn: the whole area", a4, false, PlotBox{}, {0, 0, 100, 100}},
      {"a drawing off the area: the whole area", a4, false, box(20000, 20000, 30000, 30000), {0, 0, 100, 100}},
      {"a centred area", box(-3300, -5430, 3300, 5430), false, box(-1000, -1000, 1000, 1000), {34.2424, 40.4236, 31.5152, 19.1529}},
  };
  for (const Case& c : cases) {
    const Trimming t = trimming_for(c.area, c.turned, c.drawing);
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(t[i], c.expected[i], 1e-4) << c.what << " value " << i;
    EXPECT_LE(t[0] + t[2], 100.0) << c.what;
    EXPECT_LE(t[1] + t[3], 100.0) << c.what;
  }
}

TEST(PictureLayout, SizesAndPlacesThePicture) {
  struct Case {
    const char* what;
    int32_t sheet_w, sheet_h;
    SizeRequest request;
    PictureLayout expected;
  };
  const Case cases[] = {
      {"default width, the sheet's proportions", 10870, 7600, {}, {{1600, 1119}, {1600, 1119}, {0, 0}, 0}},
      {"a width", 4000, 10000, {400, 0, false, 0}, {{400, 1000}, {400, 1000}, {0, 0}, 0}},
      {"width and height: proportions kept, centred", 4000, 10000, {800, 800, false, 0},
       {{800, 800}, {320, 800}, {240, 0}, 0}},
      {"stretched", 4000, 10000, {800, 800, true, 0}, {{800, 800}, {800, 800}, {0, 0}, 0}},
      {"true size: A4's hard clip at 300 dpi", 10870, 7600, {0, 0, false, 300}, {{3210, 2244}, {3210, 2244}, {0, 0}, 300}},
  };
  for (const Case& c : cases) {
    PictureLayout l;
    ASSERT_TRUE(picture_layout(c.sheet_w, c.sheet_h, c.request, 20000, l)) << c.what;
    EXPECT_EQ(l.picture.width, c.expected.picture.width) << c.what;
    EXPECT_EQ(l.picture.height, c.expected.picture.height) << c.what;
    EXPECT_EQ(l.drawing.width, c.expected.drawing.width) << c.what;
    EXPECT_EQ(l.drawing.height, c.expected.drawing.height) << c.what;
    EXPECT_EQ(l.offset, c.expected.offset) << c.what;
    EXPECT_EQ(l.dpi, c.expected.dpi) << c.what;
  }
  PictureLayout l;
  EXPECT_FALSE(picture_layout(45110, 33751, {0, 0, false, 600}, 20000, l)) << "A0 at 600 dpi is too big";
  EXPECT_FALSE(picture_layout(100, 100000, {1000, 0, false, 0}, 20000, l)) << "a sliver too tall";
}

struct Planning : ::testing::Test {
  testing::TempDir home;
  const std::vector<std::string> options{kProgramName, "-COLOR"};
  void SetUp() override { setenv("KAVOR_HOME", home.path().c_str(), 1); }
  Sheet sheet(FitMode fit, const PlotBox& page, std::vector<std::string> more = {}) {
    std::vector<std::string> o = options;
    o.insert(o.end(), more.begin(), more.end());
    return SheetPlanner(home.path(), o, fit).sheet_for(page);
  }
};

TEST_F(Planning, EachFitChoosesItsSheet) {
  const PlotBox landscape = box(1000, 1000, 6000, 3000), portrait = box(1000, 1000, 5000, 11000);
  Sheet s = sheet(FitMode::none, portrait);
  EXPECT_TRUE(s.options.empty());
  EXPECT_EQ(s.width, 10870);
  EXPECT_EQ(s.height, 7600);

  s = sheet(FitMode::drawing, landscape);
  EXPECT_EQ(s.options, (std::vector<std::string>{"-PT", "HP7550", "-PP", "A4", "-BM", "8.2797", "11.8421", "47.8381",
                                                 "28.9474"}));
  EXPECT_EQ(s.width, 5200);
  EXPECT_EQ(s.height, 2200);

  // The portrait drawing runs off A4: a paper that holds it and its margin.
  s = sheet(FitMode::drawing, portrait);
  EXPECT_TRUE(s.holds_page);
  EXPECT_NE(s.options.at(3), "A4");
  EXPECT_NEAR(s.width, 4400, 2);
  EXPECT_NEAR(s.height, 10400, 2);

  s = sheet(FitMode::paper, portrait);
  EXPECT_TRUE(s.holds_page);
  EXPECT_EQ(s.options.size(), 4u) << "the paper as it is, untrimmed";
  EXPECT_GT(s.height, 11000);

  s = sheet(FitMode::paper, box(-1e6, -1e6, 1e6, 1e6));
  EXPECT_FALSE(s.holds_page);
  EXPECT_EQ(s.options, (std::vector<std::string>{"-PT", "HP7550", "-PP", "A4"}));

  s = sheet(FitMode::drawing, PlotBox{}, {"-PT", "HP7585", "-PP", "A1"});
  EXPECT_EQ(s.options, (std::vector<std::string>{"-PT", "HP7585", "-PP", "A1", "-BM", "0.0000", "0.0000", "100.0000",
                                                 "100.0000"}))
      << "a page without a stroke shows the options' whole paper";
}

TEST_F(Planning, MeasuresEveryPageOfAPlot) {
  const std::vector<PlotBox> pages =
      measure_pages({home.path(), options, std::string(KAVOR_TEST_DATA) + "/three_pages.plt", false});
  ASSERT_EQ(pages.size(), 4u) << "three pages and the empty one after the last page advance";
  auto near = [](const PlotBox& b, double x0, double y0, double x1, double y1) {
    const double tolerance = 12;  // the measuring pixel is five plotter units
    return std::abs(b.xmin - x0) < tolerance && std::abs(b.ymin - y0) < tolerance && std::abs(b.xmax - x1) < tolerance &&
           std::abs(b.ymax - y1) < tolerance;
  };
  EXPECT_TRUE(near(pages[0], 1000, 1000, 3000, 2000));
  EXPECT_TRUE(near(pages[1], 1000, 1000, 5000, 11000)) << "measured whole, beyond the paper";
  EXPECT_TRUE(near(pages[2], 7000, 3000, 9000, 5000));
  EXPECT_TRUE(pages[3].empty());
  const PageRange drawn = drawn_pages(pages);
  EXPECT_EQ(drawn.first, 0u);
  EXPECT_EQ(drawn.last, 2u);
  EXPECT_TRUE(measure_pages({home.path(), options, home.path() + "none.plt", false}).empty());
}

TEST(DrawnPages, LeadingAndTrailingBlankPagesAreLeftOut) {
  const PlotBox ink = box(0, 0, 1, 1), blank;
  const PageRange r = drawn_pages({blank, ink, blank, ink, blank});
  EXPECT_EQ(r.first, 1u);
  EXPECT_EQ(r.last, 3u);
  const PageRange none = drawn_pages({blank, blank});
  EXPECT_EQ(none.first, 0u);
  EXPECT_EQ(none.last, 0u);
}

}  // namespace
}  // namespace kavor
