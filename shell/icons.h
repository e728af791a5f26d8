#pragma once
// The program's icon and the pictures of the menu bar's buttons, drawn
// from the SVG files among the program's resources.

#include <QIcon>

#include "shell/menu_table.h"

namespace kavor {

QIcon program_icon();
QIcon picture_button_icon(ButtonIcon which);
// The same picture in a pressed-in frame: a button whose mode is on.
QIcon pressed_icon(ButtonIcon which);

}  // namespace kavor
