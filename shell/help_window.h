#pragma once
// The help window: the program's HTML help page (menus, options, dialogs,
// the zoom) in a browser of its own beside the main window.

#include <QWidget>

namespace kavor {

class HelpWindow : public QWidget {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent = nullptr);
  // Shows the page at its top, in front.
  void show_index();
};

}  // namespace kavor
