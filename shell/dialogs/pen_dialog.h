#pragma once
// PPEN, "Plotter Pen": the colour and the width of one pen as two groups
// of radio buttons, with a filled ellipse in the ticked colour (field 30).
// OK writes them into the settings.

#include <QDialog>

#include "shell/dialogs/dialog_controls.h"

#include "config/settings_record.h"

class QButtonGroup;

namespace kavor {

class ColourSample;

class PenDialog : public QDialog {
  Q_OBJECT
 public:
  // The pen overview's buttons 119..126 open this dialog for pens 0..7.
  static constexpr int kFirstPenButton = 119;

  PenDialog(Settings& settings, int pen_button, QWidget* parent = nullptr);
  void reject() override { done(kDialogCancel); }

 private:
  void ok();
  void show_colour();

  Settings& settings_;
  int pen_;
  QButtonGroup* colours_;
  QButtonGroup* widths_;
  ColourSample* preview_;
};

}  // namespace kavor
