#include "ConfigDlg.h"

#include "core/job/JobState.h"
#include "core/plate/ToolOrder.h"
#include "core/settings/Settings.h"
#include "desktop/AppIdentity.h"
#include "desktop/DialogExchange.h"
#include "desktop/DialogParts.h"
#include "desktop/Platform.h"
#include "desktop/SettingsStore.h"
#include "desktop/UiTexts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>

#include <limits>
#include <optional>
#include <string>
#include <vector>

using namespace Qt::StringLiterals;

using namespace DialogParts;

namespace {

QPlainTextEdit* textField(const QString& name)
{
    auto* field = named(new QPlainTextEdit, name);
    field->setFixedHeight(field->fontMetrics().lineSpacing() * 3);
    return field;
}

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

// A setting kept and stored as it always was, though nothing in this version acts on it: the
// dialog says so beside it, muted, and in its tip.
QWidget* notUsed(QWidget* control)
{
    control->setToolTip(UiTexts::settingNotUsedTip());
    auto* note = named(new QLabel(UiTexts::settingNotUsed()), u"notUsedNote"_s);
    note->setEnabled(false);
    note->setToolTip(UiTexts::settingNotUsedTip());
    auto* box = new QWidget;
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(control, 1);
    layout->addWidget(note);
    return box;
}

} // namespace

CConfigDlg::CConfigDlg(JobState& state, QWidget* parent)
    : QDialog(parent), m_state(state), m_rows(numberField(u"rowsEdit"_s)),
      m_cols(numberField(u"columnsEdit"_s)), m_tables(numberField(u"tablesEdit"_s)),
      m_numbering(
          named(new QCheckBox(tr("칸의 숫자 입력 방식 (G54 && P1 ~)")), u"numberingCheck"_s)),
      m_general(named(new QRadioButton(tr("일반")), u"generalRadio"_s)),
      m_simensMode(named(new QRadioButton(tr("Simens")), u"simensRadio"_s)),
      m_firstLine(textField(u"firstLineEdit"_s)), m_endLine(textField(u"endLineEdit"_s)),
      m_fanuc(named(new QRadioButton(tr("파낙")), u"fanucRadio"_s)),
      m_heidenhain(named(new QRadioButton(tr("하이덴하인")), u"heidenhainRadio"_s)),
      m_fanucToolList(named(new QComboBox, u"fanucToolListCombo"_s)),
      m_heidenhainToolList(named(new QComboBox, u"heidenhainToolListCombo"_s)),
      m_fanucToolChange(named(new QCheckBox(tr("Feed/Spindle 변경")), u"fanucToolChangeCheck"_s)),
      m_heidenhainToolChange(
          named(new QCheckBox(tr("Feed/Spindle 변경")), u"heidenhainToolChangeCheck"_s)),
      m_posCheck(named(new QCheckBox(tr("NC Data 좌표 변환")), u"posCheck"_s)),
      m_openNcData(named(new QCheckBox(tr("변환 후 Assy NC 데이터 열기")), u"openNcDataCheck"_s)),
      m_openWindow(named(new QCheckBox(tr("변환 후 윈도우 탐색기 열기")), u"openWindowCheck"_s)),
      m_limit(numberField(u"limitEdit"_s)),
      m_percentLines(named(new QCheckBox(tr("파일 앞뒤에  \" % \" 표시")), u"percentLinesCheck"_s)),
      m_deleteFolders(named(new QCheckBox(tr("변환 관련 폴더 삭제")), u"deleteFoldersCheck"_s)),
      m_deleteFinalFolder(named(new QCheckBox(tr("Final 폴더 삭제")), u"deleteFinalFolderCheck"_s)),
      m_cellOrder(named(new QRadioButton(UiTexts::cellOrder()), u"cellOrderRadio"_s)),
      m_toolOrder(named(new QRadioButton(UiTexts::toolOrder()), u"toolOrderRadio"_s)),
      m_retract(textField(u"retractEdit"_s)), m_mvrCentre(numberField(u"mvrCentreEdit"_s)),
      m_mvrOffset(numberField(u"mvrOffsetEdit"_s))
{
    setWindowTitle(tr("환경 설정 창"));
    // Two columns, the groups in their order down the first and then the second: one column
    // would not fit a screen of 720 pixels.
    auto* left = new QVBoxLayout;
    left->addWidget(buildTableGroup());
    left->addWidget(buildOrderGroup());
    left->addStretch();
    auto* right = new QVBoxLayout;
    right->addWidget(buildConversionGroup());
    addUnusedGroups(right);
    right->addStretch();
    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(okCancelButtons(this));

    connect(m_deleteFolders, &QCheckBox::clicked, this, &CConfigDlg::OnFolderDeletionToggled);
    connect(m_numbering, &QCheckBox::clicked, this, &CConfigDlg::OnNumberingModeToggled);
    connect(m_general, &QRadioButton::clicked, this, [this] { m_simens = 0; });
    connect(m_simensMode, &QRadioButton::clicked, this, [this] { m_simens = 1; });
    connect(m_percentLines, &QCheckBox::clicked, this,
            [this](bool checked) { m_perStr = checked ? 1 : 0; });
    load();
}

// Folder deletion and discharge machining, kept in the settings but used by nothing yet.
void CConfigDlg::addUnusedGroups(QVBoxLayout* column)
{
    auto* deletion = new QVBoxLayout;
    deletion->addWidget(notUsed(m_deleteFolders));
    deletion->addWidget(notUsed(m_deleteFinalFolder));
    auto* discharge = new QFormLayout;
    discharge->addRow(tr("Z 중심값(MVR)"), notUsed(m_mvrCentre));
    discharge->addRow(tr("Z 옵셋값(MVR)"), notUsed(m_mvrOffset));
    column->addWidget(group(tr("삭제"), deletion));
    column->addWidget(group(tr("방전"), discharge));
}

QWidget* CConfigDlg::buildTableGroup()
{
    auto* counts = new QFormLayout;
    counts->addRow(tr("행개수"), m_rows);
    counts->addRow(tr("열개수"), m_cols);
    counts->addRow(tr("Table 개수"), m_tables);
    auto* naming = new QHBoxLayout;
    naming->addWidget(m_general);
    naming->addWidget(m_simensMode);
    naming->addStretch();
    auto* axes = new QVBoxLayout;
    axes->addLayout(counts);
    axes->addWidget(m_numbering);
    axes->addLayout(naming);
    // "일반" and "Simens" may both be off, while numbering mode is on.
    auto* namingGroup = new QButtonGroup(this);
    namingGroup->setExclusive(false);
    namingGroup->addButton(m_general);
    namingGroup->addButton(m_simensMode);
    connect(namingGroup, &QButtonGroup::buttonClicked, this, [this](QAbstractButton* clicked) {
        (clicked == m_general ? m_simensMode : m_general)->setChecked(false);
        clicked->setChecked(true);
    });

    auto* lines = new QFormLayout;
    lines->addRow(tr("머릿말"), notUsed(m_firstLine));
    lines->addRow(tr("꼬리말"), notUsed(m_endLine));

    auto* nc = new QVBoxLayout;
    nc->addWidget(group(tr("좌표축"), axes));
    nc->addWidget(group(tr("NC Assy 문구"), lines));
    return group(tr("NC"), nc);
}

QWidget* CConfigDlg::buildConversionGroup()
{
    auto* machines = new QGridLayout;
    machines->addWidget(m_fanuc, 0, 0);
    machines->addWidget(m_fanucToolList, 0, 1);
    machines->addWidget(m_fanucToolChange, 0, 2);
    machines->addWidget(m_heidenhain, 1, 0);
    machines->addWidget(m_heidenhainToolList, 1, 1);
    machines->addWidget(m_heidenhainToolChange, 1, 2);
    machines->setColumnStretch(1, 1);
    auto* machineGroup = new QButtonGroup(this);
    machineGroup->addButton(m_fanuc, 0);
    machineGroup->addButton(m_heidenhain, 1);

    auto* limit = new QFormLayout;
    limit->addRow(tr("번호 (최대값)"), notUsed(m_limit));

    auto* conversion = new QVBoxLayout;
    conversion->addLayout(machines);
    conversion->addWidget(m_posCheck);
    conversion->addWidget(notUsed(m_openNcData));
    conversion->addWidget(m_openWindow);
    conversion->addLayout(limit);
    conversion->addWidget(m_percentLines);
    return group(tr("변환"), conversion);
}

QWidget* CConfigDlg::buildOrderGroup()
{
    auto* choices = new QHBoxLayout;
    choices->addWidget(m_cellOrder);
    choices->addWidget(m_toolOrder);
    choices->addStretch();
    m_retract->setToolTip(UiTexts::retractTip());
    auto* retract = new QFormLayout;
    retract->addRow(UiTexts::retractLabel(), m_retract);
    auto* order = new QVBoxLayout;
    order->addLayout(choices);
    order->addLayout(retract);
    return group(UiTexts::mergeOrderGroup(), order);
}

void CConfigDlg::load()
{
    const CSettings& settings = GetSettings();
    // The offset goes through single precision, the centre keeps double precision.
    // As many digits as a float holds, so that OK without changes stores the same value.
    m_mvrOffset->setText(QString::number(static_cast<float>(settings.MVRZval), 'g',
                                         std::numeric_limits<float>::max_digits10));
    m_mvrCentre->setText(QString::number(settings.MVRCenZval, 'g', 15));
    m_rows->setText(QString::number(settings.RowNum));
    m_cols->setText(QString::number(settings.ColumnNum));
    m_tables->setText(QString::number(settings.TableNum));
    m_limit->setText(QString::number(settings.LimitValue));
    m_firstLine->setPlainText(text(settings.First_Line));
    m_endLine->setPlainText(text(settings.End_Line));
    m_openWindow->setChecked(settings.Open_Window != 0);
    m_openNcData->setChecked(settings.Open_NCdata != 0);
    m_posCheck->setChecked(settings.PosCheck != 0);
    m_deleteFolders->setChecked(settings.Del_Folder != 0);
    m_deleteFinalFolder->setChecked(settings.Del_FinalFolder != 0);
    m_deleteFinalFolder->setVisible(settings.Del_Folder != 0);
    m_numbering->setChecked(settings.ItemNameType != 0);
    (settings.MachineType == 0 ? m_fanuc : m_heidenhain)->setChecked(true);
    m_fanucToolChange->setChecked(settings.FANUCToolChange != 0);
    m_heidenhainToolChange->setChecked(settings.HToolChange != 0);
    (settings.MergeOrder == 0 ? m_cellOrder : m_toolOrder)->setChecked(true);
    m_retract->setPlainText(text(settings.FANUCRetract));
    m_simens = settings.SIMENS;
    m_perStr = settings.PER_STR;
    m_percentLines->setChecked(m_perStr != 0);
    showSimensChoice();
    fillToolListCombos();
}

void CConfigDlg::fillToolListCombos()
{
    QStringList lists;
    for (const std::string& name : m_state.toolListFiles())
        lists.append(text(name));
    const CSettings& settings = GetSettings();
    for (auto [combo, current] : {std::pair{m_fanucToolList, text(settings.FANUCToolList)},
                                  {m_heidenhainToolList, text(settings.HToolList)}}) {
        combo->addItems(lists);
        combo->setCurrentIndex(std::max(0, combo->findText(current, Qt::MatchFixedString)));
    }
}

// In numbering mode neither naming variant applies: both buttons are off and disabled.
void CConfigDlg::showSimensChoice()
{
    const bool numbering = m_numbering->isChecked();
    m_general->setEnabled(!numbering);
    m_simensMode->setEnabled(!numbering);
    m_general->setChecked(!numbering && m_simens == 0);
    m_simensMode->setChecked(!numbering && m_simens != 0);
}

void CConfigDlg::OnFolderDeletionToggled()
{
    const bool deleting = m_deleteFolders->isChecked();
    if (!deleting)
        m_deleteFinalFolder->setChecked(false);
    m_deleteFinalFolder->setVisible(deleting);
}

void CConfigDlg::OnNumberingModeToggled()
{
    showSimensChoice();
}

bool CConfigDlg::run(JobState& state, QWidget* parent)
{
    CConfigDlg dialog(state, parent);
    return dialog.exec() == QDialog::Accepted;
}

void CConfigDlg::accept()
{
    const std::optional<Entered> entered = takeEntered();
    if (!entered || !retractIsSafe())
        return;
    CSettings& settings = GetSettings();
    tellWhenRestartNeeded(settings, *entered);
    store(settings, *entered);
    storeSettings(this);
    QDialog::accept();
}

// The numbers as entered, each told and focused where it is not one or out of its range.
std::optional<CConfigDlg::Entered> CConfigDlg::takeEntered()
{
    Entered entered;
    DialogExchange exchange(this, AppIdentity::dialogCaption());
    if (!exchange.takeFloat(m_mvrOffset, entered.mvrOffset) ||
        !exchange.takeInt(m_rows, entered.rows) || !exchange.takeInt(m_cols, entered.cols) ||
        !exchange.takeInt(m_tables, entered.tables) || !exchange.takeInt(m_limit, entered.limit) ||
        !exchange.checkRange(m_rows, entered.rows, 1, 10) ||
        !exchange.checkRange(m_cols, entered.cols, 1, 10) ||
        !exchange.checkRange(m_tables, entered.tables, 1, 10) ||
        !exchange.checkRange(m_limit, entered.limit, 1, 1000000000) ||
        !exchange.takeDouble(m_mvrCentre, entered.mvrCentre))
        return std::nullopt;
    return entered;
}

// A retract the merge would refuse is refused here, where it can still be mended.
bool CConfigDlg::retractIsSafe()
{
    const std::vector<std::string> retract = retractLines(m_retract->toPlainText().toStdString());
    const std::optional<std::size_t> unsafe = unsafeRetractLine(retract);
    if (!unsafe)
        return true;
    Platform::instance().showMessage(
        this, AppIdentity::dialogCaption(),
        UiTexts::unsafeRetract(*unsafe < retract.size() ? QString::fromStdString(retract[*unsafe])
                                                        : QString()),
        Platform::Icon::Warning);
    m_retract->setFocus();
    return false;
}

void CConfigDlg::tellWhenRestartNeeded(const CSettings& settings, const Entered& entered)
{
    const int posCheck = m_posCheck->isChecked() ? 1 : 0;
    const int numbering = m_numbering->isChecked() ? 1 : 0;
    const QString restart =
        tr("수정된 것을 반영하기 위해서는 프로그램을 종료하고 다시 시작해야 합니다.");
    if (posCheck != settings.PosCheck && m_state.m_JobFiles.count() > 0)
        Platform::instance().showMessage(this, AppIdentity::dialogCaption(), restart,
                                         Platform::Icon::Information);
    if (entered.rows != settings.RowNum || entered.cols != settings.ColumnNum ||
        entered.tables != settings.TableNum || numbering != settings.ItemNameType ||
        m_simens != settings.SIMENS || m_perStr != settings.PER_STR)
        Platform::instance().showMessage(this, AppIdentity::dialogCaption(), restart,
                                         Platform::Icon::Information);
}

void CConfigDlg::store(CSettings& settings, const Entered& entered) const
{
    settings.MVRZval = entered.mvrOffset;
    settings.MVRCenZval = entered.mvrCentre;
    settings.RowNum = entered.rows;
    settings.ColumnNum = entered.cols;
    settings.TableNum = entered.tables;
    settings.First_Line = m_firstLine->toPlainText().toStdString();
    settings.End_Line = m_endLine->toPlainText().toStdString();
    settings.Open_Window = m_openWindow->isChecked() ? 1 : 0;
    settings.Open_NCdata = m_openNcData->isChecked() ? 1 : 0;
    settings.PosCheck = m_posCheck->isChecked() ? 1 : 0;
    settings.Del_Folder = m_deleteFolders->isChecked() ? 1 : 0;
    settings.Del_FinalFolder = m_deleteFinalFolder->isChecked() ? 1 : 0;
    settings.ItemNameType = m_numbering->isChecked() ? 1 : 0;
    settings.MachineType = m_fanuc->isChecked() ? 0 : 1;
    settings.LimitValue = entered.limit;
    settings.FANUCToolChange = m_fanucToolChange->isChecked() ? 1 : 0;
    settings.HToolChange = m_heidenhainToolChange->isChecked() ? 1 : 0;
    settings.MergeOrder = m_toolOrder->isChecked() ? 1 : 0;
    settings.FANUCRetract = m_retract->toPlainText().toStdString();
    settings.SIMENS = m_simens;
    // Without any list file there is nothing to choose: the stored names stay.
    if (m_fanucToolList->count() > 0)
        settings.FANUCToolList = m_fanucToolList->currentText().toStdString();
    if (m_heidenhainToolList->count() > 0)
        settings.HToolList = m_heidenhainToolList->currentText().toStdString();
    settings.PER_STR = m_perStr;
}
