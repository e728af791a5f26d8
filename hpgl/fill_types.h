#pragma once
// Fill state, the anchor corner, rectangle fills and the hatch generator.

#include <functional>

namespace kavor {

struct Engine;

enum FillKind : int { FILL_SOLID = 0, FILL_HATCH = 2, FILL_CROSS_HATCH = 3, FILL_SHADING = 4, FILL_RASTER = 5 };

struct HatchSettings {
  double spacing = 0;
  int unit = 0;  // 0 default, 1 plotter units, 2 user units
  double angle = 0;
};

struct FillState {
  int kind = FILL_SOLID;
  HatchSettings hatch;        // kind 2
  HatchSettings cross_hatch;  // kind 3
  int shading_level = 0;
  int raster_index = 0;
  int raster_option = 0;
  double anchor_x = 0, anchor_y = 0;
  int anchor_unit = 1;  // 1 plotter units, 2 user units
};

// An axis-aligned box in plotter units, left <= right and bottom <= top.
struct HatchBox {
  double left, bottom, right, top;
};

using HatchLineFn = std::function<void(double x1, double y1, double x2, double y2)>;

// Degrees to radians for rectangle hatches and for polygon hatches.
inline constexpr double kRectangleHatchRadians = 0.0174532925239284;
inline constexpr double kPolygonHatchRadians = 0.017453292519943334;
inline constexpr int kMaxHatchLines = 2048;

// The family of parallels at the angle, one spacing apart and one of them
// through the anchor, cut to the box: each cut line goes to emit, at most
// kMaxHatchLines of them.
void lay_out_hatch(const Engine& e, HatchBox box, double spacing, double angle, double radians_per_degree,
                   const HatchLineFn& emit);
// False when nothing of the box can reach the picture: it lies outside the
// input window or, after rotation, outside the hard-clip rectangle.
bool hatch_box_visible(const Engine& e, HatchBox box);

void set_anchor(Engine& e, double x, double y, int unit);
void anchor_point(const Engine& e, double& x, double& y);
double hatch2pu(Engine& e, int kind);
void freeze_user_units(Engine& e);
void fill_rectangle(Engine& e, double ax, double ay, double bx, double by);
void hatch_rectangle(Engine& e, double x1, double y1, double x2, double y2, double spacing, double angle);
// Fill state reset of IN (kinds, spacings, angles; the anchor is DF's).
void clear_fill_state(Engine& e);

int hpgl_FT(Engine& e);

}  // namespace kavor
