#include "shell/dialogs/colour_sample.h"

#include <QPainter>

#include "device/draw_device.h"

namespace kavor {

QColor pen_colour(char letter) {
  const Rgb rgb = colour_of_letter(letter);
  return QColor(rgb.r, rgb.g, rgb.b);
}

ColourSample::ColourSample(Shape shape, QSize size, QWidget* parent) : QWidget(parent), shape_(shape) {
  setFixedSize(size);
}

void ColourSample::set_colour(const QColor& colour) {
  colour_ = colour;
  update();
}

void ColourSample::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing, shape_ == Shape::ellipse);
  // A dark outline, so that a white pen shows too.
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setBrush(colour_);
  const QRectF area = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (shape_ == Shape::ellipse)
    painter.drawEllipse(area);
  else
    painter.drawRect(area);
}

}  // namespace kavor
