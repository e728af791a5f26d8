#pragma once
// A pair of magnification fields, "横拡大:" and "縦拡大:", shown with two
// decimals and read back with a plain number scan.

#include <QString>
#include <QWidget>

class QLineEdit;

namespace kavor {

// The value with two decimals, as "%1.2lf" prints it in the C locale.
QString magnification_text(double value);
// Scans a number from the front of the text's first 9 characters, as
// "%lf" would; text that does not begin with a finite number leaves value
// unchanged.
void read_magnification(const QString& text, double& value);

class MagnificationFields : public QWidget {
  Q_OBJECT
 public:
  MagnificationFields(int x_id, int y_id, QWidget* parent = nullptr);
  void show_values(double x, double y);
  void read_values(double& x, double& y) const;

 private:
  QLineEdit* x_;
  QLineEdit* y_;
};

}  // namespace kavor
