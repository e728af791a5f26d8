#include "shell/scribble_handlers.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QWidget>

#include "shell/dialogs/draw_dialog.h"
#include "shell/view_renderer.h"
#include "shell/xor_outline.h"

namespace kavor {

namespace {

Qt::PenStyle pen_style(ScribblePen::Style style) {
  switch (style) {
    case ScribblePen::Style::dotted:
      return Qt::DotLine;
    case ScribblePen::Style::dashed:
      return Qt::DashLine;
    case ScribblePen::Style::solid:
      break;
  }
  return Qt::SolidLine;
}

QRect spanned(QPoint a, QPoint b) { return QRect(a, b).normalized(); }

}  // namespace

ScribbleHandlers::ScribbleHandlers(QWidget& view, ViewRenderer& renderer, const DrawDialog& tool)
    : view_(view), renderer_(renderer), tool_(tool) {}

void ScribbleHandlers::left_down(QPoint p) {
  QImage* picture = renderer_.finished_picture();
  if (!picture) return;
  if (tool_.pen().shape == ScribblePen::Shape::text) {
    text_.clear();
    text_at_ = p;
    text_rect_ = QRect();
    before_text_ = picture->copy();
    picture_key_ = picture->cacheKey();
    return;
  }
  dragging_ = true;
  from_ = to_ = p;
  view_.update();
}

void ScribbleHandlers::move(QPoint p) {
  if (!dragging_) return;
  to_ = p;
  view_.update();
}

void ScribbleHandlers::left_up(QPoint p) {
  if (!dragging_) return;
  dragging_ = false;
  to_ = p;
  if (QImage* picture = renderer_.finished_picture()) draw_shape(*picture);
  view_.update();
}

void ScribbleHandlers::right_down(QPoint) {
  if (!dragging_) return;
  dragging_ = false;
  view_.update();
}

void ScribbleHandlers::draw_shape(QImage& picture) const {
  const ScribblePen& pen = tool_.pen();
  QPainter painter(&picture);
  QPen line(pen.colour, pen.width, pen_style(pen.style), Qt::RoundCap, Qt::RoundJoin);
  painter.setPen(line);
  painter.setBrush(Qt::NoBrush);
  switch (pen.shape) {
    case ScribblePen::Shape::line:
      painter.drawLine(from_, to_);
      break;
    case ScribblePen::Shape::rectangle:
      painter.drawRect(spanned(from_, to_));
      break;
    case ScribblePen::Shape::ellipse:
      painter.drawEllipse(spanned(from_, to_));
      break;
    case ScribblePen::Shape::text:
      break;
  }
}

void ScribbleHandlers::text_typed(const QString& typed) {
  QImage* picture = renderer_.finished_picture();
  // The text belongs to the picture it was placed on.
  if (!picture || before_text_.isNull() || picture->cacheKey() != picture_key_) return;
  for (QChar c : typed) {
    if (c == u'\b')
      text_.chop(1);
    else if (c.isPrint())
      text_ += c;
  }
  draw_text(*picture);
  picture_key_ = picture->cacheKey();
  view_.update();
}

void ScribbleHandlers::draw_text(QImage& picture) {
  QPainter painter(&picture);
  if (!text_rect_.isEmpty()) painter.drawImage(text_rect_.topLeft(), before_text_, text_rect_);
  const QFont font = QApplication::font();
  const QFontMetrics metrics(font);
  text_rect_ = QRect(text_at_, QSize(metrics.horizontalAdvance(text_), metrics.height()));
  painter.setFont(font);
  painter.setPen(Qt::black);
  painter.fillRect(text_rect_, Qt::white);
  painter.drawText(text_rect_, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text_);
}

void ScribbleHandlers::paint_overlay(QPainter& painter) {
  if (!dragging_) return;
  switch (tool_.pen().shape) {
    case ScribblePen::Shape::line:
      draw_xor_line(painter, from_, to_);
      break;
    case ScribblePen::Shape::rectangle:
      draw_xor_rectangle(painter, spanned(from_, to_), false);
      break;
    case ScribblePen::Shape::ellipse:
      draw_xor_ellipse(painter, spanned(from_, to_));
      break;
    case ScribblePen::Shape::text:
      break;
  }
}

}  // namespace kavor
