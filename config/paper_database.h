#pragma once
// The plotter and paper database $ppaper.kv.

#include <array>
#include <string>

namespace kavor {

struct Engine;

struct PaperRecord {
  std::array<double, 12> v{};
};

struct PaperChoice {
  int plotter = -1, paper = -1, mode = -1;
};

struct ExtentsBox {
  double xmin, xmax, ymin, ymax;
};

// Fills e.paper for the plotter, paper and mode of the option state.
void load_paper_record(Engine& e);
// Writes the built-in database into dir; 0 on success, 1 on failure.
int write_default_paper_database(const std::string& dir);

}  // namespace kavor
