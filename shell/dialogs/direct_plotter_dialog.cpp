#include "shell/dialogs/direct_plotter_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "shell/dialogs/dialog_controls.h"
#include "shell/direct_output.h"

namespace kavor {

namespace {

constexpr int kLpt1Button = 1074;
constexpr int kLpt2Button = 1075;
constexpr int kOtherButton = 1078;
constexpr int kOtherField = 1079;
constexpr int kStopButton = 1080;
// The USB devices' buttons are numbered from here on.
constexpr int kFirstUsbButton = 2000;
// The longest port name taken from the field.
constexpr int kPortNameLength = 4096;

QString progress_text(const PortProgress& progress) {
  if (progress.waiting)
    return QStringLiteral("プロッタの受け付けを待っています. %1 / %2 バイト送りました.\n"
                          "長く続くときは電源と用紙を確かめてください. 「出力中止」で止められます.")
        .arg(progress.sent)
        .arg(progress.total);
  return QStringLiteral("出力中: %1 / %2 バイト").arg(progress.sent).arg(progress.total);
}

}  // namespace

DirectPlotterDialog::DirectPlotterDialog(PortChoice& choice, const QStringList& usb_devices, DirectOutput& output,
                                         const QString& plot_file, QWidget* parent)
    : QDialog(parent), choice_(choice), output_(output), plot_file_(plot_file) {
  setWindowTitle(QStringLiteral("プロッタへ直接"));
  auto* box = new QGroupBox(QStringLiteral("ポート"), this);
  auto* grid = new QGridLayout(box);
  ports_ = new QButtonGroup(box);
  auto add_port = [&](const QString& text, int id, const QString& port) {
    QRadioButton* radio = id_radio(text, id, box);
    ports_->addButton(radio, id);
    grid->addWidget(radio, grid->rowCount(), 0, 1, 2);
    port_names_[id] = port;
    return radio;
  };
  add_port(QStringLiteral("LPT1"), kLpt1Button, QStringLiteral("LPT1"));
  add_port(QStringLiteral("LPT2"), kLpt2Button, QStringLiteral("LPT2"));
  for (qsizetype i = 0; i < usb_devices.size(); ++i)
    add_port(QStringLiteral("USB %1").arg(usb_devices[i]), kFirstUsbButton + static_cast<int>(i), usb_devices[i])
        ->setObjectName(usb_devices[i]);
  other_name_ = id_edit(kOtherField, box);
  other_name_->setMaxLength(kPortNameLength);
  other_name_->setAccessibleName(QStringLiteral("その他のポート"));
  other_name_->setMinimumWidth(220);
  QRadioButton* other = id_radio(QStringLiteral("その他"), kOtherButton, box);
  ports_->addButton(other, kOtherButton);
  const int other_row = grid->rowCount();
  grid->addWidget(other, other_row, 0);
  grid->addWidget(other_name_, other_row, 1);
  // Typing a port name chooses "other".
  connect(other_name_, &QLineEdit::textEdited, other, [other] { other->setChecked(true); });

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("status"));
  QPushButton* send = id_button(QStringLiteral("出力(&O)"), kOutput, this, [this] { this->send(); });
  send->setDefault(true);
  QPushButton* stop = id_button(QStringLiteral("出力中止"), kStopButton, this, [this] { output_.stop_port_output(); });
  QPushButton* cancel = cancel_button(this);
  idle_controls_ = {box, send, cancel};
  QVBoxLayout* buttons = button_column({send, stop, cancel});
  auto* layout = new QGridLayout(this);
  layout->addWidget(box, 0, 0);
  layout->addLayout(buttons, 0, 1);
  layout->addWidget(status_, 1, 0, 1, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  tick(choice);
}

// The remembered port's button, and its name in the field; a remembered
// USB device that has gone shows as another port.
void DirectPlotterDialog::tick(const PortChoice& choice) {
  int ticked = kOtherButton;
  for (const auto& [id, name] : port_names_)
    if (!choice.other && name == choice.name) ticked = id;
  ports_->button(ticked)->setChecked(true);
  other_name_->setText(choice.name);
}

QString DirectPlotterDialog::chosen_port() const {
  const auto found = port_names_.find(ports_->checkedId());
  return found == port_names_.end() ? other_name_->text() : found->second;
}

void DirectPlotterDialog::send() {
  const QString port = chosen_port();
  other_name_->setText(port);
  choice_ = {ports_->checkedId() == kOtherButton, port};
  for (QWidget* control : idle_controls_) control->setEnabled(false);
  output_.send_to_port(port, plot_file_, [this](const PortProgress& progress) {
    status_->setText(progress_text(progress));
  });
  done(kOutput);
}

void DirectPlotterDialog::reject() {
  if (output_.sending_to_port()) {
    output_.stop_port_output();
    return;
  }
  done(kDialogCancel);
}

}  // namespace kavor
