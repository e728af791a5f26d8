#include "shell/dialogs/dialog_controls.h"

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace kavor {

namespace {

template <class Control>
Control* named(Control* control, int id) {
  control->setObjectName(QString::number(id));
  return control;
}

}  // namespace

QPushButton* id_button(const QString& text, int id, QWidget* parent) {
  return named(new QPushButton(text, parent), id);
}

QPushButton* closing_button(const QString& text, int id, QDialog* dialog) {
  QPushButton* button = id_button(text, id, dialog);
  QObject::connect(button, &QPushButton::clicked, dialog, [dialog, id] { dialog->done(id); });
  return button;
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
