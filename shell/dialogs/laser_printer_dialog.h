#pragma once
// HP: sends a plot file unchanged to an HP laser printer that speaks PCL5,
// switched into HP-GL/2 by a preamble. The file (1007, at first the
// current plot file) and the printer (1008, kept by the window for the
// program's run) are typed or chosen ("参照", 1004 and 1005). "&Print"
// (1001) sends and leaves the dialog open; "&Done" (1003) closes it.

#include <QDialog>

class QLineEdit;

namespace kavor {

class DirectOutput;

class LaserPrinterDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kDone = 1003;

  LaserPrinterDialog(QString& printer, const QString& plot_file, DirectOutput& output, QWidget* parent = nullptr);
  void reject() override { done(kDone); }

 private:
  void print();
  void choose_file();
  void choose_printer();

  QString& printer_;
  DirectOutput& output_;
  QLineEdit* file_;
  QLineEdit* printer_field_;
};

}  // namespace kavor
