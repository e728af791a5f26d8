#pragma once
// The drawing-device operation, the display batch and the pen colour table.

#include <array>
#include <cstdint>
#include <ostream>

#include "device/surface.h"

namespace kavor {

struct Engine;

enum PrintLayout : int { LAYOUT_SINGLE = 1, LAYOUT_2 = 2, LAYOUT_4 = 4, LAYOUT_8 = 8, LAYOUT_16 = 16 };

struct DisplayBatch {
  static constexpr int kPoints = 100;
  int state = 0;  // 0 empty, 1 collecting
  std::array<DevicePoint, kPoints> points{};
  int count = 0;
  int pen = 0;
  int width = 1;
};

// Set by the shell (or converter) before a run; owned by it.
struct DeviceTargets {
  Surface* printer = nullptr;
  int layout = LAYOUT_SINGLE;
  Surface* export_surface = nullptr;
  Surface* window = nullptr;
  Surface* picture = nullptr;
  int window_height = 0;
  std::ostream* conversion = nullptr;
};

struct DeviceState {
  std::array<Rgb, 256> colours{};
  DisplayBatch batch;
  DeviceTargets targets;
  DevicePoint remembered{32767, 32767};  // printer: end of the last segment
};

void draw_segment(Engine& e, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int pen);
// Whether a polygon of this pen can be drawn as one shape: every surface of
// the run draws polygons, no conversion file takes the segments, and the
// pen draws (a pen-0 row still ends a display polyline). Otherwise the
// polygon is filled row by row.
bool draws_polygons(const Engine& e, int pen);
// Fills the rings as one shape on every surface of the run; only when
// draws_polygons.
void draw_polygon(Engine& e, const DeviceRings& rings, int pen);
void reset_display_batch(Engine& e);
void flush_display_batch(Engine& e);
void set_pen_colour(Engine& e, int pen, char letter);
void set_pen_colours(Engine& e, const char* letters);
void set_pen_rgb(Engine& e, int pen, int red, int green, int blue);
Rgb colour_of_letter(char letter);

}  // namespace kavor
