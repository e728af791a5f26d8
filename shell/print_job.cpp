#include "shell/print_job.h"

#include <QApplication>
#include <QMainWindow>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include "config/settings.h"
#include "engine/engine.h"
#include "engine/quiet_engine.h"
#include "engine/run.h"
#include "platform/sheet_renderer.h"
#include "shell/message_boxes.h"
#include "shell/sheet_grid.h"
#include "shell/shell_host.h"
#include "shell/view_zoom.h"

namespace kavor {

namespace {

const QString kLandscapeWarning = QStringLiteral("プリンタ用紙が横置きです,縦横比が逆転します.");
const QString kStartDocError = QStringLiteral("StartDoc Error");

// The printing field of the settings holds the print command while the
// print runs; the parameter files then carry -CC ESC/P.
class PrintingField {
 public:
  PrintingField(Settings& settings, int command) : settings_(settings) { settings_.printing = command; }
  ~PrintingField() { settings_.printing = 0; }
  PrintingField(const PrintingField&) = delete;
  PrintingField& operator=(const PrintingField&) = delete;

 private:
  Settings& settings_;
};

}  // namespace

PrintJob::PrintJob(QMainWindow& window, MessageBoxes& boxes, ShellHost& host, Settings& settings, ViewZoom& zoom,
                   ViewRenderer& renderer)
    : window_(window), boxes_(boxes), host_(host), settings_(settings), zoom_(zoom), renderer_(renderer) {}

PrintJob::~PrintJob() = default;

QPrinter& PrintJob::printer() {
  if (!printer_) {
    printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer_->setCopyCount(1);
    printer_->setCollateCopies(true);
  }
  return *printer_;
}

bool PrintJob::print(int command, const std::string& plot_file) {
  const PrintLayoutEntry* layout = print_layout_of_command(command);
  if (!layout || printing_) return true;
  printing_ = true;
  PrintingField field(settings_, command);
  bool finished = true;
  if (confirm(*layout)) {
    {
      SheetGrid grid(renderer_, *window_.centralWidget(), *layout);
      finished = run_job(*layout, plot_file, grid);
    }
    QApplication::beep();
  }
  printing_ = false;
  return finished;
}

void PrintJob::printer_setup() {
  if (printing_) return;
  printing_ = true;
  choose_printer();
  printing_ = false;
}

// PRINTPART for a split while zoomed, PRINTREAL for a split at real size,
// and PRINTREAL for any print while zoomed at real size.
bool PrintJob::confirm(const PrintLayoutEntry& layout) {
  using Warning = PrintWarningDialog::Warning;
  const bool zoomed = zoom_.is_zoomed(), real = settings_.real_size != 0;
  if (layout.sheets > 1) {
    if (zoomed && !ask(Warning::split_while_zoomed)) return false;
    if (real && !ask(Warning::real_size)) return false;
  }
  return !(zoomed && real) || ask(Warning::real_size);
}

bool PrintJob::ask(PrintWarningDialog::Warning warning) {
  PrintWarningDialog dialog(warning, &window_);
  return dialog.exec() == PrintWarningDialog::kContinue;
}

bool PrintJob::choose_printer() {
  QPrintDialog dialog(&printer(), &window_);
  dialog.setOptions(QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintCollateCopies |
                    QAbstractPrintDialog::PrintShowPageSize);
  return dialog.exec() == QDialog::Accepted && printer_->isValid();
}

bool PrintJob::run_job(const PrintLayoutEntry& layout, const std::string& plot_file, SheetGrid& grid) {
  if (!choose_printer()) return true;
  if (printer_->pageLayout().orientation() != QPageLayout::Portrait)
    boxes_.message(kLandscapeWarning, QStringLiteral("Paper"), MessageBoxes::Icon::critical);
  // The resolution stays in the settings after the print.
  settings_.resolution_x = printer_->logicalDpiX();
  settings_.resolution_y = printer_->logicalDpiY();
  host_.begin(QStringLiteral("印刷準備中"), QStringLiteral("Cancel Printing"));
  printer_->setDocName(QStringLiteral("Print: Kavor"));
  QPainter painter;
  if (!painter.begin(printer_.get())) {
    boxes_.message(kStartDocError, kStartDocError, MessageBoxes::Icon::warning);
    host_.end();
    return true;
  }
  const std::string dir = host_.settings_dir();
  const std::string parameter_file = settings_file_path(dir, kParameterFileName);
  const PixelSize page{printer_->width(), printer_->height()};
  auto report = [this](const std::string& text, const std::string& caption) { host_.show_message(text, caption); };
  auto run = [this](Engine& engine) {
    engine_output_.str({});
    engine.out = engine.err = &engine_output_;
    engine_run(engine);
  };
  bool finished = true;
  for (int index = layout.first_index; index <= layout.last_index && finished; ++index) {
    write_parameter_file(settings_, dir, plot_file, index, zoom_.frame(), report);
    if (index != layout.first_index) printer_->newPage();
    finished = render_sheet(host_, painter, page, {layout, parameter_file_arguments(dir, parameter_file), run});
    grid.mark(index);
    emit sheet_printed(index);
    // Cancel Printing takes effect between the sheets too.
    QCoreApplication::processEvents();
    if (host_.cancelled()) break;
  }
  painter.end();
  host_.end();
  return finished;
}

}  // namespace kavor
