// kavor-convert --split and --print end to end: the pages of the PDF, laid
// side by side as their cells say, give the whole drawing; the pages reach
// a CUPS queue of the test's own unchanged; and the command lines that
// cannot print sheets.
#include <gtest/gtest.h>

#include <QImage>
#include <QTransform>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "cli/arguments.h"
#include "config/print_layout.h"
#include "support/private_cups.h"
#include "support/test_env.h"

namespace kavor {
namespace {

namespace fs = std::filesystem;

// A frame round the plot area of HP7550 on A4 (so that a page shows where
// the drawing lies), and figures that tell every part of it apart.
constexpr const char* kTilePlot =
    "IN;SP1;PA0,0;PD10870,0,10870,7600,0,7600,0,0;PU;"
    "PA1000,1000;PD9000,6000;PU;"
    "PA2000,3000;PD2000,6500,5000,6500;PU;PA2000,5000;PD4000,5000;PU;"
    "PA8000,2000;CI1000;PA6000,6000;RA7000,7000;";

int run(const std::string& command) { return WEXITSTATUS(std::system((command + " >/dev/null 2>&1").c_str())); }

int convert(const std::string& arguments) { return run(std::string(KAVOR_CONVERT) + " " + arguments); }

int pdf_pages(const std::string& pdf) {
  FILE* info = popen(("pdfinfo " + pdf + " 2>/dev/null").c_str(), "r");
  if (!info) return -1;
  char line[256];
  int pages = -1;
  while (fgets(line, sizeof line, info))
    if (std::sscanf(line, "Pages: %d", &pages) == 1) break;
  pclose(info);
  return pages;
}

std::vector<QImage> pdf_pictures(const std::string& pdf, int dpi, const std::string& dir) {
  std::vector<QImage> pages;
  if (run("pdftoppm -r " + std::to_string(dpi) + " -gray -png " + pdf + " " + dir + "/page") != 0) return pages;
  std::vector<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(dir))
    if (entry.path().filename().string().rfind("page", 0) == 0) names.push_back(entry.path().string());
  std::sort(names.begin(), names.end());
  for (const std::string& name : names) {
    pages.push_back(QImage(QString::fromStdString(name)).convertToFormat(QImage::Format_Grayscale8));
    fs::remove(name);
  }
  return pages;
}

// The smallest rectangle holding every dark pixel: the drawn area, which
// the frame or the crop marks reach to.
QRect dark_box(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (qGray(page.pixel(x, y)) < 128) box |= QRect(x, y, 1, 1);
  return box;
}

// A sheet's drawn area turned back to the view's orientation: x to the
// right, y up. Upright sheets lay the plotter's X axis down the page,
// turned sheets across it from the right.
QImage sheet_picture(const QImage& page, bool turned) {
  return page.copy(dark_box(page)).transformed(QTransform().rotate(turned ? 180 : -90));
}

// Where a picture draws, on a coarse grid of blocks: a block is drawn when
// any pixel of its part of the picture is dark, so that the width of a line
// and a pixel's shift matter little.
constexpr int kGridWidth = 64, kGridHeight = 44;
using Grid = std::vector<bool>;

void mark_blocks(const QImage& picture, QRect blocks, Grid& grid) {
  for (int j = 0; j < blocks.height(); ++j)
    for (int i = 0; i < blocks.width(); ++i) {
      const int x0 = i * picture.width() / blocks.width(), x1 = (i + 1) * picture.width() / blocks.width();
      const int y0 = j * picture.height() / blocks.height(), y1 = (j + 1) * picture.height() / blocks.height();
      bool dark = false;
      for (int y = y0; y < y1 && !dark; ++y)
        for (int x = x0; x < x1 && !dark; ++x) dark = qGray(picture.pixel(x, y)) < 128;
      grid[static_cast<size_t>((blocks.top() + j) * kGridWidth + blocks.left() + i)] = dark;
    }
}

Grid blocks_of(const QImage& picture) {
  Grid grid(kGridWidth * kGridHeight);
  mark_blocks(picture, QRect(0, 0, kGridWidth, kGridHeight), grid);
  return grid;
}

// A split sheet without its crop marks: the corners of its drawn area
// whitened as far as the marks reach.
QImage without_crop_marks(QImage sheet, int reach) {
  for (const QPoint corner : {QPoint(0, 0), QPoint(sheet.width() - reach, 0), QPoint(0, sheet.height() - reach),
                              QPoint(sheet.width() - reach, sheet.height() - reach)})
    for (int y = 0; y < reach; ++y)
      for (int x = 0; x < reach; ++x) sheet.setPixelColor(corner + QPoint(x, y), Qt::white);
  return sheet;
}

// The sheets of a split laid side by side in their cells.
Grid laid_out(const std::vector<QImage>& pages, const PrintLayoutEntry& layout) {
  Grid grid(kGridWidth * kGridHeight);
  const QSize cell(kGridWidth / layout.columns, kGridHeight / layout.rows);
  for (int index = layout.first_index; index <= layout.last_index; ++index) {
    const SheetCell c = sheet_cell(layout, index);
    const QRect place(QPoint(c.column * cell.width(), (layout.rows - 1 - c.row) * cell.height()), cell);
    const QImage& page = pages.at(static_cast<size_t>(index - layout.first_index));
    const QImage sheet = sheet_picture(page, layout.turned());
    mark_blocks(without_crop_marks(sheet, page.width() / 80 + 2), place, grid);
  }
  return grid;
}

// Of the blocks that either grid draws, the share that the other does not.
double differing_share(const Grid& a, const Grid& b) {
  int drawn = 0, differ = 0;
  for (size_t i = 0; i < a.size(); ++i) {
    drawn += a[i] || b[i];
    differ += a[i] != b[i];
  }
  return drawn ? static_cast<double>(differ) / drawn : 1;
}

class ConvertSheets : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("KAVOR_HOME", dir.path().c_str(), 1);
    plot = dir.write("tiles.plt", kTilePlot);
    fs::create_directories(dir.path() + "pages");
  }
  testing::TempDir dir;
  std::string plot;
};

// One PDF page per sheet; the sheets, each cut at its crop marks and laid
// in its cell, give the drawing that one sheet shows whole.
TEST_F(ConvertSheets, SplitSheetsLaidSideBySideGiveTheWholeDrawing) {
  constexpr int kDpi = 100;  // the pages' own: one pixel of the page is one of the picture
  const std::string pdf = dir.path() + "sheets.pdf", pages_dir = dir.path() + "pages";
  ASSERT_EQ(convert("--split 1 --dpi 100 -o " + pdf + " " + plot), 0);
  const std::vector<QImage> whole_page = pdf_pictures(pdf, kDpi, pages_dir);
  ASSERT_EQ(whole_page.size(), 1u);
  const Grid whole = blocks_of(sheet_picture(whole_page[0], false));
  for (int sheets : {2, 4, 8, 16}) {
    SCOPED_TRACE(sheets);
    const PrintLayoutEntry& layout = *print_layout_of_sheets(sheets);
    ASSERT_EQ(convert("--split " + std::to_string(sheets) + " --dpi 100 -o " + pdf + " " + plot), 0);
    EXPECT_EQ(pdf_pages(pdf), sheets);
    const std::vector<QImage> pages = pdf_pictures(pdf, kDpi, pages_dir);
    ASSERT_EQ(pages.size(), static_cast<size_t>(sheets));
    const double right = differing_share(laid_out(pages, layout), whole);
    // Laid out in the wrong order they would not give it.
    std::vector<QImage> swapped = pages;
    std::swap(swapped.front(), swapped.back());
    const double wrong = differing_share(laid_out(swapped, layout), whole);
    EXPECT_LT(right, 0.08);
    EXPECT_GT(wrong, 0.15);
  }
}

// --print sends the very pages that -o writes to the queue; an unknown
// queue fails and says so.
TEST_F(ConvertSheets, PrintSendsThePagesToACupsQueue) {
  testing::PrivateCups cups;
  ASSERT_TRUE(cups.running()) << cups.error();
  const std::string queue = cups.add_raw_queue("sheets");
  ASSERT_FALSE(queue.empty());
  const std::string pdf = dir.path() + "sent.pdf";
  ASSERT_EQ(convert("--split 2 --paper A3 --print sheets -o " + pdf + " " + plot), 0);
  ASSERT_TRUE(cups.wait_until_idle());
  std::ifstream written(pdf, std::ios::binary), arrived(queue, std::ios::binary);
  const std::string a((std::istreambuf_iterator<char>(written)), {}), b((std::istreambuf_iterator<char>(arrived)), {});
  EXPECT_FALSE(a.empty());
  EXPECT_EQ(a, b);
  EXPECT_EQ(pdf_pages(queue), 2);

  std::ofstream(queue, std::ios::trunc).close();
  ASSERT_EQ(convert("--print sheets " + plot), 0);
  ASSERT_TRUE(cups.wait_until_idle());
  EXPECT_EQ(pdf_pages(queue), 1);
  EXPECT_EQ(convert("--split 4 --print nowhere " + plot), 1);
}

ConvertArguments parse(std::vector<std::string> words) {
  std::vector<char*> argv{const_cast<char*>("kavor-convert")};
  for (std::string& w : words) argv.push_back(w.data());
  return parse_convert_arguments(static_cast<int>(argv.size()), argv.data());
}

TEST(Arguments, SheetCommandLines) {
  const ConvertArguments a = parse({"--split", "8", "--paper", "a3", "--print", "q", "-PP", "A1", "a.plt"});
  EXPECT_EQ(a.error, "");
  EXPECT_EQ(a.split, 8);
  EXPECT_EQ(a.paper, "a3");
  EXPECT_EQ(a.print_queue, "q");
  EXPECT_EQ(a.fit, FitMode::none) << "sheets show the plotter's paper";
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--split", "3", "-o", "x.pdf", "a.plt"}, "invalid --split 3 (1, 2, 4, 8 or 16)"},
      {{"--paper", "A4", "-o", "x.pdf", "a.plt"}, "--paper applies to --split and --print"},
      {{"--split", "4", "--size", "100", "-o", "x.pdf", "a.plt"},
       "--split and --print print sheets of paper: no --size, --stretch, --page, --pages, --out-dir, --param or "
       "--settings"},
      {{"--split", "4", "--fit", "drawing", "-o", "x.pdf", "a.plt"},
       "--split and --print show the plotter's paper: --fit paper or none"},
      {{"--split", "4", "a.plt"}, "--split writes a PDF: give -o OUT.pdf or --print QUEUE"},
      {{"--split", "4", "-o", "x.pdf", "a.plt", "b.plt"},
       "--split and --print draw every sheet from one plot file: give one file, not standard input"},
  };
  for (const auto& [words, error] : cases) EXPECT_EQ(parse(words).error, error);
  EXPECT_EQ(convert("--split 4 -o x.png a.plt"), 2);
  EXPECT_EQ(convert("--split 4 --paper Z9 -o x.pdf a.plt"), 2);
}

}  // namespace
}  // namespace kavor
