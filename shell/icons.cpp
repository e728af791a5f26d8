#include "shell/icons.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace kavor {

namespace {

QString resource_of(ButtonIcon which) {
  switch (which) {
    case ButtonIcon::open:
      return QStringLiteral(":/kavor/open.svg");
    case ButtonIcon::print:
      return QStringLiteral(":/kavor/print.svg");
    case ButtonIcon::fit_paper:
      return QStringLiteral(":/kavor/fit_paper.svg");
    case ButtonIcon::scribble:
      return QStringLiteral(":/kavor/scribble.svg");
  }
  return {};
}

QPixmap render_svg(const QString& resource, int side, bool pressed) {
  QPixmap pixmap(side, side);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  QSvgRenderer(resource).render(&painter, QRectF(0, 0, side, side));
  if (pressed) {
    // A sunken frame: dark along the top and left, light along the rest.
    painter.setPen(QColor(64, 64, 64));
    painter.drawLine(0, 0, side - 1, 0);
    painter.drawLine(0, 0, 0, side - 1);
    painter.setPen(QColor(255, 255, 255));
    painter.drawLine(1, side - 1, side - 1, side - 1);
    painter.drawLine(side - 1, 1, side - 1, side - 1);
  }
  return pixmap;
}

QIcon icon_from_svg(const QString& resource, bool pressed = false) {
  QIcon icon;
  for (int side : {16, 24, 32, 48, 64}) icon.addPixmap(render_svg(resource, side, pressed));
  return icon;
}

}  // namespace

QIcon program_icon() { return icon_from_svg(QStringLiteral(":/kavor/kavor.svg")); }

QIcon picture_button_icon(ButtonIcon which) { return icon_from_svg(resource_of(which)); }

QIcon pressed_icon(ButtonIcon which) { return icon_from_svg(resource_of(which), true); }

}  // namespace kavor
