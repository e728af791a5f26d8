#pragma once
// PTYPEA, "Advance PlotterSet up": the plotter magnifications (1013, 1014)
// and the expand mode (1000). OK writes them into the settings; reset
// sets them to 1.0, 1.0 and normal at once. The plotter dialog that opens
// this one puts the values back when it is cancelled.

#include <QDialog>

#include "shell/dialogs/dialog_controls.h"

#include "config/settings_record.h"

class QCheckBox;

namespace kavor {

class MagnificationFields;

class AdvancedPlotterDialog : public QDialog {
  Q_OBJECT
 public:

  explicit AdvancedPlotterDialog(Settings& settings, QWidget* parent = nullptr);
  void reject() override { done(kDialogCancel); }

 private:
  void fill();
  void ok();
  void reset();

  Settings& settings_;
  MagnificationFields* magnifications_;
  QCheckBox* expand_;
};

}  // namespace kavor
