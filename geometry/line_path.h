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
// The device pixels that can show anything: the hard-clip rectangle as the
// device maps it, within the view (display), the page (printer) or nothing
// (file). Patterned lines and solid fills are worked out only there and in
// a margin around it, so that far-off coordinates and huge resolutions cost
// no more than the picture shows.
struct DeviceArea {
  int64_t xmin, ymin, xmax, ymax;
  bool empty() const { return xmin > xmax || ymin > ymax; }
};
DeviceArea visible_device_area(const Engine& e);
// Pixels beyond the visible area from which a line of the current pen can
// still paint into it.
int64_t visible_margin(const Engine& e);

}  // namespace kavor
