#include "shell/display_names.h"

#include <array>

#include "config/plotters.h"

namespace kavor {

namespace {

// By paper code 0..9.
constexpr std::array<const char*, 10> kPaperDisplayNames{"A4", "A3", "A2", "A1", "A0", " A", " B", " C", " D", " E"};

struct LetterName {
  char letter;
  const char* name;
};
constexpr std::array<LetterName, 8> kPenColourNames{{{'W', "WHITE"},
                                                     {'R', "RED"},
                                                     {'G', "GREEN"},
                                                     {'Y', "YELLOW"},
                                                     {'B', "BLUE"},
                                                     {'M', "MAGENTA"},
                                                     {'C', "CYAN"},
                                                     {'K', "BLACK"}}};

QString name_text(const NamedCode* entry) {
  return entry ? QString::fromLatin1(entry->name.data(), static_cast<qsizetype>(entry->name.size())) : QString();
}

}  // namespace

QString plotter_display_name(int plotter) { return name_text(find_code(kPlotterModels, plotter)); }

QString paper_display_name(int paper) {
  if (paper < 0 || paper >= static_cast<int>(kPaperDisplayNames.size())) return {};
  return QString::fromLatin1(kPaperDisplayNames[static_cast<size_t>(paper)]);
}

QString colour_display_name(int colour) { return colour ? QStringLiteral("COLOR") : QStringLiteral("MONO"); }

QString mode_display_name(int expand) { return name_text(find_code(kPaperModeNames, expand)); }

QString pen_colour_display_name(char letter) {
  for (const LetterName& entry : kPenColourNames)
    if (entry.letter == letter) return QString::fromLatin1(entry.name);
  return {};
}

QString pen_width_display_name(char digit) {
  if (digit == '0') return QStringLiteral(" 1 dot");
  if (digit >= '1' && digit <= '9') return QStringLiteral("0.%1 mm").arg(QChar::fromLatin1(digit));
  return {};
}

}  // namespace kavor
