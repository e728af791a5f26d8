#pragma once
// OUTPUT, "出力": the output magnifications (1012, 1013). OK reads them;
// reset sets both to 1.0; Cancel puts back the values the dialog was
// opened with, so that the settings and the picture still agree.

#include <QDialog>

#include "config/settings_record.h"

namespace kavor {

class MagnificationFields;

class OutputDialog : public QDialog {
  Q_OBJECT
 public:

  explicit OutputDialog(Settings& settings, QWidget* parent = nullptr);
  void reject() override;

 private:
  void fill();
  void ok();
  void reset();

  Settings& settings_;
  const double magnification_x_, magnification_y_;  // for cancel
  MagnificationFields* magnifications_;
};

}  // namespace kavor
