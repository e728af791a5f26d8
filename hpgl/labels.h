#pragma once
// Label state, character placement and the label instructions.

#include <array>
#include <string>

namespace kavor {

struct Engine;

enum CharSizeMode : int { CHAR_SIZE_ABSOLUTE = 0, CHAR_SIZE_RELATIVE = 1, CHAR_SIZE_USER = 2 };
enum DirectionMode : int { DIRECTION_ABSOLUTE = 0, DIRECTION_RELATIVE = 1, DIRECTION_USER = 2 };

struct FontRecord {
  // Absolute sizes are millimetres, relative ones per cent of the P1-P2
  // extent, user-unit ones (set by SU) user units.
  int size_mode = CHAR_SIZE_ABSOLUTE;
  double width = 2.822222, height = 4.056944;
  int charset = 0, spacing = 0, posture = 0, weight = 1, typeface = 48;
};

struct LabelState {
  std::array<FontRecord, 2> fonts{};
  int selected = 0;  // 0 standard, 1 alternate
  // Run and rise are user units in DIRECTION_USER (set by DU).
  int direction_mode = DIRECTION_ABSOLUTE;
  double run = 1, rise = 0;
  double slant = 0;
  int path = 0;  // 0 right, 1 down, 2 left, 3 up
  int line_feed_direction = 0;
  double extra_spaces = 0, extra_lines = 0;
  int origin = 1;
  unsigned char terminator = 3;
  int terminator_mode = 1;  // 0: the terminator is part of the text
  bool transparent = false;
  int fill_mode = 0, edge_pen = 0;
  // Current label position (also the pen position in plotter units) and
  // the carriage-return point, plotter units.
  double pos_x = 0, pos_y = 0;
  double cr_x = 0, cr_y = 0;
  std::string buffered;  // the label that PB draws
};

// Draws text at the pen position as LB does.
void draw_label(Engine& e, const std::string& text);
// Resets both font records (cell from the paper option).
void reset_font_records(Engine& e);
// IN: every character size record relative 0.75 by 1.5.
void reset_character_sizes(Engine& e);

int hpgl_AD(Engine& e);
int hpgl_SD(Engine& e);
int hpgl_SS(Engine& e);
int hpgl_SA(Engine& e);
int hpgl_SI(Engine& e);
int hpgl_SR(Engine& e);
int hpgl_SL(Engine& e);
int hpgl_DI(Engine& e);
int hpgl_DR(Engine& e);
int hpgl_DT(Engine& e);
int hpgl_DV(Engine& e);
int hpgl_ES(Engine& e);
int hpgl_LO(Engine& e);
int hpgl_TD(Engine& e);
int hpgl_CF(Engine& e);
int hpgl_CP(Engine& e);
int hpgl_LB(Engine& e);

}  // namespace kavor
