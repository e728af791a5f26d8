// The drawing device: printer pages at once, display polylines in batches,
// files discarded; and the pen colour table.
#include "device/draw_device.h"

#include <algorithm>
#include <cstring>

#include "device/conversion_writer.h"
#include "engine/engine.h"
#include "engine/numeric.h"
#include "engine/run.h"

namespace kavor {

namespace {

struct LetterColour {
  char letter;
  Rgb colour;
};

constexpr std::array<LetterColour, 8> kLetterColours{{
    {'W', {255, 255, 255}},
    {'K', {0, 0, 0}},
    {'B', {0, 0, 255}},
    {'G', {0, 255, 0}},
    {'R', {255, 0, 0}},
    {'M', {255, 0, 255}},
    {'C', {0, 255, 255}},
    {'Y', {255, 255, 0}},
}};

bool valid_pen(int pen) { return pen >= 0 && pen < 256; }

Rgb pen_colour(const Engine& e, int pen) { return valid_pen(pen) ? e.device.colours[pen] : Rgb{}; }

// The point on the printer page for a point in plotter-axis pixels.
DevicePoint page_point(int layout, int extent_x, int32_t first, int32_t second) {
  if (layout == LAYOUT_2 || layout == LAYOUT_8)
    return {saturate_to_int32(static_cast<int64_t>(extent_x) - first), second};
  return {second, first};
}

void draw_on_printer(Engine& e, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int pen) {
  DeviceTargets& t = e.device.targets;
  if (pen == 0 || t.printer == nullptr) return;
  const int extent = t.printer->page_extent_x();
  const DevicePoint line[2] = {page_point(t.layout, extent, x1, y1), page_point(t.layout, extent, x2, y2)};
  const Rgb colour = pen_colour(e, pen);
  // A line leaves its end pixel unpainted; paint the previous end once it
  // is clear that this segment does not continue from it.
  if (line[0] != e.device.remembered) t.printer->set_pixel(e.device.remembered, colour);
  t.printer->draw_polyline(line, 2, std::max<int32_t>(1, e.gs.line.current_width), colour);
  e.device.remembered = line[1];
}

void draw_batch_on(Surface& s, const DisplayBatch& b, Rgb colour) {
  const DevicePoint& first = b.points[0];
  const DevicePoint& last = b.points[b.count - 1];
  if (first != last) {
    s.draw_polyline(b.points.data(), b.count, b.width, colour);
    s.set_pixel(last, colour);
  } else if (b.count == 2 && b.width == 1) {
    s.set_pixel(last, colour);
  } else {
    s.draw_polyline(b.points.data(), b.count, b.width, colour);
  }
}

void draw_batch(Engine& e) {
  const DisplayBatch& b = e.device.batch;
  if (b.pen == 0 || b.count == 0) return;
  const Rgb colour = pen_colour(e, b.pen);
  const DeviceTargets& t = e.device.targets;
  if (t.export_surface != nullptr) draw_batch_on(*t.export_surface, b, colour);
  if (t.window != nullptr) draw_batch_on(*t.window, b, colour);
  if (t.picture != nullptr) draw_batch_on(*t.picture, b, colour);
}

void start_batch(DisplayBatch& b, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int pen, int width) {
  b.pen = pen;
  b.width = width;
  b.points[0] = {x1, y1};
  b.points[1] = {x2, y2};
  b.count = 2;
  b.state = 1;
}

bool continues_batch(const DisplayBatch& b, DevicePoint from, int pen, int width) {
  return b.points[b.count - 1] == from && b.pen == pen && b.width == width && b.count < DisplayBatch::kPoints;
}

void add_to_display(Engine& e, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int pen) {
  DisplayBatch& b = e.device.batch;
  const int width = std::max<int32_t>(1, e.gs.line.current_width);
  if (b.state == 0) {
    start_batch(b, x1, y1, x2, y2, pen, width);
  } else if (b.state == 1) {
    const DevicePoint from{x1, y1}, to{x2, y2};
    if (!continues_batch(b, from, pen, width)) {
      draw_batch(e);
      start_batch(b, x1, y1, x2, y2, pen, width);
    } else if (to != from) {
      b.points[b.count++] = to;
    }
  } else {
    e.host.show_message("stateRIP Error", "Warning");
  }
  if (e.device.targets.conversion != nullptr)
    write_conversion_segment(*e.device.targets.conversion, e.device.targets.window_height, pen, x1, y1, x2, y2);
}

// The surfaces a polygon would be drawn on, or none when any of them draws
// only pixels or a conversion file takes the segments.
std::vector<Surface*> polygon_surfaces(const Engine& e) {
  const DeviceTargets& t = e.device.targets;
  std::vector<Surface*> surfaces;
  if (e.options.device == DeviceKind::PRINTER) {
    surfaces = {t.printer};
  } else if (e.options.device == DeviceKind::DISPLAY && t.conversion == nullptr) {
    surfaces = {t.export_surface, t.window, t.picture};
  }
  std::erase(surfaces, nullptr);
  for (const Surface* s : surfaces)
    if (!s->draws_polygons()) return {};
  return surfaces;
}

// The points placed on the page as the print layout places a segment's;
// first the pixel that the first row would have finished off.
void polygon_on_printer(Engine& e, Surface& page, const DeviceRings& rings, Rgb colour) {
  page.set_pixel(e.device.remembered, colour);
  DeviceRings placed = rings;
  for (std::vector<DevicePoint>& ring : placed)
    for (DevicePoint& p : ring) p = page_point(e.device.targets.layout, page.page_extent_x(), p.x, p.y);
  page.fill_polygon(placed, colour);
}

// The pending polyline is drawn first, keeping the order of painting.
void polygon_on_display(Engine& e, const std::vector<Surface*>& surfaces, const DeviceRings& rings, Rgb colour) {
  if (e.device.batch.state == 1) {
    draw_batch(e);
    e.device.batch.state = 0;
  }
  for (Surface* s : surfaces) s->fill_polygon(rings, colour);
}

}  // namespace

bool draws_polygons(const Engine& e, int pen) { return pen != 0 && !polygon_surfaces(e).empty(); }

void draw_polygon(Engine& e, const DeviceRings& rings, int pen) {
  const std::vector<Surface*> surfaces = polygon_surfaces(e);
  if (surfaces.empty()) return;
  count_work(e);
  const Rgb colour = pen_colour(e, pen);
  if (e.options.device == DeviceKind::PRINTER) polygon_on_printer(e, *surfaces[0], rings, colour);
  else polygon_on_display(e, surfaces, rings, colour);
}

void draw_segment(Engine& e, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int pen) {
  count_work(e);
  switch (e.options.device) {
    case DeviceKind::PRINTER: draw_on_printer(e, x1, y1, x2, y2, pen); break;
    case DeviceKind::DISPLAY: add_to_display(e, x1, y1, x2, y2, pen); break;
    case DeviceKind::FILE: break;
  }
}

void reset_display_batch(Engine& e) { e.device.batch.state = 0; }

void flush_display_batch(Engine& e) {
  if (e.device.batch.state == 1) draw_batch(e);
  if (e.device.targets.conversion != nullptr)
    write_conversion_end(*e.device.targets.conversion, e.device.targets.window_height);
  e.device.batch.state = 0;
  e.device.batch.count = 0;
}

Rgb colour_of_letter(char letter) {
  for (const LetterColour& lc : kLetterColours)
    if (lc.letter == letter) return lc.colour;
  return {};
}

void set_pen_colour(Engine& e, int pen, char letter) {
  if (valid_pen(pen)) e.device.colours[pen] = colour_of_letter(letter);
}

void set_pen_colours(Engine& e, const char* letters) {
  e.device.colours.fill(Rgb{});
  const size_t n = std::min<size_t>(std::strlen(letters), e.device.colours.size());
  for (size_t i = 0; i < n; ++i) set_pen_colour(e, static_cast<int>(i), letters[i]);
}

void set_pen_rgb(Engine& e, int pen, int red, int green, int blue) {
  if (!valid_pen(pen)) return;
  auto byte = [](int v) { return static_cast<uint8_t>(std::clamp(v, 0, 255)); };
  e.device.colours[pen] = {byte(red), byte(green), byte(blue)};
}

}  // namespace kavor
