// Printing end to end: a CUPS scheduler of the test's own with a queue
// whose jobs land in a file, the print dialog accepted as a user would, and
// what arrives rendered with pdftoppm; the warnings, cancel, the sheet
// grid, a document that cannot start, and the parameter file of each sheet.

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QFile>
#include <QFileInfo>
#include <QMenuBar>
#include <QPointer>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "config/print_layout.h"
#include "config/settings.h"
#include "shell/menu_table.h"
#include "shell/print_job.h"
#include "shell/progress_dialog.h"
#include "shell/shell_host.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"
#include "support/private_cups.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

const std::string kQueue = "kavor-test", kOtherQueue = "kavor-other";
// Nothing to draw: a page shows only what printing adds.
const QByteArray kEmptyPlot = "IN;SP1;";
// The whole hard-clip area filled: a page shows where the drawing lies.
const QByteArray kFilledPlot = "IN;SP1;PA-99999,-99999;RA99999,99999;";
constexpr int kPrinterDpi = 150;

QString write_plot(const QTemporaryDir& dir, const QString& name, const QByteArray& plot) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(plot);
  return path;
}

// Answers the modal dialogs as they come up and notes their names: the
// warnings from a list of answers (continue when it is empty), the print
// dialog accepted unless told otherwise.
class DialogAnswers : public QObject {
 public:
  DialogAnswers() {
    connect(&timer_, &QTimer::timeout, this, [this] { answer(); });
    timer_.start(10);
  }

  QStringList seen;
  std::deque<bool> warnings_continue;
  bool accept_print_dialog = true;
  // When set, the print dialog's "Print to File (PDF)" with this file.
  QString pdf_file;
  // When set, the printer chosen in the print dialog.
  QString printer_name;
  // Called with the print dialog after it was accepted.
  std::function<void()> after_print_dialog;

 private:
  void answer() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == handled_) return;
    handled_ = modal;
    if (auto* dialog = qobject_cast<QPrintDialog*>(modal)) {
      seen << QStringLiteral("print dialog");
      if (!accept_print_dialog) {
        dialog->reject();
        return;
      }
      if (!pdf_file.isEmpty()) choose_file(*dialog);
      if (!printer_name.isEmpty()) choose_printer(*dialog);
      dialog->accept();
      if (after_print_dialog) after_print_dialog();
      return;
    }
    seen << modal->objectName();
    const bool go_on = warnings_continue.empty() || warnings_continue.front();
    if (!warnings_continue.empty()) warnings_continue.pop_front();
    if (auto* button = modal->findChild<QPushButton*>(go_on ? QStringLiteral("1") : QStringLiteral("2"))) button->click();
  }

  void choose_file(QPrintDialog& dialog) {
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    auto* file = dialog.findChild<QLineEdit*>(QStringLiteral("filename"));
    QVERIFY(printers && file);
    printers->setCurrentIndex(printers->count() - 1);
    QVERIFY(printers->currentText().contains(QStringLiteral("PDF")));
    file->setText(pdf_file);
  }

  void choose_printer(QPrintDialog& dialog) {
    auto* printers = dialog.findChild<QComboBox*>(QStringLiteral("printers"));
    QVERIFY(printers);
    const int index = printers->findText(printer_name);
    QVERIFY(index >= 0);
    printers->setCurrentIndex(index);
  }

  QTimer timer_;
  QPointer<QWidget> handled_;
};

int pdf_pages(const QString& pdf) {
  QProcess info;
  info.start(QStringLiteral("pdfinfo"), {pdf});
  if (!info.waitForFinished(30000)) return -1;
  const QRegularExpressionMatch m =
      QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(QString::fromUtf8(info.readAllStandardOutput()));
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The pages of a PDF as grey pictures at a resolution.
QList<QImage> pdf_pictures(const QString& pdf, int dpi) {
  QTemporaryDir out;
  QProcess render;
  render.start(QStringLiteral("pdftoppm"),
               {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-gray"), QStringLiteral("-png"), pdf,
                out.filePath(QStringLiteral("page"))});
  if (!render.waitForFinished(60000) || render.exitCode() != 0) return {};
  QList<QImage> pages;
  QStringList names = QDir(out.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
  for (const QString& name : names) pages << QImage(out.filePath(name)).convertToFormat(QImage::Format_Grayscale8);
  return pages;
}

bool dark(const QImage& page, int x, int y) {
  return x >= 0 && y >= 0 && x < page.width() && y < page.height() && qGray(page.pixel(x, y)) < 160;
}

// The smallest rectangle holding every dark pixel; null when none is.
QRect dark_box(const QImage& page) {
  QRect box;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (dark(page, x, y)) box |= QRect(x, y, 1, 1);
  return box;
}

// Empties a queue's file; the queue writes into it, it does not make it.
void empty(const QString& path) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
}

QStringList lines_of(const QByteArray& text) { return QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts); }

// The drawn area of a page: its dark pixels start at the printable area's
// top-left corner (upright sheets) or top-right corner (turned sheets), hold
// the proportions of the sheet's share of the drawing, and fill the
// printable area along one side.
void check_drawn_area(const QRect& box, const QRect& printable, bool turned, double share_width_over_height) {
  QVERIFY(!box.isNull());
  QVERIFY2(printable.adjusted(-1, -1, 1, 1).contains(box), "the drawing stays on the printable area");
  QVERIFY(qAbs(box.top() - printable.top()) <= 1);
  if (turned)
    QVERIFY(qAbs(box.right() - printable.right()) <= 1);
  else
    QVERIFY(qAbs(box.left() - printable.left()) <= 1);
  const bool fills_width = qAbs(box.width() - printable.width()) <= 2;
  const bool fills_height = qAbs(box.height() - printable.height()) <= 2;
  QVERIFY2(fills_width || fills_height, "the share is as large as the page allows");
  const double proportion = static_cast<double>(box.width()) / box.height();
  QVERIFY2(qAbs(proportion / share_width_over_height - 1) < 0.01,
           qPrintable(QStringLiteral("width over height %1, expected %2").arg(proportion).arg(share_width_over_height)));
}

// Crop marks alone: dark pixels only within reach of the four corners of
// the drawn area, and some at every corner along both of its edges.
void check_crop_marks_only(const QImage& page, const QRect& box, int length) {
  const int reach = length + 2;
  const QRect corners[4] = {QRect(box.topLeft(), QSize(reach, reach)),
                            QRect(box.right() - reach + 1, box.top(), reach, reach),
                            QRect(box.left(), box.bottom() - reach + 1, reach, reach),
                            QRect(box.bottomRight() - QPoint(reach - 1, reach - 1), QSize(reach, reach))};
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x)
      if (dark(page, x, y)) {
        bool near_corner = false;
        for (const QRect& c : corners) near_corner = near_corner || c.contains(x, y);
        QVERIFY2(near_corner, qPrintable(QStringLiteral("a dark pixel at %1, %2").arg(x).arg(y)));
      }
  // Each arm runs along an edge for about the mark's length, and no further.
  const int arm = length - 2;
  for (const QPoint corner : {box.topLeft(), box.topRight(), box.bottomLeft(), box.bottomRight()}) {
    const int dx = corner.x() == box.left() ? 1 : -1, dy = corner.y() == box.top() ? 1 : -1;
    QVERIFY(dark(page, corner.x() + dx * arm, corner.y()) || dark(page, corner.x() + dx * arm, corner.y() + dy));
    QVERIFY(dark(page, corner.x(), corner.y() + dy * arm) || dark(page, corner.x() + dx, corner.y() + dy * arm));
  }
}

// HP7550 plot areas in plotter units.
constexpr double kA4Width = 10870, kA4Height = 7600;  // paper A4
constexpr double kAWidth = 10170, kAHeight = 7840;    // paper A

QRect printable_pixels(QPrinter& printer, int dpi) { return printer.pageLayout().paintRectPixels(dpi); }

}  // namespace

class PrintTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void split_print_through_a_cups_queue();
  void single_sheet_to_a_pdf_file_data();
  void single_sheet_to_a_pdf_file();
  void turned_sheets_keep_the_drawing_whole_data();
  void turned_sheets_keep_the_drawing_whole();
  void warnings_come_in_order_data();
  void warnings_come_in_order();
  void cancel_after_the_first_sheet();
  void a_document_that_cannot_start();
  void printer_setup_chooses_the_next_printer();

 private:
  // Shows a plot file and waits for its picture.
  void open(ShellTestWindow& t, const QByteArray& plot);
  // A PDF file for "Print to File", not there yet.
  QString new_pdf(const QString& name);

  PrivateCups cups_;
  QString queue_output_, other_output_;  // where the queues' jobs land
  QTemporaryDir files_;
};

void PrintTest::initTestCase() {
  QVERIFY2(cups_.running(), cups_.error().c_str());
  queue_output_ = QString::fromStdString(cups_.add_raw_queue(kQueue));
  other_output_ = QString::fromStdString(cups_.add_raw_queue(kOtherQueue));
  QVERIFY(!queue_output_.isEmpty() && !other_output_.isEmpty());
}

void PrintTest::open(ShellTestWindow& t, const QByteArray& plot) {
  // A filled page costs a line per pixel column: fewer pixels make the
  // tests quick.
  t.window->print_job().printer().setResolution(kPrinterDpi);
  t.show_with_view(240, 180);
  t.window->open_plot_file(write_plot(files_, QStringLiteral("plot.plt"), plot));
  QVERIFY(t.wait_for_picture());
}

QString PrintTest::new_pdf(const QString& name) {
  const QString path = files_.filePath(name);
  QFile::remove(path);
  return path;
}

// A 4-sheet print to the queue, its dialog accepted: four pages, each with
// only its crop marks, at the corners of its quarter of the drawing; each
// sheet drawn from its own parameter file; the printer's resolution kept in
// later parameter files; the grid shown while printing and gone after.
void PrintTest::split_print_through_a_cups_queue() {
  ShellTestWindow t;
  open(t, kEmptyPlot);
  const QImage before = t.window->renderer().picture()->copy();
  DialogAnswers answers;
  QStringList parameter_files;
  connect(&t.window->print_job(), &PrintJob::sheet_printed, this, [&](int index) {
    parameter_files << QString::fromUtf8(t.read_home_file(QStringLiteral("$param.kv")));
    QCOMPARE(index, 2 + parameter_files.size());
    QVERIFY2(t.window->renderer().picture()->copy() != before, "the grid is shown while printing");
  });
  empty(queue_output_);
  answers.printer_name = QString::fromStdString(kQueue);
  t.trigger(CMD_PRINT_4);
  QCOMPARE(answers.seen, QStringList{QStringLiteral("print dialog")});
  QCOMPARE(t.window->renderer().picture()->copy(), before);
  QVERIFY(t.window->menuBar()->isEnabled());

  QCOMPARE(parameter_files.size(), 4);
  QPrinter& printer = t.window->print_job().printer();
  const int dpi = printer.logicalDpiX();
  QCOMPARE(printer.printerName(), QString::fromStdString(kQueue));
  for (int k = 0; k < 4; ++k) {
    const QStringList lines = lines_of(parameter_files[k].toUtf8());
    QVERIFY(lines.contains(QStringLiteral("-CC ESC/P")));
    QVERIFY(lines.contains(QStringLiteral("-RE %1x%1").arg(dpi)));
    QCOMPARE(lines.last() + u'\n', QString::fromLatin1(kSplitPrintLines[static_cast<size_t>(2 + k)].data()));
  }
  QCOMPARE(t.window->settings().resolution_x, dpi);
  QCOMPARE(t.window->settings().printing, 0);
  t.trigger(CMD_REDRAW);
  QVERIFY(t.wait_for_picture());
  const QStringList later = lines_of(t.read_home_file(QStringLiteral("$param.kv")));
  QVERIFY(later.contains(QStringLiteral("-RE %1x%1").arg(dpi)));
  QVERIFY(!later.contains(QStringLiteral("-CC ESC/P")));

  QVERIFY(cups_.wait_until_idle());
  const QString& pdf = queue_output_;
  QCOMPARE(pdf_pages(pdf), 4);
  constexpr int kDpi = 100;
  const QRect printable = printable_pixels(printer, kDpi);
  const QList<QImage> pages = pdf_pictures(pdf, kDpi);
  QCOMPARE(pages.size(), 4);
  for (const QImage& page : pages) {
    const QRect box = dark_box(page);
    check_drawn_area(box, printable, false, kA4Height / kA4Width);
    check_crop_marks_only(page, box, printable.width() / 80);
  }
}

// One sheet to a PDF file, on upright and landscape paper: the whole
// drawing with its proportions, no crop marks; landscape paper is warned of.
void PrintTest::single_sheet_to_a_pdf_file_data() {
  QTest::addColumn<bool>("landscape");
  QTest::addColumn<QByteArray>("plot");
  QTest::newRow("portrait") << false << kFilledPlot;
  QTest::newRow("landscape") << true << kFilledPlot;
  QTest::newRow("nothing drawn") << false << kEmptyPlot;
}

void PrintTest::single_sheet_to_a_pdf_file() {
  QFETCH(bool, landscape);
  QFETCH(QByteArray, plot);
  ShellTestWindow t;
  open(t, plot);
  const QString pdf = new_pdf(QStringLiteral("single.pdf"));
  QPrinter& printer = t.window->print_job().printer();
  printer.setPageOrientation(landscape ? QPageLayout::Landscape : QPageLayout::Portrait);
  DialogAnswers answers;
  answers.pdf_file = pdf;
  t.trigger(CMD_PRINT);
  QCOMPARE(answers.seen, QStringList{QStringLiteral("print dialog")});
  const QString warning = QStringLiteral("Paper|プリンタ用紙が横置きです,縦横比が逆転します.");
  QCOMPARE(t.boxes.shown, landscape ? QStringList{warning} : QStringList{});
  QCOMPARE(t.window->settings().resolution_x, printer.logicalDpiX());
  QCOMPARE(pdf_pages(pdf), 1);
  constexpr int kDpi = 50;
  const QList<QImage> pages = pdf_pictures(pdf, kDpi);
  QCOMPARE(pages.size(), 1);
  QCOMPARE(pages[0].width() > pages[0].height(), landscape);
  if (plot == kEmptyPlot) {
    QVERIFY2(dark_box(pages[0]).isNull(), "a single sheet has no crop marks");
    return;
  }
  check_drawn_area(dark_box(pages[0]), printable_pixels(printer, kDpi), false, kA4Height / kA4Width);
}

// 2 and 8 sheets turn the page: the plotter's X axis runs across it, and
// each sheet shows its share whole, with its proportions. Paper A (not the
// proportions of A4) tells a share that keeps its shape from one stretched
// over the page.
void PrintTest::turned_sheets_keep_the_drawing_whole_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<int>("sheets");
  QTest::addColumn<double>("share_width");
  QTest::addColumn<double>("share_height");
  QTest::newRow("2 sheets") << int(CMD_PRINT_2) << 2 << kAWidth / 2 << kAHeight;
  QTest::newRow("8 sheets") << int(CMD_PRINT_8) << 8 << kAWidth / 4 << kAHeight / 2;
}

void PrintTest::turned_sheets_keep_the_drawing_whole() {
  QFETCH(int, command);
  QFETCH(int, sheets);
  QFETCH(double, share_width);
  QFETCH(double, share_height);
  ShellTestWindow t;
  QFile config(t.home_file(QStringLiteral("$config.kv")));
  QVERIFY(config.open(QIODevice::WriteOnly));
  config.write("-PP A\n");
  config.close();
  t.rebuild();
  open(t, kFilledPlot);
  const QString pdf = new_pdf(QStringLiteral("turned.pdf"));
  DialogAnswers answers;
  answers.pdf_file = pdf;
  t.trigger(command);
  QCOMPARE(pdf_pages(pdf), sheets);
  constexpr int kDpi = 40;
  const QRect printable = printable_pixels(t.window->print_job().printer(), kDpi);
  const QList<QImage> pages = pdf_pictures(pdf, kDpi);
  QCOMPARE(pages.size(), sheets);
  for (const QImage& page : pages) check_drawn_area(dark_box(page), printable, true, share_width / share_height);
}

// The warnings before a print, in their order, and what a cancel in them
// or in the print dialog leaves: nothing printed, the picture as before.
void PrintTest::warnings_come_in_order_data() {
  QTest::addColumn<int>("command");
  QTest::addColumn<bool>("zoomed");
  QTest::addColumn<bool>("real_size");
  QTest::addColumn<QList<bool>>("continues");
  QTest::addColumn<bool>("print");
  QTest::addColumn<QStringList>("seen");
  const QString part = QStringLiteral("PRINTPART"), real = QStringLiteral("PRINTREAL"),
                dialog = QStringLiteral("print dialog");
  QTest::newRow("split, zoomed, real size") << int(CMD_PRINT_4) << true << true << QList<bool>{} << false
                                            << QStringList{part, real, real, dialog};
  QTest::newRow("split, zoomed, cancelled") << int(CMD_PRINT_4) << true << true << QList<bool>{false} << false
                                            << QStringList{part};
  QTest::newRow("split, zoomed, printed") << int(CMD_PRINT_16) << true << false << QList<bool>{} << true
                                          << QStringList{part, dialog};
  QTest::newRow("split, real size, cancelled")
      << int(CMD_PRINT_2) << false << true << QList<bool>{false} << false << QStringList{real};
  QTest::newRow("single, zoomed, real size") << int(CMD_PRINT) << true << true << QList<bool>{true} << false
                                             << QStringList{real, dialog};
  QTest::newRow("single, zoomed") << int(CMD_PRINT) << true << false << QList<bool>{} << false
                                  << QStringList{dialog};
  QTest::newRow("single, real size") << int(CMD_PRINT) << false << true << QList<bool>{} << false
                                     << QStringList{dialog};
}

void PrintTest::warnings_come_in_order() {
  QFETCH(int, command);
  QFETCH(bool, zoomed);
  QFETCH(bool, real_size);
  QFETCH(QList<bool>, continues);
  QFETCH(bool, print);
  QFETCH(QStringList, seen);
  ShellTestWindow t;
  open(t, kFilledPlot);
  if (real_size) {
    t.trigger(CMD_REAL_SIZE);
    QVERIFY(t.wait_for_picture());
  }
  if (zoomed) t.window->zoom().frame().x1 /= 2;
  const QImage before = t.window->renderer().picture()->copy();
  const QString pdf = new_pdf(QStringLiteral("warned.pdf"));
  DialogAnswers answers;
  answers.warnings_continue.assign(continues.begin(), continues.end());
  answers.accept_print_dialog = print;
  answers.pdf_file = pdf;
  QStringList last_lines;
  connect(&t.window->print_job(), &PrintJob::sheet_printed, this, [&] {
    last_lines << lines_of(t.read_home_file(QStringLiteral("$param.kv"))).last();
  });
  t.trigger(command);
  QCOMPARE(answers.seen, seen);
  QCOMPARE(t.window->renderer().picture()->copy(), before);
  QCOMPARE(QFile::exists(pdf), print);
  if (!print) return;
  // The split lines take the place of the zoom line.
  const PrintLayoutEntry* layout = print_layout_of_command(command);
  QCOMPARE(last_lines.size(), layout->sheets);
  for (int k = 0; k < layout->sheets; ++k)
    QCOMPARE(last_lines[k] + u'\n',
             QString::fromLatin1(kSplitPrintLines[static_cast<size_t>(layout->first_index + k - 1)].data()));
}

// Cancel Printing pressed while the first sheet is printed: that page is
// ended and the document closed, no later sheet printed; the window is
// enabled, the grid and the sheet's mark are gone.
void PrintTest::cancel_after_the_first_sheet() {
  ShellTestWindow t;
  open(t, kFilledPlot);
  const QImage before = t.window->renderer().picture()->copy();
  const QString pdf = new_pdf(QStringLiteral("cancelled.pdf"));
  DialogAnswers answers;
  answers.pdf_file = pdf;
  QList<int> printed;
  connect(&t.window->print_job(), &PrintJob::sheet_printed, this, [&](int index) {
    printed << index;
    auto* progress = t.window->findChild<ProgressDialog*>();
    QVERIFY(progress);
    QVERIFY(!t.window->menuBar()->isEnabled());
    auto* stop = progress->findChild<QPushButton*>(QStringLiteral("2"));
    QVERIFY(stop);
    stop->click();
  });
  t.trigger(CMD_PRINT_8);
  QCOMPARE(printed, QList<int>{7});
  QVERIFY(t.window->host().cancelled());
  QCOMPARE(pdf_pages(pdf), 1);
  QVERIFY(t.window->menuBar()->isEnabled());
  QTRY_VERIFY(!t.window->findChild<ProgressDialog*>());
  QCOMPARE(t.window->renderer().picture()->copy(), before);
}

// A document that cannot be started: "StartDoc Error", nothing printed,
// the window enabled and the grid removed.
void PrintTest::a_document_that_cannot_start() {
  ShellTestWindow t;
  open(t, kFilledPlot);
  const QImage before = t.window->renderer().picture()->copy();
  DialogAnswers answers;
  answers.pdf_file = new_pdf(QStringLiteral("never.pdf"));
  // The dialog checks the file it was given; the document then goes where
  // it cannot be written.
  answers.after_print_dialog = [&] {
    t.window->print_job().printer().setOutputFileName(files_.filePath(QStringLiteral("missing/never.pdf")));
  };
  bool printed = false;
  connect(&t.window->print_job(), &PrintJob::sheet_printed, this, [&] { printed = true; });
  t.trigger(CMD_PRINT_4);
  QCOMPARE(t.boxes.shown, QStringList{QStringLiteral("StartDoc Error|StartDoc Error")});
  QVERIFY(!printed);
  QVERIFY(t.window->menuBar()->isEnabled());
  QTRY_VERIFY(!t.window->findChild<ProgressDialog*>());
  QCOMPARE(t.window->renderer().picture()->copy(), before);
}

// Printer set-up runs the print dialog alone; the next print starts from
// the printer chosen there.
void PrintTest::printer_setup_chooses_the_next_printer() {
  ShellTestWindow t;
  open(t, kEmptyPlot);
  const QString& other = other_output_;
  empty(other);
  DialogAnswers answers;
  answers.printer_name = QString::fromStdString(kOtherQueue);
  t.trigger(CMD_PRINTER_SETUP);
  QCOMPARE(answers.seen, QStringList{QStringLiteral("print dialog")});
  QCOMPARE(QFileInfo(other).size(), 0);
  answers.printer_name.clear();
  t.trigger(CMD_PRINT);
  QCOMPARE(answers.seen.size(), 2);
  QVERIFY(cups_.wait_until_idle());
  QCOMPARE(pdf_pages(other), 1);
}

KAVOR_SHELL_TEST_MAIN(PrintTest)
#include "print_test.moc"
