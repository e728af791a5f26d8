#include "shell/dialogs/about_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "shell/icons.h"

namespace kavor {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("KAVOR Version"));
  auto* icon = new QLabel(this);
  icon->setPixmap(program_icon().pixmap(48, 48));
  icon->setAccessibleName(QStringLiteral("KAVOR"));
  auto* product = new QLabel(QStringLiteral("VE-RO(vu) Razo / Voruz Uvivevi"), this);
  auto* version = new QLabel(QStringLiteral("バージョン 3.32"), this);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("1"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QGridLayout(this);
  layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
  layout->addWidget(product, 0, 1);
  layout->addWidget(version, 1, 1);
  layout->addWidget(ok, 2, 0, 1, 2, Qt::AlignHCenter);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace kavor
