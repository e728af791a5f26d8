#include "shell/sheet_grid.h"

#include <QPainter>
#include <QWidget>

#include "shell/view_renderer.h"
#include "shell/xor_outline.h"

namespace kavor {

SheetGrid::SheetGrid(ViewRenderer& renderer, QWidget& view, const PrintLayoutEntry& layout)
    : renderer_(renderer), view_(view), layout_(layout) {
  if (layout_.sheets > 1) draw_grid();
}

SheetGrid::~SheetGrid() {
  if (layout_.sheets <= 1) return;
  for (int index : marked_) draw_mark(index);
  draw_grid();
}

void SheetGrid::mark(int index) {
  if (index == 0) return;
  draw_mark(index);
  marked_.push_back(index);
}

// Dotted lines between the columns and between the rows, the cells being
// the picture's width and height divided by their numbers.
void SheetGrid::draw_grid() {
  QImage* picture = renderer_.finished_picture();
  if (!picture) return;
  const int w = picture->width(), h = picture->height();
  const int cell_w = w / layout_.columns, cell_h = h / layout_.rows;
  QPainter painter(picture);
  for (int k = 1; k < layout_.columns; ++k) draw_xor_line(painter, {k * cell_w, 0}, {k * cell_w, h - 1});
  for (int k = 1; k < layout_.rows; ++k) draw_xor_line(painter, {0, k * cell_h}, {w - 1, k * cell_h});
  painter.end();
  view_.update();
}

// The cell inverted by a white brush, its edge by a red pen, in XOR.
void SheetGrid::draw_mark(int index) {
  QImage* picture = renderer_.finished_picture();
  if (!picture) return;
  QPainter painter(picture);
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setPen(QPen(Qt::red, 1));
  painter.setBrush(Qt::white);
  painter.drawRect(cell(index, *picture).adjusted(0, 0, -1, -1));
  painter.end();
  view_.update();
}

// Rows are counted from the bottom, within the cells that the grid divides.
QRect SheetGrid::cell(int index, const QImage& picture) const {
  const int cell_w = picture.width() / layout_.columns, cell_h = picture.height() / layout_.rows;
  const SheetCell c = sheet_cell(layout_, index);
  return QRect(c.column * cell_w, (layout_.rows - 1 - c.row) * cell_h, cell_w, cell_h);
}

}  // namespace kavor
