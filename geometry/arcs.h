#pragma once
// The arc generator shared by the arcs, circles and wedges.

namespace kavor {

struct Engine;

struct ArcPoint {
  double x, y;
};

// Where the chords go: the line path, the polygon buffer as a wedge, or
// the polygon buffer of polygon mode.
enum ArcOutput : int { ARC_DRAW = 0, ARC_WEDGE = 1, ARC_POLYGON = 2 };

ArcPoint point_on_circle(ArcPoint m, double r, double degrees);
// The arc of radius r about the pen position from angle s to end in chords
// of c degrees; (ex, ey) is its end point, also when nothing is drawn.
void generate_arc(Engine& e, double r, double c, double s, double end, int output, double* ex, double* ey);
// The chord angle of a chord parameter t for radius r, by the CT mode.
double chord_angle(const Engine& e, double t, double r);
// Widens the step to at least one device pixel of arc.
void limit_chord_step(const Engine& e, double r, double* step);

}  // namespace kavor
