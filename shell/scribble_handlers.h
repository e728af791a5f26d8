#pragma once
// The scribble handlers: with a line, rectangle or ellipse, a left-button
// drag shows a dotted outline and on release draws the shape into the
// picture with the tool window's pen; with text, a click places the text
// and typed characters are drawn there in the system font, black on white.
// Scribbles stay in the picture until it is discarded.

#include <QImage>
#include <QPoint>
#include <QString>

#include "shell/mouse_handlers.h"

class QWidget;

namespace kavor {

class DrawDialog;
class ViewRenderer;

class ScribbleHandlers : public MouseHandlers {
 public:
  ScribbleHandlers(QWidget& view, ViewRenderer& renderer, const DrawDialog& tool);

  void left_down(QPoint p) override;
  void move(QPoint p) override;
  void left_up(QPoint p) override;
  void right_down(QPoint p) override;
  void text_typed(const QString& text) override;
  void paint_overlay(QPainter& painter) override;

 private:
  void draw_shape(QImage& picture) const;
  void draw_text(QImage& picture);

  QWidget& view_;
  ViewRenderer& renderer_;
  const DrawDialog& tool_;
  bool dragging_ = false;
  QPoint from_, to_;
  // The text being typed, its place, and the picture as it was before it,
  // so that a shorter text leaves nothing of the longer one behind.
  QString text_;
  QPoint text_at_;
  QImage before_text_;
  QRect text_rect_;
  qint64 picture_key_ = 0;  // the picture the text belongs to
};

}  // namespace kavor
