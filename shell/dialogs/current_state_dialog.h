#pragma once
// CURRENT, "現在の状態": the settings as they stand, read only: plotter,
// paper, mode, the plotter and output magnifications, colour mode and the
// eight pens.

#include <QDialog>

#include "config/settings_record.h"

namespace kavor {

class CurrentStateDialog : public QDialog {
  Q_OBJECT
 public:
  explicit CurrentStateDialog(const Settings& settings, QWidget* parent = nullptr);
};

}  // namespace kavor
