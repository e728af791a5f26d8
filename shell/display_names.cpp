#include "shell/display_names.h"

#include <array>

#include "config/plotters.h"

namespace kavor {

namespace {

// By paper code 0..9.
constexpr std::array<const char*, 10> kPaperDisplayNames{"A4", "A3", "A2", "A1", "A0", " A", " B", " C", " D", " E"};

}  // namespace

QString plotter_display_name(int plotter) {
  const NamedCode* entry = find_code(kPlotterModels, plotter);
  if (!entry) return {};
  return QString::fromLatin1(entry->name.data(), static_cast<qsizetype>(entry->name.size()));
}

QString paper_display_name(int paper) {
  if (paper < 0 || paper >= static_cast<int>(kPaperDisplayNames.size())) return {};
  return QString::fromLatin1(kPaperDisplayNames[static_cast<size_t>(paper)]);
}

QString colour_display_name(int colour) { return colour ? QStringLiteral("COLOR") : QStringLiteral("MONO"); }

}  // namespace kavor
