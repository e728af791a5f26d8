#include "shell/dialogs/pen_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "shell/dialogs/colour_sample.h"
#include "shell/dialogs/dialog_controls.h"
#include "shell/dialogs/pen_name_fields.h"

namespace kavor {

namespace {

struct PenChoice {
  int id;
  const char* text;
  char code;  // colour letter or width digit
};

constexpr std::array<PenChoice, 8> kColourButtons{{{1027, "White", 'W'},
                                                   {1034, "Red", 'R'},
                                                   {1030, "Green", 'G'},
                                                   {1033, "Yellow", 'Y'},
                                                   {1029, "Blue", 'B'},
                                                   {1031, "Magenta", 'M'},
                                                   {1032, "Cyan", 'C'},
                                                   {1028, "Black", 'K'}}};

constexpr std::array<PenChoice, 10> kWidthButtons{{{1016, "1 Dot", '0'},
                                                   {1017, "0.1 mm", '1'},
                                                   {1018, "0.2 mm", '2'},
                                                   {1020, "0.3 mm", '3'},
                                                   {1019, "0.4 mm", '4'},
                                                   {1021, "0.5 mm", '5'},
                                                   {1022, "0.6 mm", '6'},
                                                   {1023, "0.7 mm", '7'},
                                                   {1024, "0.8 mm", '8'},
                                                   {1025, "0.9 mm", '9'}}};

constexpr int kPreviewField = 30;
constexpr QSize kPreviewSize{64, 40};

template <size_t N>
QGroupBox* choice_group(const QString& title, const std::array<PenChoice, N>& choices, char current,
                        QButtonGroup*& group, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QVBoxLayout(box);
  group = new QButtonGroup(box);
  for (const PenChoice& choice : choices) {
    QRadioButton* radio = id_radio(QString::fromLatin1(choice.text), choice.id, box);
    radio->setChecked(choice.code == current);
    group->addButton(radio, choice.id);
    layout->addWidget(radio);
  }
  return box;
}

// The letter or digit of the ticked button, or 0 when none is ticked.
template <size_t N>
char ticked(const QButtonGroup* group, const std::array<PenChoice, N>& choices) {
  for (const PenChoice& choice : choices)
    if (group->checkedId() == choice.id) return choice.code;
  return 0;
}

// Sets one pen's entry. A shorter field (a settings file may hold one) is
// first filled up to the pen with what the engine takes for a missing
// entry, so that the new entry is written out.
void set_pen_entry(std::array<char, 9>& field, int pen, char code, char missing) {
  const auto n = static_cast<size_t>(pen);
  for (size_t i = 0; i < n; ++i)
    if (field[i] == '\0') field[i] = missing;
  field[n] = code;
}

}  // namespace

PenDialog::PenDialog(Settings& settings, int pen_button, QWidget* parent)
    : QDialog(parent), settings_(settings), pen_(std::clamp(pen_button - kFirstPenButton, 0, kPens - 1)) {
  setWindowTitle(QStringLiteral("Plotter Pen"));
  const auto n = static_cast<size_t>(pen_);
  QGroupBox* colours = choice_group(QStringLiteral("Color"), kColourButtons, settings.pen_colours[n], colours_, this);
  QGroupBox* widths = choice_group(QStringLiteral("Width"), kWidthButtons, settings.pen_widths[n], widths_, this);
  preview_ = new ColourSample(ColourSample::Shape::ellipse, kPreviewSize, this);
  preview_->setObjectName(QString::number(kPreviewField));
  preview_->setAccessibleName(QStringLiteral("Preview"));
  connect(colours_, &QButtonGroup::idClicked, this, &PenDialog::show_colour);

  QPushButton* ok = ok_button(this, [this] { this->ok(); });
  QPushButton* cancel = cancel_button(this);

  auto* side = new QVBoxLayout;
  side->addWidget(new QLabel(pen_label(pen_), this), 0, Qt::AlignHCenter);
  side->addWidget(preview_, 0, Qt::AlignHCenter);
  side->addStretch();
  side->addWidget(ok);
  side->addWidget(cancel);
  auto* layout = new QGridLayout(this);
  layout->addWidget(colours, 0, 0);
  layout->addWidget(widths, 0, 1);
  layout->addLayout(side, 0, 2);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  show_colour();
}

void PenDialog::show_colour() {
  const char letter = ticked(colours_, kColourButtons);
  preview_->set_colour(letter ? pen_colour(letter) : palette().color(QPalette::Window));
}

void PenDialog::ok() {
  if (const char letter = ticked(colours_, kColourButtons)) set_pen_entry(settings_.pen_colours, pen_, letter, 'K');
  if (const char digit = ticked(widths_, kWidthButtons)) set_pen_entry(settings_.pen_widths, pen_, digit, '0');
  done(kDialogOk);
}

}  // namespace kavor
