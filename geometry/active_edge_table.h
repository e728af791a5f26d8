#pragma once
// The rows of an even-odd solid fill: an active-edge table over the
// polygon's edges that gives, row by row, the crossings of the scan rule in
// order along the row.

#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/polygon_buffer.h"

namespace kavor {

// A pair of crossings of a row, xa <= xb.
struct Span {
  double xa, xb;
};
// The spans of one row in order along it; false stops the scan.
using RowFn = std::function<bool(int64_t row, const std::vector<Span>& spans)>;

// The even-odd spans of a polygon in device pixels on the rows from bottom
// to top: one call for every row. The crossings are those of
// intersect_segments under the scan rule with every edge, sorted as
// sort_intercepts sorts them, taken in pairs; an odd last one is dropped.
void scan_rows(const std::vector<Vertex>& vertices, int64_t bottom, int64_t top, const RowFn& row_spans);

}  // namespace kavor
