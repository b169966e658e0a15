#pragma once

#include <QString>

class QDialog;
class QDialogButtonBox;
class QGroupBox;
class QLayout;
class QLineEdit;
class QWidget;

// The pieces every dialog of the program is built from, so that they look and behave alike.
namespace DialogParts {

// Gives the widget its object name, which tests and the field checks find it by.
template <typename Widget> Widget* named(Widget* widget, const QString& name)
{
    widget->setObjectName(name);
    return widget;
}

// "OK" and "Cancel", wired to the dialog's accept and reject.
QDialogButtonBox* okCancelButtons(QDialog* dialog);
QGroupBox* group(const QString& title, QLayout* content);
QGroupBox* group(const QString& title, QWidget* content);
// An entry field for a number, its text centred.
QLineEdit* numberField(const QString& name, const QString& text = {});

} // namespace DialogParts
