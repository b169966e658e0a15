#include "DlgToolConfig.h"

#include "core/job/JobState.h"
#include "core/settings/Settings.h"
#include "core/toollist/ToolListFile.h"
#include "desktop/AppIdentity.h"
#include "desktop/Cp949.h"
#include "desktop/DialogExchange.h"
#include "desktop/DialogParts.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QStringDecoder>
#include <QTableView>

using namespace Qt::StringLiterals;

namespace {

QLineEdit* numberField(const QString& name)
{
    return DialogParts::numberField(name, u"0"_s);
}

QComboBox* choiceCombo(const QString& name, const QStringList& choices)
{
    auto* combo = DialogParts::named(new QComboBox, name);
    combo->setEditable(true);
    combo->addItems(choices);
    combo->setCurrentIndex(0);
    return combo;
}

// A file name as the file system holds it, shown as UTF-8 where it is, else code page 949.
QString displayName(const std::string& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringConverter::Flag::Stateless);
    const QString text = utf8.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size())));
    return utf8.hasError() ? Cp949::decode(bytes) : text;
}

QString unwritableReason(UnwritableValue::Reason reason)
{
    switch (reason) {
    case UnwritableValue::Reason::Comma:
        return CDlgToolConfig::tr("쉼표(,)가 들어 있습니다.");
    case UnwritableValue::Reason::LineBreak:
        return CDlgToolConfig::tr("줄바꿈이 들어 있습니다.");
    case UnwritableValue::Reason::EmptyBeforeValue:
        return CDlgToolConfig::tr(
            "비어 있는데 뒤에 값이 있어, 다시 읽으면 뒤의 값들이 앞으로 밀립니다.");
    case UnwritableValue::Reason::CommentMark:
        return CDlgToolConfig::tr("'!' 또는 '*'로 시작해, 다시 읽으면 주석이 됩니다.");
    }
    return {};
}

} // namespace

CDlgToolConfig::CDlgToolConfig(JobState& state, QWidget* parent)
    : QDialog(parent), m_state(state), m_listCombo(new QComboBox), m_report(new QTableView),
      m_toolNumber(new QLineEdit), m_diameter(numberField(u"diameterEdit"_s)),
      m_radius(numberField(u"radiusEdit"_s)), m_minTolerance(numberField(u"minToleranceEdit"_s)),
      m_maxTolerance(numberField(u"maxToleranceEdit"_s)),
      m_coolant(choiceCombo(u"coolantCombo"_s, {u"M07"_s, u"M08"_s})),
      m_spindle(numberField(u"spindleEdit"_s)), m_feed(numberField(u"feedEdit"_s)),
      m_dwellTime(numberField(u"dwellTimeEdit"_s)),
      m_measured(choiceCombo(u"measuredCombo"_s, {u"O"_s, u"X"_s})), m_dl(numberField(u"dlEdit"_s))
{
    setWindowTitle(tr("공구 설정"));
    setSizeGripEnabled(true);
    m_listCombo->setObjectName(u"toolListCombo"_s);
    m_toolNumber->setObjectName(u"toolNumberEdit"_s);

    setUpReport();
    buildLayout();
    resize(900, 520);

    refill();
    // Names are the file system's bytes, shown as text: a code page 949 name opens as it is.
    for (const std::string& name : m_state.toolListFiles())
        m_listCombo->addItem(displayName(name), QByteArray::fromStdString(name));
    if (m_listCombo->count() > 0) {
        const int current =
            m_listCombo->findData(QByteArray::fromStdString(m_state.m_strToolListName),
                                  Qt::UserRole, Qt::MatchFixedString);
        m_listCombo->setCurrentIndex(std::max(current, 0));
        m_listFile = listName(m_listCombo->currentIndex());
        m_state.m_strToolListName = m_listFile;
        loadToolList();
        refill();
    }
    connect(m_listCombo, &QComboBox::activated, this, &CDlgToolConfig::OnSelectList);
    const auto changed = [this] {
        m_unsaved = true;
    };
    connect(&m_model, &QAbstractItemModel::dataChanged, this, changed);
    connect(&m_model, &QAbstractItemModel::rowsInserted, this, changed);
    connect(&m_model, &QAbstractItemModel::rowsRemoved, this, changed);
    connect(&m_model, &ToolReportModel::valueRefused, this,
            [this](int row, int column, const QString& text) {
                Platform::instance().showMessage(
                    this, AppIdentity::dialogCaption(),
                    UiTexts::notANumber(row + 1, ToolReportModel::valueCaption(column), text),
                    Platform::Icon::Warning);
            });
}

void CDlgToolConfig::run(JobState& state, QWidget* parent)
{
    CDlgToolConfig dialog(state, parent);
    dialog.exec();
}

void CDlgToolConfig::setUpReport()
{
    m_sorted.setSourceModel(&m_model);
    m_report->setObjectName(u"toolReport"_s);
    m_report->setModel(&m_sorted);
    m_report->setSortingEnabled(true);
    m_report->sortByColumn(-1, Qt::AscendingOrder);
    m_report->setEditTriggers(QAbstractItemView::AllEditTriggers);
    m_report->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_report->setSelectionMode(QAbstractItemView::SingleSelection);
    m_report->verticalHeader()->hide();
    // The columns share the report's width, the narrow row number aside.
    QHeaderView* header = m_report->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setSectionResizeMode(0, QHeaderView::Fixed);
    header->resizeSection(0, 40);
}

void CDlgToolConfig::buildLayout()
{
    auto* listRow = new QHBoxLayout;
    listRow->addWidget(new QLabel(tr("공구 리스트")));
    listRow->addWidget(m_listCombo);
    m_listCombo->setMinimumContentsLength(24);
    listRow->addStretch();

    // Ten pairs share the width the dialog gains; the DL pair keeps its width.
    auto* fields = new QGridLayout;
    const QList<QPair<QString, QWidget*>> pairs = {
        {tr("공구 번호"), m_toolNumber},
        {tr("직경"), m_diameter},
        {tr("반지름"), m_radius},
        {tr("최소 공차"), m_minTolerance},
        {tr("최대 공차"), m_maxTolerance},
        {tr("절삭류"), m_coolant},
        {tr("Spindle"), m_spindle},
        {tr("Feed"), m_feed},
        {tr("Dwell time"), m_dwellTime},
        {tr("측정 여부"), m_measured},
        {tr("DL"), m_dl},
    };
    for (int column = 0; column < pairs.size(); ++column) {
        fields->addWidget(new QLabel(pairs[column].first), 0, column);
        fields->addWidget(pairs[column].second, 1, column);
        pairs[column].second->setMinimumWidth(50);
        fields->setColumnStretch(column, column < 10 ? 1 : 0);
    }
    m_dl->setFixedWidth(60);

    auto* rule = new QFrame;
    rule->setFrameShape(QFrame::HLine);
    rule->setFrameShadow(QFrame::Sunken);

    QHBoxLayout* buttons = buttonRow();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(listRow);
    layout->addWidget(m_report, 1);
    layout->addLayout(fields);
    layout->addWidget(rule);
    layout->addLayout(buttons);
}

QHBoxLayout* CDlgToolConfig::buttonRow()
{
    const auto button = [this](const QString& text, const QString& name,
                               void (CDlgToolConfig::*slot)()) {
        auto* pushButton = new QPushButton(text);
        pushButton->setObjectName(name);
        pushButton->setAutoDefault(false);
        connect(pushButton, &QPushButton::clicked, this, slot);
        return pushButton;
    };
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(button(tr("추가"), u"addButton"_s, &CDlgToolConfig::OnAdd));
    buttons->addWidget(button(tr("삭제"), u"deleteButton"_s, &CDlgToolConfig::OnDelete));
    buttons->addWidget(button(tr("저장"), u"saveButton"_s, &CDlgToolConfig::OnSave));
    buttons->addWidget(
        button(tr("다른 이름으로 저장"), u"saveAsButton"_s, &CDlgToolConfig::OnSaveAs));
    buttons->addStretch();
    auto* close = new QPushButton(tr("닫기"));
    close->setObjectName(u"closeButton"_s);
    // Enter in a field must never close the dialog and lose what was typed.
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    return buttons;
}

// Loads the current list into the shared tool table and says so when it cannot, leaving the
// table as it was: that list's name is then never written over with the table.
bool CDlgToolConfig::loadToolList()
{
    const ToolListReadResult list = m_state.LoadToolList();
    Platform& platform = Platform::instance();
    const QString caption = AppIdentity::dialogCaption();
    if (!list.read) {
        m_unreadList = m_listFile;
        platform.showMessage(this, caption, tr("공구 리스트 파일이 존재하지 않습니다."),
                             Platform::Icon::None);
        platform.showMessage(this, caption,
                             displayPath(m_state.toolListPath(m_state.m_strToolListName)),
                             Platform::Icon::None);
        return false;
    }
    m_unreadList.clear();
    m_toolsLeftOut = list.leftOut;
    if (list.leftOut > 0)
        platform.showMessage(
            this, caption,
            tr("공구 리스트에 공구가 %1개보다 많습니다. 나머지 %2개는 읽지 않았습니다.")
                .arg(JobState::kMaxTools)
                .arg(list.leftOut),
            Platform::Icon::Warning);
    return true;
}

// The file name of a list in the combo, as the file system's bytes.
std::string CDlgToolConfig::listName(int index) const
{
    const QVariant bytes = m_listCombo->itemData(index);
    return bytes.isValid() ? bytes.toByteArray().toStdString()
                           : m_listCombo->itemText(index).toStdString();
}

void CDlgToolConfig::refill()
{
    const QScopeGuard settled([this] { m_unsaved = false; });
    m_model.setTools(m_state.m_ToolTable, ToolListCodec::forTools(m_state.m_ToolTable));
}

void CDlgToolConfig::OnAdd()
{
    float diameter = 0;
    float radius = 0;
    float minTolerance = 0;
    float maxTolerance = 0;
    int spindle = 0;
    int feed = 0;
    float dwellTime = 0;
    float dl = 0;
    DialogExchange exchange(this, AppIdentity::dialogCaption());
    if (!exchange.takeFloat(m_diameter, diameter) || !exchange.takeFloat(m_radius, radius) ||
        !exchange.takeFloat(m_minTolerance, minTolerance) ||
        !exchange.takeFloat(m_maxTolerance, maxTolerance) ||
        !exchange.takeInt(m_spindle, spindle) || !exchange.takeInt(m_feed, feed) ||
        !exchange.takeFloat(m_dwellTime, dwellTime) || !exchange.takeFloat(m_dl, dl))
        return;

    if (const auto number = ToolReportModel::toolNumberValue(m_toolNumber->text())) {
        for (const ToolEntry& tool : m_model.tools())
            if (ToolReportModel::toolNumberValue(QString::fromStdString(tool.values[0])) ==
                number) {
                Platform::instance().showMessage(this, AppIdentity::dialogCaption(),
                                                 UiTexts::toolNumberTaken(m_toolNumber->text()),
                                                 Platform::Icon::Warning);
                return;
            }
    }
    const ToolListCodec codec = ToolListCodec::forTools(m_model.tools());
    ToolEntry tool;
    tool.values = {codec.encode(m_toolNumber->text()),
                   MakeToolDescription(diameter, radius),
                   formatG(minTolerance),
                   formatG(maxTolerance),
                   codec.encode(m_coolant->currentText()),
                   std::to_string(spindle),
                   std::to_string(feed),
                   formatG(dwellTime),
                   codec.encode(m_measured->currentText()),
                   formatG(dl)};
    m_model.appendTool(tool);
}

void CDlgToolConfig::OnDelete()
{
    const QModelIndex focused = m_report->currentIndex();
    if (!focused.isValid())
        return;
    m_model.removeTool(m_sorted.mapToSource(focused).row());
}

// Closing, Esc and the window's close box all end here: unsaved changes are asked about first.
void CDlgToolConfig::reject()
{
    if (settleUnsavedChanges())
        QDialog::reject();
}

// Saves or drops unsaved changes as the operator says; false when the operator cancels, or
// the save failed.
bool CDlgToolConfig::settleUnsavedChanges()
{
    if (!m_unsaved)
        return true;
    switch (Platform::instance().askSaveChanges(
        this, AppIdentity::dialogCaption(), UiTexts::unsavedToolChanges(displayName(m_listFile)))) {
    case Platform::Answer::Save:
        return saveList();
    case Platform::Answer::Discard:
        m_unsaved = false;
        return true;
    case Platform::Answer::Cancel:
        break;
    }
    return false;
}

void CDlgToolConfig::OnSave()
{
    saveList();
}

// Whether the table may be written as the current list: every tool loaded, nothing written over
// a list that failed to load, and every value as it will read back.
bool CDlgToolConfig::mayWrite(const std::vector<ToolEntry>& tools)
{
    QString refusal;
    if (m_toolsLeftOut > 0) {
        refusal = UiTexts::toolsWouldBeLost(m_toolsLeftOut);
    } else if (!m_unreadList.empty() && m_unreadList == m_listFile) {
        refusal = UiTexts::unreadListNotOverwritten(displayName(m_listFile));
    } else if (const auto bad = findUnwritableValue(tools)) {
        refusal =
            tr("%1번 공구의 '%2' 값은 그대로 저장할 수 없습니다: %3\n아무것도 저장하지 않았습니다.")
                .arg(bad->row + 1)
                .arg(ToolReportModel::valueCaption(bad->column), unwritableReason(bad->reason));
    } else if (const auto unencodable = m_model.unencodableValue()) {
        refusal = UiTexts::valueNotInCodePage(unencodable->first + 1,
                                              ToolReportModel::valueCaption(unencodable->second));
    } else if (const auto repeated = m_model.repeatedToolNumber()) {
        refusal = UiTexts::toolNumberRepeated(*repeated);
    }
    if (refusal.isEmpty())
        return true;
    Platform::instance().showMessage(this, AppIdentity::dialogCaption(), refusal,
                                     Platform::Icon::Warning);
    return false;
}

bool CDlgToolConfig::saveList()
{
    const std::vector<ToolEntry> tools = m_model.tools();
    if (!mayWrite(tools))
        return false;
    const std::string path = m_state.toolListPath(m_listFile);
    FileError error;
    if (!WriteToolList(path, tools, error)) {
        Platform::instance().showMessage(this, AppIdentity::dialogCaption(),
                                         tr("공구 리스트 파일을 저장할 수 없습니다.\n%1\n%2")
                                             .arg(displayPath(path), UiTexts::fileError(error)),
                                         Platform::Icon::Warning);
        return false;
    }
    loadToolList();
    m_unsaved = false;
    Platform::instance().showMessage(this, AppIdentity::dialogCaption(), tr("저장 되었습니다."),
                                     Platform::Icon::None);
    return true;
}

void CDlgToolConfig::OnSaveAs()
{
    const QString folder = QString::fromStdString(m_state.m_strToolListFolder);
    Platform::SaveFileRequest request;
    request.folder = folder;
    request.filters = QStringList{tr("공구 리스트 files (*.tlist)")};
    request.defaultSuffix = u"tlist"_s;
    const auto choice = Platform::instance().getSaveFileName(this, request);
    if (!choice)
        return;
    const QString name = QFileInfo(choice->path).fileName();
    // A copy saved in another folder is written there; the program's lists stay as they are.
    if (QFileInfo(choice->path).absoluteDir() != QDir(folder)) {
        saveCopy(corePath(choice->path));
        return;
    }
    // Only a list that was written becomes the current one.
    const std::string previousFile = m_listFile;
    const std::string previousName = m_state.m_strToolListName;
    m_listFile = name.toStdString();
    m_state.m_strToolListName = name.toStdString();
    if (!saveList()) {
        m_listFile = previousFile;
        m_state.m_strToolListName = previousName;
        return;
    }
    const QByteArray bytes = name.toUtf8();
    if (m_listCombo->findData(bytes) < 0)
        m_listCombo->addItem(displayName(bytes.toStdString()), bytes);
    m_listCombo->setCurrentIndex(m_listCombo->findData(bytes));
    GetSettings().ToolListName = name.toStdString();
}

// Writes the table to a file outside the program's list folder, as a copy.
void CDlgToolConfig::saveCopy(const std::string& path)
{
    const std::vector<ToolEntry> tools = m_model.tools();
    const std::string current = std::exchange(m_listFile, {}); // a copy writes over no list here
    const bool allowed = mayWrite(tools);
    m_listFile = current;
    FileError error;
    if (!allowed)
        return;
    if (!WriteToolList(path, tools, error)) {
        Platform::instance().showMessage(this, AppIdentity::dialogCaption(),
                                         tr("공구 리스트 파일을 저장할 수 없습니다.\n%1\n%2")
                                             .arg(displayPath(path), UiTexts::fileError(error)),
                                         Platform::Icon::Warning);
        return;
    }
    Platform::instance().showMessage(this, AppIdentity::dialogCaption(), tr("저장 되었습니다."),
                                     Platform::Icon::None);
}

void CDlgToolConfig::OnSelectList(int index)
{
    if (!settleUnsavedChanges()) {
        m_listCombo->setCurrentIndex(m_listCombo->findData(QByteArray::fromStdString(m_listFile)));
        return;
    }
    m_listFile = listName(index);
    m_state.m_strToolListName = m_listFile;
    loadToolList();
    refill();
    GetSettings().ToolListName = m_state.m_strToolListName;
}
