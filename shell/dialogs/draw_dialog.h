#pragma once
// DRAW: the scribble tool window. It holds the pen the scribbles are drawn
// with: line style, width, colour and shape, and a font (chosen, but text
// is drawn in the system font).

#include <QColor>
#include <QDialog>
#include <QFont>

class QButtonGroup;

namespace kavor {

class MessageBoxes;

struct ScribblePen {
  enum class Style { solid, dotted, dashed };
  enum class Shape { line, rectangle, ellipse, text };
  Style style = Style::solid;
  int width = 3;
  QColor colour = Qt::black;
  Shape shape = Shape::line;
  QFont font;
};

class DrawDialog : public QDialog {
  Q_OBJECT
 public:
  DrawDialog(MessageBoxes& boxes, QWidget* parent);
  const ScribblePen& pen() const { return pen_; }

 private:
  QButtonGroup* radio_group(const QList<std::pair<int, QString>>& buttons);
  void style_chosen(int id);
  void width_chosen(int id);
  void choose_font();

  MessageBoxes& boxes_;
  ScribblePen pen_;
  QButtonGroup* styles_ = nullptr;
  QButtonGroup* widths_ = nullptr;
};

}  // namespace kavor
