#include "shell/xor_outline.h"

#include <QPainter>

namespace kavor {

namespace {

// The painter's state for one outline, put back afterwards.
class XorPen {
 public:
  explicit XorPen(QPainter& painter) : painter_(painter) {
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    QPen pen(Qt::white, 1, Qt::DotLine);
    pen.setCapStyle(Qt::FlatCap);
    painter_.setPen(pen);
    painter_.setBrush(Qt::NoBrush);
  }
  ~XorPen() { painter_.restore(); }
  XorPen(const XorPen&) = delete;
  XorPen& operator=(const XorPen&) = delete;

 private:
  QPainter& painter_;
};

}  // namespace

void draw_xor_rectangle(QPainter& painter, const QRect& rect, bool filled) {
  XorPen pen(painter);
  if (filled && rect.width() > 2 && rect.height() > 2) painter.fillRect(rect.adjusted(1, 1, -1, -1), Qt::white);
  painter.drawRect(rect.adjusted(0, 0, -1, -1));
}

void draw_xor_ellipse(QPainter& painter, const QRect& rect) {
  XorPen pen(painter);
  painter.drawEllipse(rect.adjusted(0, 0, -1, -1));
}

void draw_xor_line(QPainter& painter, QPoint from, QPoint to) {
  XorPen pen(painter);
  painter.drawLine(from, to);
}

}  // namespace kavor
