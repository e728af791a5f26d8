#include "shell/dialogs/settings_slot_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace kavor {

namespace {
constexpr int kSlots = 4;
constexpr int kSaveAsDefaultBox = 1068;
constexpr int kCancelButton = 2;
}  // namespace

SettingsSlotDialog::SettingsSlotDialog(Purpose purpose, bool save_as_default, QWidget* parent) : QDialog(parent) {
  const bool saving = purpose == Purpose::save;
  setWindowTitle(saving ? QStringLiteral("ｵﾌﾟｼｮﾝの保存") : QStringLiteral("ｵﾌﾟｼｮﾝの読込み"));
  auto* layout = new QGridLayout(this);
  layout->addWidget(new QLabel(saving ? QStringLiteral("保存する番号を選んでください.")
                                      : QStringLiteral("読み込む番号を選んでください."),
                               this),
                    0, 0, 1, kSlots);
  for (int slot = 1; slot <= kSlots; ++slot) {
    auto* button = new QPushButton(QString::number(slot), this);
    button->setObjectName(QString::number(kFirstSlotButton + slot - 1));
    button->setAccessibleName(QStringLiteral("ｵﾌﾟｼｮﾝ%1").arg(slot));
    connect(button, &QPushButton::clicked, this, [this, slot] {
      slot_ = slot;
      accept();
    });
    layout->addWidget(button, 1, slot - 1);
  }
  if (saving) {
    as_default_ = new QCheckBox(QStringLiteral("デフォルトで保存"), this);
    as_default_->setObjectName(QString::number(kSaveAsDefaultBox));
    as_default_->setChecked(save_as_default);
    layout->addWidget(as_default_, 2, 0, 1, kSlots);
  }
  auto* cancel = new QPushButton(QStringLiteral("ｷｬﾝｾﾙ"), this);
  cancel->setObjectName(QString::number(kCancelButton));
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  layout->addWidget(cancel, 3, kSlots - 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

bool SettingsSlotDialog::save_as_default() const { return as_default_ != nullptr && as_default_->isChecked(); }

}  // namespace kavor
