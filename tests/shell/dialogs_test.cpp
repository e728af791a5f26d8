// The settings dialogs as a user meets them from the menus: what each one
// shows, what OK, Cancel and reset leave in the settings and the parameter
// file, and when the view is drawn again.

#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include "shell/dialogs/colour_sample.h"
#include "shell/menu_table.h"
#include "shell/view_renderer.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

QString text_of(QWidget* dialog, const char* id) {
  QWidget* control = dialog->findChild<QWidget*>(QString::fromLatin1(id));
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text();
  return QStringLiteral("<no field %1>").arg(QString::fromLatin1(id));
}

void type(QWidget* dialog, const char* id, const QString& text) {
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(id));
  QVERIFY2(edit, id);
  edit->selectAll();
  edit->insert(text);
}

bool is_checked(QWidget* dialog, const char* id) {
  auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(id));
  return button && button->isChecked();
}

QStringList lines_of(const QByteArray& text) { return QString::fromUtf8(text).split(u'\n', Qt::SkipEmptyParts); }

void write_config(ShellTestWindow& t, const QByteArray& lines) {
  QFile config(t.home_file(QStringLiteral("$config.kv")));
  QVERIFY(config.open(QIODevice::WriteOnly));
  config.write(lines);
  config.close();
  t.rebuild();
}

// A window showing a plot, its first picture drawn.
void show_plot(ShellTestWindow& t) {
  t.window->open_plot_file(test_data(QStringLiteral("test_sheet_lines.plt")));
  t.show_with_view(240, 180);
  QVERIFY(t.wait_for_picture());
}

QStringList parameter_lines(const ShellTestWindow& t) { return lines_of(t.read_home_file(QStringLiteral("$param.kv"))); }

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void plotter_ok_takes_the_ticked_plotter_and_paper();
  void plotter_cancel_puts_back_what_advance_changed();
  void advanced_reset_shows_ones_and_clears_expand();
  void magnification_texts_data();
  void magnification_texts();
  void output_reset_cancel_and_help();
  void pen_preview_draws_before_the_dialog_closes();
  void pen_changes_without_preview_wait_for_ok();
  void current_state_data();
  void current_state();
};

void DialogsTest::plotter_ok_takes_the_ticked_plotter_and_paper() {
  ShellTestWindow t;
  show_plot(t);
  answer_modal([&] { t.trigger(CMD_PLOTTER); },
               [](QDialog* d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral("プロッター"));
                 QVERIFY(is_checked(d, "1003"));  // HP7550
                 QVERIFY(is_checked(d, "104"));   // A4
                 click(d, "1008");                // HP7585
                 click(d, "101");                 // A1
                 answer_modal([d] { click(d, "3"); },
                              [](QDialog* a) {
                                QCOMPARE(a->windowTitle(), QStringLiteral("Advance PlotterSet up"));
                                QCOMPARE(text_of(a, "1013"), QStringLiteral("1.00"));
                                type(a, "1013", QStringLiteral("2.5"));
                                click(a, "1000");
                                click(a, "1");
                              });
                 QVERIFY(d->isVisible());
                 click(d, "1");
               });
  QVERIFY(!t.window->renderer().has_picture());
  QVERIFY(t.wait_for_picture());
  const QStringList param = parameter_lines(t);
  QVERIFY(param.contains(QStringLiteral("-PT HP7585")));
  QVERIFY(param.contains(QStringLiteral("-PP A1E")));
  QVERIFY(param.contains(QStringLiteral("-PX 2.500000x1.000000")));
  QCOMPARE(t.window->findChild<QLabel*>(QStringLiteral("status_plotter"))->text(), QStringLiteral("HP7585"));
}

// Advance, change, OK there, then Cancel here: the values from before the
// plotter dialog opened return, and the picture stays.
void DialogsTest::plotter_cancel_puts_back_what_advance_changed() {
  ShellTestWindow t;
  write_config(t, "-PT HP7585\n-PP A1E\n-PX 2x3\n");
  show_plot(t);
  auto change_in_advance = [](QDialog* d, const char* closing) {
    answer_modal([d] { click(d, "3"); },
                 [closing](QDialog* a) {
                   QCOMPARE(text_of(a, "1013"), QStringLiteral("2.00"));
                   QCOMPARE(text_of(a, "1014"), QStringLiteral("3.00"));
                   QVERIFY(is_checked(a, "1000"));
                   type(a, "1013", QStringLiteral("5"));
                   click(a, "1000");
                   click(a, closing);
                 });
  };
  answer_modal([&] { t.trigger(CMD_PLOTTER); },
               [&](QDialog* d) {
                 change_in_advance(d, "1");
                 QCOMPARE(t.window->settings().magnification_x, 5.0);
                 QCOMPARE(t.window->settings().expand, 0);
                 click(d, "1001");  // HP7440, not taken by Cancel
                 click(d, "2");
               });
  // Cancel in the advanced dialog puts them back at once; so do Escape
  // and the window's close button in the plotter dialog.
  answer_modal([&] { t.trigger(CMD_PLOTTER); },
               [&](QDialog* d) {
                 change_in_advance(d, "2");
                 QCOMPARE(t.window->settings().magnification_x, 2.0);
                 change_in_advance(d, "1");
                 QTest::keyClick(d, Qt::Key_Escape);
                 QVERIFY(!d->isVisible());
               });
  const Settings& s = t.window->settings();
  QCOMPARE(s.magnification_x, 2.0);
  QCOMPARE(s.magnification_y, 3.0);
  QCOMPARE(s.expand, 1);
  QCOMPARE(s.plotter, int(HP7585));
  QVERIFY(t.window->renderer().has_picture());
}

void DialogsTest::advanced_reset_shows_ones_and_clears_expand() {
  ShellTestWindow t;
  write_config(t, "-PT HP7585\n-PP A1E\n-PX 1.5x2.25\n");
  answer_modal([&] { t.trigger(CMD_PLOTTER); },
               [&](QDialog* d) {
                 answer_modal([d] { click(d, "3"); },
                              [](QDialog* a) {
                                QCOMPARE(text_of(a, "1013"), QStringLiteral("1.50"));
                                QCOMPARE(text_of(a, "1014"), QStringLiteral("2.25"));
                                type(a, "1014", QStringLiteral("7"));
                                click(a, "1028");
                                QCOMPARE(text_of(a, "1013"), QStringLiteral("1.00"));
                                QCOMPARE(text_of(a, "1014"), QStringLiteral("1.00"));
                                QVERIFY(!is_checked(a, "1000"));
                                // The help box explains the fields.
                                answer_modal([a] { click(a, "9"); },
                                             [](QDialog* h) {
                                               QCOMPARE(h->objectName(), QStringLiteral("HELPPTYPEA"));
                                               QVERIFY(text_of(h, "text").contains(QStringLiteral("横拡大")));
                                               QVERIFY(text_of(h, "text").contains(QStringLiteral("EXPAMD")));
                                             });
                                click(a, "1");
                              });
                 click(d, "1");
               });
  const Settings& s = t.window->settings();
  QCOMPARE(s.magnification_x, 1.0);
  QCOMPARE(s.magnification_y, 1.0);
  QCOMPARE(s.expand, 0);
}

// The output magnification X as typed, and what the setting becomes from
// 1.25.
void DialogsTest::magnification_texts_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<double>("value");
  QTest::newRow("plain") << "2.5" << 2.5;
  QTest::newRow("leading blanks") << "  3" << 3.0;
  QTest::newRow("plus sign") << "+1.5" << 1.5;
  QTest::newRow("minus sign") << "-2" << -2.0;
  QTest::newRow("no leading digit") << ".5" << 0.5;
  QTest::newRow("exponent") << "1e3" << 1000.0;
  QTest::newRow("text after the number") << "1.5倍" << 1.5;
  QTest::newRow("a comma ends the number") << "1,5" << 1.0;
  QTest::newRow("nine characters at most") << "123456789012" << 123456789.0;
  QTest::newRow("not a number") << "abc" << 1.25;
  QTest::newRow("empty") << "" << 1.25;
  QTest::newRow("full-width digits") << "２.５" << 1.25;
  QTest::newRow("nan") << "nan" << 1.25;
  QTest::newRow("infinity") << "inf" << 1.25;
  QTest::newRow("too large") << "1e999" << 1.25;
}

void DialogsTest::magnification_texts() {
  QFETCH(QString, typed);
  QFETCH(double, value);
  ShellTestWindow t;
  write_config(t, "-OX 1.25x1.25\n");
  answer_modal([&] { t.trigger(CMD_OUTPUT); },
               [&](QDialog* d) {
                 QCOMPARE(text_of(d, "1012"), QStringLiteral("1.25"));
                 type(d, "1012", typed);
                 click(d, "1");
               });
  QCOMPARE(t.window->settings().output_magnification_x, value);
  QCOMPARE(t.window->settings().output_magnification_y, 1.25);
}

void DialogsTest::output_reset_cancel_and_help() {
  ShellTestWindow t;
  write_config(t, "-OX 0.5x2\n");
  show_plot(t);
  QVERIFY(parameter_lines(t).contains(QStringLiteral("-OX 0.500000x2.000000")));
  // Reset, then Cancel: nothing changes, and the picture stays.
  answer_modal([&] { t.trigger(CMD_OUTPUT); },
               [](QDialog* d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral("出力"));
                 click(d, "3");
                 QCOMPARE(text_of(d, "1012"), QStringLiteral("1.00"));
                 QCOMPARE(text_of(d, "1013"), QStringLiteral("1.00"));
                 answer_modal([d] { click(d, "9"); },
                              [](QDialog* h) { QCOMPARE(h->objectName(), QStringLiteral("HELPOUTPUT")); });
                 click(d, "2");
               });
  QCOMPARE(t.window->settings().output_magnification_x, 0.5);
  QCOMPARE(t.window->settings().output_magnification_y, 2.0);
  QVERIFY(t.window->renderer().has_picture());
  // Reset, then OK: drawn again without the line.
  answer_modal([&] { t.trigger(CMD_OUTPUT); }, [](QDialog* d) {
    click(d, "3");
    click(d, "1");
  });
  QVERIFY(t.wait_for_picture());
  for (const QString& line : parameter_lines(t)) QVERIFY2(!line.startsWith(QStringLiteral("-OX")), qPrintable(line));
}

// With Preview ticked, a changed pen is drawn while the pen dialog is still
// open; Cancel puts the pens back and the view is drawn with them again.
void DialogsTest::pen_preview_draws_before_the_dialog_closes() {
  ShellTestWindow t;
  show_plot(t);
  answer_modal([&] { t.trigger(CMD_PENS); },
               [&](QDialog* d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral("Plotter Pen"));
                 QVERIFY(is_checked(d, "1032"));
                 QCOMPARE(text_of(d, "1064"), QStringLiteral("BLACK"));
                 answer_modal([d] { click(d, "120"); },
                              [](QDialog* p) {
                                QVERIFY(is_checked(p, "1028"));  // Black
                                QVERIFY(is_checked(p, "1016"));  // 1 Dot
                                auto* preview = p->findChild<ColourSample*>(QStringLiteral("30"));
                                QCOMPARE(preview->colour(), QColor(Qt::black));
                                click(p, "1034");  // Red
                                QCOMPARE(preview->colour(), QColor(255, 0, 0));
                                click(p, "1020");  // 0.3 mm
                                click(p, "1");
                              });
                 QCOMPARE(text_of(d, "1064"), QStringLiteral("RED"));
                 QCOMPARE(text_of(d, "1073"), QStringLiteral("0.3 mm"));
                 QCOMPARE(d->findChild<ColourSample*>(QStringLiteral("1038"))->colour(), QColor(255, 0, 0));
                 QVERIFY(t.wait_for_picture());
                 QVERIFY(d->isVisible());
                 QVERIFY(parameter_lines(t).contains(QStringLiteral("-PC WRBGRMCY")));
                 QVERIFY(parameter_lines(t).contains(QStringLiteral("-PW 03000000")));
                 click(d, "2");
               });
  QCOMPARE(QByteArray(t.window->settings().pen_colours.data()), QByteArray("WKBGRMCY"));
  QCOMPARE(QByteArray(t.window->settings().pen_widths.data()), QByteArray("00000000"));
  QVERIFY(t.wait_for_picture());
  QVERIFY(parameter_lines(t).contains(QStringLiteral("-PC WKBGRMCY")));
}

// Unticked, the view waits for OK; the box keeps its state for the next
// time. A pen beyond a short colour word from a settings file is kept too.
void DialogsTest::pen_changes_without_preview_wait_for_ok() {
  ShellTestWindow t;
  write_config(t, "-PC WK\n");
  show_plot(t);
  const QImage before = *t.window->renderer().picture();
  answer_modal([&] { t.trigger(CMD_PENS); },
               [&](QDialog* d) {
                 QCOMPARE(text_of(d, "1069"), QString());
                 click(d, "1032");
                 answer_modal([d] { click(d, "125"); }, [](QDialog* p) {
                   QVERIFY(!is_checked(p, "1032"));
                   click(p, "1032");  // Cyan
                   click(p, "1");
                 });
                 QCOMPARE(text_of(d, "1069"), QStringLiteral("CYAN"));
                 QTest::qWait(100);
                 QVERIFY(t.window->renderer().has_picture());
                 QCOMPARE(*t.window->renderer().picture(), before);
                 click(d, "1");
               });
  QCOMPARE(QByteArray(t.window->settings().pen_colours.data()), QByteArray("WKKKKKC"));
  QVERIFY(t.wait_for_picture());
  QVERIFY(parameter_lines(t).contains(QStringLiteral("-PC WKKKKKC")));
  answer_modal([&] { t.trigger(CMD_PENS); }, [](QDialog* d) { QVERIFY(!is_checked(d, "1032")); });
}

void DialogsTest::current_state_data() {
  QTest::addColumn<QByteArray>("config");
  QTest::addColumn<QStringList>("fields");  // 1053 1054 1026 1059 1056 1061 1060 1062
  QTest::addColumn<QStringList>("colours");
  QTest::addColumn<QStringList>("widths");
  const QString dot = QStringLiteral(" 1 dot");
  QTest::newRow("defaults") << QByteArray()
                            << QStringList{"HP7550", "A4", "NORMAL", "1.00", "1.00", "1.00", "1.00", "COLOR"}
                            << QStringList{"WHITE", "BLACK", "BLUE", "GREEN", "RED", "MAGENTA", "CYAN", "YELLOW"}
                            << QStringList{dot, dot, dot, dot, dot, dot, dot, dot};
  QTest::newRow("loaded") << QByteArray("-PT HP7586\n-PP DE\n-PX 1.5x2\n-OX 0.125\n-MONO\n-PC KRGYBMCX\n-PW 01234569\n")
                          << QStringList{"HP7586", " D", "EXPAND", "1.50", "2.00", "0.12", "0.12", "MONO"}
                          << QStringList{"BLACK", "RED", "GREEN", "YELLOW", "BLUE", "MAGENTA", "CYAN", ""}
                          << QStringList{dot, "0.1 mm", "0.2 mm", "0.3 mm", "0.4 mm", "0.5 mm", "0.6 mm", "0.9 mm"};
}

void DialogsTest::current_state() {
  QFETCH(QByteArray, config);
  QFETCH(QStringList, fields);
  QFETCH(QStringList, colours);
  QFETCH(QStringList, widths);
  ShellTestWindow t;
  write_config(t, config);
  answer_modal([&] { t.trigger(CMD_CURRENT_STATE); },
               [&](QDialog* d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral("現在の状態"));
                 QStringList shown;
                 for (const char* id : {"1053", "1054", "1026", "1059", "1056", "1061", "1060", "1062"})
                   shown << text_of(d, id);
                 QCOMPARE(shown, fields);
                 QStringList shown_colours, shown_widths;
                 for (int pen = 0; pen < 8; ++pen) {
                   shown_colours << text_of(d, QByteArray::number(1063 + pen).constData());
                   shown_widths << text_of(d, QByteArray::number(pen < 5 ? 1072 + pen : 1073 + pen).constData());
                 }
                 QCOMPARE(shown_colours, colours);
                 QCOMPARE(shown_widths, widths);
                 // Read only: nothing to type into.
                 QVERIFY(d->findChildren<QLineEdit*>().isEmpty());
                 click(d, "1");
                 QVERIFY(!d->isVisible());
               });
}

KAVOR_SHELL_TEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
