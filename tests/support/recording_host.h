#pragma once
// A host that records every message and answers the instruction-error
// dialog from a script.

#include <string>
#include <vector>

#include "engine/host.h"

namespace kavor::testing {

class RecordingHost : public Host {
 public:
  explicit RecordingHost(std::string settings_dir) : settings_dir_(std::move(settings_dir)) {}

  void show_warning(const std::string& text) override { warnings.push_back(text); }
  void show_fatal(const std::string& text) override { fatals.push_back(text); }
  int ask_instruction_error(const std::string& text) override {
    instruction_errors.push_back(text);
    return answer;
  }
  void show_message(const std::string& text, const std::string& caption) override {
    messages.push_back(caption + "|" + text);
  }
  void progress(int percent) override { progress_reports.push_back(percent); }
  void pump() override { ++pumps; }
  bool cancel_requested() const override { return cancel; }
  PixelSize view_area() const override { return view; }
  PixelSize printer_page() const override { return printer; }
  std::string settings_dir() const override { return settings_dir_; }
  void end_page() override { ++pages_ended; }

  // Every message shown, in order, whatever its kind.
  std::vector<std::string> all_messages() const;

  std::vector<std::string> warnings, fatals, instruction_errors, messages;
  std::vector<int> progress_reports;
  int pumps = 0;
  int pages_ended = 0;
  int answer = 0;  // 0 Continue, 1 Abort, -1 dialog cannot be shown
  bool cancel = false;
  PixelSize view{1000, 700};
  PixelSize printer{100, 100};

 private:
  std::string settings_dir_;
};

}  // namespace kavor::testing
