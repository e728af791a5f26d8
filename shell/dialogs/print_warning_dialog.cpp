#include "shell/dialogs/print_warning_dialog.h"

#include "shell/dialogs/question_layout.h"

namespace kavor {

namespace {

QString warning_text(PrintWarningDialog::Warning warning) {
  switch (warning) {
    case PrintWarningDialog::Warning::split_while_zoomed:
      return QStringLiteral("ズーム時には分割印刷はできません");
    case PrintWarningDialog::Warning::real_size:
      break;
  }
  return QStringLiteral(
      "実寸で印刷します.\n"
      "プリンタの用紙サイズと余白によっては, 図面の一部が切れることがあります.\n"
      "分割印刷やズームとは両立しないことがあります.");
}

}  // namespace

PrintWarningDialog::PrintWarningDialog(Warning warning, QWidget* parent) : QDialog(parent) {
  const bool part = warning == Warning::split_while_zoomed;
  setObjectName(part ? QStringLiteral("PRINTPART") : QStringLiteral("PRINTREAL"));
  setWindowTitle(QStringLiteral("印刷"));
  lay_out_question(*this, warning_text(warning), {{QStringLiteral("続ける"), kContinue}, {QStringLiteral("ｷｬﾝｾﾙ"), kCancel}},
                   kContinue);
}

}  // namespace kavor
