#pragma once
// What the desktop program's tests share: a private settings directory and
// runtime directory, message boxes and file dialogs answered from a script,
// and a main window built with them.

#include <QDir>
#include <QStringList>
#include <QTemporaryDir>

class QDialog;
#include <deque>
#include <functional>
#include <memory>

#include "shell/file_dialogs.h"
#include "shell/main_window.h"
#include "shell/message_boxes.h"

namespace kavor::testing {

// Every box shown, as "caption|text"; answers taken from the front of the
// queues (Continue and no silencing when they are empty).
class ScriptedMessageBoxes : public MessageBoxes {
 public:
  bool engine_warning(const QString& text, bool offer_silence) override;
  bool instruction_error(const QString& text) override;
  void message(const QString& text, const QString& caption, Icon icon, const QString& details) override;

  QStringList shown;
  QStringList details;
  int silence_offers = 0;
  std::deque<bool> continue_answers;
  // Answers "show no more" to the first warning box that offers it.
  bool silence_when_offered = false;
};

class ScriptedFileDialogs : public FileDialogs {
 public:
  QString choose(FileDialogKind kind) override;

  std::deque<QString> answers;  // empty: cancelled
  std::vector<FileDialogKind> asked;
};

// A fresh KAVOR_HOME for each window.
struct ShellTestWindow {
  ShellTestWindow();
  ~ShellTestWindow();
  ShellTestWindow(const ShellTestWindow&) = delete;
  ShellTestWindow& operator=(const ShellTestWindow&) = delete;

  // A new window on the same settings directory (start-up again).
  void rebuild();
  // Shows the window with keep-aspect off and its view at w by h.
  void show_with_view(int w, int h);
  // Triggers the menu item of a command.
  void trigger(int id);
  // Waits until the view has a finished picture.
  bool wait_for_picture(int timeout_ms = 60000);
  QString home_file(const QString& name) const { return home.filePath(name); }
  QByteArray read_home_file(const QString& name) const;

  QTemporaryDir home;
  ScriptedMessageBoxes boxes;
  ScriptedFileDialogs files;
  QList<int> ended_with;  // statuses the program would have ended with
  std::unique_ptr<MainWindow> window;
};

// Runs answer on the modal dialog that open brings up, then closes the
// dialog if it is still open. answer may itself answer a dialog that it
// opens.
void answer_modal(const std::function<void()>& open, const std::function<void(QDialog*)>& answer);
// Clicks the button with the control id in the dialog.
void click(QWidget* dialog, const char* id);

// The folder of the test plot files.
QString test_data(const QString& name);
// Runs the converter; false when it did not exit 0.
bool run_converter(const QStringList& arguments);
// Sets up the environment every desktop test runs in; call before the
// application object is made.
void prepare_shell_test_environment();

}  // namespace kavor::testing

// A QTest main that prepares the environment first.
#define KAVOR_SHELL_TEST_MAIN(TestClass)                    \
  int main(int argc, char** argv) {                         \
    kavor::testing::prepare_shell_test_environment();       \
    QApplication app(argc, argv);                           \
    TestClass test;                                         \
    return QTest::qExec(&test, argc, argv);                 \
  }
