// Sending the plot file unchanged, as a user does it from the menus: to a
// port or file through "プロッタへ直接", and to a laser printer queue of a
// private CUPS scheduler through "HP Leaser Printer", with the bytes that
// arrive and every message checked.

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "platform/direct_output.h"
#include "shell/dialogs/direct_plotter_dialog.h"
#include "shell/direct_output.h"
#include "shell/menu_table.h"
#include "support/private_cups.h"
#include "support/shell_test_env.h"

using namespace kavor;
using namespace kavor::testing;

namespace {

QByteArray read_file(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString write_file(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes);
  return path;
}

QString text_of(QWidget* dialog, const char* id) {
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(id));
  return edit ? edit->text() : QStringLiteral("<no field>");
}

void type(QWidget* dialog, const char* id, const QString& text) {
  auto* edit = dialog->findChild<QLineEdit*>(QString::fromLatin1(id));
  QVERIFY2(edit, id);
  edit->selectAll();
  edit->insert(text);
}

bool is_checked(QWidget* dialog, const QString& id) {
  auto* button = dialog->findChild<QRadioButton*>(id);
  return button && button->isChecked();
}

// Every byte value, over and over.
QByteArray plot_bytes(int size) {
  QByteArray bytes(size, '\0');
  for (int i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 7 + i / 256) & 0xff);
  return bytes;
}

// Chooses "その他" with the port name and presses "出力(&O)".
void send_to_other(QDialog* d, const QString& port) {
  click(d, "1078");
  type(d, "1079", port);
  click(d, "1");
}

}  // namespace

class DirectOutputDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase();
  void cleanupTestCase() { cups_.reset(); }
  void port_receives_the_plot_and_is_remembered();
  void port_failures();
  void stop_ends_after_the_current_byte();
  void a_plotter_that_takes_nothing_can_be_stopped();
  void usb_printers_are_offered();
  void laser_printer_prints_and_stays_open();
  void laser_printer_failures_data();
  void laser_printer_failures();

 private:
  std::unique_ptr<PrivateCups> cups_;
  QString raw_output_;
  QTemporaryDir dir_;
};

void DirectOutputDialogsTest::initTestCase() {
  cups_ = std::make_unique<PrivateCups>();
  QVERIFY2(cups_->running(), cups_->error().c_str());
  raw_output_ = QString::fromStdString(cups_->add_raw_queue("raw"));
  QVERIFY(!raw_output_.isEmpty());
  QVERIFY(!cups_->add_file_queue("closed").empty());
  QVERIFY(cups_->reject_jobs("closed"));
}

void DirectOutputDialogsTest::port_receives_the_plot_and_is_remembered() {
  ShellTestWindow t;
  const QByteArray plot = plot_bytes(5000);
  t.window->open_plot_file(write_file(dir_.filePath(QStringLiteral("図面.plt")), plot));
  // A file that is longer holds the plot alone afterwards.
  const QString port = write_file(dir_.filePath(QStringLiteral("plotter port")), QByteArray(9000, 'x'));
  answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); },
               [&](QDialog* d) {
                 QCOMPARE(d->windowTitle(), QStringLiteral("プロッタへ直接"));
                 QVERIFY(is_checked(d, QStringLiteral("1074")));
                 QCOMPARE(text_of(d, "1079"), QStringLiteral("LPT1"));
                 send_to_other(d, port);
                 QVERIFY(!d->isVisible());
                 QCOMPARE(d->result(), 1);
               });
  QCOMPARE(read_file(port), plot);
  QCOMPARE(t.boxes.shown, QStringList());
  answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); },
               [&](QDialog* d) {
                 QVERIFY(is_checked(d, QStringLiteral("1078")));
                 QCOMPARE(text_of(d, "1079"), port);
                 click(d, "2");
                 QVERIFY(!d->isVisible());
               });
}

void DirectOutputDialogsTest::port_failures() {
  ShellTestWindow t;
  const QString absent = dir_.filePath(QStringLiteral("absent port"));
  t.window->open_plot_file(write_file(dir_.filePath(QStringLiteral("a.plt")), "IN;SP1;"));
  answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); }, [&](QDialog* d) { send_to_other(d, absent); });
  QCOMPARE(t.boxes.shown, QStringList{"Error|プリンタ無し"});
  QVERIFY(!QFile::exists(absent));
  if (!QFile::exists(QStringLiteral("/dev/lp1"))) {
    answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); }, [&](QDialog* d) {
      click(d, "1075");
      click(d, "1");
    });
    QCOMPARE(t.boxes.shown.size(), 2);
    QCOMPARE(t.boxes.shown.last(), QStringLiteral("Error|プリンタ無し"));
  }
  t.boxes.shown.clear();
  t.trigger(CMD_CLOSE);
  const QString port = write_file(dir_.filePath(QStringLiteral("port")), "");
  answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); }, [&](QDialog* d) { send_to_other(d, port); });
  QCOMPARE(t.boxes.shown, QStringList{"Error|ファイル無し"});
}

void DirectOutputDialogsTest::stop_ends_after_the_current_byte() {
  ShellTestWindow t;
  const QByteArray plot = plot_bytes(20000);
  t.window->open_plot_file(write_file(dir_.filePath(QStringLiteral("b.plt")), plot));
  const QString port = write_file(dir_.filePath(QStringLiteral("port b")), "");
  answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); },
               [&](QDialog* d) {
                 // Pressed while the first byte is written.
                 QTimer::singleShot(0, d, [d] { click(d, "1080"); });
                 send_to_other(d, port);
                 QCOMPARE(d->result(), 1);
               });
  QCOMPARE(read_file(port), plot.left(1));
  QCOMPARE(t.boxes.shown, QStringList{"出力中止|出力を中止しました. 1 バイトを送りました."});
}

// A plotter that is off: the pipe's reader reads nothing. The dialog says
// so, its stop button still acts, and the user is told what was sent.
void DirectOutputDialogsTest::a_plotter_that_takes_nothing_can_be_stopped() {
  ShellTestWindow t;
  t.window->open_plot_file(write_file(dir_.filePath(QStringLiteral("c.plt")), plot_bytes(300000)));
  const QString fifo = dir_.filePath(QStringLiteral("fifo"));
  QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  const int reader = ::open(QFile::encodeName(fifo).constData(), O_RDONLY | O_NONBLOCK);
  QVERIFY(reader >= 0);
  QString waiting_text;
  answer_modal([&] { t.trigger(CMD_DIRECT_TO_PLOTTER); },
               [&](QDialog* d) {
                 QTimer poll;
                 QElapsedTimer waited;
                 waited.start();
                 QObject::connect(&poll, &QTimer::timeout, d, [&] {
                   const QString status = d->findChild<QLabel*>(QStringLiteral("status"))->text();
                   // Stopped in any case after a while, so that a fault fails
                   // the test instead of hanging it.
                   if (!status.contains(QStringLiteral("受け付けを待っています")) && waited.elapsed() < 20000) return;
                   waiting_text = status;
                   poll.stop();
                   // Closing the window stops too, and leaves it open
                   // until the send has ended.
                   QTest::keyClick(d, Qt::Key_Escape);
                   QVERIFY(d->isVisible());
                 });
                 poll.start(20);
                 send_to_other(d, fifo);
               });
  QVERIFY2(waiting_text.contains(QStringLiteral("出力中止")), qPrintable(waiting_text));
  QByteArray received(300000, '\0');
  const ssize_t n = ::read(reader, received.data(), static_cast<size_t>(received.size()));
  ::close(reader);
  QVERIFY(n > 0);
  QCOMPARE(t.boxes.shown, QStringList{QStringLiteral("出力中止|出力を中止しました. %1 バイトを送りました.").arg(n)});
}

void DirectOutputDialogsTest::usb_printers_are_offered() {
  ScriptedMessageBoxes boxes;
  DirectOutput output(boxes);
  const QString plot = write_file(dir_.filePath(QStringLiteral("d.plt")), "IN;SP2;PA0,0;PD100,100;");
  const QStringList devices{write_file(dir_.filePath(QStringLiteral("lp0")), ""),
                            write_file(dir_.filePath(QStringLiteral("lp1")), "")};
  PortChoice choice;
  {
    DirectPlotterDialog d(choice, devices, output, plot);
    auto* usb = d.findChild<QRadioButton*>(devices[1]);
    QVERIFY(usb);
    QCOMPARE(usb->text(), QStringLiteral("USB ") + devices[1]);
    usb->click();
    click(&d, "1");
  }
  QCOMPARE(read_file(devices[1]), QByteArray("IN;SP2;PA0,0;PD100,100;"));
  QCOMPARE(read_file(devices[0]), QByteArray());
  QVERIFY(boxes.shown.isEmpty());
  DirectPlotterDialog again(choice, devices, output, plot);
  QVERIFY(is_checked(&again, devices[1]));
  // The device has gone: its path stays as another port.
  DirectPlotterDialog gone(choice, {}, output, plot);
  QVERIFY(is_checked(&gone, QStringLiteral("1078")));
  QCOMPARE(text_of(&gone, "1079"), devices[1]);
}

void DirectOutputDialogsTest::laser_printer_prints_and_stays_open() {
  ShellTestWindow t;
  const QByteArray plot = plot_bytes(10000);
  const QString first = write_file(dir_.filePath(QStringLiteral("first.plt")), plot);
  const QString second = write_file(dir_.filePath(QStringLiteral("second.plt")), "IN;SP1;CI500;");
  const QByteArray preamble(kLaserPrinterPreamble.data(), static_cast<qsizetype>(kLaserPrinterPreamble.size()));
  t.window->open_plot_file(first);
  answer_modal([&] { t.trigger(CMD_LASER_PRINTER); },
               [&](QDialog* d) {
                 QCOMPARE(text_of(d, "1007"), first);
                 QCOMPARE(text_of(d, "1008"), QString());
                 answer_modal([d] { click(d, "1005"); },
                              [](QDialog* choice) {
                                auto* input = qobject_cast<QInputDialog*>(choice);
                                QVERIFY(input);
                                QCOMPARE(input->comboBoxItems(), (QStringList{"closed", "raw"}));
                                input->setTextValue(QStringLiteral("raw"));
                                input->accept();
                              });
                 QCOMPARE(text_of(d, "1008"), QStringLiteral("raw"));
                 click(d, "1001");
                 QVERIFY(d->isVisible());
                 QVERIFY(cups_->wait_until_idle());
                 QCOMPARE(read_file(raw_output_), preamble + plot);
                 answer_modal([d] { click(d, "1004"); },
                              [&](QDialog* choice) {
                                auto* files = qobject_cast<QFileDialog*>(choice);
                                QVERIFY(files);
                                QCOMPARE(files->windowTitle(), QStringLiteral("印刷するファイル"));
                                QCOMPARE(files->fileMode(), QFileDialog::ExistingFile);
                                files->selectFile(second);
                                QMetaObject::invokeMethod(files, "accept");
                              });
                 QCOMPARE(text_of(d, "1007"), second);
                 click(d, "1001");
                 QVERIFY(cups_->wait_until_idle());
                 QCOMPARE(read_file(raw_output_), preamble + "IN;SP1;CI500;");
                 click(d, "1003");
                 QVERIFY(!d->isVisible());
               });
  QCOMPARE(t.boxes.shown, QStringList());
  // The printer is kept; a cancelled choice empties it.
  answer_modal([&] { t.trigger(CMD_LASER_PRINTER); },
               [&](QDialog* d) {
                 QCOMPARE(text_of(d, "1008"), QStringLiteral("raw"));
                 answer_modal([d] { click(d, "1005"); }, [](QDialog* choice) { choice->reject(); });
                 QCOMPARE(text_of(d, "1008"), QString());
                 answer_modal([d] { click(d, "1002"); },
                              [](QDialog* help) { QCOMPARE(help->objectName(), QStringLiteral("HPHELP")); });
               });
}

void DirectOutputDialogsTest::laser_printer_failures_data() {
  QTest::addColumn<QString>("file");
  QTest::addColumn<QString>("printer");
  QTest::addColumn<QString>("message");
  QTest::newRow("no file") << "missing.plt" << "raw" << "ファイル無し";
  QTest::newRow("no file and no printer") << "missing.plt" << "nowhere" << "ファイル無し";
  QTest::newRow("no printer") << "e.plt" << "nowhere" << "プリンタ無し";
  QTest::newRow("no name") << "e.plt" << "" << "プリンタ無し";
  QTest::newRow("jobs refused") << "e.plt" << "closed" << "印刷できません";
}

void DirectOutputDialogsTest::laser_printer_failures() {
  QFETCH(QString, file);
  QFETCH(QString, printer);
  QFETCH(QString, message);
  write_file(dir_.filePath(QStringLiteral("e.plt")), "IN;");
  ShellTestWindow t;
  answer_modal([&] { t.trigger(CMD_LASER_PRINTER); },
               [&](QDialog* d) {
                 type(d, "1007", dir_.filePath(file));
                 type(d, "1008", printer);
                 click(d, "1001");
                 QVERIFY(d->isVisible());
               });
  QCOMPARE(t.boxes.shown, QStringList{"Error|" + message});
  QVERIFY(cups_->wait_until_idle());
}

KAVOR_SHELL_TEST_MAIN(DirectOutputDialogsTest)
#include "direct_output_dialogs_test.moc"
