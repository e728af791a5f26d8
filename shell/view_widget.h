#pragma once
// The main window's view: it copies the picture (finished, or the part
// drawn so far) and draws over it what the mouse handlers show. A paint
// that finds no picture asks for one through the event loop; rendering
// never happens inside the paint.

#include <QWidget>

namespace kavor {

class MouseHandlers;
class ViewRenderer;

class ViewWidget : public QWidget {
  Q_OBJECT
 public:
  explicit ViewWidget(const ViewRenderer& renderer, QWidget* parent = nullptr);
  void set_handlers(MouseHandlers* handlers) { handlers_ = handlers; }

 signals:
  // A paint found no picture.
  void picture_needed();
  void resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ask_for_picture();

  const ViewRenderer& renderer_;
  MouseHandlers* handlers_ = nullptr;
  bool picture_asked_ = false;
};

}  // namespace kavor
