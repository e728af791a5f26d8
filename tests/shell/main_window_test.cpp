// The main window: its menus, picture buttons and status bar as a user and
// assistive technologies meet them, start-up, the toggles as they reach the
// parameter file, the option slots, and the simple commands.

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QDragEnterEvent>
#include <QTest>
#include <QTextBrowser>

#include "shell/menu_table.h"
#include "shell/startup.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

// One row of a popup as the user sees it: "101 開く(&O)...", "---" for a
// separator, with " [x]" or " [ ]" after a toggle.
QStringList rows_of(const QMenu* menu) {
  QStringList rows;
  for (const QAction* a : menu->actions()) {
    if (a->isSeparator()) {
      rows << QStringLiteral("---");
      continue;
    }
    QString row = a->objectName() + u' ' + a->text();
    if (a->isCheckable()) row += a->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
    rows << row;
  }
  return rows;
}

QStringList lines_of(const QByteArray& text) {
  return QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts);
}

QString status_text(const MainWindow& w, const char* name) {
  return w.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT
 private slots:
  void menus_are_the_table_data();
  void menus_are_the_table();
  void picture_buttons_follow_the_popups();
  void command_line_names_the_plot_data();
  void command_line_names_the_plot();
  void starts_empty_and_white();
  void starts_with_a_quoted_path_holding_blanks();
  void toggles_reach_the_parameter_file_data();
  void toggles_reach_the_parameter_file();
  void option_slots_and_the_default_file();
  void reset_options_renders_the_defaults_and_keeps_the_zoom();
  void help_about_and_fit_paper();
  void a_dropped_file_opens();
  void close_and_exit();
};

void MainWindowTest::menus_are_the_table_data() {
  QTest::addColumn<QString>("title");
  QTest::addColumn<QStringList>("rows");
  QTest::newRow("File") << QStringLiteral("ﾌｧｲﾙ(&F)")
                        << QStringList{"101 開く(&O)...",
                                       "138 閉じる(&C)",
                                       "134 ﾋﾞｯﾄﾏｯﾌﾟで保存(&B)...",
                                       "157 ﾒﾀﾌｧｲﾙで保存(&M)...",
                                       "162 単純HP-GL変換(&V)...",
                                       "---",
                                       "109 印刷(&P)...",
                                       "151 ２分割印刷(&2)...",
                                       "117 ４分割印刷(&4)...",
                                       "152 ８分割印刷(&8)...",
                                       "153 １６分割印刷(&F)...",
                                       "164 ﾌﾟﾘﾝﾀ･ｾｯﾄｱｯﾌﾟ(&S)...",
                                       "---",
                                       "167 プロッタへ直接(&L)...",
                                       "158 HP Leaser Printer(&H)...",
                                       "---",
                                       "102 終了(&X)"};
  QTest::newRow("Edit") << QStringLiteral("編集(&E)") << QStringList{"133 コピー(&C)"};
  QTest::newRow("Options") << QStringLiteral("ｵﾌﾟｼｮﾝ(&O)")
                           << QStringList{"105 ｶﾗｰ(&C) [x]",
                                          "106 自動ｻｲｽﾞ(&S) [x]",
                                          "155 縦横比保証(&A) [x]",
                                          "166 実寸(&J) [ ]",
                                          "---",
                                          "135 ｽﾞｰﾑとりやめ(&Z)",
                                          "156 ﾘﾄﾞﾛｰ",
                                          "---",
                                          "137 ﾍﾟﾝ(&e) ...",
                                          "136 出力(&O) ...",
                                          "111 プロッター(&P) ...",
                                          "---",
                                          "131 ｵﾌﾟｼｮﾝの初期化(&R)",
                                          "154 ｵﾌﾟｼｮﾝの読込み(&L)...",
                                          "130 ｵﾌﾟｼｮﾝの保存(&O)..."};
  QTest::newRow("Help") << QStringLiteral("ﾍﾙﾌﾟ(&H)")
                        << QStringList{"165 ヘルプ(&H)...", "127 現在の状態(&S)...", "---", "108 KAVORについて(&A)..."};
}

void MainWindowTest::menus_are_the_table() {
  QFETCH(QString, title);
  QFETCH(QStringList, rows);
  ShellTestWindow t;
  QMenu* found = nullptr;
  for (QAction* a : t.window->menuBar()->actions())
    if (a->menu() && a->text() == title) found = a->menu();
  QVERIFY(found);
  QCOMPARE(rows_of(found), rows);
}

void MainWindowTest::picture_buttons_follow_the_popups() {
  ShellTestWindow t;
  QStringList bar;
  for (QAction* a : t.window->menuBar()->actions()) {
    bar << a->text();
    if (!a->menu()) QVERIFY2(!a->icon().isNull(), qPrintable(a->text()));
  }
  QCOMPARE(bar, (QStringList{"ﾌｧｲﾙ(&F)", "編集(&E)", "ｵﾌﾟｼｮﾝ(&O)", "ﾍﾙﾌﾟ(&H)", "開く", "印刷", "用紙自動選択", "書き込み"}));
  // Screen readers read the buttons and the status fields by their texts.
  t.show_with_view(300, 200);
  QAccessibleInterface* menu_bar = QAccessible::queryAccessibleInterface(t.window->menuBar());
  QVERIFY(menu_bar);
  QStringList read;
  for (int i = 0; i < menu_bar->childCount(); ++i) read << menu_bar->child(i)->text(QAccessible::Name);
  QCOMPARE(read.mid(4), (QStringList{"開く", "印刷", "用紙自動選択", "書き込み"}));
  for (const char* field : {"status_plotter", "status_paper", "status_colour"}) {
    QAccessibleInterface* label =
        QAccessible::queryAccessibleInterface(t.window->findChild<QLabel*>(QString::fromLatin1(field)));
    QVERIFY(label);
    QCOMPARE(label->text(QAccessible::Name), status_text(*t.window, field));
  }
  // The open button does what the menu item does.
  t.files.answers.push_back(test_data(QStringLiteral("test_sheet_text.plt")));
  t.window->findChild<QAction*>(QStringLiteral("button101"))->trigger();
  QCOMPARE(t.files.asked.size(), size_t{1});
  QVERIFY(t.window->plot_file().endsWith(QStringLiteral("test_sheet_text.plt")));
  QVERIFY(t.window->findChild<QAction*>(QStringLiteral("button144"))->isCheckable());
}

void MainWindowTest::command_line_names_the_plot_data() {
  QTest::addColumn<QStringList>("arguments");
  QTest::addColumn<QString>("plot");
  QTest::newRow("none") << QStringList{"kavor"} << QString();
  QTest::newRow("plain") << QStringList{"kavor", "/x/c.plt"} << QStringLiteral("/x/c.plt");
  QTest::newRow("quoted with blanks") << QStringList{"kavor", "\"/my plots/c d.plt\""} << QStringLiteral("/my plots/c d.plt");
  QTest::newRow("two quotes alone stay") << QStringList{"kavor", "\"\""} << QStringLiteral("\"\"");
  QTest::newRow("one quote stays") << QStringList{"kavor", "\"/x/c.plt"} << QStringLiteral("\"/x/c.plt");
  QTest::newRow("the first argument") << QStringList{"kavor", "a.plt", "b.plt"} << QStringLiteral("a.plt");
}

void MainWindowTest::command_line_names_the_plot() {
  QFETCH(QStringList, arguments);
  QFETCH(QString, plot);
  QCOMPARE(plot_file_from_arguments(arguments), plot);
}

void MainWindowTest::starts_empty_and_white() {
  ShellTestWindow t;
  t.show_with_view(320, 200);
  QCOMPARE(t.window->windowTitle(), QStringLiteral("KAVOR for Windows(32Bit)"));
  QCOMPARE(status_text(*t.window, "status_plotter"), QStringLiteral("HP7550"));
  QCOMPARE(status_text(*t.window, "status_paper"), QStringLiteral("A4"));
  QCOMPARE(status_text(*t.window, "status_colour"), QStringLiteral("COLOR"));
  const QImage shown = t.window->view()->grab().toImage().convertToFormat(QImage::Format_RGB32);
  QImage white(shown.size(), QImage::Format_RGB32);
  white.fill(Qt::white);
  QCOMPARE(shown, white);
  QTest::qWait(50);
  QVERIFY(!t.window->renderer().has_picture());
  QVERIFY(!QFile::exists(t.home_file(QStringLiteral("$param.kv"))));
  // Commands that need a picture do nothing without one.
  t.trigger(CMD_CONVERT);
  QVERIFY(t.files.asked.empty());
}

void MainWindowTest::starts_with_a_quoted_path_holding_blanks() {
  ShellTestWindow t;
  QTemporaryDir plots;
  const QString dir = plots.filePath(QStringLiteral("my plots"));
  QVERIFY(QDir().mkpath(dir));
  const QString path = dir + QStringLiteral("/図面 1.plt");
  QVERIFY(QFile::copy(test_data(QStringLiteral("test_sheet_fills.plt")), path));
  t.window->open_plot_file(plot_file_from_arguments({"kavor", u'"' + path + u'"'}));
  t.show_with_view(320, 200);
  QVERIFY(t.wait_for_picture());
  QVERIFY(t.boxes.shown.isEmpty());
  QCOMPARE(t.window->windowTitle(), QStringLiteral("KAVOR for Windows(32Bit) - 図面 1.plt"));
  QCOMPARE(lines_of(t.read_home_file(QStringLiteral("$param.kv"))).first(), QStringLiteral("-in \"%1\"").arg(path));
  QCOMPARE(t.window->renderer().picture()->size(), QSize(320, 200));
}

void MainWindowTest::toggles_reach_the_parameter_file_data() {
  QTest::addColumn<int>("id");
  QTest::addColumn<QString>("line_before");
  QTest::addColumn<QString>("line_after");
  QTest::addColumn<bool>("renders_again");
  QTest::newRow("colour") << int(CMD_COLOUR) << "-COLOR" << "-MONO" << true;
  QTest::newRow("real size") << int(CMD_REAL_SIZE) << "-SM NORMAL" << "-SM REAL" << true;
  QTest::newRow("auto size") << int(CMD_AUTO_SIZE) << "" << "" << false;
}

void MainWindowTest::toggles_reach_the_parameter_file() {
  QFETCH(int, id);
  QFETCH(QString, line_before);
  QFETCH(QString, line_after);
  QFETCH(bool, renders_again);
  ShellTestWindow t;
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_lines.plt")));
  t.show_with_view(200, 150);
  QVERIFY(t.wait_for_picture());
  const QStringList before = lines_of(t.read_home_file(QStringLiteral("$param.kv")));
  const bool checked = t.window->action(id)->isChecked();
  t.trigger(id);
  QCOMPARE(t.window->action(id)->isChecked(), !checked);
  QCOMPARE(t.window->renderer().has_picture(), !renders_again);
  QVERIFY(t.wait_for_picture());
  QStringList expected = before;
  if (!line_before.isEmpty()) {
    QVERIFY(expected.contains(line_before));
    expected.replaceInStrings(QRegularExpression(u'^' + QRegularExpression::escape(line_before) + u'$'), line_after);
  }
  QCOMPARE(lines_of(t.read_home_file(QStringLiteral("$param.kv"))), expected);
  if (id == CMD_COLOUR) QCOMPARE(status_text(*t.window, "status_colour"), QStringLiteral("MONO"));
}

void MainWindowTest::option_slots_and_the_default_file() {
  ShellTestWindow t;
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_lines.plt")));
  t.show_with_view(200, 150);
  QVERIFY(t.wait_for_picture());
  // Saved as default (the box starts ticked): $config.kv and the slot.
  answer_modal([&] { t.trigger(CMD_SAVE_OPTIONS); },
               [](QDialog* d) {
                 QVERIFY(d->findChild<QCheckBox*>(QStringLiteral("1068"))->isChecked());
                 click(d, "1065");
               });
  const QByteArray saved = t.read_home_file(QStringLiteral("$confi2.kv"));
  QVERIFY(lines_of(saved).contains(QStringLiteral("-PT HP7550")));
  QCOMPARE(t.read_home_file(QStringLiteral("$config.kv")), saved);
  // Unticked, only the slot; the box keeps its state for the next time.
  QFile::remove(t.home_file(QStringLiteral("$config.kv")));
  t.trigger(CMD_COLOUR);
  answer_modal([&] { t.trigger(CMD_SAVE_OPTIONS); },
               [](QDialog* d) {
                 d->findChild<QCheckBox*>(QStringLiteral("1068"))->setChecked(false);
                 click(d, "1067");
               });
  QVERIFY(lines_of(t.read_home_file(QStringLiteral("$confi4.kv"))).contains(QStringLiteral("-MONO")));
  QVERIFY(!QFile::exists(t.home_file(QStringLiteral("$config.kv"))));
  answer_modal([&] { t.trigger(CMD_SAVE_OPTIONS); },
               [](QDialog* d) { QVERIFY(!d->findChild<QCheckBox*>(QStringLiteral("1068"))->isChecked()); });
  // Loading slot 1 takes its plotter, paper and colour and renders again.
  QVERIFY(t.wait_for_picture());
  QFile slot(t.home_file(QStringLiteral("$confi1.kv")));
  QVERIFY(slot.open(QIODevice::WriteOnly));
  slot.write("-pt hp7585\n-PP A1E\n-COLOR\n");
  slot.close();
  answer_modal([&] { t.trigger(CMD_LOAD_OPTIONS); }, [](QDialog* d) { click(d, "1064"); });
  QVERIFY(!t.window->renderer().has_picture());
  QVERIFY(t.wait_for_picture());
  QCOMPARE(status_text(*t.window, "status_plotter"), QStringLiteral("HP7585"));
  QCOMPARE(status_text(*t.window, "status_paper"), QStringLiteral("A1"));
  QVERIFY(t.window->action(CMD_COLOUR)->isChecked());
  QVERIFY(lines_of(t.read_home_file(QStringLiteral("$param.kv"))).contains(QStringLiteral("-PP A1E")));
  // Cancel loads nothing and keeps the picture.
  answer_modal([&] { t.trigger(CMD_LOAD_OPTIONS); }, [](QDialog* d) { click(d, "2"); });
  QVERIFY(t.window->renderer().has_picture());
  QVERIFY(t.boxes.shown.isEmpty());
}

void MainWindowTest::reset_options_renders_the_defaults_and_keeps_the_zoom() {
  ShellTestWindow t;
  QFile config(t.home_file(QStringLiteral("$config.kv")));
  QVERIFY(config.open(QIODevice::WriteOnly));
  config.write("-MONO\n-PT HP7475\n");
  config.close();
  // Start-up loads $config.kv.
  t.rebuild();
  QVERIFY(!t.window->action(CMD_COLOUR)->isChecked());
  QCOMPARE(status_text(*t.window, "status_plotter"), QStringLiteral("HP7475"));
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_lines.plt")));
  t.show_with_view(200, 150);
  QVERIFY(t.wait_for_picture());
  QTest::mousePress(t.window->view(), Qt::LeftButton, {}, QPoint(10, 10));
  QTest::mouseMove(t.window->view(), QPoint(60, 60));
  QTest::mouseRelease(t.window->view(), Qt::LeftButton, {}, QPoint(110, 110));
  QVERIFY(t.wait_for_picture());
  const QString zoom_line = lines_of(t.read_home_file(QStringLiteral("$param.kv"))).last();
  QVERIFY2(zoom_line.startsWith(QStringLiteral("-BM ")), qPrintable(zoom_line));
  t.trigger(CMD_RESET_OPTIONS);
  QVERIFY(!QFile::exists(t.home_file(QStringLiteral("$config.kv"))));
  QVERIFY(!t.window->renderer().has_picture());
  QVERIFY(t.wait_for_picture());
  const QStringList param = lines_of(t.read_home_file(QStringLiteral("$param.kv")));
  QVERIFY(param.contains(QStringLiteral("-PT HP7550")));
  QVERIFY(param.contains(QStringLiteral("-COLOR")));
  // The same part of the drawing, though keep aspect, back on, reshaped the
  // window and the zoom rectangle with it.
  const QStringList before = zoom_line.split(u' '), after = param.last().split(u' ');
  QCOMPARE(after.size(), before.size());
  QCOMPARE(after.first(), QStringLiteral("-BM"));
  for (int i = 1; i < before.size(); ++i) QVERIFY2(qAbs(after[i].toDouble() - before[i].toDouble()) < 1.0, qPrintable(param.last()));
  QVERIFY(t.window->action(CMD_COLOUR)->isChecked());
}

void MainWindowTest::help_about_and_fit_paper() {
  ShellTestWindow t;
  t.show_with_view(200, 150);
  QTest::keyClick(t.window.get(), Qt::Key_F1);
  auto* help = t.window->findChild<QWidget*>(QStringLiteral("help"));
  QVERIFY(help && help->isVisible());
  QVERIFY(help->findChild<QTextBrowser*>()->toPlainText().contains(QStringLiteral("ｽﾞｰﾑとりやめ")));
  help->close();

  answer_modal([&] { t.trigger(CMD_ABOUT); },
               [](QDialog* d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral("KAVOR Version"));
                 QStringList texts;
                 for (const QLabel* label : d->findChildren<QLabel*>()) texts << label->text();
                 QVERIFY(texts.contains(QStringLiteral("VE-RO(vu) Razo / Voruz Uvivevi")));
                 QVERIFY(texts.contains(QStringLiteral("バージョン 3.32")));
                 click(d, "1");
               });

  // Nothing drawn yet: no fitting paper.
  t.window->findChild<QAction*>(QStringLiteral("button139"))->trigger();
  QCOMPARE(t.boxes.shown, QStringList{"警告|最適なサイズが見つかりません."});
  // A small drawing fits a smaller plotter than the default HP7550 on A4.
  QTemporaryDir plots;
  const QString small = plots.filePath(QStringLiteral("small.plt"));
  QFile file(small);
  QVERIFY(file.open(QIODevice::WriteOnly));
  file.write("IN;SP1;PA1000,1000;PD1500,1000,1500,1500;");
  file.close();
  t.window->open_plot_file(small);
  QVERIFY(t.wait_for_picture());
  t.window->findChild<QAction*>(QStringLiteral("button139"))->trigger();
  QVERIFY(t.wait_for_picture());
  QCOMPARE(t.boxes.shown.size(), 1);
  QVERIFY(!lines_of(t.read_home_file(QStringLiteral("$param.kv"))).contains(QStringLiteral("-PT HP7550")));
  QVERIFY(status_text(*t.window, "status_plotter") != QStringLiteral("HP7550"));
}

void MainWindowTest::close_and_exit() {
  ShellTestWindow t;
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_text.plt")));
  t.show_with_view(200, 150);
  QVERIFY(t.wait_for_picture());
  t.trigger(CMD_CLOSE);
  QCOMPARE(t.window->windowTitle(), QStringLiteral("KAVOR for Windows(32Bit)"));
  QVERIFY(t.window->plot_file().isEmpty());
  QTest::qWait(50);
  QVERIFY(!t.window->renderer().has_picture());
  t.trigger(CMD_EXIT);
  QCOMPARE(t.ended_with, QList<int>{0});
}

void MainWindowTest::a_dropped_file_opens() {
  ShellTestWindow t;
  t.show_with_view(200, 150);
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(test_data(QStringLiteral("test_sheet_text.plt")))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.window.get(), &enter);
  QVERIFY(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.window.get(), &drop);
  QCOMPARE(t.window->windowTitle(), QStringLiteral("KAVOR for Windows(32Bit) - test_sheet_text.plt"));
  QVERIFY(t.wait_for_picture());
  // Two files, or something that is no file, are not taken.
  data.setUrls({QUrl::fromLocalFile(QStringLiteral("/a.plt")), QUrl::fromLocalFile(QStringLiteral("/b.plt"))});
  QDragEnterEvent two(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(t.window.get(), &two);
  QVERIFY(!two.isAccepted());
}

KAVOR_SHELL_TEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
