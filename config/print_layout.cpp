#include "config/print_layout.h"

#include <algorithm>
#include <cmath>

namespace kavor {

const PrintLayoutEntry* print_layout_of_command(int command) {
  for (const PrintLayoutEntry& layout : kPrintLayouts)
    if (layout.command == command) return &layout;
  return nullptr;
}

const PrintLayoutEntry* print_layout_of_sheets(int sheets) {
  for (const PrintLayoutEntry& layout : kPrintLayouts)
    if (layout.sheets == sheets) return &layout;
  return nullptr;
}

SheetCell sheet_cell(const PrintLayoutEntry& layout, int index) {
  const int k = index - layout.first_index;
  return {k / layout.rows, k % layout.rows};
}

PixelSize engine_page_size(const PrintLayoutEntry& layout, PixelSize page, double share_width, double share_height) {
  // The page's extents along the plotter's X and Y axes.
  const PixelSize axes = layout.turned() ? page : PixelSize{page.height, page.width};
  if (!(share_width > 0) || !(share_height > 0) || !std::isfinite(share_width) || !std::isfinite(share_height))
    return axes;
  const double scale = std::min(axes.width / share_width, axes.height / share_height);
  auto side = [](double length, int room) {
    return std::clamp(static_cast<int>(std::lround(std::min<double>(length, room))), 1, std::max(1, room));
  };
  return {side(share_width * scale, axes.width), side(share_height * scale, axes.height)};
}

int device_page_extent(PixelSize page) { return page.width - 1; }

PageRect drawn_area(const PrintLayoutEntry& layout, PixelSize page, PixelSize engine_page) {
  // Upright: the plotter's Y axis across from the left edge, X down from
  // the top. Turned: X across from the right edge, mirrored at the
  // device's page extent, Y down from the top.
  if (layout.turned()) {
    const int right = device_page_extent(page);
    return {right - (engine_page.width - 1), 0, right, engine_page.height - 1};
  }
  return {0, 0, engine_page.height - 1, engine_page.width - 1};
}

std::array<PageLine, 8> crop_marks(const PageRect& a, int s) {
  auto line = [](int x1, int y1, int x2, int y2) { return PageLine{{x1, y1}, {x2, y2}}; };
  return {
      line(a.left, a.top, a.left + s, a.top),         line(a.left, a.top, a.left, a.top + s),
      line(a.right, a.top, a.right - s, a.top),       line(a.right, a.top, a.right, a.top + s),
      line(a.right, a.bottom, a.right - s, a.bottom), line(a.right, a.bottom, a.right, a.bottom - s),
      line(a.left, a.bottom, a.left, a.bottom - s),   line(a.left, a.bottom, a.left + s, a.bottom),
  };
}

int crop_mark_length(PixelSize page) { return page.width / 80; }

}  // namespace kavor
