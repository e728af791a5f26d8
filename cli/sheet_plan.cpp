#include "cli/sheet_plan.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "config/paper_fitting.h"
#include "config/plotters.h"
#include "engine/fatal_error.h"
#include "engine/quiet_engine.h"

namespace kavor {

namespace {

// The margin around a fitted drawing: a share of its larger side, and at
// least half a millimetre.
constexpr double kMarginShare = 0.02;
constexpr double kLeastMargin = 20;

// Percentages are written to 1/10000 per cent, which the engine reads back
// exactly enough that an offset and an extent never add up beyond 100.
constexpr double kPercentStep = 1e-4;

double percent(double v) { return std::round(v / kPercentStep) * kPercentStep; }

std::string percent_text(double v) {
  char text[32];
  std::snprintf(text, sizeof text, "%.4f", v);
  return text;
}

// Offset and extent of [lo, hi] within [a0, a1], per cent.
void axis_trimming(double a0, double a1, double lo, double hi, double& offset, double& extent) {
  const double span = a1 - a0;
  offset = percent(std::clamp((lo - a0) / span * 100, 0.0, 100.0));
  extent = percent(std::clamp((hi - lo) / span * 100, 0.0, 100.0));
  // What the engine reads back must not add up beyond 100.
  while (extent > 0 && std::strtod(percent_text(offset).c_str(), nullptr) +
                               std::strtod(percent_text(extent).c_str(), nullptr) > 100)
    extent = percent(extent - kPercentStep);
}

std::string paper_name(int paper, int mode) {
  const NamedCode* p = find_code(mode == MODE_EXPAND ? kExpandedPaperNames : kPaperNames, paper);
  return p ? std::string(p->name) : std::string();
}

std::string plotter_name(int plotter) {
  const NamedCode* p = find_code(kPlotterModels, plotter);
  return p ? std::string(p->name) : std::string();
}

bool inside(const PlotBox& inner, const PlotBox& outer) {
  return inner.xmin >= outer.xmin && inner.xmax <= outer.xmax && inner.ymin >= outer.ymin && inner.ymax <= outer.ymax;
}

}  // namespace

PlotBox with_margin(const PlotBox& drawing) {
  if (drawing.empty()) return drawing;
  const double margin = std::max(kMarginShare * std::max(drawing.xmax - drawing.xmin, drawing.ymax - drawing.ymin),
                                 kLeastMargin);
  PlotBox b = drawing;
  b.add(drawing.xmin - margin, drawing.ymin - margin);
  b.add(drawing.xmax + margin, drawing.ymax + margin);
  return b;
}

Trimming trimming_for(const PlotBox& area, bool turned, const PlotBox& drawing) {
  Trimming t{0, 0, 100, 100};
  if (drawing.empty() || area.empty() || area.xmax <= area.xmin || area.ymax <= area.ymin) return t;
  const PlotBox shown = with_margin(drawing);
  const double x0 = std::max(shown.xmin, area.xmin), x1 = std::min(shown.xmax, area.xmax);
  const double y0 = std::max(shown.ymin, area.ymin), y1 = std::min(shown.ymax, area.ymax);
  if (x0 >= x1 || y0 >= y1) return t;  // the drawing lies off the plot area
  axis_trimming(area.xmin, area.xmax, x0, x1, t[0], t[2]);
  axis_trimming(area.ymin, area.ymax, y0, y1, t[1], t[3]);
  if (t[2] <= 0 || t[3] <= 0) return Trimming{0, 0, 100, 100};
  if (turned) t = {t[1], t[0], t[3], t[2]};
  return t;
}

SheetPlanner::SheetPlanner(std::string settings_dir, std::vector<std::string> run_options, FitMode fit)
    : settings_dir_(std::move(settings_dir)), run_options_(std::move(run_options)), fit_(fit) {
  PaperArea area;
  if (prepare({}, own_, &own_paper_, &area)) areas_[own_paper_] = area;
  else own_ = Sheet{};
}

bool SheetPlanner::prepare(const std::vector<std::string>& extra, Sheet& sheet, Paper* paper,
                           PaperArea* area) const {
  QuietEngine quiet(settings_dir_);
  const Engine& e = quiet.engine;
  std::vector<std::string> options = run_options_;
  options.insert(options.end(), extra.begin(), extra.end());
  if (!quiet.prepare(options)) return false;
  sheet.width = e.gs.device.ext_x;
  sheet.height = e.gs.device.ext_y;
  if (paper) *paper = Paper{e.options.plotter, e.options.paper, e.options.expanded};
  if (area) {
    const PlotArea& a = e.gs.area;
    area->area = PlotBox{};
    area->area.add(a.xmin, a.ymin);
    area->area.add(a.xmax, a.ymax);
    area->turned = sheet_is_turned(e.options.plotter, e.options.paper);
  }
  return sheet.width > 0 && sheet.height > 0;
}

const SheetPlanner::PaperArea& SheetPlanner::area_of(const Paper& p) {
  auto it = areas_.find(p);
  if (it != areas_.end()) return it->second;
  PaperArea area;
  Sheet ignored;
  if (!prepare({"-PT", plotter_name(p.plotter), "-PP", paper_name(p.paper, p.mode)}, ignored, nullptr, &area))
    area = areas_.at(own_paper_);
  return areas_.emplace(p, area).first->second;
}

bool SheetPlanner::fitting_paper(const PlotBox& page, Paper& chosen) const {
  QuietEngine quiet(settings_dir_);
  try {
    const PaperChoice c =
        choose_fitting_paper(quiet.engine, settings_dir_, DrawingExtents{page.xmin, page.ymin, page.xmax, page.ymax});
    if (c.plotter < 0 || plotter_name(c.plotter).empty() || paper_name(c.paper, c.mode).empty()) return false;
    chosen = Paper{c.plotter, c.paper, c.mode};
    return true;
  } catch (const FatalError&) {
    return false;
  }
}

Sheet SheetPlanner::finish(std::vector<std::string> options, bool holds_page) {
  if (options != last_.options) {
    if (!prepare(options, last_, nullptr, nullptr)) last_ = own_;
    last_.options = std::move(options);
  }
  Sheet sheet = last_;
  sheet.holds_page = holds_page;
  return sheet;
}

Sheet SheetPlanner::sheet_for(const PlotBox& page) {
  if (fit_ == FitMode::none || !ready()) return own_;
  Paper paper = own_paper_;
  bool holds = true;
  // A drawing that the plotter's own paper holds stays on it, even when its
  // margin does not: its P1 and P2, which the drawing may be scaled to, stay
  // as they are. Another paper must hold the margin too.
  const bool fits_own = !page.empty() && inside(page, area_of(own_paper_).area);
  if (fit_ == FitMode::paper && !page.empty()) holds = fitting_paper(page, paper);
  if (fit_ == FitMode::drawing && !fits_own && !page.empty())
    holds = fitting_paper(with_margin(page), paper) || fitting_paper(page, paper);
  if (!holds) paper = own_paper_;
  std::vector<std::string> options{"-PT", plotter_name(paper.plotter), "-PP", paper_name(paper.paper, paper.mode)};
  if (fit_ == FitMode::drawing) {
    const PaperArea& area = area_of(paper);
    const Trimming t = trimming_for(area.area, area.turned, page);
    options.push_back("-BM");
    for (double v : t) options.push_back(percent_text(v));
  }
  return finish(std::move(options), holds || page.empty());
}

}  // namespace kavor
