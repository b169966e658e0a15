#pragma once

#include <QString>

class QLineEdit;
class QWidget;

// Takes values out of a dialog's fields in order. The first field that does not parse, or lies
// outside its range, gets the standard message and the focus, and every later take fails too,
// so a chain of takes stops at the first bad field and the caller stores nothing.
class DialogExchange
{
public:
    explicit DialogExchange(QWidget* dialog, const QString& caption);

    bool takeInt(QLineEdit* field, int& value);
    bool takeInt(QLineEdit* field, int& value, int minimum, int maximum);
    // A range check on a value taken earlier, for dialogs that check after taking every field.
    bool checkRange(QLineEdit* field, int value, int minimum, int maximum);
    bool takeFloat(QLineEdit* field, float& value);
    bool takeDouble(QLineEdit* field, double& value);

private:
    bool fail(QLineEdit* field, const QString& message);

    QWidget* m_dialog;
    QString m_caption;
    bool m_failed = false;
};
