#include "shell/dialogs/error_out_dialog.h"

#include "shell/dialogs/question_layout.h"

namespace kavor {

ErrorOutDialog::ErrorOutDialog(const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("HP-GL ｺﾏﾝﾄﾞ ｴﾗｰ"));
  lay_out_question(*this, text, {{QStringLiteral("続ける"), kContinue}, {QStringLiteral("中止"), kAbort}}, kAbort);
}

}  // namespace kavor
