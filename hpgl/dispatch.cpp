#include "hpgl/dispatch.h"

#include "engine/diagnostics.h"
#include "engine/engine.h"
#include "engine/run.h"
#include "hpgl/configuration.h"
#include "hpgl/instruction_table.h"
#include "hpgl/lexer.h"

namespace kavor {

namespace {

bool is_letter(int c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
char upper(int c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : static_cast<char>(c); }

void set_mnemonic(Engine& e, char a, char b) {
  e.run.mnemonic[0] = a;
  e.run.mnemonic[1] = b;
  e.run.mnemonic[2] = 0;
}

int scan_parameters(Engine& e, const InstructionEntry& entry) {
  switch (entry.kind) {
    case SCAN_BY_HANDLER:
      return 0;
    case SCAN_INTEGERS:
      return scan_integer_list(e, entry.maximum);
    case SCAN_REALS:
      return scan_real_list(e, entry.maximum);
    default:
      report_system_error(e, " invalid table in parseGl.");
  }
}

}  // namespace

int parseGl(Engine& e, int c) {
  e.run.mnemonic[2] = 0;
  e.params.count = 0;
  if (c == 27) {
    e.run.state = escape_state;
    return 27;
  }
  if (!is_letter(c)) return c;
  char first = upper(c);
  int c2;
  do {
    c2 = next_input_char(e);
  } while (c2 >= 0 && c2 < 32);
  char second = c2 >= 0 ? upper(c2) : static_cast<char>(0xFF);
  set_mnemonic(e, first, second);
  const InstructionEntry* entry = find_instruction(first, second);
  if (!entry) {
    if (report_instruction_error(e, "Invalid command.") == ANSWER_ABORT) return -1;
    push_back_input_char(e, c2);
    return c2;
  }
  if (e.gs.page.advance_pending) page_step(e);
  int r = scan_parameters(e, *entry);
  if (entry->kind != SCAN_BY_HANDLER && r != -1 && e.params.count < 0) {
    if (report_instruction_error(e, "Invalid command.") == ANSWER_ABORT) return -1;
  }
  return entry->handler(e);
}

int escape_state(Engine& e, int c) {
  set_mnemonic(e, '*', '*');
  switch (c) {
    case '%':
      e.run.state = percent_state;
      return c;
    case '.':
      e.run.state = device_control_state;
      return c;
    case 'E':
      reset_printer(e);
      return c;
    default:
      e.run.state = parseGl;
      return c;
  }
}

int percent_state(Engine& e, int c) {
  e.run.state = parseGl;
  int d = next_input_char(e);
  if (d == -1) return -1;
  if (d == '1') {
    if (c != '-') {
      report_warning(e, "Esc%?1 error, ? must be -.");
      return d;
    }
    int x = next_input_char(e);
    if (x == -1) return -1;
    if (x != 'B') report_warning(e, "Esc%-1? error, ? must be B.");
    return x;
  }
  if (d == 'A') {
    if (c < '0' || c > '3') report_warning(e, "Esc%#A error, # must be 0-3.");
    return d;
  }
  report_warning(e, "Esc% error.");
  return d;
}

int device_control_state(Engine& e, int c) {
  e.run.state = parseGl;
  return c;
}

}  // namespace kavor
