#pragma once
// During a split print the view shows the sheet grid over the picture and
// inverts each sheet's cell once the sheet is printed. Both are drawn on
// the picture in XOR, so that drawing them again removes them: the grid
// comes with the object, and it and every mark go with it.

#include <vector>

#include "config/print_layout.h"

class QImage;
class QRect;
class QWidget;

namespace kavor {

class ViewRenderer;

class SheetGrid {
 public:
  // Draws the grid of a split layout; the single sheet has none.
  SheetGrid(ViewRenderer& renderer, QWidget& view, const PrintLayoutEntry& layout);
  ~SheetGrid();
  SheetGrid(const SheetGrid&) = delete;
  SheetGrid& operator=(const SheetGrid&) = delete;

  // Inverts the cell of a split sheet (its split index).
  void mark(int index);

 private:
  void draw_grid();
  void draw_mark(int index);
  QRect cell(int index, const QImage& picture) const;

  ViewRenderer& renderer_;
  QWidget& view_;
  const PrintLayoutEntry& layout_;
  std::vector<int> marked_;
};

}  // namespace kavor
