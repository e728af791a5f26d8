#pragma once
// Plot area, hard-clip limits, P1/P2, user scaling, the input window,
// rotation and page advance; the conversion of user units to plotter units.

#include <cstdint>

namespace kavor {

struct Engine;

struct PlotArea {
  // Plot area from the paper record after magnification (read by IR).
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  double default_p1x = 0, default_p1y = 0, default_p2x = 0, default_p2y = 0;
  // Hard-clip limits: the plot area after trimming, output factors and turning.
  double clip_xmin = 0, clip_xmax = 0, clip_ymin = 0, clip_ymax = 0;
};

struct DeviceExtents {
  int32_t org_x = 0, org_y = 0, ext_x = 0, ext_y = 0;
  double kx = 0, ky = 0;  // device pixels per plotter unit in size mode REAL
};

struct Scaling {
  double p1x = 0, p1y = 0, p2x = 0, p2y = 0;
  bool on = false;
  bool isotropic = false;
  double xmin = 0, xmax = 0, ymin = 0, ymax = 0;
  double ux = 1, uy = 1;  // user units per plotter unit, signed
  int rotation = 0;       // 0..3 for 0, 90, 180, 270 degrees
};

enum Units : int { UNITS_DEFAULT = 0, UNITS_PLOTTER = 1, UNITS_USER = 2 };

struct InputWindow {
  bool on = false;
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // as given
  int units = UNITS_PLOTTER;
};

struct PageState {
  bool advance_pending = false;
  bool drawn = false;  // something was drawn since the last page step
};

void build_plot_area(Engine& e);
void device_extents(Engine& e);
void user_to_plotter(const Engine& e, double& x, double& y);
void move_pen_to(Engine& e, double x, double y);
void page_step(Engine& e);
double p1p2_length(const Engine& e);
double p1p2_device_length(const Engine& e);
int32_t mm_to_pixels(const Engine& e, double mm);
// Sorts the window corners (x1 <= x2, y1 <= y2).
void sort_input_window(Engine& e);
// The window corners in plotter units with the scaling in force.
void input_window_plotter(const Engine& e, double& x1, double& y1, double& x2, double& y2);

int hpgl_IP(Engine& e);
int hpgl_IR(Engine& e);
int hpgl_IW(Engine& e);
int hpgl_RO(Engine& e);
int hpgl_SC(Engine& e);
int hpgl_PG(Engine& e);

}  // namespace kavor
