#pragma once
// The converter's host: messages on standard error one per line, each text
// at most a few times a run; the view or printer page size of the picture
// being drawn; no cancel, except to stop once the wanted pages are drawn.

#include <functional>
#include <iostream>
#include <string>

#include "cli/message_limit.h"
#include "engine/host.h"

namespace kavor {

struct MessageCounts {
  int warnings = 0;
  int instruction_errors = 0;
  int fatal = 0;
};

class ConsoleHost : public Host {
 public:
  ConsoleHost(std::string settings_dir, bool abort_on_error)
      : settings_dir_(std::move(settings_dir)), abort_on_error_(abort_on_error) {}

  void show_warning(const std::string& text) override;
  void show_fatal(const std::string& text) override;
  int ask_instruction_error(const std::string& text) override;
  void show_message(const std::string& text, const std::string& caption) override;
  void progress(int percent) override;
  void pump() override {}
  bool cancel_requested() const override { return stop_; }
  PixelSize view_area() const override { return view_; }
  PixelSize printer_page() const override { return printer_page_; }
  std::string settings_dir() const override { return settings_dir_; }
  void end_page() override {
    if (on_end_page_) on_end_page_();
  }

  // Starts the messages and flags of a run.
  void begin_run();
  // Prints how many messages the run held back.
  void end_run();
  void set_view(PixelSize view) { view_ = view; }
  void set_printer_page(PixelSize page) { printer_page_ = page; }
  void set_end_page(std::function<void()> on_end_page) { on_end_page_ = std::move(on_end_page); }
  // Ends the run at the next character.
  void stop() { stop_ = true; }
  // True when the run was ended by answering Abort.
  bool aborted() const { return aborted_; }
  // Quiet: only fatal errors are printed.
  void set_quiet(bool quiet) { quiet_ = quiet; }
  // A progress bar on standard error, for large inputs on a terminal.
  void set_progress_bar(bool on) { progress_bar_ = on; }
  // "N warnings, N instruction errors, N fatal errors", or empty when none.
  std::string summary() const;
  const MessageCounts& counts() const { return counts_; }

 private:
  void print(const std::string& text);
  void print_limited(const std::string& text);

  std::string settings_dir_;
  bool abort_on_error_;
  PixelSize view_{1600, 1200};
  PixelSize printer_page_{100, 100};
  std::function<void()> on_end_page_;
  MessageCounts counts_;
  MessageLimit limit_;
  bool stop_ = false;
  bool aborted_ = false;
  bool quiet_ = false;
  bool progress_bar_ = false;
  bool bar_shown_ = false;
};

}  // namespace kavor
