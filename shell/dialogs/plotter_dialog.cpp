#include "shell/dialogs/plotter_dialog.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>
#include <optional>

#include "shell/dialogs/advanced_plotter_dialog.h"
#include "shell/dialogs/dialog_controls.h"
#include "shell/display_names.h"

namespace kavor {

namespace {

constexpr int kAdvanceButton = 3;

struct ControlValue {
  int id;
  int value;
};

// The plotter radio buttons, in the order shown.
constexpr std::array<ControlValue, 10> kPlotterButtons{{{1001, HP7440},
                                                        {1002, HP7470},
                                                        {1012, HP7475},
                                                        {1003, HP7550},
                                                        {1004, HP7570},
                                                        {1005, HP7595},
                                                        {1006, HP7596},
                                                        {1007, HP7580},
                                                        {1008, HP7585},
                                                        {1009, HP7586}}};

// The paper radio buttons: A0 .. A4 in the first column, A .. E in the
// second.
constexpr std::array<ControlValue, 10> kPaperButtons{{{100, PAPER_A0},
                                                      {101, PAPER_A1},
                                                      {102, PAPER_A2},
                                                      {103, PAPER_A3},
                                                      {104, PAPER_A4},
                                                      {105, PAPER_A},
                                                      {106, PAPER_B},
                                                      {107, PAPER_C},
                                                      {108, PAPER_D},
                                                      {109, PAPER_E}}};
constexpr int kPaperRows = 5;

// The group's buttons carry their control ids; the one of value is ticked.
QGroupBox* radio_group(const QString& title, const std::array<ControlValue, 10>& buttons, int rows,
                       QString (*name)(int), int value, QButtonGroup*& group, QWidget* parent) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QGridLayout(box);
  group = new QButtonGroup(box);
  for (size_t i = 0; i < buttons.size(); ++i) {
    QRadioButton* radio = id_radio(name(buttons[i].value).trimmed(), buttons[i].id, box);
    radio->setChecked(buttons[i].value == value);
    group->addButton(radio, buttons[i].id);
    layout->addWidget(radio, static_cast<int>(i) % rows, static_cast<int>(i) / rows);
  }
  return box;
}

// The value of the ticked button, or none.
std::optional<int> ticked(const QButtonGroup* group, const std::array<ControlValue, 10>& buttons) {
  for (const ControlValue& button : buttons)
    if (group->checkedId() == button.id) return button.value;
  return std::nullopt;
}

}  // namespace

PlotterDialog::PlotterDialog(Settings& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      magnification_x_(settings.magnification_x),
      magnification_y_(settings.magnification_y),
      expand_(settings.expand) {
  setWindowTitle(QStringLiteral("プロッター"));
  QGroupBox* plotters = radio_group(QStringLiteral("プロッター"), kPlotterButtons, static_cast<int>(kPlotterButtons.size()),
                                    plotter_display_name, settings.plotter, plotters_, this);
  QGroupBox* papers = radio_group(QStringLiteral("用紙"), kPaperButtons, kPaperRows, paper_display_name, settings.paper,
                                  papers_, this);
  QPushButton* advance = id_button(QStringLiteral("&Advance..."), kAdvanceButton, this, [this] { this->advance(); });
  QVBoxLayout* buttons = button_column({ok_button(this, [this] { ok(); }), cancel_button(this), advance});
  auto* layout = new QGridLayout(this);
  layout->addWidget(plotters, 0, 0, 2, 1);
  layout->addWidget(papers, 0, 1);
  layout->addLayout(buttons, 0, 2, 2, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

void PlotterDialog::ok() {
  if (std::optional<int> plotter = ticked(plotters_, kPlotterButtons)) settings_.plotter = *plotter;
  settings_.paper = ticked(papers_, kPaperButtons).value_or(-1);
  done(kDialogOk);
}

void PlotterDialog::reject() {
  put_back();
  done(kDialogCancel);
}

void PlotterDialog::advance() {
  AdvancedPlotterDialog advanced(settings_, this);
  if (advanced.exec() != kDialogOk) put_back();
}

void PlotterDialog::put_back() {
  settings_.magnification_x = magnification_x_;
  settings_.magnification_y = magnification_y_;
  settings_.expand = expand_;
}

}  // namespace kavor
