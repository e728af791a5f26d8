#include "config/print_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>

#include "config/settings.h"
#include "engine/quiet_engine.h"
#include "support/test_env.h"

namespace kavor {
namespace {

// The four numbers of a split line: x offset, y offset, x extent, y extent.
std::array<int, 4> split_numbers(int index) {
  std::istringstream in(std::string(kSplitPrintLines[static_cast<size_t>(index - 1)].substr(3)));
  std::array<int, 4> n{};
  for (int& v : n) in >> v;
  return n;
}

// Every sheet of every split lies in its own cell, and its split line
// trims the drawing to exactly that cell: the layout table and the split
// lines agree, and together the sheets cover the drawing once.
TEST(PrintLayout, SheetsCoverTheDrawingCellByCell) {
  const std::array<int, 5> commands{109, 151, 117, 152, 153};
  for (size_t i = 0; i < kPrintLayouts.size(); ++i) {
    const PrintLayoutEntry& layout = kPrintLayouts[i];
    SCOPED_TRACE(layout.sheets);
    EXPECT_EQ(print_layout_of_command(commands[i]), &layout);
    EXPECT_EQ(print_layout_of_sheets(layout.sheets), &layout);
    EXPECT_EQ(layout.columns * layout.rows, layout.sheets);
    EXPECT_EQ(layout.turned(), layout.sheets == 2 || layout.sheets == 8);
    if (layout.sheets == 1) {
      EXPECT_EQ(layout.first_index, 0);
      EXPECT_EQ(layout.last_index, 0);
      continue;
    }
    EXPECT_EQ(layout.last_index - layout.first_index + 1, layout.sheets);
    std::vector<bool> covered(static_cast<size_t>(layout.sheets), false);
    for (int index = layout.first_index; index <= layout.last_index; ++index) {
      const SheetCell cell = sheet_cell(layout, index);
      ASSERT_LT(cell.column, layout.columns);
      ASSERT_LT(cell.row, layout.rows);
      covered[static_cast<size_t>(cell.column * layout.rows + cell.row)] = true;
      const std::array<int, 4> expected{cell.column * 100 / layout.columns, cell.row * 100 / layout.rows,
                                        100 / layout.columns, 100 / layout.rows};
      EXPECT_EQ(split_numbers(index), expected) << "index " << index;
    }
    EXPECT_EQ(std::count(covered.begin(), covered.end(), true), layout.sheets);
  }
  EXPECT_EQ(print_layout_of_command(164), nullptr);
  EXPECT_EQ(print_layout_of_sheets(3), nullptr);
}

struct PageCase {
  int sheets;
  PixelSize page;
  double share_width, share_height;
  PixelSize engine;  // width along the plotter's X axis
  PageRect drawn;
};

// The page reported to the engine follows the device's placement (X down
// upright pages, across turned ones: 2 and 8 sheets exchange the sides),
// and the share keeps its proportions on it.
TEST(PrintLayout, EnginePageAgreesWithTheDeviceAndKeepsProportions) {
  const PageCase cases[] = {
      // A landscape share on an upright page: X fills the page's height.
      {1, {1000, 1400}, 10870, 7600, {1400, 979}, {0, 0, 978, 1399}},
      // A share of unknown size (real size) takes the whole page.
      {1, {1000, 1400}, 0, 0, {1400, 1000}, {0, 0, 999, 1399}},
      {16, {1000, 1400}, 0, 0, {1400, 1000}, {0, 0, 999, 1399}},
      // Turned: X across the page, from its right edge.
      {2, {1000, 1400}, 5435, 7600, {1000, 1398}, {0, 0, 999, 1397}},
      {2, {1000, 1400}, 0, 0, {1000, 1400}, {0, 0, 999, 1399}},
      {8, {1000, 1400}, 5085 / 2.0, 3920, {908, 1400}, {92, 0, 999, 1399}},
      // A share narrower than the page along X.
      {4, {1000, 1400}, 5435, 3800, {1400, 979}, {0, 0, 978, 1399}},
      {4, {1000, 1400}, 3000, 3800, {789, 1000}, {0, 0, 999, 788}},
  };
  for (const PageCase& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.sheets << " sheets, share " << c.share_width << "x" << c.share_height);
    const PrintLayoutEntry& layout = *print_layout_of_sheets(c.sheets);
    const PixelSize engine = engine_page_size(layout, c.page, c.share_width, c.share_height);
    EXPECT_EQ(engine.width, c.engine.width);
    EXPECT_EQ(engine.height, c.engine.height);
    EXPECT_EQ(drawn_area(layout, c.page, engine), c.drawn);
  }
}

// Crop marks on a whole page are the lines of s = w / 80 pixels from each
// corner along both edges.
TEST(PrintLayout, CropMarksRunFromEachCornerAlongTheEdges) {
  const PixelSize page{800, 1100};
  const int s = crop_mark_length(page);
  EXPECT_EQ(s, 10);
  const int w = page.width, h = page.height;
  const std::array<PageLine, 8> expected{{
      {{0, 0}, {s, 0}},
      {{0, 0}, {0, s}},
      {{w - 1, 0}, {w - 1 - s, 0}},
      {{w - 1, 0}, {w - 1, s}},
      {{w - 1, h - 1}, {w - 1 - s, h - 1}},
      {{w - 1, h - 1}, {w - 1, h - 1 - s}},
      {{0, h - 1}, {0, h - 1 - s}},
      {{0, h - 1}, {s, h - 1}},
  }};
  EXPECT_EQ(crop_marks(PageRect{0, 0, w - 1, h - 1}, s), expected);
}

// The share's size is learnt from the options alone: the plotter's paper,
// trimmed by a split line; real size is told apart.
TEST(PrintLayout, ShareSizeComesFromTheOptions) {
  testing::TempDir dir;
  const HardClipExtent whole = measure_hard_clip(dir.path(), {"kavor", "-PT", "HP7550", "-PP", "A4", "-in", "x.plt"});
  EXPECT_DOUBLE_EQ(whole.width, 10870);
  EXPECT_DOUBLE_EQ(whole.height, 7600);
  EXPECT_FALSE(whole.real_size);
  const HardClipExtent quarter =
      measure_hard_clip(dir.path(), {"kavor", "-PP", "A4", "-SM", "REAL", "-BM", "50", "50", "50", "50"});
  EXPECT_DOUBLE_EQ(quarter.width, 10870 / 2.0);
  EXPECT_DOUBLE_EQ(quarter.height, 7600 / 2.0);
  EXPECT_TRUE(quarter.real_size);
  EXPECT_EQ(measure_hard_clip(dir.path(), {"kavor", "-RE", "0"}).width, 0);
}

}  // namespace
}  // namespace kavor
