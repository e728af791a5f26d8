#pragma once
// ERROROUT: an HP-GL instruction the program does not know. Continue goes
// on with the next character, Abort (the default) ends the run.

#include <QDialog>

namespace kavor {

class ErrorOutDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kContinue = 1;
  static constexpr int kAbort = 2;

  ErrorOutDialog(const QString& text, QWidget* parent = nullptr);
};

}  // namespace kavor
