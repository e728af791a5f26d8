#include "platform/svg_surface.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kavor {
namespace {

std::string render(void (*draw)(SvgSurface&)) {
  std::stringstream out;
  SvgSurface svg(out, 640, 400);
  draw(svg);
  EXPECT_TRUE(svg.finish());
  return out.str();
}

TEST(SvgSurface, DocumentHasTheViewSizeAndAWhiteBackground) {
  std::string s = render([](SvgSurface&) {});
  EXPECT_NE(s.find("width=\"640\" height=\"400\" viewBox=\"0 0 640 400\""), std::string::npos);
  EXPECT_NE(s.find("<rect width=\"640\" height=\"400\" fill=\"#ffffff\"/>"), std::string::npos);
  EXPECT_EQ(s.substr(s.size() - 12), "</g>\n</svg>\n");
}

// Strokes of one colour and width in a row are one path element: each
// polyline a subpath, each pixel of that colour a stroke one pixel long
// across it; a wide pen's end pixel is its round end already.
TEST(SvgSurface, StrokesOfOneColourAndWidthShareOnePath) {
  std::string s = render([](SvgSurface& svg) {
    DevicePoint thin[3] = {{1, 2}, {30, 2}, {30, 40}};
    svg.draw_polyline(thin, 3, 1, Rgb{255, 0, 16});
    svg.set_pixel({30, 40}, Rgb{255, 0, 16});
    DevicePoint slant[2] = {{3, 3}, {9, 7}};
    svg.draw_polyline(slant, 2, 1, Rgb{255, 0, 16});
    DevicePoint wide[2] = {{5, 5}, {5, 5}};
    svg.draw_polyline(wide, 2, 4, Rgb{0, 0, 255});
    svg.set_pixel({5, 5}, Rgb{0, 0, 255});
    svg.set_pixel({7, 5}, Rgb{0, 0, 255});
    svg.set_pixel({640, 0}, Rgb{});
  });
  EXPECT_NE(s.find("<path stroke=\"#ff0010\" stroke-width=\"1\" d=\"M1 2H30V40M29.5 40h1M3 3L9 7\"/>\n"
                   "<path stroke=\"#0000ff\" stroke-width=\"4\" stroke-linecap=\"round\" "
                   "stroke-linejoin=\"round\" d=\"M5 5L5 5\"/>\n"
                   "<path stroke=\"#0000ff\" stroke-width=\"1\" d=\"M6.5 5h1\"/>\n</g>"),
            std::string::npos)
      << s;
  EXPECT_EQ(s.find("639.5"), std::string::npos);  // off the view: dropped
}

TEST(SvgSurface, FilledPolygonIsOnePathByTheEvenOddRule) {
  std::string s = render([](SvgSurface& svg) {
    DevicePoint line[2] = {{0, 0}, {9, 0}};
    svg.draw_polyline(line, 2, 1, Rgb{});
    svg.fill_polygon({{{0, 0}, {10, 0}, {10, 10}}, {{2, 1}, {8, 1}, {8, 7}}}, Rgb{0, 255, 0});
    svg.draw_polyline(line, 2, 1, Rgb{});
  });
  EXPECT_NE(s.find("<path stroke=\"#000000\" stroke-width=\"1\" d=\"M0 0H9\"/>\n"
                   "<path fill=\"#00ff00\" fill-rule=\"evenodd\" d=\"M0 0L10 0L10 10ZM2 1L8 1L8 7Z\"/>\n"
                   "<path stroke=\"#000000\" stroke-width=\"1\" d=\"M0 0H9\"/>\n"),
            std::string::npos)
      << s;
}

TEST(SvgSurface, FarCoordinatesAreClipped) {
  std::string s = render([](SvgSurface& svg) {
    DevicePoint pts[2] = {{-2000000000, 10}, {2000000000, 10}};
    svg.draw_polyline(pts, 2, 1, Rgb{});
  });
  EXPECT_NE(s.find("d=\"M-4097 10H4737\""), std::string::npos) << s;
}

}  // namespace
}  // namespace kavor
