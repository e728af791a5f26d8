#include "cli/console_host.h"

namespace kavor {

namespace {

std::string without_line_breaks(std::string line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  return line;
}

}  // namespace

void ConsoleHost::print(const std::string& text) {
  if (bar_shown_) {
    std::cerr << '\n';
    bar_shown_ = false;
  }
  std::cerr << text << '\n';
}

void ConsoleHost::print_limited(const std::string& text) {
  const std::string line = without_line_breaks(text);
  if (!quiet_ && limit_.admit(line)) print(line);
}

void ConsoleHost::show_warning(const std::string& text) {
  ++counts_.warnings;
  print_limited(text);
}

void ConsoleHost::show_fatal(const std::string& text) {
  ++counts_.fatal;
  print(without_line_breaks(text));
}

int ConsoleHost::ask_instruction_error(const std::string& text) {
  ++counts_.instruction_errors;
  print_limited(text);
  aborted_ = abort_on_error_;
  return abort_on_error_ ? ANSWER_ABORT : ANSWER_CONTINUE;
}

void ConsoleHost::show_message(const std::string& text, const std::string& caption) {
  print_limited(caption + ": " + text);
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

void ConsoleHost::begin_run() {
  limit_.clear();
  stop_ = false;
  aborted_ = false;
}

void ConsoleHost::end_run() {
  for (const std::string& line : limit_.held_back()) print("kavor-convert: " + line);
  limit_.clear();
}

std::string ConsoleHost::summary() const {
  if (counts_.warnings + counts_.instruction_errors + counts_.fatal == 0) return {};
  return std::to_string(counts_.warnings) + " warnings, " + std::to_string(counts_.instruction_errors) +
         " instruction errors, " + std::to_string(counts_.fatal) + " fatal errors";
}

}  // namespace kavor
