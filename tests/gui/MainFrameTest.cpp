#include "ui/MainFrame.h"
#include "GuiTestEnvironment.h"
#include "app/ToolListFolder.h"
#include "core/settings/Settings.h"
#include "table/MyTableView.h"
#include "table/QuorView.h"
#include "table/TableView.h"
#include "table/WorkOffsetCell.h"
#include "ui/JobPane.h"
#include "ui/NcFileListCtrl.h"
#include "ui/ShellTreeCtrl.h"

#include <QApplication>
#include <QDialog>
#include <QDockWidget>
#include <QFileSystemModel>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class MainFrameTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.emplace();
        for (const QString& name : {u"a.nc"_s, u"b.NC"_s, u"c.txt"_s, u"d.tap"_s})
            m_env->write(name, "%\nO1\nG0 X" + name.toUtf8() + "\nM30\n%\n");
        QDir(m_env->folder.path()).mkdir(u"out"_s);
        m_env->profile.writeString("Settings", "ShellStartFolder",
                                   m_env->folder.path().toStdString());
    }

    void cleanup() { m_env.reset(); }

    // The shipped lists reach the user's folder once; a list the user already has stays.
    void theUsersToolListFolderIsSeededWithoutReplacing()
    {
        const QString shipped = m_env->path(u"share"_s);
        const QString user = m_env->path(u"user/lists"_s);
        QDir().mkpath(shipped);
        m_env->write(u"share/ToolList.tlist"_s, "shipped\n");
        m_env->write(u"share/Mill.tlist"_s, "shipped mill\n");
        QDir().mkpath(user);
        m_env->write(u"user/lists/Mill.tlist"_s, "mine\n");
        ToolListFolder::seed(user, shipped);
        QCOMPARE(readTestFile(user + u"/ToolList.tlist"_s), QByteArray("shipped\n"));
        QCOMPARE(readTestFile(user + u"/Mill.tlist"_s), QByteArray("mine\n"));
        // Built, not installed: the lists live beside the program.
        QCOMPARE(ToolListFolder::choose(QCoreApplication::applicationDirPath()),
                 QCoreApplication::applicationDirPath());
    }

    void startUpStoresTheSettingsAndShowsTheStartFolder()
    {
        m_env->profile.writeString("Settings", "ToolListName", "Mill 5-axis.tlist");
        start();
        // A first start leaves every setting in the store: one that was not there is written.
        QVERIFY(m_env->profile.value("Settings", "DEL_UP"));
        QCOMPARE(m_env->app.m_strToolListName, std::string("Mill 5-axis.tlist"));
        QCOMPARE(m_env->app.m_nMachineFamily, -1);
        QCOMPARE(frame()->shellTree()->selectedFolder(), m_env->folder.path());
        QTRY_COMPARE(listedFiles(), QStringList({u"a.nc"_s, u"b.NC"_s, u"c.txt"_s}));
    }

    // Without a mouse drag: Enter or a double click in the list fills the cell, F5 converts.
    void theKeyboardAndTheJobPaneReachTheJob()
    {
        start();
        QTRY_COMPARE(listedFiles().size(), 3);
        NcFileListCtrl* list = frame()->shellList();
        QFileSystemModel* model = list->fileModel();
        list->setFocus();
        list->setCurrentIndex(model->index(m_env->path(u"a.nc"_s)));
        QTest::keyClick(list, Qt::Key_Return);
        QCOMPARE(m_env->app.m_JobFiles.count(), 1);
        emit list->doubleClicked(model->index(m_env->path(u"b.NC"_s)));
        QCOMPARE(m_env->app.m_JobFiles.count(), 2);
        QCOMPARE(m_env->app.m_JobFiles.files().back(), m_env->path(u"b.NC"_s).toStdString());

        // The job pane lists the job; a file moves up or goes alone, and the cell follows.
        QListWidget* job = frame()->jobPane()->list();
        QCOMPARE(job->count(), 2);
        job->setCurrentRow(1);
        frame()->jobPane()->findChild<QPushButton*>(u"moveUpButton"_s)->click();
        QCOMPARE(m_env->app.m_JobFiles.files().front(), m_env->path(u"b.NC"_s).toStdString());
        QCOMPARE(g_pCurrentTableView->table().cellAt(0, 0)->GetText(), u"1. b.NC\n2. a.NC"_s);
        frame()->jobPane()->findChild<QPushButton*>(u"removeButton"_s)->click();
        QCOMPARE(m_env->app.m_JobFiles.count(), 1);
        QCOMPARE(job->count(), 1);

        auto* convert = frame()->findChild<QAction*>(u"actionConvert"_s);
        QVERIFY(convert->toolTip().contains(u"F5"_s));
        QTest::keyClick(frame(), Qt::Key_F5);
        QCOMPARE(m_env->platform.saveRequests.size(), 1);
    }

    void dragFromTheListConvertDeleteAndDropAgain()
    {
        start();
        GetSettings().EXECOMBO = "editor";
        GetSettings().DEL_UP = 2;
        GetSettings().DEL_BTM = 2;
        QTRY_COMPARE(listedFiles().size(), 3);

        // Two files dragged out of the list, with the list's own drag data, onto the cell.
        QFileSystemModel* model = frame()->shellList()->fileModel();
        const QModelIndexList dragged = {model->index(m_env->path(u"a.nc"_s)),
                                         model->index(m_env->path(u"b.NC"_s))};
        std::unique_ptr<QMimeData> data(model->mimeData(dragged));
        CMyTableView* table = g_pCurrentTableView;
        const QPoint cell = table->table().GetCellRect(0, 0).center();
        QDragEnterEvent enter(cell, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton,
                              {});
        QApplication::sendEvent(table, &enter);
        QDropEvent drop(cell, Qt::CopyAction | Qt::MoveAction, data.get(), Qt::LeftButton, {});
        QApplication::sendEvent(table, &drop);
        QCOMPARE(drop.dropAction(), Qt::CopyAction);
        QCOMPARE(m_env->app.m_JobFiles.count(), 2);

        // Into a folder named in Korean, which the editor is given as the system writes it.
        QDir(m_env->folder.path()).mkdir(u"출력"_s);
        m_env->platform.saveAnswers.push_back({m_env->path(u"출력/merged.txt"_s), 0});
        trigger(u"actionConvert"_s);
        // Convert runs on; the commands that change the job come back when it is done.
        QTRY_VERIFY_WITH_TIMEOUT(frame()->findChild<QAction*>(u"actionDelete"_s)->isEnabled(),
                                 20000);
        QCOMPARE(readTestFile(m_env->path(u"출력/merged.nc"_s)),
                 QByteArray("%\r\nO1\r\nG0 Xa.nc\r\nG0 Xb.NC\r\nM30\r\n%\r\n"));
        QCOMPARE(m_env->platform.startedPrograms.size(), 1);
        QCOMPARE(m_env->platform.startedPrograms[0].parameter,
                 QDir::toNativeSeparators(m_env->path(u"출력/merged.nc"_s)));

        QTest::mouseMove(&table->table(), cell + QPoint(11, 5));
        trigger(u"actionDelete"_s);
        QCOMPARE(m_env->app.m_JobFiles.count(), 0);
        QVERIFY(m_env->app.document().cellEmpty(0));
        QCOMPARE(m_env->app.m_nMachineFamily, -1);
    }

    // Programs in several cells, in the tabs' table too: the JOB pane lists them cell by cell
    // with their offsets, Clear All empties every cell, and Ctrl+Z brings them back.
    void theJobPaneShowsEachProgramAtItsOffset()
    {
        start();
        CTableView* tabs = frame()->view()->tableTabs();
        CMyTableView* first = tabs->tableViews()[0];
        first->choose(dynamic_cast<WorkOffsetCell*>(first->table().cellAt(0, 2)));
        first->addFiles({m_env->path(u"b.NC"_s)});
        first->choose(dynamic_cast<WorkOffsetCell*>(first->table().cellAt(0, 0)));
        first->addFiles({m_env->path(u"a.nc"_s)});
        tabs->setCurrentIndex(1);
        QCOMPARE(g_pCurrentTableView, tabs->tableViews()[1]);
        tabs->addFiles({m_env->path(u"a.nc"_s)});

        QListWidget* job = frame()->jobPane()->list();
        QStringList shown;
        for (int row = 0; row < job->count(); ++row)
            shown.append(job->item(row)->text());
        QCOMPARE(shown,
                 (QStringList{u"G54   1. a.NC"_s, u"G56   1. b.NC"_s, u"G54.1P35   1. a.NC"_s}));

        frame()->findChild<QAction*>(u"actionClearTable"_s)->trigger();
        QCOMPARE(m_env->app.m_JobFiles.count(), 0);
        QCOMPARE(job->count(), 0);
        QCOMPARE(first->table().cellAt(0, 2)->GetText(), QString());
        QTest::keyClick(frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_env->app.m_JobFiles.count(), 3);
        QCOMPARE(first->table().cellAt(0, 2)->GetText(), u"1. b.NC"_s);
    }

    // Delete and a drag edit the job in its pane; adding a file again is noted; Ctrl+Z undoes
    // edits one by one; Ctrl+Del needs no pointer on the cell.
    void theJobIsEditedAndUndoneFromTheKeyboard()
    {
        start();
        CMyTableView* table = g_pCurrentTableView;
        table->addFiles({m_env->path(u"a.nc"_s), m_env->path(u"b.NC"_s)});
        table->addFiles({m_env->path(u"a.nc"_s)});
        QVERIFY(frame()->statusBar()->currentMessage().contains(u"a.nc"_s));
        QCOMPARE(m_env->app.m_JobFiles.count(), 3);

        QListWidget* job = frame()->jobPane()->list();
        job->model()->moveRow({}, 0, {}, 3); // dragged from first to last
        QTRY_COMPARE(m_env->app.m_JobFiles.files().front(), m_env->path(u"b.NC"_s).toStdString());
        QCOMPARE(job->item(0)->text(), u"G54   1. b.NC"_s);
        job->setFocus();
        job->setCurrentRow(0);
        QTest::keyClick(job, Qt::Key_Delete);
        QCOMPARE(m_env->app.m_JobFiles.count(), 2);
        QCOMPARE(g_pCurrentTableView->table().cellAt(0, 0)->GetText(), u"1. a.NC\n2. a.NC"_s);

        QTest::keyClick(frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_env->app.m_JobFiles.count(), 3);
        QCOMPARE(m_env->app.m_JobFiles.files().front(), m_env->path(u"b.NC"_s).toStdString());
        QCOMPARE(job->count(), 3);
        QTest::keyClick(frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_env->app.m_JobFiles.files().front(), m_env->path(u"a.nc"_s).toStdString());

        // Ctrl+Del with the pointer nowhere near the cell.
        QTest::keyClick(frame(), Qt::Key_Delete, Qt::ControlModifier);
        QCOMPARE(m_env->app.m_JobFiles.count(), 0);
        QTest::keyClick(frame(), Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(m_env->app.m_JobFiles.count(), 3);
        QCOMPARE(m_env->app.m_nMachineFamily >= 0, true);
    }

    // The window opens within the screen and comes back as it was left, panes and folder too.
    void theWindowFitsTheScreenAndComesBackAsLeft()
    {
        start();
        const QRect screen = frame()->screen()->availableGeometry();
        QVERIFY(frame()->frameGeometry().height() <= screen.height());
        QVERIFY(frame()->frameGeometry().width() <= screen.width());
        frame()->findChild<QAction*>(u"actionJobPane"_s)->trigger();
        frame()->shellTree()->expandTo(m_env->path(u"out"_s));
        const WindowMemory memory = frame()->remembered();
        QCOMPARE(memory.folder, m_env->path(u"out"_s));

        CMainFrame again(m_env->app);
        again.restore(memory);
        again.show();
        QVERIFY(QTest::qWaitForWindowExposed(&again));
        QVERIFY(!again.findChild<QDockWidget*>(u"paneJob"_s)->isVisible());
        QCOMPARE(again.shellTree()->selectedFolder(), m_env->path(u"out"_s));
    }

private:
    void start()
    {
        m_env->platform.dialogAnswer = [](QDialog&) {
            return int(QDialog::Accepted);
        };
        QVERIFY(m_env->app.InitInstance());
        QVERIFY(QTest::qWaitForWindowExposed(frame()));
    }

    CMainFrame* frame() const { return m_env->app.mainFrame(); }
    void trigger(const QString& action) { frame()->findChild<QAction*>(action)->trigger(); }

    QStringList listedFiles() const
    {
        NcFileListCtrl* list = frame()->shellList();
        QStringList names;
        for (int row = 0; row < list->model()->rowCount(list->rootIndex()); ++row)
            names.append(list->model()->index(row, 0, list->rootIndex()).data().toString());
        names.sort(Qt::CaseInsensitive);
        return names;
    }

    std::optional<GuiTestEnvironment> m_env;
};

QTEST_MAIN(MainFrameTest)
#include "MainFrameTest.moc"
