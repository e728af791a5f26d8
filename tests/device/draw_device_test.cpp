#include "device/draw_device.h"

#include <gtest/gtest.h>

#include <sstream>

#include "device/conversion_writer.h"
#include "engine/engine.h"
#include "support/recording_surface.h"
#include "support/test_env.h"

namespace kavor {
namespace {

using testing::RecordingSurface;
using testing::SurfaceCall;
using testing::TestEngine;

constexpr Rgb kBlack{0, 0, 0}, kBlue{0, 0, 255}, kRed{255, 0, 0};

struct DisplayFixture : ::testing::Test {
  TestEngine t;
  Engine& e = *t.engine;
  RecordingSurface picture;
  void SetUp() override {
    e.options.device = DeviceKind::DISPLAY;
    set_pen_colours(e, "WKBGRMCY");
    e.gs.line.current_width = 1;
    e.device.targets.picture = &picture;
    reset_display_batch(e);
  }
};

TEST_F(DisplayFixture, ClosedFigureIsOnePolylineWithoutExtraPixel) {
  draw_segment(e, 0, 0, 10, 0, 1);
  draw_segment(e, 10, 0, 10, 10, 1);
  draw_segment(e, 10, 10, 0, 10, 1);
  draw_segment(e, 0, 10, 0, 0, 1);
  flush_display_batch(e);
  ASSERT_EQ(picture.calls.size(), 1u);
  EXPECT_EQ(picture.calls[0].kind, SurfaceCall::Polyline);
  EXPECT_EQ(picture.calls[0].points.size(), 5u);
  EXPECT_EQ(picture.calls[0].colour, kBlack);
}

TEST_F(DisplayFixture, OpenPolylineGetsItsEndPixel) {
  draw_segment(e, 0, 0, 10, 0, 2);
  draw_segment(e, 10, 0, 10, 10, 2);
  flush_display_batch(e);
  ASSERT_EQ(picture.calls.size(), 2u);
  EXPECT_EQ(picture.calls[0].points, (std::vector<DevicePoint>{{0, 0}, {10, 0}, {10, 10}}));
  EXPECT_EQ(picture.calls[1].kind, SurfaceCall::Pixel);
  EXPECT_EQ(picture.calls[1].points[0], (DevicePoint{10, 10}));
  EXPECT_EQ(picture.calls[1].colour, kBlue);
}

TEST_F(DisplayFixture, DotIsAPixelForWidthOneAndAPolylineForWiderPens) {
  draw_segment(e, 5, 6, 5, 6, 1);
  flush_display_batch(e);
  ASSERT_EQ(picture.calls.size(), 1u);
  EXPECT_EQ(picture.calls[0].kind, SurfaceCall::Pixel);
  EXPECT_EQ(picture.calls[0].points[0], (DevicePoint{5, 6}));

  picture.calls.clear();
  e.gs.line.current_width = 3;
  reset_display_batch(e);
  draw_segment(e, 5, 6, 5, 6, 1);
  flush_display_batch(e);
  ASSERT_EQ(picture.calls.size(), 1u);
  EXPECT_EQ(picture.calls[0].kind, SurfaceCall::Polyline);
  EXPECT_EQ(picture.calls[0].points.size(), 2u);
  EXPECT_EQ(picture.calls[0].width, 3);
}

TEST_F(DisplayFixture, BatchHoldsAtMostOneHundredPoints) {
  for (int i = 0; i < 150; ++i) draw_segment(e, i, i % 2, i + 1, (i + 1) % 2, 1);
  flush_display_batch(e);
  std::vector<SurfaceCall> lines;
  for (const SurfaceCall& c : picture.calls)
    if (c.kind == SurfaceCall::Polyline) lines.push_back(c);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].points.size(), 100u);
  EXPECT_EQ(lines[1].points.size(), 52u);
  EXPECT_EQ(lines[1].points.front(), lines[0].points.back());
  EXPECT_EQ(lines[1].points.back(), (DevicePoint{150, 0}));
}

TEST_F(DisplayFixture, PenChangeEndsThePolylineAndPenZeroDrawsNothing) {
  std::ostringstream conversion;
  e.device.targets.conversion = &conversion;
  e.device.targets.window_height = 100;
  draw_segment(e, 0, 0, 10, 0, 1);
  draw_segment(e, 10, 0, 20, 0, 4);
  draw_segment(e, 20, 0, 30, 0, 0);
  draw_segment(e, 30, 0, 40, 0, 4);
  draw_segment(e, 40, 0, 40, 0, 4);  // continues and adds no point
  flush_display_batch(e);
  std::vector<SurfaceCall> lines;
  for (const SurfaceCall& c : picture.calls)
    if (c.kind == SurfaceCall::Polyline) lines.push_back(c);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].colour, kBlack);
  EXPECT_EQ(lines[1].colour, kRed);
  EXPECT_EQ(lines[1].points.front(), (DevicePoint{10, 0}));
  EXPECT_EQ(lines[2].points, (std::vector<DevicePoint>{{30, 0}, {40, 0}}));
  EXPECT_EQ(conversion.str(),
            "SP1 PU0,100 PD10,100\nSP4 PU10,100 PD20,100\nSP0 PU20,100 PD30,100\n"
            "SP4 PU30,100 PD40,100\nSP4 PU40,100 PD40,100\nSP0 PU0,100 PD0,100\n");
}

TEST_F(DisplayFixture, SurfacesAreDrawnExportWindowPicture) {
  struct Ordered : RecordingSurface {
    std::vector<int>* log;
    int id;
    void draw_polyline(const DevicePoint* p, int n, int w, Rgb c) override {
      log->push_back(id);
      RecordingSurface::draw_polyline(p, n, w, c);
    }
  };
  std::vector<int> log;
  Ordered exp, win, pic;
  exp.log = win.log = pic.log = &log;
  exp.id = 1, win.id = 2, pic.id = 3;
  e.device.targets = {};
  e.device.targets.export_surface = &exp;
  e.device.targets.window = &win;
  e.device.targets.picture = &pic;
  draw_segment(e, 0, 0, 10, 10, 1);
  flush_display_batch(e);
  EXPECT_EQ(log, (std::vector<int>{1, 2, 3}));
}

TEST_F(DisplayFixture, FaultyBatchStateWarnsAndStillWritesTheConversion) {
  std::ostringstream conversion;
  e.device.targets.conversion = &conversion;
  e.device.batch.state = 7;
  draw_segment(e, 1, 2, 3, 4, 1);
  ASSERT_EQ(t.host.messages.size(), 1u);
  EXPECT_EQ(t.host.messages[0], "Warning|stateRIP Error");
  EXPECT_TRUE(picture.calls.empty());
  EXPECT_FALSE(conversion.str().empty());
}

TEST_F(DisplayFixture, EmptyRenderingStillEndsTheConversion) {
  std::ostringstream conversion;
  e.device.targets.conversion = &conversion;
  e.device.targets.window_height = 400;
  flush_display_batch(e);
  EXPECT_TRUE(picture.calls.empty());
  EXPECT_EQ(conversion.str(), "SP0 PU0,400 PD0,400\n");
}

TEST(Conversion, SmallPlotLineForLine) {
  TestEngine t;
  RecordingSurface picture;
  std::ostringstream conversion;
  t.host.view = {640, 400};
  Engine& e = *t.engine;
  e.device.targets.picture = &picture;
  e.device.targets.conversion = &conversion;
  e.device.targets.window_height = 400;
  write_conversion_header(conversion, 640, 400);
  reset_display_batch(e);
  // HP7550 on A4: a hard-clip area of 10870 by 7600 plotter units, so
  // x' = x * 640 / 10870 and y' = 400 - y * 400 / 7600.
  ASSERT_TRUE(t.run("IN;PU0,0;PD1000,0,1000,1000;PU;PD;"));
  flush_display_batch(e);
  EXPECT_EQ(conversion.str(),
            "INSC0,640,0,400\n"
            "SP1 PU0,0 PD58,0\n"
            "SP1 PU58,0 PD58,52\n"
            "SP1 PU58,52 PD58,52\n"
            "SP0 PU0,400 PD0,400\n");
  ASSERT_EQ(picture.calls.size(), 2u);
  EXPECT_EQ(picture.calls[0].points, (std::vector<DevicePoint>{{0, 400}, {58, 400}, {58, 348}}));
  EXPECT_EQ(picture.calls[1].kind, SurfaceCall::Pixel);
}

TEST(PrinterDevice, SingleSheetTurnsThePageAndPaintsPreviousEnd) {
  TestEngine t;
  Engine& e = *t.engine;
  RecordingSurface page;
  e.options.device = DeviceKind::PRINTER;
  set_pen_colours(e, "WKBGRMCY");
  e.device.targets.printer = &page;
  e.device.remembered = {20, 10};
  draw_segment(e, 10, 20, 10, 50, 1);
  ASSERT_EQ(page.calls.size(), 1u);
  EXPECT_EQ(page.calls[0].points, (std::vector<DevicePoint>{{20, 10}, {50, 10}}));

  draw_segment(e, 0, 0, 5, 0, 2);  // does not continue: paints (50, 10) first
  ASSERT_EQ(page.calls.size(), 3u);
  EXPECT_EQ(page.calls[1].kind, SurfaceCall::Pixel);
  EXPECT_EQ(page.calls[1].points[0], (DevicePoint{50, 10}));
  EXPECT_EQ(page.calls[1].colour, kBlue);
  EXPECT_EQ(e.device.remembered, (DevicePoint{0, 5}));

  draw_segment(e, 0, 0, 5, 0, 0);  // pen 0: nothing
  EXPECT_EQ(page.calls.size(), 3u);
}

TEST(PrinterDevice, TwoSheetLayoutMirrorsAlongThePageExtent) {
  TestEngine t;
  Engine& e = *t.engine;
  RecordingSurface page;
  page.extent_x = 1000;
  e.options.device = DeviceKind::PRINTER;
  e.device.targets.printer = &page;
  e.device.targets.layout = LAYOUT_2;
  e.device.remembered = {990, 20};
  draw_segment(e, 10, 20, 30, 40, 1);
  ASSERT_EQ(page.calls.size(), 1u);
  EXPECT_EQ(page.calls[0].points, (std::vector<DevicePoint>{{990, 20}, {970, 40}}));
}

TEST(FileDevice, DrawsNothing) {
  TestEngine t;
  Engine& e = *t.engine;
  RecordingSurface s;
  std::ostringstream conversion;
  e.options.device = DeviceKind::FILE;
  e.device.targets.printer = e.device.targets.picture = &s;
  e.device.targets.conversion = &conversion;
  draw_segment(e, 0, 0, 10, 10, 1);
  EXPECT_TRUE(s.calls.empty());
  EXPECT_TRUE(conversion.str().empty());
}

TEST(PenColours, LettersFillFromPenZeroAndTheRestIsBlack) {
  TestEngine t;
  Engine& e = *t.engine;
  set_pen_colours(e, "WKBGRMCY");
  set_pen_colours(e, "KR");
  EXPECT_EQ(e.device.colours[0], kBlack);
  EXPECT_EQ(e.device.colours[1], kRed);
  EXPECT_EQ(e.device.colours[2], kBlack);
  EXPECT_EQ(e.device.colours[255], kBlack);
  EXPECT_EQ(colour_of_letter('r'), kBlack);
  EXPECT_EQ(colour_of_letter('Y'), (Rgb{255, 255, 0}));
  set_pen_colour(e, 300, 'W');  // out of the table: ignored
  set_pen_rgb(e, 7, 300, -4, 128);
  EXPECT_EQ(e.device.colours[7], (Rgb{255, 0, 128}));
}

}  // namespace
}  // namespace kavor
