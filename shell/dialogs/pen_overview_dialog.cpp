#include "shell/dialogs/pen_overview_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>

#include "shell/dialogs/colour_sample.h"
#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/pen_dialog.h"
#include "shell/display_names.h"

namespace kavor {

namespace {

constexpr std::array<int, kPens> kSwatchFields{1030, 1038, 1039, 1040, 1041, 1042, 1043, 1046};
constexpr int kPreviewBox = 1032;
constexpr QSize kSwatchSize{40, 16};
// Columns of the pen rows.
enum Column { kButtonColumn, kSwatchColumn, kNameColumn };

}  // namespace

PenOverviewDialog::PenOverviewDialog(Settings& settings, bool& preview, std::function<void()> redraw_view,
                                     QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      preview_(preview),
      redraw_view_(std::move(redraw_view)),
      pen_colours_(settings.pen_colours),
      pen_widths_(settings.pen_widths),
      grid_(new QGridLayout(this)),
      names_(grid_, 0, kNameColumn, this) {
  setWindowTitle(QStringLiteral("Plotter Pen"));
  grid_->setHorizontalSpacing(12);
  for (int pen = 0; pen < kPens; ++pen) {
    const int id = PenDialog::kFirstPenButton + pen;
    QPushButton* button = id_button(pen_label(pen), id, this, [this, id] { edit_pen(id); });
    auto& swatch = swatches_[static_cast<size_t>(pen)];
    swatch = new ColourSample(ColourSample::Shape::rectangle, kSwatchSize, this);
    swatch->setObjectName(QString::number(kSwatchFields[static_cast<size_t>(pen)]));
    grid_->addWidget(button, pen, kButtonColumn);
    grid_->addWidget(swatch, pen, kSwatchColumn);
  }
  preview_box_ = new QCheckBox(QStringLiteral("Preview"), this);
  preview_box_->setObjectName(QString::number(kPreviewBox));
  preview_box_->setChecked(preview);
  QPushButton* ok = ok_button(this, [this] { this->ok(); });
  QPushButton* cancel = cancel_button(this);
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(preview_box_);
  bottom->addStretch();
  bottom->addWidget(ok);
  bottom->addWidget(cancel);
  grid_->addLayout(bottom, kPens, 0, 1, kNameColumn + 2);
  grid_->setSizeConstraint(QLayout::SetFixedSize);
  fill();
}

void PenOverviewDialog::fill() {
  for (size_t n = 0; n < kPens; ++n) {
    const char letter = settings_.pen_colours[n];
    swatches_[n]->set_colour(pen_colour(letter));
    swatches_[n]->setAccessibleName(pen_label(static_cast<int>(n)) + u' ' + pen_colour_display_name(letter));
  }
  names_.fill(settings_);
}

void PenOverviewDialog::edit_pen(int pen_button) {
  PenDialog dialog(settings_, pen_button, this);
  if (dialog.exec() != kDialogOk) return;
  fill();
  if (preview_box_->isChecked()) redraw_view_();
}

void PenOverviewDialog::ok() {
  preview_ = preview_box_->isChecked();
  done(kDialogOk);
}

void PenOverviewDialog::reject() {
  settings_.pen_colours = pen_colours_;
  settings_.pen_widths = pen_widths_;
  done(kDialogCancel);
}

}  // namespace kavor
