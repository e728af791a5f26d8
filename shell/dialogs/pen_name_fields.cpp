#include "shell/dialogs/pen_name_fields.h"

#include <QGridLayout>
#include <QLabel>

#include "shell/dialogs/dialog_controls.h"
#include "shell/display_names.h"

namespace kavor {

namespace {
constexpr std::array<int, kPens> kColourFields{1063, 1064, 1065, 1066, 1067, 1068, 1069, 1070};
constexpr std::array<int, kPens> kWidthFields{1072, 1073, 1074, 1075, 1076, 1078, 1079, 1080};
}  // namespace

QString pen_label(int pen) { return QStringLiteral("Pen %1").arg(pen); }

PenNameFields::PenNameFields(QGridLayout* layout, int first_row, int column, QWidget* parent) {
  for (int pen = 0; pen < kPens; ++pen) {
    const auto n = static_cast<size_t>(pen);
    colours_[n] = id_field(kColourFields[n], pen_label(pen) + QStringLiteral(" Color"), parent);
    widths_[n] = id_field(kWidthFields[n], pen_label(pen) + QStringLiteral(" Width"), parent);
    layout->addWidget(colours_[n], first_row + pen, column);
    layout->addWidget(widths_[n], first_row + pen, column + 1);
  }
}

void PenNameFields::fill(const Settings& settings) {
  for (size_t n = 0; n < kPens; ++n) {
    colours_[n]->setText(pen_colour_display_name(settings.pen_colours[n]));
    widths_[n]->setText(pen_width_display_name(settings.pen_widths[n]));
  }
}

}  // namespace kavor
