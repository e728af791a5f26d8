#pragma once
// Label placement: drawing a label's characters at the pen position, the
// character plot of CP, and the font records' resets.

#include <string>

#include "engine/graphics_state.h"

namespace kavor {

struct Engine;

// The font record in use: standard or alternate.
FontRecord& selected_font(Engine& e);
// Draws text at the pen position as LB does.
void draw_label(Engine& e, const std::string& text);
// Moves the label position by character cells: spaces along the label
// direction and lines across it, as CP does.
void character_plot(Engine& e, double spaces, double lines);
// Moves the label position to the carriage-return point of the next line.
void character_plot_line(Engine& e);
// The font record of SD and AD without parameters (cell from the paper option).
FontRecord default_font(const Engine& e);
// Resets both font records to the default font.
void reset_font_records(Engine& e);
// IN: every character size record relative 0.75 by 1.5.
void reset_character_sizes(Engine& e);

}  // namespace kavor
