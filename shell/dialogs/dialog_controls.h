#pragma once
// The controls of the dialogs, each named by its control id, so that tests
// and the window find them by that id.

#include <QString>
#include <functional>
#include <initializer_list>

class QDialog;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QVBoxLayout;
class QWidget;

namespace kavor {

// The results of the dialogs' OK and Cancel buttons, their control ids.
inline constexpr int kDialogOk = 1;
inline constexpr int kDialogCancel = 2;

// A button that runs action when it is clicked.
QPushButton* id_button(const QString& text, int id, QWidget* parent, const std::function<void()>& action = {});
// A button that closes its dialog with its id as the dialog's result.
QPushButton* closing_button(const QString& text, int id, QDialog* dialog);
// "OK", the default button, running ok when it is clicked.
QPushButton* ok_button(QDialog* dialog, const std::function<void()>& ok);
// "ｷｬﾝｾﾙ": the dialog's reject(), which the dialogs make their cancel.
QPushButton* cancel_button(QDialog* dialog);
// The buttons one below the other, at the top of the column.
QVBoxLayout* button_column(std::initializer_list<QPushButton*> buttons);
QRadioButton* id_radio(const QString& text, int id, QWidget* parent);
QLineEdit* id_edit(int id, QWidget* parent);
// A static text that the dialog fills; its accessible name says what it
// shows.
QLabel* id_field(int id, const QString& accessible_name, QWidget* parent);

}  // namespace kavor
