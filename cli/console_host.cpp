#include "cli/console_host.h"

namespace kavor {

void ConsoleHost::print(const std::string& text) {
  if (bar_shown_) {
    std::cerr << '\n';
    bar_shown_ = false;
  }
  std::string line = text;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  std::cerr << line << '\n';
}

void ConsoleHost::show_warning(const std::string& text) {
  ++counts_.warnings;
  if (!quiet_) print(text);
}

void ConsoleHost::show_fatal(const std::string& text) {
  ++counts_.fatal;
  print(text);
}

int ConsoleHost::ask_instruction_error(const std::string& text) {
  ++counts_.instruction_errors;
  if (!quiet_) print(text);
  return abort_on_error_ ? ANSWER_ABORT : ANSWER_CONTINUE;
}

void ConsoleHost::show_message(const std::string& text, const std::string& caption) {
  if (!quiet_) print(caption + ": " + text);
}

void ConsoleHost::progress(int percent) {
  if (!progress_bar_) return;
  constexpr int kWidth = 40;
  int filled = percent * kWidth / 100;
  std::cerr << "\r[" << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] " << percent << '%';
  bar_shown_ = percent < 100;
  if (!bar_shown_) std::cerr << '\n';
  std::cerr.flush();
}

std::string ConsoleHost::summary() const {
  if (counts_.warnings + counts_.instruction_errors + counts_.fatal == 0) return {};
  return std::to_string(counts_.warnings) + " warnings, " + std::to_string(counts_.instruction_errors) +
         " instruction errors, " + std::to_string(counts_.fatal) + " fatal errors";
}

}  // namespace kavor
