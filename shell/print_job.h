#pragma once
// Printing on one sheet or split over 2, 4, 8 or 16 sheets through Qt's
// print support (CUPS queues, or a PDF file): the warnings, the print
// dialog on one printer record kept for the program's run, the progress
// dialog with its cancel, and every sheet rendered afresh by the engine on
// its printer page from its own parameter file.

#include <QObject>
#include <memory>
#include <sstream>
#include <string>

#include "config/print_layout.h"
#include "shell/dialogs/print_warning_dialog.h"

class QMainWindow;
class QPrinter;

namespace kavor {

class MessageBoxes;
class ShellHost;
class ViewRenderer;
class ViewZoom;
class SheetGrid;
struct Settings;

class PrintJob : public QObject {
  Q_OBJECT
 public:
  PrintJob(QMainWindow& window, MessageBoxes& boxes, ShellHost& host, Settings& settings, ViewZoom& zoom,
           ViewRenderer& renderer);
  ~PrintJob() override;

  // A print command (109, 151, 117, 152 or 153) on the plot file. False
  // after a fatal engine error: the program must end then.
  bool print(int command, const std::string& plot_file);
  // Printer set-up: the print dialog alone, so that the next print starts
  // from the printer chosen there.
  void printer_setup();
  // From the first warning to the end of the document.
  bool is_printing() const { return printing_; }
  // The print dialog's record: the printer chosen last, its paper and
  // options. Made when first needed, so that no printer is asked for until
  // the user prints.
  QPrinter& printer();

 signals:
  // A sheet's page has ended (split index; 0 for the single sheet).
  void sheet_printed(int index);

 private:
  bool confirm(const PrintLayoutEntry& layout);
  bool ask(PrintWarningDialog::Warning warning);
  bool choose_printer();
  bool run_job(const PrintLayoutEntry& layout, const std::string& plot_file, SheetGrid& grid);

  QMainWindow& window_;
  MessageBoxes& boxes_;
  ShellHost& host_;
  Settings& settings_;
  ViewZoom& zoom_;
  ViewRenderer& renderer_;
  std::unique_ptr<QPrinter> printer_;
  bool printing_ = false;
  std::ostringstream engine_output_;  // the engine's standard streams
};

}  // namespace kavor
