// The view's renderings end to end: the same pixels as the converter, the
// zoom through the mouse, size changes, cancel, the engine's messages, the
// simple HP-GL conversion and a fatal error.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "shell/menu_table.h"
#include "shell/progress_dialog.h"
#include "shell/shell_host.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

constexpr int kWidth = 200, kHeight = 150;

QString write_plot(const QTemporaryDir& dir, const QString& name, const QByteArray& plot) {
  const QString path = dir.filePath(name);
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(plot);
  return path;
}

// The converter's picture of the parameter file the view last rendered.
QImage converted_picture(const ShellTestWindow& t, const QStringList& extra = {}) {
  QTemporaryDir out;
  const QString png = out.filePath(QStringLiteral("view.png"));
  const QSize size = t.window->renderer().picture()->size();
  if (!run_converter(QStringList{"--quiet", "--size", QStringLiteral("%1x%2").arg(size.width()).arg(size.height()),
                                 "--param", t.home_file(QStringLiteral("$param.kv")), "-o", png} +
                     extra))
    return {};
  return QImage(png).convertToFormat(QImage::Format_RGB32);
}

QImage view_picture(ShellTestWindow& t) { return t.window->renderer().picture()->copy(); }

// QTest takes a point of 0, 0 for the widget's centre: start at y 1 instead.
void drag(QWidget* view, QPoint from, QPoint to) {
  QTest::mousePress(view, Qt::LeftButton, {}, from);
  QTest::mouseMove(view, (from + to) / 2);
  QTest::mouseMove(view, to);
  QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

QString last_param_line(const ShellTestWindow& t) {
  return QString::fromUtf8(t.read_home_file(QStringLiteral("$param.kv"))).trimmed().split(u'\n').last();
}

// "-BM x y w h" as four numbers.
QList<double> zoom_percentages(const QString& line) {
  QList<double> numbers;
  for (const QString& word : line.split(u' ', Qt::SkipEmptyParts).mid(1)) numbers << word.toDouble();
  return numbers;
}

}  // namespace

class ViewRenderingTest : public QObject {
  Q_OBJECT
 private slots:
  void test_sheets_as_the_converter_draws_them_data();
  void test_sheets_as_the_converter_draws_them();
  void zoom_with_the_mouse();
  void size_changes_and_auto_size();
  void cancel_leaves_the_partial_picture();
  void instruction_error_answers_data();
  void instruction_error_answers();
  void a_warning_flood_has_a_way_out();
  void simple_hpgl_conversion();
  void fatal_error_ends_the_program();
};

void ViewRenderingTest::test_sheets_as_the_converter_draws_them_data() {
  QTest::addColumn<QString>("sheet");
  QTest::addColumn<bool>("zoomed");
  QTest::addColumn<bool>("colour");
  for (const char* sheet : {"test_sheet_lines.plt", "test_sheet_fills.plt", "test_sheet_text.plt"})
    QTest::newRow(sheet) << QString::fromLatin1(sheet) << false << true;
  QTest::newRow("lines, zoomed") << QStringLiteral("test_sheet_lines.plt") << true << true;
  QTest::newRow("fills, monochrome") << QStringLiteral("test_sheet_fills.plt") << false << false;
}

void ViewRenderingTest::test_sheets_as_the_converter_draws_them() {
  QFETCH(QString, sheet);
  QFETCH(bool, zoomed);
  QFETCH(bool, colour);
  ShellTestWindow t;
  t.show_with_view(640, 400);
  t.window->open_plot_file(test_data(sheet));
  QVERIFY(t.wait_for_picture());
  if (!colour) t.trigger(CMD_COLOUR);
  if (zoomed) drag(t.window->view(), QPoint(100, 50), QPoint(420, 250));
  QVERIFY(t.wait_for_picture());
  QCOMPARE(t.window->renderer().picture()->size(), QSize(640, 400));
  const QImage picture = view_picture(t);
  QCOMPARE(picture, converted_picture(t));
  // The converter's own options give the same picture for the defaults.
  if (!zoomed && colour) {
    QTemporaryDir out;
    const QString png = out.filePath(QStringLiteral("plain.png"));
    QVERIFY(run_converter({"--quiet", "--fit", "none", "--stretch", "--size", "640x400", "-o", png, test_data(sheet)}));
    QCOMPARE(picture, QImage(png).convertToFormat(QImage::Format_RGB32));
  }
  // What the window shows is the picture.
  QCOMPARE(t.window->view()->grab().toImage().convertToFormat(QImage::Format_RGB32), picture);
  QVERIFY(t.boxes.shown.isEmpty());
}

void ViewRenderingTest::zoom_with_the_mouse() {
  ShellTestWindow t;
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_fills.plt")));
  QVERIFY(t.wait_for_picture());
  QVERIFY(!last_param_line(t).startsWith(QStringLiteral("-BM")));
  QWidget* view = t.window->view();
  // Five pixels wide: nothing happens.
  drag(view, QPoint(50, 20), QPoint(55, 120));
  QVERIFY(t.window->renderer().has_picture());
  QVERIFY(!t.window->zoom().is_zoomed());
  // The right button abandons a drag.
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(view, QPoint(150, 100));
  QVERIFY(t.window->zoom().dragging());
  QTest::mousePress(view, Qt::RightButton, {}, QPoint(150, 100));
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(150, 100));
  QVERIFY(!t.window->zoom().is_zoomed());
  QVERIFY(t.window->renderer().has_picture());
  // Keep aspect on (as at start-up): the drag is cut to the view's ratio.
  t.trigger(CMD_KEEP_ASPECT);
  QTRY_VERIFY(view->size() != QSize(kWidth, kHeight));
  QVERIFY(t.wait_for_picture());
  const QSize view_size = view->size();
  drag(view, QPoint(0, 1), QPoint(view_size.width() - 1, 21));
  QVERIFY(t.wait_for_picture());
  const QList<double> cut = zoom_percentages(last_param_line(t));
  QCOMPARE(cut.size(), 4);
  QVERIFY2(cut[2] < 30, qPrintable(last_param_line(t)));  // 20 rows of the view's height in x
  t.trigger(CMD_KEEP_ASPECT);
  t.trigger(CMD_CANCEL_ZOOM);
  QVERIFY(t.wait_for_picture());
  QVERIFY(!last_param_line(t).startsWith(QStringLiteral("-BM")));
  t.window->resize(t.window->size() - view->size() + QSize(kWidth, kHeight));
  QTRY_COMPARE(view->size(), QSize(kWidth, kHeight));
  // Twice into the left half: a quarter of the drawing.
  QVERIFY(t.wait_for_picture());
  drag(view, QPoint(0, 1), QPoint(kWidth / 2, kHeight - 1));
  QVERIFY(t.wait_for_picture());
  drag(view, QPoint(0, 1), QPoint(kWidth / 2, kHeight - 1));
  QVERIFY(t.wait_for_picture());
  const QList<double> quarter = zoom_percentages(last_param_line(t));
  QCOMPARE(quarter.size(), 4);
  QCOMPARE(quarter[0], 0.0);
  QVERIFY2(qAbs(quarter[2] - 25) < 0.5, qPrintable(last_param_line(t)));
  // Resizing while zoomed keeps the same part of the drawing.
  t.window->resize(t.window->size() + QSize(60, 40));
  QTRY_VERIFY(view->width() == kWidth + 60);
  QVERIFY(t.wait_for_picture());
  const QList<double> resized = zoom_percentages(last_param_line(t));
  QCOMPARE(resized.size(), 4);
  for (int i = 0; i < 4; ++i) QVERIFY2(qAbs(resized[i] - quarter[i]) < 1.0, qPrintable(last_param_line(t)));
}

void ViewRenderingTest::size_changes_and_auto_size() {
  ShellTestWindow t;
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_lines.plt")));
  QVERIFY(t.wait_for_picture());
  // Auto size on: every resize renders the picture at the new size.
  t.window->resize(t.window->size() + QSize(40, 0));
  QTRY_COMPARE(t.window->view()->width(), kWidth + 40);
  QVERIFY(t.wait_for_picture());
  QCOMPARE(t.window->renderer().picture()->size(), QSize(kWidth + 40, kHeight));
  // Off: the old picture stays at its old size.
  t.trigger(CMD_AUTO_SIZE);
  t.window->resize(t.window->size() + QSize(60, 30));
  QTRY_COMPARE(t.window->view()->width(), kWidth + 100);
  QTest::qWait(50);
  QVERIFY(!t.window->renderer().is_rendering());
  QCOMPARE(t.window->renderer().picture()->size(), QSize(kWidth + 40, kHeight));
  const QImage shown = t.window->view()->grab().toImage();
  QCOMPARE(shown.pixel(kWidth + 90, kHeight + 20), qRgb(255, 255, 255));
}

void ViewRenderingTest::cancel_leaves_the_partial_picture() {
  // A line at the bottom, a long stretch of pen-up moves, a line at the top.
  QByteArray plot = "IN;SP1;PA0,1000;PD10000,1000;PU;";
  for (int i = 0; i < 300000; ++i) plot += "PA1,1;";
  plot += "PA0,7000;PD10000,7000;";
  QTemporaryDir dir;
  ShellTestWindow t;
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(write_plot(dir, QStringLiteral("long.plt"), plot));
  QVERIFY(t.wait_for_picture());
  const QImage whole = view_picture(t);

  bool seen = false;
  QTimer watch;
  watch.setInterval(0);
  connect(&watch, &QTimer::timeout, [&] {
    if (!t.window->renderer().is_rendering() || seen) return;
    seen = true;
    // While the engine runs: menus and view disabled, the progress dialog
    // enabled above the window, the wait cursor.
    QVERIFY(!t.window->menuBar()->isEnabled());
    QVERIFY(!t.window->view()->isEnabled());
    QCOMPARE(t.window->cursor().shape(), Qt::WaitCursor);
    auto* progress = t.window->findChild<ProgressDialog*>();
    QVERIFY(progress && progress->isVisible() && progress->isEnabled());
    QCOMPARE(progress->windowTitle(), QStringLiteral("表示準備中"));
    const QString text = progress->findChild<QLabel*>(QStringLiteral("1070"))->text();
    QVERIFY2(text == QStringLiteral("Cancel Drawing") || text.endsWith(QStringLiteral("% done.")), qPrintable(text));
    // A repaint copies the picture drawn so far, and starts nothing.
    const QImage partial = t.window->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(partial, *t.window->renderer().picture());
    progress->findChild<QPushButton*>(QStringLiteral("2"))->click();
  });
  watch.start();
  t.trigger(CMD_REDRAW);
  QVERIFY(t.wait_for_picture());
  watch.stop();
  QVERIFY(seen);
  QVERIFY(t.window->host().cancelled());
  QVERIFY(t.window->menuBar()->isEnabled());
  QVERIFY(t.window->view()->isEnabled());
  QTRY_VERIFY(!t.window->findChild<ProgressDialog*>());
  QVERIFY(t.window->cursor().shape() != Qt::WaitCursor);
  const QImage partial = view_picture(t);
  QVERIFY(partial != whole);
  int drawn = 0;
  for (int y = 0; y < partial.height(); ++y)
    for (int x = 0; x < partial.width(); ++x)
      if (partial.pixel(x, y) != qRgb(255, 255, 255)) {
        ++drawn;
        QCOMPARE(whole.pixel(x, y), partial.pixel(x, y));
      }
  QVERIFY(drawn > 0);
  // The partial picture stays until something discards it.
  t.window->view()->repaint();
  QTest::qWait(50);
  QVERIFY(!t.window->renderer().is_rendering());
  QCOMPARE(view_picture(t), partial);
}

void ViewRenderingTest::instruction_error_answers_data() {
  QTest::addColumn<bool>("go_on");
  QTest::newRow("continue") << true;
  QTest::newRow("abort") << false;
}

void ViewRenderingTest::instruction_error_answers() {
  QFETCH(bool, go_on);
  QTemporaryDir dir;
  ShellTestWindow t;
  t.boxes.continue_answers.push_back(go_on);
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(write_plot(dir, QStringLiteral("unknown.plt"),
                                      "IN;SP1;PA0,0;PD4000,0;ZZ;PU0,3000;PD4000,3000;ZZ;"));
  QVERIFY(t.wait_for_picture());
  // Continue reads on from the second letter of the unknown mnemonic.
  const QString zz = QStringLiteral("HP-GL ｺﾏﾝﾄﾞ ｴﾗｰ|ZZ:Invalid command.");
  const QString z = QStringLiteral("HP-GL ｺﾏﾝﾄﾞ ｴﾗｰ|Z;:Invalid command.");
  const QStringList expected_boxes = go_on ? QStringList{zz, z, zz, z} : QStringList{zz};
  QCOMPARE(t.boxes.shown, expected_boxes);
  // The converter continues unless told to abort; an aborted conversion
  // writes no picture, and the view keeps what the plot drew before the
  // unknown instruction.
  if (!go_on) {
    QVERIFY(converted_picture(t, {"--abort-on-error"}).isNull());
    write_plot(dir, QStringLiteral("unknown.plt"), "IN;SP1;PA0,0;PD4000,0;");
  }
  QCOMPARE(view_picture(t), converted_picture(t));
}

void ViewRenderingTest::a_warning_flood_has_a_way_out() {
  QTemporaryDir dir;
  ShellTestWindow t;
  t.boxes.silence_when_offered = true;
  QByteArray plot = "IN;SP1;";
  for (int i = 0; i < 10; ++i) plot += "IW0,0,0,0;";
  plot += "PA0,0;PD4000,4000;";
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(write_plot(dir, QStringLiteral("flood.plt"), plot));
  QVERIFY(t.wait_for_picture());
  // Three boxes as they are, the fourth offers the way out and is taken;
  // the six left are offered as a list after the rendering.
  QCOMPARE(t.boxes.silence_offers, 1);
  const QString warning = QStringLiteral("Error|IW:zero range in X or Y.");
  QCOMPARE(t.boxes.shown, (QStringList{warning, warning, warning, warning,
                                       QStringLiteral("Error|表示しなかった警告が 6 件あります.")}));
  QCOMPARE(t.boxes.details.last().split(u'\n').size(), 6);
  // The rendering went on to the end.
  QCOMPARE(view_picture(t), converted_picture(t));
  // The next rendering shows its warnings again.
  t.boxes.silence_when_offered = false;
  t.trigger(CMD_REDRAW);
  QVERIFY(t.wait_for_picture());
  QCOMPARE(t.boxes.shown.size(), 5 + 10);
}

void ViewRenderingTest::simple_hpgl_conversion() {
  QTemporaryDir dir;
  ShellTestWindow t;
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_fills.plt")));
  QVERIFY(t.wait_for_picture());
  // A file that cannot be made: the disk is full, and nothing renders.
  t.files.answers.push_back(dir.filePath(QStringLiteral("missing/folder/out.vct")));
  t.trigger(CMD_CONVERT);
  QCOMPARE(t.boxes.shown, QStringList{"ｴﾗｰ|ﾃﾞｨｽｸが一杯です!"});
  QVERIFY(t.window->renderer().has_picture());
  // The file holds one rendering, in window pixels with y from the bottom
  // of the client area (status bar included).
  const QString path = dir.filePath(QStringLiteral("out.vct"));
  t.files.answers.push_back(path);
  t.trigger(CMD_CONVERT);
  QVERIFY(t.wait_for_picture());
  const int client_height = t.window->client_height();
  QVERIFY(client_height > kHeight);
  QFile file(path);
  QVERIFY(file.open(QIODevice::ReadOnly));
  const QStringList lines = QString::fromLatin1(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
  QCOMPARE(lines.first(), QStringLiteral("INSC0,%1,0,%2").arg(kWidth).arg(client_height));
  QCOMPARE(lines.last(), QStringLiteral("SP0 PU0,%1 PD0,%1").arg(client_height));
  // The same segments as the converter's conversion of the same
  // parameter file, whose y runs up from the picture's own height.
  const QString converted = dir.filePath(QStringLiteral("converted.hpgl"));
  QVERIFY(run_converter({"--quiet", "--size", QStringLiteral("%1x%2").arg(kWidth).arg(kHeight), "--param",
                         t.home_file(QStringLiteral("$param.kv")), "-o", converted}));
  QFile other(converted);
  QVERIFY(other.open(QIODevice::ReadOnly));
  const QStringList theirs = QString::fromLatin1(other.readAll()).split(u'\n', Qt::SkipEmptyParts);
  QCOMPARE(theirs.size(), lines.size());
  const QRegularExpression segment(QStringLiteral("^SP(\\d+) PU(-?\\d+),(-?\\d+) PD(-?\\d+),(-?\\d+)$"));
  const int shift = client_height - kHeight;
  for (int i = 1; i < lines.size(); ++i) {
    const auto mine = segment.match(lines[i]), conv = segment.match(theirs[i]);
    QVERIFY2(mine.hasMatch() && conv.hasMatch(), qPrintable(lines[i]));
    QCOMPARE(mine.captured(2), conv.captured(2));
    QCOMPARE(mine.captured(3).toInt(), conv.captured(3).toInt() + shift);
    QCOMPARE(mine.captured(5).toInt(), conv.captured(5).toInt() + shift);
  }
  // The next rendering does not write to the closed file.
  t.trigger(CMD_REDRAW);
  QVERIFY(t.wait_for_picture());
  QCOMPARE(QFileInfo(path).size(), file.size());
}

void ViewRenderingTest::fatal_error_ends_the_program() {
  QTemporaryDir dir;
  ShellTestWindow t;
  const QString missing = dir.filePath(QStringLiteral("gone.plt"));
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(missing);
  QTRY_COMPARE(t.ended_with, QList<int>{1});
  QCOMPARE(t.boxes.shown, QStringList{QStringLiteral("Error| input file %1 not found !").arg(missing)});
}

KAVOR_SHELL_TEST_MAIN(ViewRenderingTest)
#include "view_rendering_test.moc"
