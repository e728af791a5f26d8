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

}  // namespace kavor::bench
