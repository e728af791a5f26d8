#pragma once
// PTYPE, "プロッター": the plotter model and the paper as two groups of
// radio buttons. OK takes the ticked ones; the advanced set-up (button 3)
// edits the magnifications and the expand mode, which Cancel puts back to
// their values from before this dialog was opened.

#include <QDialog>

#include "config/settings_record.h"

class QButtonGroup;

namespace kavor {

class PlotterDialog : public QDialog {
  Q_OBJECT
 public:

  explicit PlotterDialog(Settings& settings, QWidget* parent = nullptr);
  // Escape and the window's close button cancel.
  void reject() override;

 private:
  void ok();
  void advance();
  void put_back();

  Settings& settings_;
  // Remembered for cancel.
  double magnification_x_, magnification_y_;
  int expand_;
  QButtonGroup* plotters_;
  QButtonGroup* papers_;
};

}  // namespace kavor
