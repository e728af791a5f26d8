#include "shell/dialogs/question_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"

namespace kavor {

void lay_out_question(QDialog& dialog, const QString& text, std::initializer_list<QuestionButton> buttons,
                      int default_id) {
  auto* message = new QLabel(text, &dialog);
  message->setObjectName(QStringLiteral("message"));
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (const QuestionButton& b : buttons) {
    QPushButton* button = closing_button(b.text, b.id, &dialog);
    row->addWidget(button);
    if (b.id == default_id) {
      button->setDefault(true);
      button->setFocus();
    }
  }
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(message);
  layout->addLayout(row);
}

}  // namespace kavor
