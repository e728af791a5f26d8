#pragma once
// The dispatcher state function and the escape-sequence states.

namespace kavor {

struct Engine;

using Handler = int (*)(Engine&);

struct InstructionEntry {
  char first;
  char second;
  Handler handler;
  int kind;     // 0 handler scans, 1 integer list, 2 real list
  int maximum;  // the scanner accepts maximum + 1 values
  int level;    // 1 older HP-GL, 2 HP-GL/2, 3 both
};

// The table entry of a mnemonic, or nullptr.
const InstructionEntry* find_instruction(char first, char second);
// Handler of the 52 accepted-and-ignored instructions.
int hpgl_ignored(Engine& e);

int parseGl(Engine& e, int c);
int escape_state(Engine& e, int c);
int percent_state(Engine& e, int c);
int device_control_state(Engine& e, int c);

}  // namespace kavor
