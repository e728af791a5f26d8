#pragma once
// The eight reporting operations. Texts are prefixed with the current
// instruction mnemonic once an instruction has been dispatched.

#include <string>

namespace kavor {

struct Engine;

void report_warning(Engine& e, const std::string& text);
void report_warning_fmt(Engine& e, const std::string& format, const std::string& arg);
[[noreturn]] void report_fatal(Engine& e, const std::string& text);
[[noreturn]] void report_fatal_fmt(Engine& e, const std::string& format, const std::string& arg);
void report_param_count_error(Engine& e, const std::string& suffix);
void report_param_range_error(Engine& e, const std::string& suffix);
[[noreturn]] void report_system_error(Engine& e, const std::string& text);
// ANSWER_ABORT or ANSWER_CONTINUE.
int report_instruction_error(Engine& e, const std::string& text);

// The shown text: "MN:text" after an instruction was dispatched, else text.
std::string compose_message(const Engine& e, const std::string& text);
// One-%s formatting; "%%" shows as "%".
std::string format_one(const std::string& format, const std::string& arg);

}  // namespace kavor
