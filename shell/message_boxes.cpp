#include "shell/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

#include "shell/dialogs/error_out_dialog.h"

namespace kavor {

namespace {

QMessageBox::Icon box_icon(MessageBoxes::Icon icon) {
  switch (icon) {
    case MessageBoxes::Icon::information:
      return QMessageBox::Information;
    case MessageBoxes::Icon::warning:
      return QMessageBox::Warning;
    case MessageBoxes::Icon::critical:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

bool QtMessageBoxes::engine_warning(const QString& text, bool offer_silence) {
  QMessageBox box(QMessageBox::Warning, QStringLiteral("Error"), text, QMessageBox::Ok, owner_);
  QPushButton* silence = nullptr;
  if (offer_silence) silence = box.addButton(QStringLiteral("以降の警告を表示しない"), QMessageBox::RejectRole);
  box.setDefaultButton(QMessageBox::Ok);
  box.exec();
  return silence != nullptr && box.clickedButton() == silence;
}

bool QtMessageBoxes::instruction_error(const QString& text) {
  ErrorOutDialog dialog(text, owner_);
  return dialog.exec() == ErrorOutDialog::kContinue;
}

void QtMessageBoxes::message(const QString& text, const QString& caption, Icon icon, const QString& details) {
  QMessageBox box(box_icon(icon), caption, text, QMessageBox::Ok, owner_);
  if (!details.isEmpty()) box.setDetailedText(details);
  box.exec();
}

}  // namespace kavor
