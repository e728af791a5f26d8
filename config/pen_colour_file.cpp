#include "config/pen_colour_file.h"

#include <array>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>

#include "config/settings.h"
#include "config/text_lines.h"
#include "engine/engine.h"

namespace kavor {

namespace {

struct ColourName {
  std::string_view name;
  char letter;
};

// Searched in this order; the first name the text begins with wins.
constexpr std::array<ColourName, 8> kColourNames{{
    {"BLACK", 'K'}, {"RED", 'R'}, {"GREEN", 'G'}, {"YELLOW", 'Y'},
    {"BLUE", 'B'}, {"MAGENTA", 'M'}, {"CYAN", 'C'}, {"WHITE", 'W'},
}};

std::optional<PenColourAssignment> pen_colour_of_line(std::string line) {
  if (line.empty() || line[0] == '#') return std::nullopt;
  upper_case_ascii(line);
  std::string_view text = line;
  if (text.size() < 5 || !text.starts_with("PEN") || text[3] < '0' || text[3] > '7' || text[4] != ':')
    return std::nullopt;
  std::string_view colour = text.substr(5);
  for (const ColourName& c : kColourNames)
    if (colour.starts_with(c.name)) return PenColourAssignment{text[3] - '0', c.letter};
  return std::nullopt;
}

}  // namespace

std::vector<PenColourAssignment> read_pen_colour_lines(std::istream& in) {
  std::vector<PenColourAssignment> assignments;
  LineReader lines(in);
  std::string line;
  while (lines.next(line))
    if (auto assignment = pen_colour_of_line(line)) assignments.push_back(*assignment);
  return assignments;
}

void read_pen_colour_file(Engine& e) {
  std::ifstream in(settings_file_path(e.host.settings_dir(), "$pcolor.kv"), std::ios::binary);
  if (!in) return;
  for (const PenColourAssignment& a : read_pen_colour_lines(in)) set_pen_colour(e, a.pen, a.letter);
}

}  // namespace kavor
