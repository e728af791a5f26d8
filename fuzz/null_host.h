#pragma once
// A host that shows nothing and answers Continue: for fuzzing and benchmarks.

#include <cstdlib>
#include <filesystem>
#include <string>

#include "engine/host.h"

namespace kavor {

class NullHost : public Host {
 public:
  explicit NullHost(std::string dir) : dir_(std::move(dir)) {}
  void show_warning(const std::string&) override {}
  void show_fatal(const std::string&) override {}
  int ask_instruction_error(const std::string&) override { return 0; }
  void show_message(const std::string&, const std::string&) override {}
  void progress(int) override {}
  void pump() override {}
  bool cancel_requested() const override { return false; }
  PixelSize view_area() const override { return {640, 480}; }
  PixelSize printer_page() const override { return {1200, 900}; }
  std::string settings_dir() const override { return dir_; }

 private:
  std::string dir_;
};

// A settings directory private to this process, made once.
inline std::string private_settings_dir() {
  static const std::string dir = [] {
    std::string tmpl = (std::filesystem::temp_directory_path() / "kavor-fuzz-XXXXXX").string();
    char* made = mkdtemp(tmpl.data());
    return std::string(made ? made : "/tmp") + "/";
  }();
  return dir;
}

}  // namespace kavor
