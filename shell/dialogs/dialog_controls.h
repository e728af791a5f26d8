#pragma once
// The controls of the dialogs, each named by its control id, so that tests
// and the window find them by that id.

#include <QString>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace kavor {

QPushButton* id_button(const QString& text, int id, QWidget* parent);
// A button that closes its dialog with its id as the dialog's result.
QPushButton* closing_button(const QString& text, int id, QDialog* dialog);
QRadioButton* id_radio(const QString& text, int id, QWidget* parent);
QLineEdit* id_edit(int id, QWidget* parent);
// A static text that the dialog fills; its accessible name says what it
// shows.
QLabel* id_field(int id, const QString& accessible_name, QWidget* parent);

}  // namespace kavor
