#pragma once
// The view's mouse handler set: the zoom handlers normally, the scribble
// handlers while scribble mode is on.

#include <QPoint>
#include <QString>

class QPainter;

namespace kavor {

class MouseHandlers {
 public:
  virtual ~MouseHandlers() = default;
  virtual void left_down(QPoint p) = 0;
  virtual void move(QPoint p) = 0;
  virtual void left_up(QPoint p) = 0;
  virtual void right_down(QPoint p) = 0;
  // Typed text (scribble mode); ignored by default.
  virtual void text_typed(const QString&) {}
  // Draws over the picture what a drag in progress shows.
  virtual void paint_overlay(QPainter& painter) = 0;
};

}  // namespace kavor
