#include "shell/dialogs/dialog_controls.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace kavor {

namespace {

template <class Control>
Control* named(Control* control, int id) {
  control->setObjectName(QString::number(id));
  return control;
}

}  // namespace

QPushButton* id_button(const QString& text, int id, QWidget* parent, const std::function<void()>& action) {
  QPushButton* button = named(new QPushButton(text, parent), id);
  if (action) QObject::connect(button, &QPushButton::clicked, parent, action);
  return button;
}

QPushButton* closing_button(const QString& text, int id, QDialog* dialog) {
  return id_button(text, id, dialog, [dialog, id] { dialog->done(id); });
}

QPushButton* ok_button(QDialog* dialog, const std::function<void()>& ok) {
  QPushButton* button = id_button(QStringLiteral("OK"), kDialogOk, dialog, ok);
  button->setDefault(true);
  return button;
}

QPushButton* cancel_button(QDialog* dialog) {
  return id_button(QStringLiteral("ｷｬﾝｾﾙ"), kDialogCancel, dialog, [dialog] { dialog->reject(); });
}

QVBoxLayout* button_column(std::initializer_list<QPushButton*> buttons) {
  auto* column = new QVBoxLayout;
  for (QPushButton* button : buttons) column->addWidget(button);
  column->addStretch();
  return column;
}

QRadioButton* id_radio(const QString& text, int id, QWidget* parent) {
  return named(new QRadioButton(text, parent), id);
}

QLineEdit* id_edit(int id, QWidget* parent) { return named(new QLineEdit(parent), id); }

QLabel* id_field(int id, const QString& accessible_name, QWidget* parent) {
  QLabel* field = named(new QLabel(parent), id);
  field->setAccessibleName(accessible_name);
  field->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return field;
}

}  // namespace kavor
