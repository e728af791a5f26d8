#pragma once
// The first of a conversion's two runs: the plot is run once without a
// picture, and each page's visible strokes are measured, so that the
// picture of a page can show the whole drawing and nothing else.

#include <cstddef>
#include <limits>
#include <string>
#include <vector>

namespace kavor {

// A box in plotter units; empty until something is added.
struct PlotBox {
  double xmin = std::numeric_limits<double>::infinity(), ymin = xmin;
  double xmax = -std::numeric_limits<double>::infinity(), ymax = xmax;

  bool empty() const { return xmin > xmax || ymin > ymax; }
  void add(double x, double y);
  void add(const PlotBox& b);
  bool operator==(const PlotBox&) const = default;
};

// Pages kept apart at most; the last of them holds whatever follows, so that
// a flood of page advances cannot make a conversion's memory grow.
inline constexpr size_t kMaxPages = 100000;

struct MeasureRequest {
  std::string settings_dir;
  std::vector<std::string> options;  // the run vector without its input
  std::string input;
  bool abort_on_error = false;
};

// The box of every page's strokes, in the plotter units of the sheet that
// the options choose, rotation applied; an empty box for a page on which
// nothing visible is drawn. Strokes are measured on a sheet a hundred times
// the plotter's, with the same plot area and P1 and P2, so that a drawing
// that runs off the paper is measured whole. No pages when the run fails
// at its start (the rendering then reports why).
std::vector<PlotBox> measure_pages(const MeasureRequest& request);

}  // namespace kavor
