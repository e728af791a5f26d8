#pragma once
// Fill state, the anchor corner, rectangle fills and the hatch generator.

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
