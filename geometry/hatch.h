#pragma once
// Hatching and the anchor corner: the hatch layout shared by rectangle and
// polygon fills, the rectangle fill, and the hatch spacing in plotter units.

#include <functional>

#include "engine/graphics_state.h"

namespace kavor {

struct Engine;

// An axis-aligned box in plotter units, left <= right and bottom <= top.
struct HatchBox {
  double left, bottom, right, top;
};

using HatchLineFn = std::function<void(double x1, double y1, double x2, double y2)>;

inline constexpr int kMaxHatchLines = 2048;

// The family of parallels at the angle, one spacing apart and one of them
// through the anchor, cut to the box: each cut line goes to emit, at most
// kMaxHatchLines of them.
void lay_out_hatch(const Engine& e, HatchBox box, double spacing, double angle, double radians_per_degree,
                   const HatchLineFn& emit);
// False when nothing of the box can reach the picture: it lies outside the
// input window or, after rotation, outside the hard-clip rectangle.
bool hatch_box_visible(const Engine& e, HatchBox box);

// The settings of FILL_HATCH or FILL_CROSS_HATCH.
HatchSettings& hatch_settings(FillState& fill, int kind);
void set_anchor(Engine& e, double x, double y, int unit);
void anchor_point(const Engine& e, double& x, double& y);
// The spacing of a hatch kind in plotter units.
double hatch2pu(Engine& e, int kind);
// Before scaling goes off: spacings and the anchor in user units become plotter units.
void freeze_user_units(Engine& e);
// The fill of RA and RR between two corners in user units.
void fill_rectangle(Engine& e, double ax, double ay, double bx, double by);
void hatch_rectangle(Engine& e, double x1, double y1, double x2, double y2, double spacing, double angle);

}  // namespace kavor
