#include "shell/dialogs/laser_printer_dialog.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>

#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/help_box.h"
#include "shell/direct_output.h"

namespace kavor {

namespace {

constexpr int kPrintButton = 1001;
constexpr int kHelpButton = 1002;
constexpr int kFileButton = 1004;
constexpr int kPrinterButton = 1005;
constexpr int kFileField = 1007;
constexpr int kPrinterField = 1008;

QStringList queue_names() {
  QStringList names;
  for (const std::string& name : printer_names()) names.append(QString::fromStdString(name));
  return names;
}

}  // namespace

LaserPrinterDialog::LaserPrinterDialog(QString& printer, const QString& plot_file, DirectOutput& output,
                                       QWidget* parent)
    : QDialog(parent),
      printer_(printer),
      output_(output),
      file_(id_edit(kFileField, this)),
      printer_field_(id_edit(kPrinterField, this)) {
  file_->setText(plot_file);
  file_->setMinimumWidth(320);
  printer_field_->setText(printer);
  connect(printer_field_, &QLineEdit::textChanged, this, [this](const QString& name) { printer_ = name; });
  QPushButton* choose_file = id_button(QStringLiteral("参照"), kFileButton, this, [this] { this->choose_file(); });
  choose_file->setAccessibleName(QStringLiteral("ファイルの参照"));
  QPushButton* choose_printer =
      id_button(QStringLiteral("参照"), kPrinterButton, this, [this] { this->choose_printer(); });
  choose_printer->setAccessibleName(QStringLiteral("プリンタの参照"));
  QPushButton* print = id_button(QStringLiteral("&Print"), kPrintButton, this, [this] { this->print(); });
  print->setDefault(true);
  QPushButton* help =
      id_button(QStringLiteral("&Help"), kHelpButton, this, [this] { show_help_box(HelpTopic::laser_printer, this); });
  QPushButton* done = closing_button(QStringLiteral("&Done"), kDone, this);

  auto* file_label = new QLabel(QStringLiteral("ファイル"), this);
  file_label->setBuddy(file_);
  auto* printer_label = new QLabel(QStringLiteral("プリンタ"), this);
  printer_label->setBuddy(printer_field_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  for (QPushButton* button : {print, help, done}) buttons->addWidget(button);
  auto* layout = new QGridLayout(this);
  layout->addWidget(file_label, 0, 0);
  layout->addWidget(file_, 0, 1);
  layout->addWidget(choose_file, 0, 2);
  layout->addWidget(printer_label, 1, 0);
  layout->addWidget(printer_field_, 1, 1);
  layout->addWidget(choose_printer, 1, 2);
  layout->addLayout(buttons, 2, 0, 1, 3);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void LaserPrinterDialog::print() { output_.send_to_printer(printer_field_->text(), file_->text()); }

void LaserPrinterDialog::choose_file() {
  QFileDialog dialog(this, QStringLiteral("印刷するファイル"));
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (!file_->text().isEmpty()) dialog.selectFile(file_->text());
  if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty())
    file_->setText(dialog.selectedFiles().constFirst());
}

// The queues of the CUPS scheduler to choose from; cancelling the choice
// empties the printer name.
void LaserPrinterDialog::choose_printer() {
  const QStringList names = queue_names();
  bool chosen = false;
  const QString name = QInputDialog::getItem(
      this, QStringLiteral("プリンタの選択"),
      names.isEmpty() ? QStringLiteral("プリンタが登録されていません.") : QStringLiteral("プリンタ:"), names,
      static_cast<int>(std::max<qsizetype>(0, names.indexOf(printer_field_->text()))), false, &chosen);
  printer_field_->setText(chosen ? name : QString());
}

}  // namespace kavor
