#pragma once
// How the settings are named on screen: the status bar's fields, and the
// state and pen dialogs. A value that is in no table shows as empty text.

#include <QString>

namespace kavor {

QString plotter_display_name(int plotter);
// "A4" .. "A0", and the single letters with a leading blank: " A" .. " E".
QString paper_display_name(int paper);
QString colour_display_name(int colour);
// "EXPAND" or "NORMAL".
QString mode_display_name(int expand);
// A pen's colour letter as "WHITE", "RED", ...; its width digit as " 1 dot",
// "0.1 mm" .. "0.9 mm".
QString pen_colour_display_name(char letter);
QString pen_width_display_name(char digit);

}  // namespace kavor
