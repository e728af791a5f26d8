#include "platform/pdf_surface.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "device/draw_device.h"
#include "support/test_env.h"

namespace kavor {
namespace {

struct Pdf {
  std::string file;
  std::string content;  // the page's content stream, inflated
};

std::string inflate_all(const std::string& compressed) {
  z_stream z{};
  inflateInit(&z);
  z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
  z.avail_in = static_cast<uInt>(compressed.size());
  std::string out;
  char buffer[4096];
  int result = Z_OK;
  while (result == Z_OK) {
    z.next_out = reinterpret_cast<Bytef*>(buffer);
    z.avail_out = sizeof buffer;
    result = inflate(&z, Z_NO_FLUSH);
    out.append(buffer, sizeof buffer - z.avail_out);
  }
  inflateEnd(&z);
  EXPECT_EQ(result, Z_STREAM_END);
  return out;
}

Pdf render(void (*draw)(PdfSurface&)) {
  std::stringstream out;
  PdfSurface pdf(out, 64, 40);
  draw(pdf);
  EXPECT_TRUE(pdf.finish());
  Pdf p{out.str(), {}};
  const size_t begin = p.file.find("stream\n") + 7, end = p.file.find("\nendstream");
  p.content = inflate_all(p.file.substr(begin, end - begin));
  return p;
}

void draw_sample(PdfSurface& pdf) {
  DevicePoint thin[3] = {{1, 2}, {30, 2}, {30, 20}};
  pdf.draw_polyline(thin, 3, 1, Rgb{255, 0, 0});
  pdf.set_pixel({30, 20}, Rgb{255, 0, 0});
  DevicePoint wide[2] = {{5, 30}, {50, 30}};
  pdf.draw_polyline(wide, 2, 5, Rgb{0, 0, 255});
  pdf.fill_polygon({{{40, 2}, {60, 2}, {60, 22}, {40, 22}}, {{45, 7}, {55, 7}, {55, 17}, {45, 17}}}, Rgb{0, 0, 0});
}

TEST(PdfSurface, ContentIsOnePathPerRunOfStrokesAndPerPolygon) {
  const Pdf p = render(draw_sample);
  EXPECT_EQ(p.content,
            "1 g 0 0 64 40 re f\n1 0 0 -1 0.5 39.5 cm\n"
            "1 0 0 RG\n1 w 0 J 0 j\n1 2 m\n30 2 l\n30 20 l\n29.5 20 m\n30.5 20 l\nS\n"
            "0 0 1 RG\n5 w 1 J 1 j\n5 30 m\n50 30 l\nS\n"
            "0 0 0 rg\n40 2 m\n60 2 l\n60 22 l\n40 22 l\nh\n45 7 m\n55 7 l\n55 17 l\n45 17 l\nh\nf*\n");
}

TEST(PdfSurface, NumbersAreWrittenWithoutExponents) {
  std::stringstream out;
  PdfSurface pdf(out, 300000, 200000);
  DevicePoint line[2] = {{100000, 100000}, {200000, 100000}};
  pdf.draw_polyline(line, 2, 1, Rgb{0, 0, 0});
  ASSERT_TRUE(pdf.finish());
  const std::string file = out.str();
  const size_t begin = file.find("stream\n") + 7, end = file.find("\nendstream");
  const std::string content = inflate_all(file.substr(begin, end - begin));
  EXPECT_NE(content.find("0 0 300000 200000 re f\n"), std::string::npos) << content;
  EXPECT_NE(content.find("100000 100000 m\n200000 100000 l\n"), std::string::npos) << content;
  EXPECT_NE(file.find("/MediaBox [0 0 300000 200000]"), std::string::npos);
}

TEST(PdfSurface, CrossReferenceTablePointsAtTheObjects) {
  const Pdf p = render(draw_sample);
  const size_t xref = p.file.find("\nxref\n") + 1;
  EXPECT_NE(p.file.find("startxref\n" + std::to_string(xref) + "\n%%EOF\n"), std::string::npos);
  std::istringstream table(p.file.substr(xref));
  std::string line;
  std::getline(table, line);  // xref
  std::getline(table, line);  // 0 6
  EXPECT_EQ(line, "0 6");
  std::getline(table, line);  // the free head
  for (int object = 1; object <= 5; ++object) {
    std::getline(table, line);
    const size_t offset = std::stoul(line.substr(0, 10));
    EXPECT_EQ(p.file.compare(offset, 8, std::to_string(object) + " 0 obj\n"), 0) << object;
  }
  EXPECT_NE(p.file.find("/MediaBox [0 0 64 40]"), std::string::npos);
}

// Memory stays flat: the content goes out as it is drawn.
TEST(PdfSurface, ContentIsWrittenAsItIsDrawn) {
  std::stringstream out;
  PdfSurface pdf(out, 1000, 1000);
  const std::streamoff head = out.tellp();
  for (int i = 0; i < 50000; ++i) {
    DevicePoint line[2] = {{i % 997, i % 991}, {(i * 7) % 1000, (i * 3) % 1000}};
    pdf.draw_polyline(line, 2, 1 + i % 3, Rgb{static_cast<uint8_t>(i), 0, 0});
  }
  EXPECT_GT(out.tellp() - head, 100000) << "compressed pieces written before the end";
  EXPECT_TRUE(pdf.finish());
}

size_t count(const std::string& text, const std::string& part) {
  size_t n = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

// Through the engine: a polygon fill is one filled path of the content,
// not a stroke per row.
TEST(PdfSurface, PolygonFillOfTheEngineIsOnePath) {
  testing::TestEngine t;
  std::stringstream out;
  PdfSurface pdf(out, 1000, 700);
  t.engine->device.targets.picture = &pdf;
  ASSERT_TRUE(t.run("SP1;PA0,0;PM0;PD5000,0,5000,5000,0,5000,0,0;PM1;PU1000,1000;"
                    "PD2000,1000,2000,2000,1000,2000,1000,1000;PM2;FP;"));
  flush_display_batch(*t.engine);
  ASSERT_TRUE(pdf.finish());
  const std::string file = out.str();
  const size_t begin = file.find("stream\n") + 7, end = file.find("\nendstream");
  const std::string content = inflate_all(file.substr(begin, end - begin));
  EXPECT_EQ(count(content, "f*\n"), 1u);
  EXPECT_EQ(count(content, "h\n"), 2u) << "the ring and its hole";
  EXPECT_EQ(count(content, "S\n"), 0u) << "no rows";
}

TEST(PdfSurface, PopplerReadsAndDrawsIt) {
  testing::TempDir dir;
  std::ofstream file(dir.path() + "t.pdf", std::ios::binary);
  PdfSurface pdf(file, 64, 40);
  draw_sample(pdf);
  ASSERT_TRUE(pdf.finish());
  file.close();
  const std::string command = "pdftoppm -r 72 -singlefile -gray " + dir.path() + "t.pdf " + dir.path() + "t";
  ASSERT_EQ(std::system(command.c_str()), 0);
  std::ifstream pgm(dir.path() + "t.pgm", std::ios::binary);
  std::string magic;
  int width = 0, height = 0, maxval = 0;
  pgm >> magic >> width >> height >> maxval;
  pgm.get();
  std::string pixels((std::istreambuf_iterator<char>(pgm)), std::istreambuf_iterator<char>());
  ASSERT_EQ(magic, "P5");
  ASSERT_EQ(width, 64);
  ASSERT_EQ(height, 40);
  auto at = [&](int x, int y) { return static_cast<unsigned char>(pixels[static_cast<size_t>(y * width + x)]); };
  EXPECT_LT(at(42, 4), 64) << "the ring is filled";
  EXPECT_GT(at(50, 12), 192) << "its hole is not";
  EXPECT_LT(at(20, 30), 192) << "the wide line";
  EXPECT_GT(at(20, 10), 192) << "white elsewhere";
}

// Pages of a sheet of paper with its drawn area inside the margins, as the
// split prints write them: poppler reads every page, the paper's size and
// the title, and each page shows its own drawing in the drawn area.
TEST(PdfSurface, PagesOnASheetOfPaper) {
  testing::TempDir dir;
  std::ofstream file(dir.path() + "p.pdf", std::ios::binary);
  // Paper of 100 by 80 points; the drawn area 60 by 40 at (30, 10).
  PdfSurface pdf(file, 60, 40, 1.0, PdfSheet{100, 80, 30, 10});
  pdf.set_title(u"図面 (1)");
  for (int page = 0; page < 3; ++page) {
    if (page) pdf.new_page();
    // A block at a place of its own on each page.
    const int x = 10 + 20 * page;
    pdf.fill_polygon({{{x, 10}, {x + 10, 10}, {x + 10, 30}, {x, 30}}}, Rgb{0, 0, 0});
  }
  ASSERT_TRUE(pdf.finish());
  file.close();
  const std::string pdfinfo = "pdfinfo " + dir.path() + "p.pdf > " + dir.path() + "info.txt";
  ASSERT_EQ(std::system(pdfinfo.c_str()), 0);
  std::ifstream info_file(dir.path() + "info.txt");
  std::string info;  // pdfinfo's lines, each run of blanks one blank
  for (char c; info_file.get(c);)
    if (c != ' ' || info.empty() || info.back() != ' ') info += c;
  EXPECT_NE(info.find("Pages: 3\n"), std::string::npos) << info;
  EXPECT_NE(info.find("Page size: 100 x 80 pts"), std::string::npos) << info;
  EXPECT_NE(info.find("Title: 図面 (1)\n"), std::string::npos) << info;
  const std::string command = "pdftoppm -r 72 -gray " + dir.path() + "p.pdf " + dir.path() + "p";
  ASSERT_EQ(std::system(command.c_str()), 0);
  for (int page = 1; page <= 3; ++page) {
    std::ifstream pgm(dir.path() + "p-" + std::to_string(page) + ".pgm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxval = 0;
    pgm >> magic >> width >> height >> maxval;
    pgm.get();
    std::string pixels((std::istreambuf_iterator<char>(pgm)), std::istreambuf_iterator<char>());
    ASSERT_EQ(width, 100);
    ASSERT_EQ(height, 80);
    auto dark = [&](int x, int y) { return static_cast<unsigned char>(pixels[static_cast<size_t>(y * width + x)]) < 64; };
    for (int block = 0; block < 3; ++block)
      EXPECT_EQ(dark(30 + 15 + 20 * block, 10 + 20), block == page - 1) << "page " << page << " block " << block;
    EXPECT_FALSE(dark(5, 5)) << "the margin stays white";
  }
}

}  // namespace
}  // namespace kavor
