#pragma once
// A host that shows nothing and answers Continue: for trial runs that only
// learn sizes, for benchmarks and for fuzzing.

#include <string>

#include "engine/host.h"

namespace kavor {

class NullHost : public Host {
 public:
  NullHost(std::string settings_dir, PixelSize view) : settings_dir_(std::move(settings_dir)), view_(view) {}
  void show_warning(const std::string&) override {}
  void show_fatal(const std::string&) override {}
  int ask_instruction_error(const std::string&) override { return ANSWER_CONTINUE; }
  void show_message(const std::string&, const std::string&) override {}
  void progress(int) override {}
  void pump() override {}
  bool cancel_requested() const override { return false; }
  PixelSize view_area() const override { return view_; }
  PixelSize printer_page() const override { return {100, 100}; }
  std::string settings_dir() const override { return settings_dir_; }

 private:
  std::string settings_dir_;
  PixelSize view_;
};

}  // namespace kavor
