#include "shell/shell_host.h"

#include <QCoreApplication>
#include <QMainWindow>
#include <QMenuBar>

#include "shell/message_boxes.h"
#include "shell/progress_dialog.h"

namespace kavor {

namespace {

// Pending events are dispatched at most this often, so that the pump costs
// little; the cancel flag is still tested on every character.
constexpr auto kEventInterval = std::chrono::milliseconds(5);
constexpr auto kRepaintInterval = std::chrono::milliseconds(100);
// The first warnings of a session are shown as they are; from then on the
// box also offers to show no more of them.
constexpr int kWarningsBeforeWayOut = 3;
// Warnings kept for the list shown at the end of a session.
constexpr int kKeptWarnings = 1000;

QString from_engine(const std::string& text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  while (shown.endsWith(u'\n')) shown.chop(1);
  return shown;
}

}  // namespace

ShellHost::ShellHost(QMainWindow& window, MessageBoxes& boxes, std::string settings_dir)
    : window_(window), boxes_(boxes), settings_dir_(std::move(settings_dir)) {}

ShellHost::~ShellHost() { delete dialog_.data(); }

void ShellHost::begin(const QString& title, const QString& text) {
  in_session_ = true;
  cancel_ = false;
  warnings_ = unshown_ = 0;
  silenced_ = false;
  unshown_texts_.clear();
  longest_gap_ = {};
  // The first pump dispatches and repaints at once.
  last_events_ = Clock::now() - kEventInterval;
  last_repaint_ = Clock::now() - kRepaintInterval;
  previous_cursor_ = window_.cursor();
  window_.setCursor(Qt::WaitCursor);
  // The dialog is owned by the main window, which therefore stays enabled:
  // only its menus and its view are disabled.
  dialog_ = new ProgressDialog(title, text, &window_);
  QObject::connect(dialog_, &ProgressDialog::cancel_requested, dialog_, [this] { request_cancel(); });
  set_window_enabled(false);
  dialog_->show();
}

void ShellHost::request_cancel() {
  cancel_ = true;
  set_window_enabled(true);
  close_progress_dialog();
}

void ShellHost::end() {
  if (!cancel_) {
    set_window_enabled(true);
    close_progress_dialog();
  }
  window_.setCursor(previous_cursor_);
  in_session_ = false;
  report_unshown_warnings();
}

void ShellHost::set_window_enabled(bool enabled) {
  window_.menuBar()->setEnabled(enabled);
  if (QWidget* view = window_.centralWidget()) view->setEnabled(enabled);
}

void ShellHost::close_progress_dialog() {
  if (!dialog_) return;
  dialog_->hide();
  dialog_->deleteLater();
  dialog_ = nullptr;
}

void ShellHost::report_unshown_warnings() {
  if (unshown_ == 0) return;
  QString list = unshown_texts_.join(u'\n');
  if (unshown_ > unshown_texts_.size())
    list += QStringLiteral("\n... (%1 more)").arg(unshown_ - unshown_texts_.size());
  boxes_.message(QStringLiteral("表示しなかった警告が %1 件あります.").arg(unshown_), QStringLiteral("Error"),
                 MessageBoxes::Icon::warning, list);
  unshown_ = 0;
  unshown_texts_.clear();
}

void ShellHost::show_warning(const std::string& text) {
  ++warnings_;
  if (silenced_) {
    ++unshown_;
    if (unshown_texts_.size() < kKeptWarnings) unshown_texts_.append(from_engine(text));
    return;
  }
  silenced_ = boxes_.engine_warning(from_engine(text), in_session_ && warnings_ > kWarningsBeforeWayOut);
}

void ShellHost::show_fatal(const std::string& text) {
  boxes_.message(from_engine(text), QStringLiteral("Error"), MessageBoxes::Icon::warning);
}

int ShellHost::ask_instruction_error(const std::string& text) {
  return boxes_.instruction_error(from_engine(text)) ? 0 : 1;
}

void ShellHost::show_message(const std::string& text, const std::string& caption) {
  boxes_.message(from_engine(text), from_engine(caption), MessageBoxes::Icon::warning);
}

void ShellHost::progress(int percent) {
  if (dialog_) dialog_->show_percent(percent);
}

void ShellHost::pump() {
  const Clock::time_point now = Clock::now();
  if (now - last_events_ < kEventInterval) return;
  longest_gap_ = std::max(longest_gap_, now - last_events_);
  if (repaint_ && now - last_repaint_ >= kRepaintInterval) {
    repaint_();
    last_repaint_ = now;
  }
  QCoreApplication::processEvents();
  last_events_ = Clock::now();
}

}  // namespace kavor
