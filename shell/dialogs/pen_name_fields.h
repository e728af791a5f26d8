#pragma once
// The per-pen fields of the state and pen overview dialogs: for pens 0..7
// the colour name (fields 1063..1070) and the width name (1072..1076 and
// 1078..1080).

#include <QString>
#include <array>

#include "config/settings_record.h"

class QGridLayout;
class QLabel;
class QWidget;

namespace kavor {

inline constexpr int kPens = 8;

class PenNameFields {
 public:
  // Puts the fields of pen n in row first_row + n of layout, the colour
  // name in column and the width name in column + 1.
  PenNameFields(QGridLayout* layout, int first_row, int column, QWidget* parent);
  void fill(const Settings& settings);

 private:
  std::array<QLabel*, kPens> colours_{};
  std::array<QLabel*, kPens> widths_{};
};

// "Pen 0" .. "Pen 7".
QString pen_label(int pen);

}  // namespace kavor
