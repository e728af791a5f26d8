#include "shell/dialogs/output_dialog.h"

#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/help_box.h"
#include "shell/dialogs/magnification_fields.h"

namespace kavor {

namespace {
constexpr int kResetButton = 3;
constexpr int kHelpButton = 9;
}  // namespace

OutputDialog::OutputDialog(Settings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      magnification_x_(settings.output_magnification_x),
      magnification_y_(settings.output_magnification_y),
      magnifications_(new MagnificationFields(1012, 1013, this)) {
  setWindowTitle(QStringLiteral("出力"));
  QPushButton* reset = id_button(QStringLiteral("ﾘｾｯﾄ"), kResetButton, this, [this] { this->reset(); });
  QPushButton* help =
      id_button(QStringLiteral("ﾍﾙﾌﾟ"), kHelpButton, this, [this] { show_help_box(HelpTopic::output, this); });
  QVBoxLayout* buttons = button_column({ok_button(this, [this] { ok(); }), cancel_button(this), reset, help});
  auto* layout = new QGridLayout(this);
  layout->addWidget(magnifications_, 0, 0, Qt::AlignTop);
  layout->addLayout(buttons, 0, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  fill();
}

void OutputDialog::fill() {
  magnifications_->show_values(settings_.output_magnification_x, settings_.output_magnification_y);
}

void OutputDialog::ok() {
  magnifications_->read_values(settings_.output_magnification_x, settings_.output_magnification_y);
  done(kDialogOk);
}

void OutputDialog::reset() {
  settings_.output_magnification_x = settings_.output_magnification_y = 1.0;
  fill();
}

void OutputDialog::reject() {
  settings_.output_magnification_x = magnification_x_;
  settings_.output_magnification_y = magnification_y_;
  done(kDialogCancel);
}

}  // namespace kavor
