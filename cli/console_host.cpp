#include "cli/console_host.h"

#include <cstdlib>
#include <filesystem>

namespace kavor {

void ConsoleHost::print(const std::string& text) {
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  std::cerr << line << '\n';
}

void ConsoleHost::show_warning(const std::string& text) {
  ++counts_.warnings;
  print(text);
}

void ConsoleHost::show_fatal(const std::string& text) {
  ++counts_.fatal;
  print(text);
}

int ConsoleHost::ask_instruction_error(const std::string& text) {
  ++counts_.instruction_errors;
  print(text);
  return abort_on_error_ ? 1 : 0;
}

void ConsoleHost::show_message(const std::string& text, const std::string& caption) { print(caption + ": " + text); }

std::string default_settings_dir() {
  std::filesystem::path dir;
  if (const char* home = std::getenv("KAVOR_HOME"); home && *home) {
    dir = home;
  } else if (const char* xdg = std::getenv("XDG_CONFIG_HOME"); xdg && *xdg) {
    dir = std::filesystem::path(xdg) / "kavor";
  } else {
    const char* h = std::getenv("HOME");
    dir = std::filesystem::path(h ? h : ".") / ".config" / "kavor";
  }
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  std::string s = dir.string();
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

}  // namespace kavor
