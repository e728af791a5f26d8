#pragma once
// The layout the program's small question dialogs share: a text above a
// row of buttons, each closing the dialog with its own id.

#include <QString>
#include <initializer_list>

class QDialog;

namespace kavor {

struct QuestionButton {
  QString text;
  int id;
};

// default_id: the button that Enter presses and that has the focus.
void lay_out_question(QDialog& dialog, const QString& text, std::initializer_list<QuestionButton> buttons,
                      int default_id);

}  // namespace kavor
