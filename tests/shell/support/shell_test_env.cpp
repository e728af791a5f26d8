#include "support/shell_test_env.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "shell/menu_table.h"
#include "shell/view_renderer.h"
#include "shell/view_widget.h"

namespace kavor::testing {

bool ScriptedMessageBoxes::engine_warning(const QString& text, bool offer_silence) {
  shown.append(QStringLiteral("Error|") + text);
  if (!offer_silence) return false;
  ++silence_offers;
  return silence_when_offered;
}

bool ScriptedMessageBoxes::instruction_error(const QString& text) {
  shown.append(QStringLiteral("HP-GL ｺﾏﾝﾄﾞ ｴﾗｰ|") + text);
  if (continue_answers.empty()) return true;
  const bool answer = continue_answers.front();
  continue_answers.pop_front();
  return answer;
}

void ScriptedMessageBoxes::message(const QString& text, const QString& caption, Icon, const QString& more) {
  shown.append(caption + u'|' + text);
  details.append(more);
}

QString ScriptedFileDialogs::choose(FileDialogKind kind) {
  asked.push_back(kind);
  if (answers.empty()) return {};
  const QString answer = answers.front();
  answers.pop_front();
  return answer;
}

ShellTestWindow::ShellTestWindow() { rebuild(); }

void ShellTestWindow::rebuild() {
  window.reset();
  qputenv("KAVOR_HOME", home.path().toUtf8());
  ShellServices services;
  services.boxes = &boxes;
  services.files = &files;
  services.end_process = [this](int status) { ended_with.append(status); };
  window = std::make_unique<MainWindow>(services);
}

ShellTestWindow::~ShellTestWindow() { window.reset(); }

void ShellTestWindow::show_with_view(int w, int h) {
  if (window->settings().keep_aspect) trigger(CMD_KEEP_ASPECT);
  window->show();
  QVERIFY(QTest::qWaitForWindowExposed(window.get()));
  const QSize outer = window->size() - window->view()->size();
  window->resize(outer + QSize(w, h));
  QTRY_COMPARE(window->view()->size(), QSize(w, h));
}

void ShellTestWindow::trigger(int id) {
  QAction* action = window->action(id);
  QVERIFY2(action, qPrintable(QStringLiteral("no menu item %1").arg(id)));
  action->trigger();
}

bool ShellTestWindow::wait_for_picture(int timeout_ms) {
  ViewRenderer& r = window->renderer();
  return QTest::qWaitFor([&] { return r.has_picture() && !r.is_rendering(); }, timeout_ms);
}

QByteArray ShellTestWindow::read_home_file(const QString& name) const {
  QFile file(home_file(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void answer_modal(const std::function<void()>& open, const std::function<void(QDialog*)>& answer) {
  QTimer::singleShot(0, [answer] {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    answer(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  open();
}

void click(QWidget* dialog, const char* id) {
  auto* button = dialog->findChild<QAbstractButton*>(QString::fromLatin1(id));
  QVERIFY2(button, id);
  button->click();
}

QString test_data(const QString& name) { return QStringLiteral(KAVOR_TEST_DATA "/") + name; }

bool run_converter(const QStringList& arguments) {
  QProcess converter;
  converter.start(QStringLiteral(KAVOR_CONVERT), arguments);
  return converter.waitForFinished(120000) && converter.exitStatus() == QProcess::NormalExit &&
         converter.exitCode() == 0;
}

void prepare_shell_test_environment() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static QTemporaryDir runtime;
  QFile::setPermissions(runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
}

}  // namespace kavor::testing
