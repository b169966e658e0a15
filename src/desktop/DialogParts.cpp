#include "DialogParts.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace DialogParts {

QDialogButtonBox* okCancelButtons(QDialog* dialog)
{
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    // The button texts stay as they are in every language.
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancel"));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

QGroupBox* group(const QString& title, QLayout* content)
{
    auto* box = new QGroupBox(title);
    box->setLayout(content);
    return box;
}

QGroupBox* group(const QString& title, QWidget* content)
{
    auto* layout = new QVBoxLayout;
    layout->addWidget(content);
    return group(title, layout);
}

QLineEdit* numberField(const QString& name, const QString& text)
{
    auto* field = named(new QLineEdit(text), name);
    field->setAlignment(Qt::AlignCenter);
    return field;
}

} // namespace DialogParts
