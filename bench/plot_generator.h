#pragma once
// Generates realistic plot files of a given size for the benchmark.

#include <cstddef>
#include <string>

namespace kavor::bench {

// Long PA/PD polylines only.
std::string pen_move_plot(size_t bytes);
// A mix of polylines, PE data, dashed lines, labels, solid and hatched
// polygons and arcs, as CAD output looks.
std::string mixed_plot(size_t bytes);
// An HP-GL/2 document of that mix: the pages, each begun with IN, end with a
// page advance (PG).
std::string paged_plot(size_t bytes, int pages);

// Probes of hostile input: a few kilobytes that ask for a lot of work.
// A polygon of 999 vertices across the A4 sheet, then the instruction
// repeated: a comb of 249 rectangular teeth, or a zigzag whose 997 edges
// all cross every row.
std::string comb_plot(int repeats, const std::string& instruction);
std::string zigzag_plot(int repeats, const std::string& instruction);
// The printer reset ESC E repeated to the size, then a line.
std::string printer_reset_plot(size_t bytes);
// A rectangle fill, a dashed line and a polygon fill over the sheet.
std::string fills_and_dashes_plot();

}  // namespace kavor::bench
