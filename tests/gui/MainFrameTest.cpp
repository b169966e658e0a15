#include "MainFrame.h"
#include "GuiTestEnvironment.h"
#include "MyTableView.h"
#include "NcFileListCtrl.h"
#include "QuorApp.h"
#include "RibbonBar.h"
#include "Settings.h"
#include "ShellTreeCtrl.h"
#include "TestFiles.h"

#include <QApplication>
#include <QDockWidget>
#include <QFileSystemModel>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class MainFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsRibbonPanesAndTheStartFolder();
    void aOneCharacterExtensionListShowsEveryFile();
    void panesAndFolderChoosers();
    void dragFromTheListConvertDeleteAndDropAgain();

private:
    void start();
    void trigger(const QString& action)
    {
        m_app->mainFrame()->findChild<QAction*>(action)->trigger();
    }
    QStringList listedFiles() const;
    QString path(const QString& name) const { return m_folder->filePath(name); }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<GuiTestEnvironment> m_env;
    std::unique_ptr<CQuorApp> m_app;
};

void MainFrameTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    for (const QString& name : {u"a.nc"_s, u"b.NC"_s, u"c.txt"_s, u"d.tap"_s})
        writeTestFile(path(name), "%\nO1\nG0 X" + name.toUtf8() + "\nM30\n%\n");
    QDir(m_folder->path()).mkdir(u"out"_s);
    m_env = std::make_unique<GuiTestEnvironment>();
    m_env->profile.writeString("Settings", "ShellStartFolder", m_folder->path().toStdString());
}

void MainFrameTest::cleanup()
{
    m_app.reset();
    m_env.reset();
    m_folder.reset();
}

void MainFrameTest::start()
{
    m_app = std::make_unique<CQuorApp>();
    QVERIFY(m_app->InitInstance());
    QVERIFY(QTest::qWaitForWindowExposed(m_app->mainFrame()));
}

QStringList MainFrameTest::listedFiles() const
{
    NcFileListCtrl* list = m_app->mainFrame()->shellList();
    QStringList names;
    for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
        names.append(list->model()->index(row, 0, list->rootIndex()).data().toString());
    names.sort(Qt::CaseInsensitive);
    return names;
}

void MainFrameTest::firstStartShowsRibbonPanesAndTheStartFolder()
{
    m_env->profile.writeString("Settings", "ToolListName", "Mill 5-axis.tlist");
    start();
    // Start-up leaves every key in the store and an empty job.
    QCOMPARE(m_env->profile.size(), std::size_t(42));
    QCOMPARE(QString::fromStdString(m_app->m_strExeFolder), QCoreApplication::applicationDirPath());
    QCOMPARE(m_app->m_strToolListName, std::string("Mill 5-axis.tlist"));
    QCOMPARE(m_app->m_JobFiles.count(), 0);
    QCOMPARE(m_app->m_nMachineFamily, -1);
    CMainFrame* frame = m_app->mainFrame();
    QCOMPARE(frame->windowTitle(), u"Tessaly"_s);
    QTabWidget* tabs = frame->ribbon()->tabs();
    QCOMPARE(tabs->count(), 1);
    QCOMPARE(tabs->tabText(0), u"HOME"_s);
    QStringList groups;
    for (const QLabel* caption : tabs->findChildren<QLabel*>(u"ribbonGroupCaption"_s))
        groups.append(caption->text());
    QCOMPARE(groups, QStringList({u"TOOL"_s, u"EDIT"_s, u"SETTING"_s}));

    QStringList menu;
    for (const QAction* action : frame->ribbon()->applicationMenu()->actions())
        menu.append(action->isSeparator() ? u"-"_s : action->text());
    QCOMPARE(menu, QStringList({u"Set Folder Path"_s, u"-"_s, u"Convert"_s, u"-"_s, u"FOLDER"_s,
                                u"NC FILE LIST"_s, u"공구 설정"_s, u"Output 경로 설정"_s,
                                u"환경 설정"_s, u"-"_s, u"Corvane 정보"_s, u"-"_s, u"Exit(&X)"_s}));
    QVERIFY(!frame->findChild<QAction*>(u"actionConvertMenu"_s)->isEnabled());

    QVERIFY(frame->findChild<QDockWidget*>(u"paneFolder"_s)->isVisible());
    QVERIFY(frame->findChild<QDockWidget*>(u"paneNcFileList"_s)->isVisible());
    QCOMPARE(frame->shellTree()->selectedFolder(), m_folder->path());
    QTRY_COMPARE(listedFiles(), QStringList({u"a.nc"_s, u"b.NC"_s, u"c.txt"_s}));
    QVERIFY(frame->shellList()->isColumnHidden(3));
    QVERIFY(frame->statusBar()->findChild<QLabel*>(u"indicatorCAP"_s));
}

void MainFrameTest::aOneCharacterExtensionListShowsEveryFile()
{
    m_env->profile.writeString("Settings", "EXTLIST", ";");
    start();
    QTRY_COMPARE(listedFiles(), QStringList({u"a.nc"_s, u"b.NC"_s, u"c.txt"_s, u"d.tap"_s}));
}

void MainFrameTest::panesAndFolderChoosers()
{
    m_env->profile.writeInt("Settings", "AxisCheck", 5);
    start();
    CMainFrame* frame = m_app->mainFrame();
    auto* pane = frame->findChild<QDockWidget*>(u"paneFolder"_s);
    ShellTreeCtrl* tree = frame->shellTree();
    trigger(u"actionFolderPane"_s);
    QVERIFY(!pane->isVisible());
    trigger(u"actionFolderPane"_s);
    QVERIFY(pane->isVisible());
    QCOMPARE(pane->widget(), tree);
    QVERIFY(frame->findChild<QAction*>(u"actionFolderPane"_s)->isChecked());

    m_env->platform.folderAnswers = {path(u"out"_s)};
    trigger(u"actionSetFolderPath"_s);
    QCOMPARE(m_env->profile.readString("Settings", "ShellStartFolder", ""),
             path(u"out"_s).toStdString());
    QCOMPARE(tree->selectedFolder(), path(u"out"_s));

    const std::string before = m_env->profile.readString("Settings", "FolderPath", "");
    m_env->platform.folderAnswers = {m_folder->path()};
    trigger(u"actionSetOutputPath"_s);
    QCOMPARE(m_env->profile.readString("Settings", "FolderPath", ""), before);

    m_app.reset();
    QCOMPARE(m_env->profile.readString("Settings", "FolderPath", ""),
             m_folder->path().toStdString());
    QCOMPARE(m_env->profile.readInt("Settings", "AxisCheck", 0), 1u);
}

void MainFrameTest::dragFromTheListConvertDeleteAndDropAgain()
{
    start();
    CMainFrame* frame = m_app->mainFrame();
    GetSettings().EXECOMBO = "editor";
    GetSettings().DEL_UP = 2;
    GetSettings().DEL_BTM = 2;
    QTRY_COMPARE(listedFiles().size(), 3);

    // Two files dragged out of the list, with the list's own drag data, onto the cell.
    NcFileListCtrl* list = frame->shellList();
    QFileSystemModel* model = list->fileModel();
    const QModelIndexList dragged = {model->index(path(u"a.nc"_s)), model->index(path(u"b.NC"_s))};
    std::unique_ptr<QMimeData> data(model->mimeData(dragged));
    CMyTableView* table = g_pCurrentTableView;
    const QPoint cell = table->table().GetCellRect(0, 0).center();
    QDragEnterEvent enter(cell, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(table, &enter);
    QDropEvent drop(cell, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
    QApplication::sendEvent(table, &drop);
    QCOMPARE(drop.dropAction(), Qt::CopyAction);
    QCOMPARE(m_app->m_JobFiles.count(), 2);

    m_env->platform.saveAnswers.push_back({path(u"out/merged.txt"_s), 0});
    trigger(u"actionConvert"_s);
    QCOMPARE(readTestFile(path(u"out/merged.nc"_s)),
             QByteArray("%\r\nO1\r\nG0 Xa.nc\r\nG0 Xb.NC\r\nM30\r\n%\r\n"));
    QCOMPARE(m_env->platform.startedPrograms.size(), 1);
    QCOMPARE(m_env->platform.startedPrograms[0].parameter, path(u"out/merged.nc"_s));

    QTest::mouseMove(&table->table(), cell + QPoint(11, 5));
    trigger(u"actionDelete"_s);
    QCOMPARE(m_app->m_JobFiles.count(), 0);
    QVERIFY(m_app->document().GetCellFiles()[0].empty());
    QCOMPARE(m_app->m_nMachineFamily, -1);

    writeTestFile(path(u"p.MPF"_s), "N1\n");
    table->OnDropFiles({path(u"p.MPF"_s)}, cell);
    QCOMPARE(m_app->m_nMachineFamily, 1);
    QCOMPARE(GetSettings().m_nOutputType, 4);
}

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
