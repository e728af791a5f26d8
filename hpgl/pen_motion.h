#pragma once
// Pen state and the instructions that move the pen.

#include <array>

namespace kavor {

struct Engine;

struct PenState {
  double x = 0, y = 0;  // pen position, user units
  bool down = false;
  bool relative = false;
  int pen = 1;
  double thickness = 0.3;  // PT, millimetres
  double tick_tp = 0.5, tick_tn = 0.5;  // TL, per cent
  std::array<int, 20> fill_spacings{};  // UF
  int fill_spacing_count = 0;
};

// Draws from the pen position to (x, y) in user units and moves the pen there.
void draw_to(Engine& e, double x, double y);
// Draws the symbol of symbol mode centred at the pen position.
void draw_symbol(Engine& e, unsigned char symbol);

int hpgl_PA(Engine& e);
int hpgl_PR(Engine& e);
int hpgl_PD(Engine& e);
int hpgl_PU(Engine& e);
int hpgl_PE(Engine& e);
int hpgl_AF(Engine& e);
int hpgl_AH(Engine& e);
int hpgl_BL(Engine& e);
int hpgl_PB(Engine& e);
int hpgl_DU(Engine& e);
int hpgl_SU(Engine& e);
int hpgl_IC(Engine& e);
int hpgl_PT(Engine& e);
int hpgl_RC(Engine& e);
int hpgl_TL(Engine& e);
int hpgl_XT(Engine& e);
int hpgl_YT(Engine& e);
int hpgl_UC(Engine& e);
int hpgl_UF(Engine& e);
int hpgl_WD(Engine& e);

}  // namespace kavor
