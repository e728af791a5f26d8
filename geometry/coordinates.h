#pragma once
// The coordinate systems: user units to plotter units and back, the pen
// position, the input window in plotter units, and lengths of the P1-P2
// frame and of millimetres on the device.

#include <cstdint>

namespace kavor {

struct Engine;

// User units to plotter units with the scaling in force (none when off).
void user_to_plotter(const Engine& e, double& x, double& y);
// The inverse of user_to_plotter.
void plotter_to_user(const Engine& e, double& x, double& y);
// Sets the pen position (user units) and both label reference points to it.
void move_pen_to(Engine& e, double x, double y);
// Sorts the window corners (x1 <= x2, y1 <= y2).
void sort_input_window(Engine& e);
// The window corners in plotter units with the scaling in force.
void input_window_plotter(const Engine& e, double& x1, double& y1, double& x2, double& y2);
double p1p2_length(const Engine& e);
double p1p2_device_length(const Engine& e);
int32_t mm_to_pixels(const Engine& e, double mm);

}  // namespace kavor
