#pragma once
// Choosing the sheet each page is drawn on: the plotter's paper as the
// options give it, the paper that holds the page's drawing most tightly
// (the fit-paper choice over the paper database), or the drawing itself
// with a small margin, shown through the engine's own trimming (-BM).

#include <array>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "cli/arguments.h"
#include "cli/page_measure.h"

namespace kavor {

struct Sheet {
  // Engine options placed after the run's own; empty for the run's sheet.
  std::vector<std::string> options;
  // The hard-clip extents in plotter units, which the picture shows.
  int32_t width = 0, height = 0;
  // False when no paper of the database holds the page.
  bool holds_page = true;
};

// The -BM trimming, per cent of the plot area: x offset, y offset, x
// extent, y extent.
using Trimming = std::array<double, 4>;

// A drawing's box with the small margin that its picture shows around it.
PlotBox with_margin(const PlotBox& drawing);
// The trimming that shows a box with a small margin, within a plot area
// (both in the plotter units of the sheet as drawn). A turned sheet takes
// its trimming before it is turned, so x and y change places.
Trimming trimming_for(const PlotBox& area, bool turned, const PlotBox& drawing);

class SheetPlanner {
 public:
  // run_options: the run vector, without its input.
  SheetPlanner(std::string settings_dir, std::vector<std::string> run_options, FitMode fit);
  // False when the options cannot start a run (the rendering reports why).
  bool ready() const { return own_.width > 0; }
  Sheet sheet_for(const PlotBox& page);

 private:
  struct Paper {
    int plotter = 0, paper = 0, mode = 0;
    bool operator<(const Paper& o) const {
      return std::tie(plotter, paper, mode) < std::tie(o.plotter, o.paper, o.mode);
    }
  };
  // A paper's plot area as drawn and whether the sheet is turned.
  struct PaperArea {
    PlotBox area;
    bool turned = false;
  };

  // Prepares a run with extra options; false after a fatal error.
  bool prepare(const std::vector<std::string>& extra, Sheet& sheet, Paper* paper, PaperArea* area) const;
  const PaperArea& area_of(const Paper& p);
  bool fitting_paper(const PlotBox& page, Paper& chosen) const;
  Sheet finish(std::vector<std::string> options, bool holds_page);

  std::string settings_dir_;
  std::vector<std::string> run_options_;
  FitMode fit_;
  Sheet own_;
  Paper own_paper_;
  std::map<Paper, PaperArea> areas_;
  Sheet last_;  // the sheet planned last: pages in a row mostly share it
};

}  // namespace kavor
