#include "FileOptDlg.h"

#include "DialogExchange.h"
#include "Platform.h"
#include "Settings.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

namespace {

QLineEdit* field(const QString& name, const QString& text, bool digitsOnly)
{
    auto* edit = new QLineEdit(text);
    edit->setObjectName(name);
    if (digitsOnly) {
        edit->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), edit));
        edit->setAlignment(Qt::AlignCenter);
        edit->setMaximumWidth(60);
    }
    return edit;
}

QGroupBox* group(const QString& title, QWidget* content)
{
    auto* box = new QGroupBox(title);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    return box;
}

} // namespace

CFileOptDlg::CFileOptDlg(QWidget* parent) : QDialog(parent)
{
    const CSettings& settings = GetSettings();
    m_textSize = field(u"textSizeEdit"_s, QString::number(settings.TFONT_SIZE), true);
    m_deleteTop = field(u"deleteTopEdit"_s, QString::number(settings.DEL_UP), true);
    m_deleteBottom = field(u"deleteBottomEdit"_s, QString::number(settings.DEL_BTM), true);
    m_extensions = field(u"extensionEdit"_s, QString::fromStdString(settings.EXTLIST), false);
    m_editor = field(u"editorEdit"_s, QString::fromStdString(settings.EXECOMBO), false);
    m_logoAlpha = field(u"logoAlphaEdit"_s, QString::number(settings.LOGOALPHA), false);
    m_logoAlpha->setMaximumWidth(60);

    setWindowTitle(u"Tessaly Option"_s);
    auto* numbers = new QGridLayout;
    numbers->addWidget(new QLabel(u"Text Size"_s), 0, 0);
    numbers->addWidget(m_textSize, 0, 1);
    numbers->addWidget(new QLabel(u"Top Side delete Lines"_s), 1, 0);
    numbers->addWidget(m_deleteTop, 1, 1);
    numbers->addWidget(new QLabel(u"Bottom Side delete Lines"_s), 2, 0);
    numbers->addWidget(m_deleteBottom, 2, 1);

    auto* opacity = new QHBoxLayout;
    opacity->addWidget(new QLabel(u"Logo transparency\n<opacity: (0) ~ (255)>"_s));
    opacity->addWidget(m_logoAlpha);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    buttons->button(QDialogButtonBox::Ok)->setText(u"OK"_s);
    buttons->button(QDialogButtonBox::Cancel)->setText(u"Cancel"_s);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numbers);
    layout->addWidget(group(u"Extension Name"_s, m_extensions));
    layout->addWidget(group(u"Editor Program"_s, m_editor));
    layout->addLayout(opacity);
    layout->addWidget(buttons);
}

bool CFileOptDlg::run(QWidget* parent)
{
    CFileOptDlg dialog(parent);
    return dialog.exec() == QDialog::Accepted;
}

void CFileOptDlg::accept()
{
    int deleteTop = 0;
    int deleteBottom = 0;
    int textSize = 0;
    int logoAlpha = 0;
    DialogExchange exchange(this, u"Corvane"_s);
    if (!exchange.takeInt(m_deleteTop, deleteTop, 0, 100) ||
        !exchange.takeInt(m_deleteBottom, deleteBottom, 0, 100) ||
        !exchange.takeInt(m_textSize, textSize, 1, 100) ||
        !exchange.takeInt(m_logoAlpha, logoAlpha, 0, 255))
        return;

    CSettings& settings = GetSettings();
    settings.DEL_UP = deleteTop;
    settings.DEL_BTM = deleteBottom;
    const std::string extensions = m_extensions->text().toStdString();
    if (extensions != settings.EXTLIST)
        Platform::instance().showMessage(
            this, u"Tessaly"_s, u"Changes to take effect, you must run the program again."_s,
            Platform::Icon::None);
    settings.EXTLIST = extensions;
    settings.EXECOMBO = m_editor->text().toStdString();
    settings.TFONT_SIZE = textSize;
    settings.LOGOALPHA = logoAlpha;
    QDialog::accept();
}
