#include "shell/dialogs/error_out_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"

namespace kavor {

ErrorOutDialog::ErrorOutDialog(const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("HP-GL ｺﾏﾝﾄﾞ ｴﾗｰ"));
  auto* message = new QLabel(text, this);
  message->setObjectName(QStringLiteral("message"));
  message->setTextInteractionFlags(Qt::TextSelectableByMouse);
  QPushButton* go_on = closing_button(QStringLiteral("続ける"), kContinue, this);
  QPushButton* abort = closing_button(QStringLiteral("中止"), kAbort, this);
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
