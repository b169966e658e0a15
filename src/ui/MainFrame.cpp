#include "MainFrame.h"

#include "AboutDlg.h"
#include "ConfigDlg.h"
#include "FileOptDlg.h"
#include "JobPane.h"
#include "NcFileListCtrl.h"
#include "RibbonBar.h"
#include "ShellTreeCtrl.h"
#include "core/job/JobEditing.h"
#include "core/job/JobState.h"
#include "core/settings/Settings.h"
#include "desktop/AppIdentity.h"
#include "desktop/PathText.h"
#include "desktop/Platform.h"
#include "desktop/UiTexts.h"
#include "merge/ConvertCommand.h"
#include "table/MyTableView.h"
#include "table/QuorView.h"
#include "table/TableView.h"
#include "tools/DlgToolConfig.h"

#include <QAction>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>

using namespace Qt::StringLiterals;

namespace {

QString text(const std::string& value)
{
    return QString::fromStdString(value);
}

int flag(int value)
{
    return value != 0 ? 1 : 0;
}

} // namespace

CMainFrame::CMainFrame(JobState& state, QWidget* parent) : QMainWindow(parent), m_state(state)
{
    CSettings& settings = GetSettings();
    settings.Load();
    m_bAxisCheck = flag(settings.AxisCheck);
    m_bToolCheck = flag(settings.ToolCheck);
    m_bToolAssyCheck = flag(settings.ToolAssyCheck);
    m_bExcelCheck = flag(settings.ExcelCheck);
    m_bToolAssyType = flag(settings.ToolAssyType);

    // The view chain exists before the bars and panes.
    m_view = new CQuorView(state, this);
    setCentralWidget(m_view);
    g_pCurrentTableView = m_view->tableTabs()->tableView();
    connect(m_view->tableTabs(), &CTableView::tableShown, this,
            [](CMyTableView* table) { g_pCurrentTableView = table; });
    m_convert = new ConvertCommand(state, this);
    connect(m_convert, &ConvertCommand::runningChanged, this, &CMainFrame::keepJobStill);

    setWindowTitle(AppIdentity::windowCaption());
    createStatusBar();
    createRibbon();
    createPanes();
    // As large as it was made to be, but never past the screen, status bar included.
    const QSize room = screen()->availableGeometry().size() * 9 / 10;
    resize(QSize(1100, 720).boundedTo(room));
}

CMainFrame::~CMainFrame()
{
    CSettings& settings = GetSettings();
    settings.AxisCheck = m_bAxisCheck;
    settings.ToolCheck = m_bToolCheck;
    settings.ToolAssyCheck = m_bToolAssyCheck;
    settings.ExcelCheck = m_bExcelCheck;
    settings.ToolAssyType = m_bToolAssyType;
    settings.Save();
}

QAction* CMainFrame::addCommand(const QString& name, const QString& text, const QIcon& icon)
{
    auto* action = new QAction(icon, text, this);
    action->setObjectName(name);
    return action;
}

// A command that the keyboard reaches too, its keys shown in its tooltip.
void CMainFrame::setShortcut(QAction* action, const QKeySequence& keys)
{
    action->setShortcut(keys);
    action->setToolTip(u"%1 (%2)"_s.arg(action->text(), keys.toString(QKeySequence::NativeText)));
    addAction(action);
}

void CMainFrame::createStatusBar()
{
    statusBar()->addWidget(new QLabel(tr("READY")));
    // Qt cannot read the lock keys everywhere: the indicators stay blank.
    const std::pair<QString, QString> indicators[] = {
        {u"CAP"_s, tr("CAP")}, {u"NUM"_s, tr("NUM")}, {u"SCRL"_s, tr("SCRL")}};
    for (const auto& [name, shown] : indicators) {
        auto* label = new QLabel;
        label->setObjectName(u"indicator"_s + name);
        label->setMinimumWidth(label->fontMetrics().horizontalAdvance(shown) + 8);
        label->setToolTip(shown);
        statusBar()->addPermanentWidget(label);
    }
    statusBar()->setMinimumHeight(22);
    for (CMyTableView* table : m_view->tableTabs()->tableViews())
        connect(table, &CMyTableView::statusNote, this,
                [this](const QString& note) { statusBar()->showMessage(note, 10000); });
}

void CMainFrame::createRibbon()
{
    QStyle* look = style();
    QAction* convert = addCommand(
        u"actionConvert"_s, tr("Convert"),
        QIcon::fromTheme(u"media-playback-start"_s, look->standardIcon(QStyle::SP_MediaPlay)));
    connect(convert, &QAction::triggered, m_convert, &ConvertCommand::OnConvert);
    setShortcut(convert, QKeySequence(Qt::Key_F5));
    QAction* remove =
        addCommand(u"actionDelete"_s, tr("Delete"),
                   QIcon::fromTheme(u"edit-delete"_s, look->standardIcon(QStyle::SP_TrashIcon)));
    connect(remove, &QAction::triggered, this, &CMainFrame::OnDeleteCell);
    setShortcut(remove, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    QAction* clearAll = addCommand(
        u"actionClearTable"_s, UiTexts::clearTable(),
        QIcon::fromTheme(u"edit-clear-all"_s, look->standardIcon(QStyle::SP_DialogResetButton)));
    connect(clearAll, &QAction::triggered, this, &CMainFrame::clearTable);
    QAction* undo = addCommand(u"actionUndo"_s, UiTexts::undoJobEdit());
    connect(undo, &QAction::triggered, this, &CMainFrame::undoJobEdit);
    setShortcut(undo, QKeySequence::Undo);
    QAction* setting =
        addCommand(u"actionSetting"_s, tr("Setting"),
                   QIcon::fromTheme(u"preferences-system"_s,
                                    look->standardIcon(QStyle::SP_FileDialogDetailedView)));
    connect(setting, &QAction::triggered, this, [this] { CFileOptDlg::run(this); });

    m_ribbon = new RibbonBar(this);
    m_ribbon->setObjectName(u"ribbon"_s);
    const int home = m_ribbon->addTab(tr("HOME"));
    m_ribbon->addGroup(home, tr("TOOL"), {convert});
    m_ribbon->addGroup(home, tr("EDIT"), {remove, clearAll});
    m_ribbon->addGroup(home, tr("SETTING"), {setting});
    setMenuWidget(m_ribbon);
    createApplicationMenu(m_ribbon->applicationMenu());
}

// The application menu: the commands no ribbon control carries, before Exit.
void CMainFrame::createApplicationMenu(QMenu* menu)
{
    QStyle* look = style();
    QAction* folderPath = addCommand(u"actionSetFolderPath"_s, tr("Set Folder Path"),
                                     look->standardIcon(QStyle::SP_DirOpenIcon));
    connect(folderPath, &QAction::triggered, this, &CMainFrame::OnSetFolderPath);
    // The menu's own Convert item has never been wired to anything.
    QAction* menuConvert = addCommand(u"actionConvertMenu"_s, tr("Convert"));
    menuConvert->setEnabled(false);
    QAction* tools = addCommand(u"actionToolSettings"_s, tr("공구 설정"));
    connect(tools, &QAction::triggered, this, [this] { CDlgToolConfig::run(m_state, this); });
    QAction* outputPath = addCommand(u"actionSetOutputPath"_s, tr("Output 경로 설정"));
    connect(outputPath, &QAction::triggered, this, &CMainFrame::OnSetOutputPath);
    QAction* config = addCommand(u"actionConfig"_s, tr("환경 설정"));
    connect(config, &QAction::triggered, this, [this] { CConfigDlg::run(m_state, this); });
    QAction* about = addCommand(u"actionAbout"_s, tr("Corvane 정보"));
    connect(about, &QAction::triggered, this, [this] { CAboutDlg::run(this); });
    QAction* exit = addCommand(u"actionExit"_s, tr("Exit(&X)"));
    connect(exit, &QAction::triggered, this, &QWidget::close);

    menu->addAction(folderPath);
    menu->addSeparator();
    menu->addAction(menuConvert);
    menu->addSeparator();
    menu->addAction(exit);
    QAction* beforeExit = menu->insertSeparator(exit);
    menu->insertActions(beforeExit, {tools, outputPath, config});
    menu->insertSeparator(beforeExit);
    menu->insertAction(beforeExit, about);
}

void CMainFrame::createPanes()
{
    m_wndShellTree = new ShellTreeCtrl;
    m_wndShellList = new NcFileListCtrl;
    const QString extensions = text(GetSettings().EXTLIST);
    if (extensions.size() > 1)
        m_wndShellList->SetIncludeExtensions(extensions);
    connect(m_wndShellTree, &ShellTreeCtrl::folderSelected, m_wndShellList,
            &NcFileListCtrl::setFolder);
    connect(m_wndShellTree, &ShellTreeCtrl::folderSelected, this,
            [this](const QString& folder) { m_folder = folder; });
    connect(m_wndShellList, &NcFileListCtrl::filesChosen, this, [this](const QStringList& files) {
        if (!m_convert->running())
            m_view->tableTabs()->addFiles(files);
    });
    m_wndShellTree->expandTo(text(GetSettings().ShellStartFolder));

    m_folderPane = new QDockWidget(tr("FOLDER"), this);
    m_folderPane->setObjectName(u"paneFolder"_s);
    m_folderPane->setWidget(m_wndShellTree);
    m_fileListPane = new QDockWidget(tr("NC FILE LIST"), this);
    m_fileListPane->setObjectName(u"paneNcFileList"_s);
    m_fileListPane->setWidget(m_wndShellList);
    m_wndJob = new JobPane(m_state);
    m_jobPane = new QDockWidget(UiTexts::jobPaneTitle(), this);
    m_jobPane->setObjectName(u"paneJob"_s);
    m_jobPane->setWidget(m_wndJob);
    CTableView* tables = m_view->tableTabs();
    const auto noteJob = [this] {
        m_jobHistory.changed(m_state.m_JobFiles.entries());
    };
    for (CMyTableView* table : tables->tableViews()) {
        connect(table, &CMyTableView::jobChanged, m_wndJob, &JobPane::refresh);
        connect(table, &CMyTableView::jobChanged, this, noteJob);
    }
    connect(m_wndJob, &JobPane::jobEdited, tables, &CTableView::showEntries);
    connect(m_wndJob, &JobPane::jobEdited, this, noteJob);
    addDockWidget(Qt::LeftDockWidgetArea, m_folderPane);
    splitDockWidget(m_folderPane, m_fileListPane, Qt::Vertical);
    splitDockWidget(m_fileListPane, m_jobPane, Qt::Vertical);
    resizeDocks({m_folderPane}, {420}, Qt::Horizontal);
    resizeDocks({m_folderPane, m_fileListPane, m_jobPane}, {130, 170, 110}, Qt::Vertical);

    QAction* folderToggle = m_folderPane->toggleViewAction();
    folderToggle->setObjectName(u"actionFolderPane"_s);
    // Reopened, the folder pane shows the start folder again.
    connect(folderToggle, &QAction::triggered, this, [this](bool open) {
        if (open)
            m_wndShellTree->expandTo(text(GetSettings().ShellStartFolder));
    });
    m_fileListPane->toggleViewAction()->setObjectName(u"actionNcFileListPane"_s);
    QMenu* menu = m_ribbon->applicationMenu();
    QAction* tools = findChild<QAction*>(u"actionToolSettings"_s);
    m_jobPane->toggleViewAction()->setObjectName(u"actionJobPane"_s);
    menu->insertActions(
        tools, {folderToggle, m_fileListPane->toggleViewAction(), m_jobPane->toggleViewAction()});
}

WindowMemory CMainFrame::remembered() const
{
    return {saveGeometry(), saveState(), m_folder};
}

void CMainFrame::restore(const WindowMemory& memory)
{
    if (!memory.geometry.isEmpty())
        restoreGeometry(memory.geometry); // brought back onto the screen where it left it
    if (!memory.layout.isEmpty())
        restoreState(memory.layout);
    if (!memory.folder.isEmpty() && QFileInfo(memory.folder).isDir())
        m_wndShellTree->expandTo(memory.folder);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    m_convert->cancel();
    QMainWindow::closeEvent(event);
}

void CMainFrame::keepJobStill(bool still)
{
    for (const QString& name :
         {u"actionConvert"_s, u"actionDelete"_s, u"actionClearTable"_s, u"actionUndo"_s})
        findChild<QAction*>(name)->setEnabled(!still);
    // A disabled table takes no drops and offers no Delete.
    m_view->tableTabs()->setEnabled(!still);
    m_wndJob->setEnabled(!still);
}

void CMainFrame::OnDeleteCell()
{
    if (g_pCurrentTableView)
        g_pCurrentTableView->OnDeleteCell();
}

void CMainFrame::undoJobEdit()
{
    const std::optional<std::vector<JobEntry>> before = m_jobHistory.undo();
    if (!before)
        return;
    restoreJob(*before, m_state, GetSettings());
    m_view->tableTabs()->showEntries();
    m_wndJob->refresh();
    statusBar()->showMessage(UiTexts::jobEditUndone(), 10000);
}

void CMainFrame::clearTable()
{
    if (m_state.m_JobFiles.count() == 0)
        return;
    clearJob(m_state, GetSettings());
    m_view->tableTabs()->showEntries();
    m_wndJob->refresh();
    m_jobHistory.changed(m_state.m_JobFiles.entries());
}

void CMainFrame::OnSetFolderPath()
{
    CSettings& settings = GetSettings();
    const QString folder = Platform::instance().getExistingDirectory(
        this, tr("폴더 경로를 설정할 디렉토리를 선택하세요"), text(settings.ShellStartFolder));
    if (folder.isEmpty())
        return;
    settings.ShellStartFolder = corePath(folder);
    settings.Save();
    m_wndShellTree->expandTo(folder);
}

void CMainFrame::OnSetOutputPath()
{
    CSettings& settings = GetSettings();
    const QString folder = Platform::instance().getExistingDirectory(
        this, tr("Output 경로를 설정할 디렉토리를 선택하세요"), text(settings.FolderPath));
    if (!folder.isEmpty())
        settings.FolderPath = corePath(folder);
}
