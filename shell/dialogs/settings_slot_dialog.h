#pragma once
// SAVE_CONFIG and LOAD_CONFIG: one of the four option slots, chosen by its
// button (1064..1067 for slots 1..4). Saving also offers the box "save as
// default" (1068), whose state the caller keeps for the program's run.

#include <QDialog>

class QCheckBox;

namespace kavor {

class SettingsSlotDialog : public QDialog {
  Q_OBJECT
 public:
  enum class Purpose { save, load };
  static constexpr int kFirstSlotButton = 1064;

  // save_as_default is shown and edited only when saving.
  SettingsSlotDialog(Purpose purpose, bool save_as_default, QWidget* parent = nullptr);
  // 1..4 after a slot button closed the dialog, else 0.
  int slot() const { return slot_; }
  bool save_as_default() const;

 private:
  int slot_ = 0;
  QCheckBox* as_default_ = nullptr;
};

}  // namespace kavor
