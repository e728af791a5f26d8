#pragma once
// PPENTOP, "Plotter Pen": the eight pens with their colour swatches and
// colour and width names, a button per pen that opens the pen dialog, and
// the box "Preview" (1032): while it is ticked, every change of a pen is
// drawn in the main window at once. Cancel puts the pens back.

#include <QDialog>
#include <array>
#include <functional>

#include "config/settings_record.h"
#include "shell/dialogs/pen_name_fields.h"

class QCheckBox;
class QGridLayout;

namespace kavor {

class ColourSample;

class PenOverviewDialog : public QDialog {
  Q_OBJECT
 public:

  // preview is the box's state, kept by the caller for the program's run
  // and stored by OK; redraw_view has the main window draw the plot again.
  PenOverviewDialog(Settings& settings, bool& preview, std::function<void()> redraw_view,
                    QWidget* parent = nullptr);
  void reject() override;

 private:
  void fill();
  void edit_pen(int pen_button);
  void ok();

  Settings& settings_;
  bool& preview_;
  std::function<void()> redraw_view_;
  // Remembered for cancel.
  const std::array<char, 9> pen_colours_, pen_widths_;
  std::array<ColourSample*, kPens> swatches_{};
  QGridLayout* grid_;
  PenNameFields names_;
  QCheckBox* preview_box_;
};

}  // namespace kavor
