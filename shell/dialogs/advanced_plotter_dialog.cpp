#include "shell/dialogs/advanced_plotter_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/help_box.h"
#include "shell/dialogs/magnification_fields.h"

namespace kavor {

namespace {
constexpr int kExpandBox = 1000;
constexpr int kResetButton = 1028;
constexpr int kHelpButton = 9;
}  // namespace

AdvancedPlotterDialog::AdvancedPlotterDialog(Settings& settings, QWidget* parent)
    : QDialog(parent), settings_(settings), magnifications_(new MagnificationFields(1013, 1014, this)) {
  setWindowTitle(QStringLiteral("Advance PlotterSet up"));
  expand_ = new QCheckBox(QStringLiteral("EXPAMD"), this);
  expand_->setObjectName(QString::number(kExpandBox));
  QPushButton* reset = id_button(QStringLiteral("ﾘｾｯﾄ"), kResetButton, this, [this] { this->reset(); });
  QPushButton* help = id_button(QStringLiteral("ﾍﾙﾌﾟ"), kHelpButton, this,
                                [this] { show_help_box(HelpTopic::advanced_plotter, this); });
  QVBoxLayout* buttons = button_column({ok_button(this, [this] { ok(); }), cancel_button(this), reset, help});
  auto* layout = new QGridLayout(this);
  layout->addWidget(magnifications_, 0, 0);
  layout->addWidget(expand_, 1, 0);
  layout->addLayout(buttons, 0, 1, 3, 1);
  layout->setRowStretch(2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  fill();
}

void AdvancedPlotterDialog::fill() {
  magnifications_->show_values(settings_.magnification_x, settings_.magnification_y);
  expand_->setChecked(settings_.expand == MODE_EXPAND);
}

void AdvancedPlotterDialog::ok() {
  settings_.expand = expand_->isChecked() ? MODE_EXPAND : MODE_NORMAL;
  magnifications_->read_values(settings_.magnification_x, settings_.magnification_y);
  done(kDialogOk);
}

void AdvancedPlotterDialog::reset() {
  settings_.magnification_x = settings_.magnification_y = 1.0;
  settings_.expand = MODE_NORMAL;
  fill();
}

}  // namespace kavor
