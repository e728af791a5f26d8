#pragma once
// The one line path from plotter units to device pixels: extents, clipping,
// rotation, rounding, device mapping and line types.

#include <cstdint>

namespace kavor {

struct Engine;

void draw_line(Engine& e, double x1, double y1, double x2, double y2);
void draw_line_solid(Engine& e, double x1, double y1, double x2, double y2);
void draw_user_line(Engine& e, double x1, double y1, double x2, double y2);
int clip_segment(double* x1, double* y1, double* x2, double* y2, double ax, double ay, double bx, double by);
int clip_to_window(const Engine& e, double* x1, double* y1, double* x2, double* y2);
int clip_to_hard_clip(const Engine& e, double* x1, double* y1, double* x2, double* y2);
void rotate_segment(const Engine& e, double* x1, double* y1, double* x2, double* y2);
void map_to_device(const Engine& e, int32_t* x, int32_t* y);
void device_length(const Engine& e, int32_t* length);
void draw_clip_frame(Engine& e);
void fill_rectangle_solid(Engine& e, double x1, double y1, double x2, double y2);
// The device area that can show anything, from 0 to (xmax, ymax); false
// when the device gives no bound.
bool visible_device_box(const Engine& e, int64_t& xmax, int64_t& ymax);

}  // namespace kavor
