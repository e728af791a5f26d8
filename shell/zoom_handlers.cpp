#include "shell/zoom_handlers.h"

#include <QPainter>
#include <QWidget>

#include "config/settings_record.h"
#include "shell/view_zoom.h"
#include "shell/xor_outline.h"

namespace kavor {

ZoomHandlers::ZoomHandlers(QWidget& view, ViewZoom& zoom, const Settings& settings, std::function<void()> zoomed)
    : view_(view), zoom_(zoom), settings_(settings), zoomed_(std::move(zoomed)) {}

void ZoomHandlers::left_down(QPoint p) {
  zoom_.press({p.x(), p.y()}, view_.height(), settings_.keep_aspect != 0);
  view_.setCursor(Qt::CrossCursor);
  view_.update();
}

void ZoomHandlers::move(QPoint p) {
  if (zoom_.move({p.x(), p.y()})) view_.update();
}

void ZoomHandlers::left_up(QPoint p) {
  if (!zoom_.dragging()) return;
  view_.unsetCursor();
  const bool zoomed = zoom_.release({p.x(), p.y()});
  view_.update();
  if (zoomed) zoomed_();
}

void ZoomHandlers::right_down(QPoint) {
  if (!zoom_.dragging()) return;
  zoom_.abandon();
  view_.unsetCursor();
  view_.update();
}

void ZoomHandlers::paint_overlay(QPainter& painter) {
  if (!zoom_.dragging()) return;
  const ViewPoint a = zoom_.anchor(), c = zoom_.current();
  draw_xor_rectangle(painter, QRect(QPoint(a.x, a.y), QPoint(c.x, c.y)).normalized(), true);
}

}  // namespace kavor
