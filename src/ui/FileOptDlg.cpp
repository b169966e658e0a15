#include "FileOptDlg.h"

#include "core/settings/Settings.h"
#include "desktop/AppIdentity.h"
#include "desktop/DialogExchange.h"
#include "desktop/DialogParts.h"
#include "desktop/Platform.h"
#include "desktop/SettingsStore.h"

#include "desktop/UiTexts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

using namespace Qt::StringLiterals;

using namespace DialogParts;

namespace {

QLineEdit* digitsField(const QString& name, int value)
{
    QLineEdit* edit = numberField(name, QString::number(value));
    edit->setValidator(new QRegularExpressionValidator(QRegularExpression(u"[0-9]*"_s), edit));
    edit->setMaximumWidth(60);
    return edit;
}

QLineEdit* textField(const QString& name, const std::string& text)
{
    return named(new QLineEdit(QString::fromStdString(text)), name);
}

} // namespace

CFileOptDlg::CFileOptDlg(QWidget* parent) : QDialog(parent)
{
    const CSettings& settings = GetSettings();
    m_textSize = digitsField(u"textSizeEdit"_s, settings.TFONT_SIZE);
    m_deleteTop = digitsField(u"deleteTopEdit"_s, settings.DEL_UP);
    m_deleteBottom = digitsField(u"deleteBottomEdit"_s, settings.DEL_BTM);
    m_extensions = textField(u"extensionEdit"_s, settings.EXTLIST);
    m_editor = textField(u"editorEdit"_s, settings.EXECOMBO);
    m_logoAlpha = textField(u"logoAlphaEdit"_s, std::to_string(settings.LOGOALPHA));
    m_logoAlpha->setMaximumWidth(60);
    m_skipCleanPreview =
        named(new QCheckBox(UiTexts::skipCleanPreview()), u"skipCleanPreviewCheck"_s);
    m_skipCleanPreview->setChecked(settings.SkipCleanPreview != 0);

    setWindowTitle(tr("Tessaly Option"));
    auto* numbers = new QGridLayout;
    numbers->addWidget(new QLabel(tr("Text Size")), 0, 0);
    numbers->addWidget(m_textSize, 0, 1);
    numbers->addWidget(new QLabel(tr("Top Side delete Lines")), 1, 0);
    numbers->addWidget(m_deleteTop, 1, 1);
    numbers->addWidget(new QLabel(tr("Bottom Side delete Lines")), 2, 0);
    numbers->addWidget(m_deleteBottom, 2, 1);

    auto* opacity = new QHBoxLayout;
    opacity->addWidget(new QLabel(tr("Logo transparency\n<opacity: (0) ~ (255)>")));
    opacity->addWidget(m_logoAlpha);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(numbers);
    layout->addWidget(group(tr("Extension Name"), m_extensions));
    layout->addWidget(group(tr("Editor Program"), m_editor));
    layout->addLayout(opacity);
    layout->addWidget(m_skipCleanPreview);
    layout->addWidget(okCancelButtons(this));
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
    DialogExchange exchange(this, AppIdentity::dialogCaption());
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
            this, AppIdentity::windowCaption(),
            tr("Changes to take effect, you must run the program again."), Platform::Icon::None);
    settings.EXTLIST = extensions;
    settings.EXECOMBO = m_editor->text().toStdString();
    settings.TFONT_SIZE = textSize;
    settings.LOGOALPHA = logoAlpha;
    settings.SkipCleanPreview = m_skipCleanPreview->isChecked() ? 1 : 0;
    storeSettings(this);
    QDialog::accept();
}
