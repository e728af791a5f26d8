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

TEST(SvgSurface, PolylinesAndPixelsBecomeElements) {
  std::string s = render([](SvgSurface& svg) {
    DevicePoint thin[3] = {{1, 2}, {30, 2}, {30, 40}};
    svg.draw_polyline(thin, 3, 1, Rgb{255, 0, 16});
    DevicePoint wide[2] = {{5, 5}, {5, 5}};
    svg.draw_polyline(wide, 2, 4, Rgb{0, 0, 255});
    svg.set_pixel({30, 40}, Rgb{255, 0, 16});
    svg.set_pixel({640, 0}, Rgb{});
  });
  EXPECT_NE(s.find("<polyline stroke=\"#ff0010\" stroke-width=\"1\" points=\"1,2 30,2 30,40\"/>"), std::string::npos);
  EXPECT_NE(s.find("<polyline stroke=\"#0000ff\" stroke-width=\"4\" stroke-linecap=\"round\" "
                   "stroke-linejoin=\"round\" points=\"5,5 5,5\"/>"),
            std::string::npos);
  EXPECT_NE(s.find("<rect x=\"29.5\" y=\"39.5\" width=\"1\" height=\"1\" fill=\"#ff0010\"/>"), std::string::npos);
  EXPECT_EQ(s.find("x=\"639.5\""), std::string::npos);  // off the view: dropped
}

TEST(SvgSurface, FarCoordinatesAreClipped) {
  std::string s = render([](SvgSurface& svg) {
    DevicePoint pts[2] = {{-2000000000, 10}, {2000000000, 10}};
    svg.draw_polyline(pts, 2, 1, Rgb{});
  });
  EXPECT_NE(s.find("points=\"-4097,10 4737,10\""), std::string::npos) << s;
}

}  // namespace
}  // namespace kavor
