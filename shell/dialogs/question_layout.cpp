#include "shell/dialogs/question_layout.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavor {

void lay_out_question(QDialog& dialog, const QString& text, std::initializer_list<QuestionButton> buttons,
                      int default_id) {
  auto* message = new QLabel(text, &dialog);
  message->setObjectName(QStringLiteral("message"));
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* row = new QHBoxLayout;
  row->addStretch();
  for (const QuestionButton& b : buttons) {
    auto* button = new QPushButton(b.text, &dialog);
    button->setObjectName(QString::number(b.id));
    const int id = b.id;
    QObject::connect(button, &QPushButton::clicked, &dialog, [&dialog, id] { dialog.done(id); });
    row->addWidget(button);
    if (id == default_id) {
      button->setDefault(true);
      button->setFocus();
    }
  }
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(message);
  layout->addLayout(row);
}

}  // namespace kavor
