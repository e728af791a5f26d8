#pragma once
// The help boxes of the plotter set-up (HELPPTYPEA), the output
// magnification (HELPOUTPUT) and the laser printer (HPHELP): an
// explanation of the dialog's fields and an OK button.

#include <QDialog>

namespace kavor {

enum class HelpTopic { advanced_plotter, output, laser_printer };

class HelpBox : public QDialog {
  Q_OBJECT
 public:
  explicit HelpBox(HelpTopic topic, QWidget* parent = nullptr);
};

// Shows the help box of the topic over parent until it is closed.
void show_help_box(HelpTopic topic, QWidget* parent);

}  // namespace kavor
