#include "config/paper_fitting.h"

#include <cmath>
#include <fstream>

#include "config/paper_database.h"
#include "engine/diagnostics.h"
#include "engine/engine.h"

namespace kavor {

namespace {

struct FitScan {
  PaperChoice answer;
  double best_x = 32767.0, best_y = 32767.0;
  int plotter = -1, mode = -1, paper = -1;
  std::array<double, 12> record{};
};

void read_block_heading(Engine& e, FitScan& s, const std::string& line) {
  const NamedCode* p = match_heading(kPlotterModels, kPlotterHeadingMark, line);
  const size_t length = p ? p->name.size() + 1 : 0;
  if (!p || line.size() <= length || line[length] != ':') report_fatal(e, kDatabaseDestroyed);
  const NamedCode* m = match_heading(kPaperModeNames, 0, std::string_view(line).substr(length + 1));
  s.plotter = p->code;
  s.mode = m ? m->code : 0;
}

void read_paper_heading(Engine& e, FitScan& s, const std::string& line) {
  const NamedCode* p = match_heading(kPaperNames, kPaperHeadingMark, line);
  if (!p) report_fatal(e, kDatabaseDestroyed);
  const size_t length = p->name.size() + 1;
  bool not_taken = line.size() > length && line[length] == '-';
  s.paper = not_taken ? -1 : p->code;
}

// A record that holds the drawing strictly inside, and is tighter than the
// answer so far in both axes at once, becomes the answer.
void judge_record(FitScan& s, const std::string& line, const DrawingExtents& d) {
  scan_record_numbers(line, s.record);
  const auto& r = s.record;
  if (!(d.xmin > r[0] && d.xmax < r[1] && d.ymin > r[2] && d.ymax < r[3])) return;
  double slack_x = std::fabs(r[1] - d.xmax) + std::fabs(d.xmin - r[0]);
  double slack_y = std::fabs(r[3] - d.ymax) + std::fabs(d.ymin - r[2]);
  if (!(slack_x < s.best_x && slack_y < s.best_y)) return;
  s.answer = PaperChoice{s.plotter, s.paper, s.mode};
  s.best_x = slack_x;
  s.best_y = slack_y;
}

}  // namespace

PaperChoice choose_fitting_paper(Engine& e, const std::string& dir, const DrawingExtents& extents) {
  std::ifstream in(paper_database_path(dir), std::ios::binary);
  if (!in) report_fatal(e, kRunPdbgen);
  FitScan s;
  std::string line;
  while (read_database_line(in, line)) {
    if (is_comment_line(line)) continue;
    upper_case(line);
    if (starts_with(line, "!END")) continue;
    if (starts_with(line, "!")) {
      read_block_heading(e, s, line);
    } else if (starts_with(line, "$")) {
      read_paper_heading(e, s, line);
    } else if (s.plotter >= 0 && s.paper >= 0) {
      judge_record(s, line, extents);
    }
  }
  return s.answer;
}

int apply_fitting_paper(Engine& e, Settings& s) {
  PaperChoice c = choose_fitting_paper(e, e.host.settings_dir(), e.gs.extents);
  if (c.plotter < 0) return 0;
  if (c.plotter == s.plotter && c.paper == s.paper && c.mode == s.expand) return 0;
  s.plotter = c.plotter;
  s.paper = c.paper;
  s.expand = c.mode;
  return 1;
}

}  // namespace kavor
