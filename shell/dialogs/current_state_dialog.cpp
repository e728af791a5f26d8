#include "shell/dialogs/current_state_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/magnification_fields.h"
#include "shell/dialogs/pen_name_fields.h"
#include "shell/display_names.h"

namespace kavor {

namespace {

// One labelled value of the box in row, starting at column.
void add_value(QGridLayout* grid, int row, int column, const QString& label, int id, const QString& value,
               QGroupBox* parent) {
  QLabel* field = id_field(id, parent->title() + u' ' + label, parent);
  field->setText(value);
  auto* caption = new QLabel(label, parent);
  caption->setBuddy(field);
  grid->addWidget(caption, row, column);
  grid->addWidget(field, row, column + 1);
}

// Two columns of labelled values, the values at least as wide as a plotter
// name.
QGridLayout* value_grid(QGroupBox* box) {
  auto* grid = new QGridLayout(box);
  grid->setColumnMinimumWidth(1, 72);
  grid->setHorizontalSpacing(10);
  return grid;
}

}  // namespace

CurrentStateDialog::CurrentStateDialog(const Settings& s, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("現在の状態"));
  auto* plotter = new QGroupBox(QStringLiteral("プロッター"), this);
  QGridLayout* grid = value_grid(plotter);
  add_value(grid, 0, 0, QStringLiteral("機種:"), 1053, plotter_display_name(s.plotter), plotter);
  add_value(grid, 0, 2, QStringLiteral("用紙:"), 1054, paper_display_name(s.paper), plotter);
  add_value(grid, 1, 0, QStringLiteral("モード:"), 1026, mode_display_name(s.expand), plotter);
  add_value(grid, 2, 0, QStringLiteral("横拡大:"), 1059, magnification_text(s.magnification_x), plotter);
  add_value(grid, 2, 2, QStringLiteral("縦拡大:"), 1056, magnification_text(s.magnification_y), plotter);

  auto* output = new QGroupBox(QStringLiteral("出力"), this);
  grid = value_grid(output);
  add_value(grid, 0, 0, QStringLiteral("カラー:"), 1062, colour_display_name(s.colour), output);
  add_value(grid, 1, 0, QStringLiteral("横拡大:"), 1061, magnification_text(s.output_magnification_x), output);
  add_value(grid, 1, 2, QStringLiteral("縦拡大:"), 1060, magnification_text(s.output_magnification_y), output);

  auto* pens = new QGroupBox(QStringLiteral("ペン"), this);
  auto* pen_grid = new QGridLayout(pens);
  pen_grid->setHorizontalSpacing(16);
  for (int pen = 0; pen < kPens; ++pen) pen_grid->addWidget(new QLabel(pen_label(pen), pens), pen, 0);
  PenNameFields names(pen_grid, 0, 1, pens);
  names.fill(s);

  QPushButton* ok = ok_button(this, [this] { accept(); });
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(plotter);
  layout->addWidget(output);
  layout->addWidget(pens);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kavor
