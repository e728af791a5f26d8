#pragma once
// Arcs, circles, wedges and rectangles.

namespace kavor {

struct Engine;

enum ArcOutput : int { ARC_DRAW = 0, ARC_WEDGE = 1, ARC_POLYGON = 2 };

void generate_arc(Engine& e, double r, double c, double s, double end, int output, double* ex, double* ey);
double chord_angle(const Engine& e, double t, double r);
void limit_chord_step(const Engine& e, double r, double* step);
void arc_three_point(Engine& e, int relative);

int hpgl_AA(Engine& e);
int hpgl_AR(Engine& e);
int hpgl_AT(Engine& e);
int hpgl_RT(Engine& e);
int hpgl_CI(Engine& e);
int hpgl_EW(Engine& e);
int hpgl_WG(Engine& e);
int hpgl_EA(Engine& e);
int hpgl_ER(Engine& e);
int hpgl_RA(Engine& e);
int hpgl_RR(Engine& e);
int hpgl_AC(Engine& e);

}  // namespace kavor
