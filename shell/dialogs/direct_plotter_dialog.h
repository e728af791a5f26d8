#pragma once
// LPT, "プロッタへ直接": sends the current plot file unchanged to a port:
// LPT1 (1074), LPT2 (1075), each USB printer device there is, or another
// port or file typed under "その他" (1078, field 1079). "出力" (1) sends and
// closes the dialog; "出力中止" (1080) stops a send in progress.

#include <QDialog>
#include <QStringList>
#include <map>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kavor {

class DirectOutput;

// The port chosen last, kept by the window for the program's run.
struct PortChoice {
  bool other = false;  // typed under "その他"
  QString name = QStringLiteral("LPT1");
};

class DirectPlotterDialog : public QDialog {
  Q_OBJECT
 public:
  static constexpr int kOutput = 1;

  // usb_devices: the USB printer devices offered beside LPT1 and LPT2.
  DirectPlotterDialog(PortChoice& choice, const QStringList& usb_devices, DirectOutput& output,
                      const QString& plot_file, QWidget* parent = nullptr);
  // While a send is in progress, closing the dialog stops it instead.
  void reject() override;

 private:
  void tick(const PortChoice& choice);
  QString chosen_port() const;
  void send();

  PortChoice& choice_;
  DirectOutput& output_;
  QString plot_file_;
  QButtonGroup* ports_;
  std::map<int, QString> port_names_;  // by button id, "other" aside
  QLineEdit* other_name_;
  QLabel* status_;
  QList<QWidget*> idle_controls_;  // disabled while sending
};

}  // namespace kavor
