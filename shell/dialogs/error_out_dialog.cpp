#include "shell/dialogs/error_out_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavor {

namespace {

QPushButton* closing_button(QDialog* dialog, const QString& text, int id) {
  auto* button = new QPushButton(text, dialog);
  button->setObjectName(QString::number(id));
  QObject::connect(button, &QPushButton::clicked, dialog, [dialog, id] { dialog->done(id); });
  return button;
}

}  // namespace

ErrorOutDialog::ErrorOutDialog(const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("HP-GL ｺﾏﾝﾄﾞ ｴﾗｰ"));
  auto* message = new QLabel(text, this);
  message->setObjectName(QStringLiteral("message"));
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* go_on = closing_button(this, QStringLiteral("続ける"), kContinue);
  QPushButton* abort = closing_button(this, QStringLiteral("中止"), kAbort);
  abort->setDefault(true);
  abort->setFocus();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(go_on);
  buttons->addWidget(abort);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(message);
  layout->addLayout(buttons);
}

}  // namespace kavor
