#pragma once
// The converter's host: messages on standard error one per line, a fixed
// view size, no printer, no cancel.

#include <iostream>
#include <string>

#include "engine/host.h"

namespace kavor {

struct MessageCounts {
  int warnings = 0;
  int instruction_errors = 0;
  int fatal = 0;
};

class ConsoleHost : public Host {
 public:
  ConsoleHost(std::string settings_dir, PixelSize view, bool abort_on_error)
      : settings_dir_(std::move(settings_dir)), view_(view), abort_on_error_(abort_on_error) {}

  void show_warning(const std::string& text) override;
  void show_fatal(const std::string& text) override;
  int ask_instruction_error(const std::string& text) override;
  void show_message(const std::string& text, const std::string& caption) override;
  void progress(int percent) override;
  void pump() override {}
  bool cancel_requested() const override { return false; }
  PixelSize view_area() const override { return view_; }
  PixelSize printer_page() const override { return {100, 100}; }
  std::string settings_dir() const override { return settings_dir_; }

  void set_view(PixelSize view) { view_ = view; }
  // Quiet: only fatal errors are printed.
  void set_quiet(bool quiet) { quiet_ = quiet; }
  // A progress bar on standard error, for large inputs on a terminal.
  void set_progress_bar(bool on) { progress_bar_ = on; }
  // "N warnings, N instruction errors, N fatal errors", or empty when none.
  std::string summary() const;
  const MessageCounts& counts() const { return counts_; }

 private:
  void print(const std::string& text);

  std::string settings_dir_;
  PixelSize view_;
  bool abort_on_error_;
  MessageCounts counts_;
  bool quiet_ = false;
  bool progress_bar_ = false;
  bool bar_shown_ = false;
};

}  // namespace kavor
