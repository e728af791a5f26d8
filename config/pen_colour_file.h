#pragma once
// The pen colour file $pcolor.kv, read by the engine at the start of every
// run. The user writes it; the program never does.

#include <istream>
#include <vector>

namespace kavor {

struct Engine;

struct PenColourAssignment {
  int pen;      // 0..7
  char letter;  // colour letter: W K B G R M C Y
};

// The assignments of a pen colour file, in file order: lines "PENn:COLOUR"
// in any case, n 0..7, the colour name matched by prefix. Comments (#) and
// every other line are skipped.
std::vector<PenColourAssignment> read_pen_colour_lines(std::istream& in);
// Applies $pcolor.kv from the settings directory; a missing file changes nothing.
void read_pen_colour_file(Engine& e);

}  // namespace kavor
