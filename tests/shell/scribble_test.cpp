// Scribble mode: the tool window with its defaults and interlocks, shapes
// dragged with an outline and drawn into the picture, typed text, and the
// way back to zooming.

#include <QAction>
#include <QApplication>
#include <QRadioButton>
#include <QTest>

#include "shell/dialogs/draw_dialog.h"
#include "shell/menu_table.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

constexpr int kWidth = 240, kHeight = 160;

QRadioButton* radio(QWidget* tool, int id) { return tool->findChild<QRadioButton*>(QString::number(id)); }

QImage picture_of(ShellTestWindow& t) { return t.window->renderer().picture()->copy(); }

QImage shown(ShellTestWindow& t) { return t.window->view()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class ScribbleTest : public QObject {
  Q_OBJECT
 private slots:
  void tool_window_and_shapes();
  void typed_text();
};

void ScribbleTest::tool_window_and_shapes() {
  ShellTestWindow t;
  t.show_with_view(kWidth, kHeight);
  QAction* button = t.window->findChild<QAction*>(QStringLiteral("button144"));
  // Without a picture nothing is drawn.
  button->trigger();
  QTest::mousePress(t.window->view(), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseRelease(t.window->view(), Qt::LeftButton, {}, QPoint(100, 100));
  QVERIFY(!t.window->renderer().has_picture());
  button->trigger();
  QVERIFY(!button->isChecked());

  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_fills.plt")));
  QVERIFY(t.wait_for_picture());
  t.boxes.shown.clear();
  button->trigger();
  QVERIFY(button->isChecked());
  QCOMPARE(t.boxes.shown.size(), 1);
  QVERIFY(t.boxes.shown.first().startsWith(QStringLiteral("書き込み|")));
  auto* tool = t.window->findChild<DrawDialog*>();
  QVERIFY(tool && tool->isVisible());
  QCOMPARE(tool->windowTitle(), QStringLiteral("書き込み"));
  // Defaults: solid, normal, line, black.
  for (int id : {1039, 1063, 1058, 1057}) QVERIFY2(radio(tool, id)->isChecked(), qPrintable(QString::number(id)));
  // Dotted forces thin; thick forces solid.
  radio(tool, 1040)->click();
  QVERIFY(radio(tool, 1062)->isChecked());
  radio(tool, 1064)->click();
  QVERIFY(radio(tool, 1039)->isChecked());
  QCOMPARE(tool->pen().width, 5);

  // A thick red line: an outline while dragging, the line on release.
  radio(tool, 1045)->click();
  const QImage before = picture_of(t);
  QWidget* view = t.window->view();
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(20, 30));
  QTest::mouseMove(view, QPoint(200, 30));
  QVERIFY(shown(t) != before);
  QCOMPARE(picture_of(t), before);
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(200, 30));
  const QImage lined = picture_of(t);
  QCOMPARE(lined.pixel(110, 30), qRgb(255, 0, 0));
  QCOMPARE(lined.pixel(110, 32), qRgb(255, 0, 0));
  QCOMPARE(shown(t), lined);
  QVERIFY(!t.window->zoom().is_zoomed());

  // An ellipse is its outline only.
  radio(tool, 1060)->click();
  radio(tool, 1051)->click();
  const QRgb centre = lined.pixel(120, 100);
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(60, 60));
  QTest::mouseMove(view, QPoint(180, 140));
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(180, 140));
  const QImage ellipsed = picture_of(t);
  QCOMPARE(ellipsed.pixel(120, 100), centre);
  QCOMPARE(ellipsed.pixel(60, 100), qRgb(0, 0, 255));

  // Scribbles stay until the picture is discarded; off, a drag zooms again.
  button->trigger();
  QVERIFY(!tool->isVisible());
  QCOMPARE(picture_of(t), ellipsed);
  QTest::mousePress(view, Qt::LeftButton, {}, QPoint(20, 20));
  QTest::mouseMove(view, QPoint(120, 100));
  QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(120, 100));
  QVERIFY(t.window->zoom().is_zoomed());
  QVERIFY(t.wait_for_picture());
  QCOMPARE(picture_of(t).pixel(110, 30), qRgb(255, 255, 255));
}

void ScribbleTest::typed_text() {
  ShellTestWindow t;
  t.show_with_view(kWidth, kHeight);
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_lines.plt")));
  QVERIFY(t.wait_for_picture());
  t.window->findChild<QAction*>(QStringLiteral("button144"))->trigger();
  radio(t.window->findChild<DrawDialog*>(), 1061)->click();
  const QImage before = picture_of(t);
  QWidget* view = t.window->view();
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(30, 40));
  QTest::keyClicks(view, QStringLiteral("A"));
  const QImage a = picture_of(t);
  QVERIFY(a != before);
  // Backspace takes the last letter back off the picture.
  QTest::keyClicks(view, QStringLiteral("Bc"));
  QVERIFY(picture_of(t) != a);
  QTest::keyClick(view, Qt::Key_Backspace);
  QTest::keyClick(view, Qt::Key_Backspace);
  QCOMPARE(picture_of(t), a);
  // Black on white at the click.
  bool black = false;
  for (int y = 40; y < 60 && !black; ++y)
    for (int x = 30; x < 45 && !black; ++x) black = a.pixel(x, y) == qRgb(0, 0, 0);
  QVERIFY(black);
  // A new click starts a new text and leaves the old one.
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(120, 100));
  QTest::keyClick(view, Qt::Key_Backspace);
  QCOMPARE(picture_of(t), a);
}

KAVOR_SHELL_TEST_MAIN(ScribbleTest)
#include "scribble_test.moc"
