#pragma once
// ProgressDlgBox: the small modeless dialog shown while the engine runs,
// with its progress text (field 1070) and the button "中止" (id 2) that
// cancels. Closing it by any other means cancels too.

#include <QDialog>

class QLabel;

namespace kavor {

class ProgressDialog : public QDialog {
  Q_OBJECT
 public:
  ProgressDialog(const QString& title, const QString& text, QWidget* parent);
  // A percentage from the engine: " N% done.", or at 100 the wait for
  // the driver's answer.
  void show_percent(int percent);

 signals:
  void cancel_requested();

 protected:
  void reject() override;

 private:
  QLabel* text_;
  bool waiting_ = false;
};

}  // namespace kavor
