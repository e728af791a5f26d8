#pragma once
// The engine's host in the desktop program. A session (a view rendering,
// later a print job) shows the progress dialog and the wait cursor and
// disables the window's menus and view; the engine's messages become boxes
// over the main window; the pump lets the window repaint and the progress
// dialog's button cancel while the engine runs on the window's thread.

#include <QCursor>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <chrono>
#include <functional>
#include <string>

#include "engine/host.h"

class QMainWindow;

namespace kavor {

class MessageBoxes;
class ProgressDialog;

class ShellHost : public Host {
 public:
  using Clock = std::chrono::steady_clock;

  ShellHost(QMainWindow& window, MessageBoxes& boxes, std::string settings_dir);
  ~ShellHost() override;
  ShellHost(const ShellHost&) = delete;
  ShellHost& operator=(const ShellHost&) = delete;

  // Opens a session: the progress dialog with its title and text, the wait
  // cursor, the menus and the view disabled, the cancel flag cleared.
  void begin(const QString& title, const QString& text);
  // Closes it: unless cancel already did, the window is enabled again and
  // the dialog goes; warnings that were not shown are offered as a list.
  void end();
  bool in_session() const { return in_session_; }
  bool cancelled() const { return cancel_; }
  // As the progress dialog's button does.
  void request_cancel();
  // Called while the engine runs, at most every tenth of a second, so that
  // the window shows the picture drawn so far.
  void set_progress_repaint(std::function<void()> repaint) { repaint_ = std::move(repaint); }
  void set_view_area(PixelSize size) { view_ = size; }
  // The longest wait between two dispatches of pending events in the last
  // session: how long the window may have been deaf.
  Clock::duration longest_event_gap() const { return longest_gap_; }

  void show_warning(const std::string& text) override;
  void show_fatal(const std::string& text) override;
  int ask_instruction_error(const std::string& text) override;
  void show_message(const std::string& text, const std::string& caption) override;
  void progress(int percent) override;
  void pump() override;
  bool cancel_requested() const override { return cancel_; }
  PixelSize view_area() const override { return view_; }
  // A printed sheet answers its own page (render_sheet); there is none here.
  PixelSize printer_page() const override { return {100, 100}; }
  std::string settings_dir() const override { return settings_dir_; }

 private:
  void set_window_enabled(bool enabled);
  void close_progress_dialog();
  void report_unshown_warnings();

  QMainWindow& window_;
  MessageBoxes& boxes_;
  std::string settings_dir_;
  PixelSize view_{1, 1};
  QPointer<ProgressDialog> dialog_;
  QCursor previous_cursor_;
  bool in_session_ = false;
  bool cancel_ = false;
  std::function<void()> repaint_;
  Clock::time_point last_events_{}, last_repaint_{};
  Clock::duration longest_gap_{};
  // Warnings of this session: how many, whether the user silenced them,
  // and the first of those not shown.
  int warnings_ = 0;
  bool silenced_ = false;
  int unshown_ = 0;
  QStringList unshown_texts_;
};

}  // namespace kavor
