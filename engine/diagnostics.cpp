#include "engine/diagnostics.h"

#include "engine/engine.h"
#include "engine/fatal_error.h"

namespace kavor {

namespace {

constexpr size_t kWorkArea = 255;
constexpr size_t kInstructionErrorArea = 79;
const char kCountHead[] = "number of parameter error";
const char kRangeHead[] = "parameter value is not fit in range";
const char kSystemHead[] = "SYSTEM ERROR: ";

[[noreturn]] void fatal_composed(Engine& e, const std::string& text) {
  std::string shown = compose_message(e, text);
  e.host.show_fatal(shown);
  throw FatalError(shown);
}

// Both guarded operations compare the head plus the argument with 255.
void guard_length(Engine& e, size_t head, size_t arg) {
  if (head + arg > kWorkArea) fatal_composed(e, "SYSTEM ERROR: message length over work error\n");
}

}  // namespace

std::string compose_message(const Engine& e, const std::string& text) {
  if (e.run.mnemonic[0] == ' ' && e.run.mnemonic[1] == ' ') return text;
  std::string shown;
  shown.reserve(text.size() + 3);
  shown += e.run.mnemonic[0];
  shown += e.run.mnemonic[1];
  shown += ':';
  shown += text;
  return shown;
}

std::string format_one(const std::string& format, const std::string& arg) {
  std::string out;
  bool substituted = false;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
      if (format[i + 1] == 's' && !substituted) {
        out += arg;
        substituted = true;
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}

// Once the host asked the run to stop, its input ends wherever the
// instruction was: what that instruction makes of the cut is not the
// plot's fault, and is not shown.
void report_warning(Engine& e, const std::string& text) {
  if (!e.run.cancelled) e.host.show_warning(compose_message(e, text));
}

void report_warning_fmt(Engine& e, const std::string& format, const std::string& arg) {
  guard_length(e, format.size(), arg.size());
  report_warning(e, format_one(format, arg));
}

void report_fatal(Engine& e, const std::string& text) { fatal_composed(e, text); }

void report_fatal_fmt(Engine& e, const std::string& format, const std::string& arg) {
  guard_length(e, format.size(), arg.size());
  fatal_composed(e, format_one(format, arg));
}

void report_param_count_error(Engine& e, const std::string& suffix) {
  guard_length(e, sizeof kCountHead - 1, suffix.size());
  report_warning(e, kCountHead + suffix);
}

void report_param_range_error(Engine& e, const std::string& suffix) {
  guard_length(e, sizeof kRangeHead - 1, suffix.size());
  report_warning(e, kRangeHead + suffix);
}

void report_system_error(Engine& e, const std::string& text) {
  if (sizeof kSystemHead - 1 + text.size() > kWorkArea) fatal_composed(e, "SYSTEM ERROR: message length over work area.\n");
  fatal_composed(e, kSystemHead + text);
}

int report_instruction_error(Engine& e, const std::string& text) {
  if (e.run.cancelled) return ANSWER_ABORT;
  std::string shown = compose_message(e, text);
  if (shown.size() > kInstructionErrorArea) shown.resize(kInstructionErrorArea);
  int answer = e.host.ask_instruction_error(shown);
  if (answer <= ANSWER_NO_DIALOG) {
    e.host.show_message("DialogBox Error", "Error");
    answer = e.last_instruction_answer;
  }
  e.last_instruction_answer = answer;
  return answer == ANSWER_ABORT ? ANSWER_ABORT : ANSWER_CONTINUE;
}

}  // namespace kavor
