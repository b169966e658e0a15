#include "DialogParts.h"

#include <QCoreApplication>
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
    // The dialogs' own words, never Qt's: the Korean window keeps "OK" and "Cancel".
    buttons->button(QDialogButtonBox::Ok)
        ->setText(QCoreApplication::translate("DialogParts", "OK"));
    buttons->button(QDialogButtonBox::Cancel)
        ->setText(QCoreApplication::translate("DialogParts", "Cancel"));
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
