// The active-edge table of the solid fill. The edges enter the table in
// the order of their low ends and leave it past their high ends; the table
// is kept sorted along the row, which from one row to the next barely
// changes. A row costs the edges active on it, not every edge.
//
// The crossings must be exactly those of intersect_segments, which works
// in doubles. For a horizontal row it computes, with the end points of the
// edge in increasing x, slope = (y4 - y3) / (x4 - x3) and then
// x = (y3 - slope * x3 - row) / (0 - slope), rounded half away from zero;
// a vertical edge crosses at x3. Edges between whole-number points within
// +-2^20 (device pixels always are) step through the rows instead, in exact
// integers: the crossing is x3 + (row - y3) * dx / dy. The double
// computation is within 2^-8 / (2 |dy|) of that value there (its error is
// below 2^-52 (M (4 |dy| + dx) + dx |dy|) for coordinates up to M = 2^20),
// while a value that is not a half lies at least 1 / (2 |dy|) from one: so
// both round to the same whole number, except at an exact half, where the
// double computation decides.
#include "geometry/active_edge_table.h"

#include <algorithm>
#include <cmath>

#include "engine/numeric.h"
#include "geometry/scan_fill.h"

namespace kavor {

namespace {

constexpr double kExactRange = 1 << 20;

bool exact_integer(double v) { return std::fabs(v) <= kExactRange && v == std::floor(v); }

// The quotient rounded down and the remainder in [0, d), for d > 0.
void divide_down(int64_t n, int64_t d, int64_t& q, int64_t& r) {
  q = n / d;
  r = n % d;
  if (r < 0) {
    r += d;
    --q;
  }
}

struct ScanEdge {
  double low, high;  // the rows low <= y < high cross the edge
  double xlo, xhi;   // a rounded crossing outside [xlo, xhi] does not count
  // In doubles: a vertical edge (neg_slope 0) crosses at offset, any other
  // at (offset - row) / neg_slope.
  double offset, neg_slope;
  // In integers, for whole-number end points: (x0, y0) is the end with the
  // smaller x, the crossing x0 + (row - y0) * dx / dy.
  bool exact;
  int64_t x0, y0, dx, dy;
  int64_t d;  // |dy|
};

// The edges that a scan row can cross, in the order of their low ends:
// horizontal edges and those with a slope under the tolerance never cross.
std::vector<ScanEdge> scan_edges(const std::vector<Vertex>& v, bool exact_rows) {
  std::vector<ScanEdge> edges;
  for (size_t i = 1; i < v.size(); ++i) {
    if (starts_subpolygon(v[i].flag)) continue;
    double x3 = v[i - 1].x, y3 = v[i - 1].y, x4 = v[i].x, y4 = v[i].y;
    if (y3 == y4) continue;
    if (x4 < x3) {
      std::swap(x3, x4);
      std::swap(y3, y4);
    }
    ScanEdge edge{std::min(y3, y4), std::max(y3, y4), x3, x4, x3, 0, false, 0, 0, 0, 0, 0};
    if (std::fabs(x4 - x3) >= kIntersectTolerance) {
      const double slope = (y4 - y3) / (x4 - x3);
      if (std::fabs(0.0 - slope) < kIntersectTolerance) continue;
      edge.offset = y3 - slope * x3;
      edge.neg_slope = 0.0 - slope;
    }
    if (exact_rows && exact_integer(x3) && exact_integer(y3) && exact_integer(x4) && exact_integer(y4)) {
      edge.exact = true;
      edge.x0 = static_cast<int64_t>(x3);
      edge.y0 = static_cast<int64_t>(y3);
      edge.dx = static_cast<int64_t>(x4) - edge.x0;
      edge.dy = static_cast<int64_t>(y4) - edge.y0;
      edge.d = edge.dy > 0 ? edge.dy : -edge.dy;
    }
    edges.push_back(edge);
  }
  std::stable_sort(edges.begin(), edges.end(), [](const ScanEdge& a, const ScanEdge& b) { return a.low < b.low; });
  return edges;
}

// An edge of the table with its crossing on the current row. An exact
// edge keeps its crossing as x0 + q + rem / |dy| and steps it by dx / |dy|
// (step_q and step_rem) from row to row.
struct ActiveEdge {
  ScanEdge edge;
  double x = 0;
  bool crosses = false;
  int64_t q = 0, rem = 0, step_q = 0, step_rem = 0;
};

ActiveEdge enter(const ScanEdge& s, int64_t row) {
  ActiveEdge a{s};
  if (s.exact) {
    const int64_t sign = s.dy > 0 ? 1 : -1;
    divide_down((row - s.y0) * s.dx * sign, s.d, a.q, a.rem);
    divide_down(s.dx * sign, s.d, a.step_q, a.step_rem);
  }
  return a;
}

double crossing_in_doubles(const ScanEdge& s, double row) {
  return round_half_away(s.neg_slope == 0 ? s.offset : (s.offset - row) / s.neg_slope);
}

void cross_row(ActiveEdge& a, double row) {
  const ScanEdge& s = a.edge;
  if (!s.exact) {
    a.x = crossing_in_doubles(s, row);
    a.crosses = s.xlo <= a.x && a.x <= s.xhi;
    return;
  }
  const int64_t twice = 2 * a.rem;
  a.x = twice == s.d ? crossing_in_doubles(s, row) : static_cast<double>(s.x0 + a.q + (twice > s.d));
  a.crosses = true;  // a whole number between the edge's whole-number ends
  a.q += a.step_q;
  a.rem += a.step_rem;
  if (a.rem >= s.d) {
    a.rem -= s.d;
    ++a.q;
  }
}

// Insertion sort: about one pass when the order barely changed.
void sort_by_crossing(std::vector<ActiveEdge>& active) {
  for (size_t i = 1; i < active.size(); ++i) {
    if (!(active[i - 1].x > active[i].x)) continue;
    const ActiveEdge a = active[i];
    size_t k = i;
    for (; k > 0 && active[k - 1].x > a.x; --k) active[k] = active[k - 1];
    active[k] = a;
  }
}

void pair_crossings(const std::vector<ActiveEdge>& active, std::vector<Span>& spans) {
  spans.clear();
  const ActiveEdge* open = nullptr;
  for (const ActiveEdge& a : active) {
    if (!a.crosses) continue;
    if (open) spans.push_back({open->x, a.x});
    open = open ? nullptr : &a;
  }
}

double width_of(const std::vector<Vertex>& v) {
  const auto [lo, hi] = std::minmax_element(v.begin(), v.end(), [](const Vertex& a, const Vertex& b) { return a.x < b.x; });
  return hi->x - lo->x;
}

}  // namespace

void scan_rows(const std::vector<Vertex>& vertices, int64_t bottom, int64_t top, const RowFn& row_spans) {
  if (vertices.empty()) return;
  // A row narrower than the tolerance is a vertical line, and every edge
  // is then vertical too: no crossings.
  if (std::fabs(width_of(vertices)) < kIntersectTolerance) return;
  const bool exact_rows = std::fabs(static_cast<double>(bottom)) <= kExactRange &&
                          std::fabs(static_cast<double>(top)) <= kExactRange;
  const std::vector<ScanEdge> edges = scan_edges(vertices, exact_rows);
  std::vector<ActiveEdge> active;
  std::vector<Span> spans;
  size_t next = 0;
  for (int64_t j = bottom; j <= top; ++j) {
    const double row = static_cast<double>(j);
    for (; next < edges.size() && edges[next].low <= row; ++next)
      if (row < edges[next].high) active.push_back(enter(edges[next], j));
    bool ended = false;
    for (ActiveEdge& a : active) {
      if (a.edge.high <= row) ended = true;
      else cross_row(a, row);
    }
    if (ended)
      active.erase(std::remove_if(active.begin(), active.end(), [&](const ActiveEdge& a) { return a.edge.high <= row; }),
                   active.end());
    sort_by_crossing(active);
    pair_crossings(active, spans);
    if (!row_spans(j, spans)) return;
  }
}

}  // namespace kavor
