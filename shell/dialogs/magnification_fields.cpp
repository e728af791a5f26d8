#include "shell/dialogs/magnification_fields.h"

#include <QFormLayout>
#include <QLineEdit>
#include <cmath>
#include <string_view>

#include "config/settings.h"
#include "shell/dialogs/dialog_controls.h"

namespace kavor {

namespace {
constexpr qsizetype kScannedCharacters = 9;
}  // namespace

QString magnification_text(double value) { return QString::fromStdString(fixed_decimals(value, 2)); }

void read_magnification(const QString& text, double& value) {
  const QByteArray scanned = text.left(kScannedCharacters).toUtf8();
  std::string_view rest(scanned.constData(), static_cast<size_t>(scanned.size()));
  const std::optional<double> number = scan_real(rest);
  if (number && std::isfinite(*number)) value = *number;
}

MagnificationFields::MagnificationFields(int x_id, int y_id, QWidget* parent)
    : QWidget(parent), x_(id_edit(x_id, this)), y_(id_edit(y_id, this)) {
  auto* layout = new QFormLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addRow(QStringLiteral("横拡大:"), x_);
  layout->addRow(QStringLiteral("縦拡大:"), y_);
}

void MagnificationFields::show_values(double x, double y) {
  x_->setText(magnification_text(x));
  y_->setText(magnification_text(y));
}

void MagnificationFields::read_values(double& x, double& y) const {
  read_magnification(x_->text(), x);
  read_magnification(y_->text(), y);
}

}  // namespace kavor
