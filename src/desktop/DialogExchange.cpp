#include "DialogExchange.h"

#include "Platform.h"
#include "UiTexts.h"

#include <QLineEdit>

using namespace Qt::StringLiterals;

DialogExchange::DialogExchange(QWidget* dialog, const QString& caption)
    : m_dialog(dialog), m_caption(caption)
{}

bool DialogExchange::takeInt(QLineEdit* field, int& value)
{
    if (m_failed)
        return false;
    bool parsed = false;
    const int number = field->text().trimmed().toInt(&parsed);
    if (!parsed)
        return fail(field, UiTexts::enterInteger());
    value = number;
    return true;
}

bool DialogExchange::takeInt(QLineEdit* field, int& value, int minimum, int maximum)
{
    int number = 0;
    if (!takeInt(field, number) || !checkRange(field, number, minimum, maximum))
        return false;
    value = number;
    return true;
}

bool DialogExchange::checkRange(QLineEdit* field, int value, int minimum, int maximum)
{
    if (m_failed)
        return false;
    if (value < minimum || value > maximum)
        return fail(field, UiTexts::enterIntegerBetween(minimum, maximum));
    return true;
}

bool DialogExchange::takeFloat(QLineEdit* field, float& value)
{
    double number = 0.0;
    if (!takeDouble(field, number))
        return false;
    value = static_cast<float>(number);
    return true;
}

bool DialogExchange::takeDouble(QLineEdit* field, double& value)
{
    if (m_failed)
        return false;
    bool parsed = false;
    const double number = field->text().trimmed().toDouble(&parsed);
    if (!parsed)
        return fail(field, UiTexts::enterNumber());
    value = number;
    return true;
}

bool DialogExchange::fail(QLineEdit* field, const QString& message)
{
    m_failed = true;
    Platform::instance().showMessage(m_dialog, m_caption, message, Platform::Icon::Warning);
    field->setFocus();
    field->selectAll();
    return false;
}
