#pragma once
// The zoom handlers: a left-button drag shows a rubber band and chooses a
// new zoom rectangle; the right button abandons the drag.

#include <functional>

#include "shell/mouse_handlers.h"

class QWidget;

namespace kavor {

struct Settings;
class ViewZoom;

class ZoomHandlers : public MouseHandlers {
 public:
  // zoomed is called when a drag has chosen a new zoom rectangle.
  ZoomHandlers(QWidget& view, ViewZoom& zoom, const Settings& settings, std::function<void()> zoomed);

  void left_down(QPoint p) override;
  void move(QPoint p) override;
  void left_up(QPoint p) override;
  void right_down(QPoint p) override;
  void paint_overlay(QPainter& painter) override;

 private:
  QWidget& view_;
  ViewZoom& zoom_;
  const Settings& settings_;
  std::function<void()> zoomed_;
};

}  // namespace kavor
