// Export from the desktop program end to end: the bitmap file and the
// clipboard hold the picture with its scribbles, and gdk-pixbuf reads the
// file; the metafile holds what the converter draws from the same
// parameter file, zoomed or not, behind the placeable header of the client
// area, and wmf2svg reads it; cancel and failures leave no file behind and
// failures are told.

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>

#include "shell/dialogs/draw_dialog.h"
#include "shell/menu_table.h"
#include "shell/progress_dialog.h"
#include "shell/shell_host.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

constexpr int kWidth = 640, kHeight = 400;

QByteArray contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write(bytes);
}

uint32_t u32(const QByteArray& d, int at) {
  const auto* p = reinterpret_cast<const uchar*>(d.constData() + at);
  return p[0] | p[1] << 8 | p[2] << 16 | uint32_t(p[3]) << 24;
}
uint16_t u16(const QByteArray& d, int at) { return static_cast<uint16_t>(u32(d, at) & 0xFFFF); }

bool run(const QString& program, const QStringList& arguments) {
  QProcess process;
  process.start(program, arguments);
  return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// The picture of a bitmap file as gdk-pixbuf reads it.
QImage read_with_gdk_pixbuf(const QString& bmp, const QTemporaryDir& dir) {
  const QString png = dir.filePath(QStringLiteral("pixbuf.png"));
  // The system's Python: it holds the GObject bindings.
  const bool read = run(QStringLiteral("/usr/bin/python3"),
                        {"-c",
                         "import sys, gi\n"
                         "gi.require_version('GdkPixbuf', '2.0')\n"
                         "from gi.repository import GdkPixbuf\n"
                         "GdkPixbuf.Pixbuf.new_from_file(sys.argv[1]).savev(sys.argv[2], 'png', [], [])\n",
                         bmp, png});
  return read ? QImage(png).convertToFormat(QImage::Format_RGB32) : QImage();
}

// A red rectangle drawn with the scribble tool, which is then put away.
void scribble(ShellTestWindow& t) {
  QAction* button = t.window->findChild<QAction*>(QStringLiteral("button144"));
  button->trigger();
  auto* tool = t.window->findChild<DrawDialog*>();
  QVERIFY(tool);
  for (int id : {1045, 1059}) tool->findChild<QRadioButton*>(QString::number(id))->click();  // red, rectangle
  QTest::mousePress(t.window->view(), Qt::LeftButton, {}, QPoint(100, 100));
  QTest::mouseMove(t.window->view(), QPoint(300, 220));
  QTest::mouseRelease(t.window->view(), Qt::LeftButton, {}, QPoint(300, 220));
  button->trigger();
  t.boxes.shown.clear();
}

// QTest takes a point of 0, 0 for the widget's centre: start at y 1 instead.
void drag(QWidget* view, QPoint from, QPoint to) {
  QTest::mousePress(view, Qt::LeftButton, {}, from);
  QTest::mouseMove(view, (from + to) / 2);
  QTest::mouseMove(view, to);
  QTest::mouseRelease(view, Qt::LeftButton, {}, to);
}

// Shows the window with a picture of the plot.
void show_plot(ShellTestWindow& t, const QString& plot) {
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(plot);
  QVERIFY(t.wait_for_picture());
}

// The metafile the converter draws from the parameter file of the last
// view rendering, at the view's size.
QByteArray converted_metafile(const ShellTestWindow& t, const QTemporaryDir& dir) {
  const QString wmf = dir.filePath(QStringLiteral("converted.wmf"));
  const QSize view = t.window->view()->size();
  if (!run_converter({"--quiet", "--size", QStringLiteral("%1x%2").arg(view.width()).arg(view.height()), "--param",
                      t.home_file(QStringLiteral("$param.kv")), "-o", wmf}))
    return {};
  return contents(wmf);
}

// Files fail to grow beyond `bytes` (RLIMIT_FSIZE, its signal ignored)
// until the guard goes.
auto limit_file_size(rlim_t bytes) {
  rlimit old{};
  getrlimit(RLIMIT_FSIZE, &old);
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  rlimit limit = old;
  limit.rlim_cur = bytes;
  setrlimit(RLIMIT_FSIZE, &limit);
  return qScopeGuard([old, previous] {
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previous);
  });
}

// The temporary folder until the guard goes.
auto use_temporary_folder(const QString& path) {
  const QByteArray old = qgetenv("TMPDIR");
  qputenv("TMPDIR", path.toUtf8());
  return qScopeGuard([old] { qputenv("TMPDIR", old); });
}

const QString kFailedSave = QStringLiteral("ｴﾗｰ|%1 を保存できませんでした.");

}  // namespace

class ExportTest : public QObject {
  Q_OBJECT
 private slots:
  void bitmap_file_and_clipboard_hold_the_picture_with_scribbles();
  void metafile_is_the_view_drawn_again_zoom_included();
  void cancel_leaves_the_destination_as_it_was();
  void failed_saves_are_told_and_leave_no_file();
  void plot_gone_before_the_metafile_ends_the_program();
};

void ExportTest::bitmap_file_and_clipboard_hold_the_picture_with_scribbles() {
  QTemporaryDir dir;
  ShellTestWindow t;
  // Without a picture the commands do nothing.
  t.show_with_view(kWidth, kHeight);
  QGuiApplication::clipboard()->setText(QStringLiteral("before"));
  for (int id : {CMD_SAVE_BITMAP, CMD_SAVE_METAFILE, CMD_COPY}) t.trigger(id);
  QVERIFY(t.files.asked.empty());
  QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));

  show_plot(t, test_data(QStringLiteral("test_sheet_fills.plt")));
  scribble(t);
  const QImage picture = t.window->renderer().picture()->copy();
  QCOMPARE(picture.pixel(100, 160), qRgb(255, 0, 0));
  const QString bmp = dir.filePath(QStringLiteral("sheet.bmp"));
  t.files.answers.push_back(bmp);
  t.trigger(CMD_SAVE_BITMAP);
  QCOMPARE(t.files.asked, std::vector<FileDialogKind>{FileDialogKind::save_bitmap});
  // A 640 by 400 picture at 24 bits: pixels from offset 54, rows of 1920
  // bytes.
  const QByteArray file = contents(bmp);
  QCOMPARE(file.size(), 54 + 1920 * kHeight);
  QCOMPARE(u32(file, 2), uint32_t(file.size()));
  QCOMPARE(u32(file, 10), 54u);
  QCOMPARE(u16(file, 28), 24);
  QCOMPARE(read_with_gdk_pixbuf(bmp, dir), picture);
  // The clipboard: the image, and the same bitmap as the file.
  t.trigger(CMD_COPY);
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  QVERIFY(data && data->hasImage());
  QCOMPARE(qvariant_cast<QImage>(data->imageData()).convertToFormat(QImage::Format_RGB32), picture);
  QCOMPARE(data->data(QStringLiteral("image/bmp")), file);
  QVERIFY(t.boxes.shown.isEmpty());
}

void ExportTest::metafile_is_the_view_drawn_again_zoom_included() {
  QTemporaryDir dir;
  ShellTestWindow t;
  show_plot(t, test_data(QStringLiteral("test_sheet_lines.plt")));
  QByteArray whole;
  for (const bool zoomed : {false, true}) {
    if (zoomed) {
      drag(t.window->view(), QPoint(100, 50), QPoint(420, 250));
      QVERIFY(t.wait_for_picture());
    }
    const QString wmf = dir.filePath(QStringLiteral("sheet.wmf"));
    t.files.answers.push_back(wmf);
    t.trigger(CMD_SAVE_METAFILE);
    const QByteArray file = contents(wmf);
    QVERIFY(file.size() > 22 + 18);
    // The placeable header: the client area (view and status bar) as the
    // bounding box, 576 units per inch, the checksum of the ten words.
    const int client_height = t.window->client_height();
    QVERIFY(client_height > kHeight);
    const uint16_t words[10] = {0xCDD7, 0x9AC6, 0, 0, 0, kWidth, uint16_t(client_height), 576, 0, 0};
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) {
      QCOMPARE(u16(file, 2 * i), words[i]);
      checksum ^= words[i];
    }
    QCOMPARE(u16(file, 20), checksum);
    // Behind it, what the converter draws for the same parameter file.
    const QByteArray converted = converted_metafile(t, dir);
    QVERIFY(!converted.isEmpty());
    QVERIFY2(file.mid(22) == converted.mid(22), zoomed ? "zoomed" : "whole");
    if (zoomed)
      QVERIFY(file.mid(22) != whole);
    else
      whole = file.mid(22);
    // libwmf reads it.
    const QString svg = dir.filePath(QStringLiteral("sheet.svg"));
    QVERIFY(run(QStringLiteral("wmf2svg"), {"-o", svg, wmf}));
    QVERIFY(contents(svg).count("<polyline") > 10);
  }
  QVERIFY(t.boxes.shown.isEmpty());
  // The window shows its picture again.
  QVERIFY(t.window->menuBar()->isEnabled());
  QTRY_VERIFY(!t.window->findChild<ProgressDialog*>());
}

void ExportTest::cancel_leaves_the_destination_as_it_was() {
  // A line, a long stretch of pen-up moves, a line.
  QByteArray plot = "IN;SP1;PA0,1000;PD10000,1000;PU;";
  for (int i = 0; i < 300000; ++i) plot += "PA1,1;";
  plot += "PA0,7000;PD10000,7000;";
  QTemporaryDir dir, temporary;
  const QString plot_file = dir.filePath(QStringLiteral("long.plt"));
  write_file(plot_file, plot);
  ShellTestWindow t;
  show_plot(t, plot_file);
  const QImage picture = t.window->renderer().picture()->copy();
  QVERIFY(t.window->settings().auto_size);
  const QString wmf = dir.filePath(QStringLiteral("kept.wmf"));
  write_file(wmf, "what was there");
  const auto folder = use_temporary_folder(temporary.path());

  bool seen = false;
  QTimer watch;
  watch.setInterval(0);
  connect(&watch, &QTimer::timeout, [&] {
    auto* progress = t.window->findChild<ProgressDialog*>();
    if (seen || !t.window->host().in_session() || !progress) return;
    seen = true;
    // The print progress dialog, over a disabled window; the metafile
    // is being drawn in the temporary folder.
    QCOMPARE(progress->windowTitle(), QStringLiteral("印刷準備中"));
    const QString text = progress->findChild<QLabel*>(QStringLiteral("1070"))->text();
    QVERIFY2(text == QStringLiteral("Cancel Printing") || text.endsWith(QStringLiteral("% done.")), qPrintable(text));
    QVERIFY(!t.window->menuBar()->isEnabled());
    QCOMPARE(QDir(temporary.path()).entryList(QDir::Files).size(), 1);
    // A repaint shows the picture; a resize discards it (auto size), but
    // the view renders it again only after the export.
    QCOMPARE(t.window->view()->grab().toImage().convertToFormat(QImage::Format_RGB32), picture);
    t.window->resize(t.window->size() + QSize(40, 0));
    for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
    QVERIFY(!t.window->renderer().has_picture());
    QVERIFY(!t.window->renderer().is_rendering());
    progress->findChild<QPushButton*>(QStringLiteral("2"))->click();
  });
  watch.start();
  t.files.answers.push_back(wmf);
  t.trigger(CMD_SAVE_METAFILE);
  watch.stop();
  QVERIFY(seen);
  QVERIFY(t.window->host().cancelled());
  QCOMPARE(contents(wmf), QByteArray("what was there"));
  QVERIFY(QDir(temporary.path()).entryList(QDir::Files).isEmpty());
  QVERIFY(t.window->menuBar()->isEnabled());
  QVERIFY(t.boxes.shown.isEmpty());
  QVERIFY(t.wait_for_picture());
  QCOMPARE(t.window->renderer().picture()->width(), kWidth + 40);
}

void ExportTest::failed_saves_are_told_and_leave_no_file() {
  QTemporaryDir dir, temporary;
  ShellTestWindow t;
  show_plot(t, test_data(QStringLiteral("test_sheet_text.plt")));
  const auto folder = use_temporary_folder(temporary.path());
  const QString bmp = dir.filePath(QStringLiteral("cut.bmp"));
  const QString wmf = dir.filePath(QStringLiteral("cut.wmf"));
  const QString missing = dir.filePath(QStringLiteral("no/such/folder/x.bmp"));
  {
    // Room for part of each file only.
    const auto limit = limit_file_size(2000);
    t.files.answers = {bmp, wmf, missing};
    t.trigger(CMD_SAVE_BITMAP);
    t.trigger(CMD_SAVE_METAFILE);
    t.trigger(CMD_SAVE_BITMAP);
  }
  QCOMPARE(t.boxes.shown, (QStringList{kFailedSave.arg(bmp), kFailedSave.arg(wmf), kFailedSave.arg(missing)}));
  QVERIFY(!QFile::exists(bmp));
  QVERIFY(!QFile::exists(wmf));
  QVERIFY(QDir(temporary.path()).entryList(QDir::Files).isEmpty());
  // No temporary metafile can be made (the temporary folder names nothing,
  // or a file): "Meta Error", captioned with its path, and no destination.
  const QString not_a_folder = dir.filePath(QStringLiteral("plain file"));
  write_file(not_a_folder, "x");
  for (const QString& nowhere : {dir.filePath(QStringLiteral("gone")), not_a_folder}) {
    t.boxes.shown.clear();
    const auto gone = use_temporary_folder(nowhere);
    t.files.answers = {wmf};
    t.trigger(CMD_SAVE_METAFILE);
    QCOMPARE(t.boxes.shown.size(), 1);
    QVERIFY2(t.boxes.shown.first().endsWith(QStringLiteral("KVXXXXXX.wmf|Meta Error")), qPrintable(t.boxes.shown.first()));
    QVERIFY(!QFile::exists(wmf));
  }
}

void ExportTest::plot_gone_before_the_metafile_ends_the_program() {
  QTemporaryDir dir, temporary;
  const QString plot = dir.filePath(QStringLiteral("sheet.plt"));
  QVERIFY(QFile::copy(test_data(QStringLiteral("test_sheet_lines.plt")), plot));
  ShellTestWindow t;
  show_plot(t, plot);
  QVERIFY(QFile::remove(plot));
  const auto folder = use_temporary_folder(temporary.path());
  const QString wmf = dir.filePath(QStringLiteral("sheet.wmf"));
  t.files.answers = {wmf};
  t.trigger(CMD_SAVE_METAFILE);
  QCOMPARE(t.ended_with, QList<int>{1});
  QCOMPARE(t.boxes.shown, QStringList{QStringLiteral("Error| input file %1 not found !").arg(plot)});
  QVERIFY(!QFile::exists(wmf));
  QVERIFY(QDir(temporary.path()).entryList(QDir::Files).isEmpty());
}

KAVOR_SHELL_TEST_MAIN(ExportTest)
#include "export_test.moc"
