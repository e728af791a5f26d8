#include "shell/dialogs/draw_dialog.h"

#include <QButtonGroup>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "shell/message_boxes.h"

namespace kavor {

namespace {

constexpr int kSolid = 1039, kDotted = 1040, kDashed = 1041;
constexpr int kThin = 1062, kNormal = 1063, kThick = 1064;
constexpr int kLine = 1058, kRectangle = 1059, kEllipse = 1060, kText = 1061;
constexpr int kFontButton = 1038, kHelpButton = 1065;

struct ColourButton {
  int id;
  const char* name;
  QRgb rgb;
};

constexpr std::array<ColourButton, 8> kColours{{
    {1042, "白", qRgb(255, 255, 255)},
    {1045, "赤", qRgb(255, 0, 0)},
    {1047, "緑", qRgb(0, 255, 0)},
    {1049, "黄", qRgb(255, 255, 0)},
    {1051, "青", qRgb(0, 0, 255)},
    {1053, "紫", qRgb(255, 0, 255)},
    {1055, "水色", qRgb(0, 255, 255)},
    {1057, "黒", qRgb(0, 0, 0)},
}};

QIcon swatch(QRgb rgb) {
  QPixmap pixmap(24, 14);
  pixmap.fill(QColor::fromRgb(rgb));
  QPainter painter(&pixmap);
  painter.setPen(Qt::gray);
  painter.drawRect(pixmap.rect().adjusted(0, 0, -1, -1));
  return QIcon(pixmap);
}

QGroupBox* boxed(const QString& title, QButtonGroup* group, QWidget* parent, int columns = 1) {
  auto* box = new QGroupBox(title, parent);
  auto* layout = new QGridLayout(box);
  const QList<QAbstractButton*> buttons = group->buttons();
  for (int i = 0; i < buttons.size(); ++i) layout->addWidget(buttons[i], i / columns, i % columns);
  return box;
}

}  // namespace

DrawDialog::DrawDialog(MessageBoxes& boxes, QWidget* parent) : QDialog(parent, Qt::Tool), boxes_(boxes) {
  setObjectName(QStringLiteral("DRAW"));
  setWindowTitle(QStringLiteral("書き込み"));
  setModal(false);
  styles_ = radio_group({{kSolid, QStringLiteral("実線")}, {kDotted, QStringLiteral("ﾄﾞｯﾄ")}, {kDashed, QStringLiteral("ﾀﾞｯｼｭ")}});
  widths_ = radio_group({{kThin, QStringLiteral("細い")}, {kNormal, QStringLiteral("普通")}, {kThick, QStringLiteral("太い")}});
  QButtonGroup* shapes = radio_group({{kLine, QStringLiteral("線")},
                                      {kRectangle, QStringLiteral("四角")},
                                      {kEllipse, QStringLiteral("楕円")},
                                      {kText, QStringLiteral("文字")}});
  auto* colours = new QButtonGroup(this);
  for (const ColourButton& c : kColours) {
    auto* button = new QRadioButton(this);
    button->setObjectName(QString::number(c.id));
    button->setIcon(swatch(c.rgb));
    button->setAccessibleName(QString::fromUtf8(c.name));
    button->setToolTip(QString::fromUtf8(c.name));
    colours->addButton(button, c.id);
  }
  // The colour drawn with, black, is the one ticked at first.
  colours->button(kColours.back().id)->setChecked(true);
  styles_->button(kSolid)->setChecked(true);
  widths_->button(kNormal)->setChecked(true);
  shapes->button(kLine)->setChecked(true);

  connect(styles_, &QButtonGroup::idClicked, this, &DrawDialog::style_chosen);
  connect(widths_, &QButtonGroup::idClicked, this, &DrawDialog::width_chosen);
  connect(colours, &QButtonGroup::idClicked, this, [this](int id) {
    for (const ColourButton& c : kColours)
      if (c.id == id) pen_.colour = QColor::fromRgb(c.rgb);
  });
  connect(shapes, &QButtonGroup::idClicked, this, [this](int id) {
    pen_.shape = id == kRectangle ? ScribblePen::Shape::rectangle
               : id == kEllipse   ? ScribblePen::Shape::ellipse
               : id == kText      ? ScribblePen::Shape::text
                                  : ScribblePen::Shape::line;
  });

  auto* font = new QPushButton(QStringLiteral("ﾌｫﾝﾄ.."), this);
  font->setObjectName(QString::number(kFontButton));
  connect(font, &QPushButton::clicked, this, &DrawDialog::choose_font);
  auto* help = new QPushButton(QStringLiteral("&Help"), this);
  help->setObjectName(QString::number(kHelpButton));
  connect(help, &QPushButton::clicked, this, [this] {
    boxes_.message(QStringLiteral("書き込みを終えるには、メインウィンドウのメニューバーの書き込みボタンを"
                                  "もう一度押してください.\nこのウィンドウを閉じても書き込みは終わりません."),
                   QStringLiteral("書き込み"), MessageBoxes::Icon::information);
  });

  auto* layout = new QGridLayout(this);
  layout->addWidget(boxed(QStringLiteral("線種"), styles_, this), 0, 0);
  layout->addWidget(boxed(QStringLiteral("太さ"), widths_, this), 0, 1);
  layout->addWidget(boxed(QStringLiteral("色"), colours, this, 2), 1, 0, 1, 2);
  layout->addWidget(boxed(QStringLiteral("形"), shapes, this, 2), 2, 0, 1, 2);
  layout->addWidget(font, 3, 0);
  layout->addWidget(help, 3, 1);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

QButtonGroup* DrawDialog::radio_group(const QList<std::pair<int, QString>>& buttons) {
  auto* group = new QButtonGroup(this);
  for (const auto& [id, text] : buttons) {
    auto* button = new QRadioButton(text, this);
    button->setObjectName(QString::number(id));
    group->addButton(button, id);
  }
  return group;
}

// A dotted or dashed line is thin; a normal or thick one is solid.
void DrawDialog::style_chosen(int id) {
  pen_.style = id == kDotted ? ScribblePen::Style::dotted
             : id == kDashed ? ScribblePen::Style::dashed
                             : ScribblePen::Style::solid;
  if (pen_.style != ScribblePen::Style::solid) {
    widths_->button(kThin)->setChecked(true);
    pen_.width = 1;
  }
}

void DrawDialog::width_chosen(int id) {
  pen_.width = id == kThick ? 5 : id == kNormal ? 3 : 1;
  if (pen_.width > 1) {
    styles_->button(kSolid)->setChecked(true);
    pen_.style = ScribblePen::Style::solid;
  }
}

void DrawDialog::choose_font() {
  bool chosen = false;
  const QFont font = QFontDialog::getFont(&chosen, pen_.font, this, QStringLiteral("ﾌｫﾝﾄ"));
  if (chosen) pen_.font = font;
}

}  // namespace kavor
