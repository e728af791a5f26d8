#include "shell/progress_dialog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kavor {

ProgressDialog::ProgressDialog(const QString& title, const QString& text, QWidget* parent) : QDialog(parent) {
  setWindowTitle(title);
  setModal(false);
  text_ = new QLabel(text, this);
  text_->setObjectName(QStringLiteral("1070"));
  text_->setMinimumWidth(text_->fontMetrics().horizontalAdvance(QStringLiteral("ドライバの返事を待っています．")));
  auto* stop = new QPushButton(QStringLiteral("中止"), this);
  stop->setObjectName(QStringLiteral("2"));
  connect(stop, &QPushButton::clicked, this, &ProgressDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text_);
  layout->addWidget(stop, 0, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void ProgressDialog::show_percent(int percent) {
  if (percent == 100) {
    setWindowTitle(QStringLiteral("Waiting ..."));
    text_->setText(QStringLiteral("ドライバの返事を待っています．"));
    waiting_ = true;
    return;
  }
  if (waiting_) {
    setWindowTitle(QStringLiteral("実行中 ..."));
    waiting_ = false;
  }
  text_->setText(QStringLiteral(" %1% done.").arg(percent));
}

void ProgressDialog::reject() {
  QDialog::reject();
  emit cancel_requested();
}

}  // namespace kavor
