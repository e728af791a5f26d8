#pragma once
// A pen's colour shown as a filled rectangle (the swatches of the pen
// overview) or a filled ellipse (the preview of the pen dialog).

#include <QColor>
#include <QWidget>

namespace kavor {

// The colour the engine draws a pen colour letter in.
QColor pen_colour(char letter);

class ColourSample : public QWidget {
  Q_OBJECT
 public:
  enum class Shape { rectangle, ellipse };
  ColourSample(Shape shape, QSize size, QWidget* parent = nullptr);
  void set_colour(const QColor& colour);
  const QColor& colour() const { return colour_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Shape shape_;
  QColor colour_;
};

}  // namespace kavor
