#pragma once
// Outlines drawn over the picture by inverting it, as a rubber band is:
// white in XOR mode, with a dotted pen of width 1.

#include <QRect>

class QPainter;

namespace kavor {

// filled also inverts the inside, as a white brush in XOR mode does.
void draw_xor_rectangle(QPainter& painter, const QRect& rect, bool filled);
void draw_xor_ellipse(QPainter& painter, const QRect& rect);
void draw_xor_line(QPainter& painter, QPoint from, QPoint to);

}  // namespace kavor
