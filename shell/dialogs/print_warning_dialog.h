#pragma once
// PRINTPART and PRINTREAL: the warnings before a print, each with
// "続ける" (continue, id 1) and "ｷｬﾝｾﾙ" (cancel, id 2). Any result but
// continue ends the print command.

#include <QDialog>

namespace kavor {

class PrintWarningDialog : public QDialog {
  Q_OBJECT
 public:
  enum class Warning {
    split_while_zoomed,  // PRINTPART
    real_size,           // PRINTREAL
  };
  static constexpr int kContinue = 1;
  static constexpr int kCancel = 2;

  explicit PrintWarningDialog(Warning warning, QWidget* parent = nullptr);
};

}  // namespace kavor
