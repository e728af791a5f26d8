#include "shell/view_widget.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "shell/mouse_handlers.h"
#include "shell/view_renderer.h"

namespace kavor {

ViewWidget::ViewWidget(const ViewRenderer& renderer, QWidget* parent) : QWidget(parent), renderer_(renderer) {
  setObjectName(QStringLiteral("view"));
  setAccessibleName(QStringLiteral("図面"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFocusPolicy(Qt::ClickFocus);
  setMouseTracking(true);
  setAcceptDrops(false);
}

void ViewWidget::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QImage* picture = renderer_.picture();
  // Outside the picture (a picture kept at its old size) the window is white.
  const QRect kept = picture ? picture->rect() : QRect();
  for (const QRect& r : QRegion(event->rect()).subtracted(kept)) painter.fillRect(r, Qt::white);
  if (picture) {
    painter.drawImage(event->rect().topLeft(), *picture, event->rect());
  } else {
    ask_for_picture();
  }
  if (handlers_) handlers_->paint_overlay(painter);
}

void ViewWidget::ask_for_picture() {
  if (picture_asked_) return;
  picture_asked_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        picture_asked_ = false;
        emit picture_needed();
      },
      Qt::QueuedConnection);
}

void ViewWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  emit resized();
}

void ViewWidget::mousePressEvent(QMouseEvent* event) {
  if (!handlers_) return;
  if (event->button() == Qt::LeftButton) handlers_->left_down(event->position().toPoint());
  if (event->button() == Qt::RightButton) handlers_->right_down(event->position().toPoint());
}

void ViewWidget::mouseMoveEvent(QMouseEvent* event) {
  if (handlers_) handlers_->move(event->position().toPoint());
}

void ViewWidget::mouseReleaseEvent(QMouseEvent* event) {
  if (handlers_ && event->button() == Qt::LeftButton) handlers_->left_up(event->position().toPoint());
}

void ViewWidget::keyPressEvent(QKeyEvent* event) {
  if (handlers_ && !event->text().isEmpty()) handlers_->text_typed(event->text());
  QWidget::keyPressEvent(event);
}

}  // namespace kavor
