#pragma once
// ABOUTBOX: the product and version lines with the program's icon.

#include <QDialog>

namespace kavor {

class AboutDialog : public QDialog {
  Q_OBJECT
 public:
  explicit AboutDialog(QWidget* parent = nullptr);
};

}  // namespace kavor
