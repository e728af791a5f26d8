#include "platform/qt_surface.h"

#include <QPen>
#include <QPoint>
#include <vector>

#include "platform/polyline_clip.h"

namespace kavor {

namespace {

QColor to_qcolor(Rgb c) { return QColor(c.r, c.g, c.b); }

QPen solid_pen(int width, Rgb colour) {
  QPen pen(to_qcolor(colour));
  pen.setStyle(Qt::SolidLine);
  if (width <= 1) {
    pen.setWidth(1);
    pen.setCapStyle(Qt::FlatCap);
    pen.setJoinStyle(Qt::MiterJoin);
  } else {
    pen.setWidth(width);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
  }
  return pen;
}

bool all_equal(const std::vector<DevicePoint>& run) {
  for (DevicePoint p : run)
    if (!(p == run.front())) return false;
  return true;
}

}  // namespace

QtSurface::QtSurface(QPainter& painter, QRect bounds, int page_extent_x)
    : painter_(painter), bounds_(bounds), page_extent_x_(page_extent_x) {
  painter_.setRenderHint(QPainter::Antialiasing, false);
}

void QtSurface::draw_polyline(const DevicePoint* points, int count, int width, Rgb colour) {
  if (count < 2) return;
  ClipBox box = device_clip_box(bounds_.left(), bounds_.top(), bounds_.right(), bounds_.bottom(), width);
  painter_.setPen(solid_pen(width, colour));
  painter_.setBrush(Qt::NoBrush);
  std::vector<QPoint> qpoints;
  for (const std::vector<DevicePoint>& run : clip_polyline(points, count, box)) {
    if (width > 1 && all_equal(run)) {
      // Qt strokes nothing for a polyline of one repeated point; a wide
      // pen leaves a round dot there.
      painter_.drawPoint(run.front().x, run.front().y);
      continue;
    }
    qpoints.clear();
    for (DevicePoint p : run) qpoints.emplace_back(p.x, p.y);
    painter_.drawPolyline(qpoints.data(), static_cast<int>(qpoints.size()));
  }
}

void QtSurface::set_pixel(DevicePoint p, Rgb colour) {
  if (!bounds_.contains(p.x, p.y)) return;
  painter_.fillRect(QRect(p.x, p.y, 1, 1), to_qcolor(colour));
}

}  // namespace kavor
