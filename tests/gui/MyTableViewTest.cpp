#include "MyTableView.h"
#include "GuiTestEnvironment.h"
#include "QuorApp.h"
#include "QuorView.h"
#include "Settings.h"
#include "TableView.h"
#include "TestFiles.h"
#include "WorkOffsetCell.h"

#include <QApplication>
#include <QDir>
#include <QMimeData>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

class MyTableViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startUpBuildsOneCellInsideTwoTabs();
    void dropsTakeFilesOfOneExtensionAndNameWhatIsNoFile();
    void deleteEmptiesTheCellAndTheJob();
    void aFullJobListRefusesTheRestWithOneMessage();
    void hoverTipNamesTheWorkOffsetAndListsTheFiles();
    void paintsTheLogoAndTheEntries();

private:
    QString file(const QString& name);
    void drop(const QStringList& names, const QPoint& at);
    QPoint cellCentre() const { return m_table->table().GetCellRect(0, 0).center(); }
    WorkOffsetCell* cell() const
    {
        return dynamic_cast<WorkOffsetCell*>(m_table->table().cellAt(0, 0));
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<GuiTestEnvironment> m_env;
    std::unique_ptr<CQuorApp> m_app;
    std::unique_ptr<CQuorView> m_view;
    CMyTableView* m_table = nullptr;
};

void MyTableViewTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_env = std::make_unique<GuiTestEnvironment>();
    m_app = std::make_unique<CQuorApp>();
    GetSettings().FANUCToolList = "Fanuc.tlist";
    GetSettings().Save();
    GetSettings().DEL_UP = 9; // not saved: building the table reloads the store
    m_view = std::make_unique<CQuorView>(*m_app);
    m_view->resize(400, 340);
    m_view->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
    m_table = m_view->tableTabs()->tableView();
    QTest::mouseMove(&m_table->table(), QPoint(1, 1));
    QTest::mouseMove(&m_table->table(), QPoint(0, 0));
}

void MyTableViewTest::cleanup()
{
    m_view.reset();
    m_app.reset();
    m_env.reset();
    m_folder.reset();
}

QString MyTableViewTest::file(const QString& name)
{
    const QString path = m_folder->filePath(name);
    if (!QFile::exists(path))
        writeTestFile(path, "N1\n");
    return path;
}

void MyTableViewTest::drop(const QStringList& names, const QPoint& at)
{
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& name : names)
        urls.append(QUrl::fromLocalFile(name.startsWith(u'/') ? name : file(name)));
    data.setUrls(urls);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_table, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_table, &dropped);
}

void MyTableViewTest::startUpBuildsOneCellInsideTwoTabs()
{
    QCOMPARE(m_view->count(), 1);
    QCOMPARE(m_view->tabText(0), u"NC"_s);
    QCOMPARE(m_view->tableTabs()->count(), 1);
    QCOMPARE(m_view->tableTabs()->tabText(0), u"FILE LIST"_s);
    QCOMPARE(m_table->table().rows(), 1);
    QCOMPARE(m_table->table().cols(), 1);
    QVERIFY(cell());
    QCOMPARE(cell()->index(), 0);
    QCOMPARE(cell()->GetText(), QString());
    QCOMPARE(m_table->table().size(), m_table->size());
    QCOMPARE(g_pCurrentTableView, m_table);
    QCOMPARE(GetSettings().DEL_UP, 0);
}

void MyTableViewTest::dropsTakeFilesOfOneExtensionAndNameWhatIsNoFile()
{
    QSignalSpy notes(m_table, &CMyTableView::statusNote);
    QDir(m_folder->path()).mkdir(u"sub"_s);
    drop({u"A.nc"_s, u"B.NC"_s, u"C.tap"_s, m_folder->filePath(u"sub"_s)}, cellCentre());

    QCOMPARE(cell()->GetText(), u"1. A.NC\n2. B.NC"_s);
    // The drop rules themselves are the core's; here: they reach the program's own state.
    QCOMPARE(m_app->m_JobFiles.count(), 2);
    QCOMPARE(m_app->m_strToolListName, std::string("Fanuc.tlist"));
    QCOMPARE(m_env->platform.messages.size(), 1);
    QCOMPARE(m_env->platform.messages[0].caption, u"Tessaly"_s);
    QCOMPARE(
        m_env->platform.messages[0].text,
        u"[%1] 는 파일이 아닙니다."_s.arg(QDir::toNativeSeparators(m_folder->filePath(u"sub"_s))));
    QCOMPARE(m_env->platform.messages[0].icon, Platform::Icon::Information);
    QCOMPARE(notes.size(), 1);

    // Outside the cell a drop is ignored.
    drop({u"D.nc"_s}, QPoint(3, 3));
    QCOMPARE(m_app->m_JobFiles.count(), 2);
}

void MyTableViewTest::deleteEmptiesTheCellAndTheJob()
{
    drop({u"A.nc"_s}, cellCentre());
    QTest::mousePress(&m_table->table(), Qt::RightButton, {}, cellCentre());
    QTRY_VERIFY(m_table->contextMenu().isVisible());
    QAction* deleteAction = m_table->contextMenu().findChild<QAction*>(u"actionDeleteCell"_s);
    QCOMPARE(deleteAction->text(), u"Delete"_s);
    deleteAction->trigger();
    m_table->contextMenu().hide();
    QTest::mouseRelease(&m_table->table(), Qt::RightButton, {}, cellCentre());

    QVERIFY(m_app->document().GetCellFiles()[0].empty());
    QCOMPARE(m_app->m_JobFiles.count(), 0);
    QCOMPARE(m_app->m_nMachineFamily, -1);
    m_table->table().grab();
    QCOMPARE(cell()->GetText(), QString());

    drop({u"P.MPF"_s}, cellCentre());
    QCOMPARE(m_app->m_nMachineFamily, 1);
    QCOMPARE(GetSettings().m_nOutputType, 4);
    QCOMPARE(cell()->GetText(), u"1. P.MPF"_s);
}

void MyTableViewTest::aFullJobListRefusesTheRestWithOneMessage()
{
    for (int i = 0; i < JobList::kMaxJobFiles - 1; ++i)
        m_app->m_JobFiles.RegisterJobFile(file(u"A.nc"_s).toStdString());
    drop({u"A.nc"_s, u"B.nc"_s, u"C.nc"_s}, cellCentre());
    QCOMPARE(m_app->m_JobFiles.count(), JobList::kMaxJobFiles);
    QCOMPARE(m_app->document().GetCellFiles()[0].size(), std::size_t(1));
    QCOMPARE(m_env->platform.messages.size(), 1);
    QVERIFY(m_env->platform.messages[0].text.contains(u"2개"_s));
}

void MyTableViewTest::hoverTipNamesTheWorkOffsetAndListsTheFiles()
{
    QStringList names;
    for (int i = 1; i <= 25; ++i)
        names.append(u"f%1.nc"_s.arg(i));
    drop(names, cellCentre());

    // The last hover point is remembered across views and tests: use points of this test's own.
    const QPoint first = cellCentre() + QPoint(7, 3);
    QTest::mouseMove(&m_table->table(), first);
    QCOMPARE(m_table->toolTip().title(), u"번호: G54 (25 files)"_s);
    QVERIFY(m_table->toolTip().body().startsWith(u"1. f1.NC\n2. f2.NC\n"_s));
    QVERIFY(m_table->toolTip().body().endsWith(u"20. f20.NC\n\nMore 5 files..."_s));
    QTRY_VERIFY(m_table->toolTip().isVisible());

    // The same point again does not refill the tip; another point does.
    m_app->document().GetCellFiles()[0].clear();
    m_table->OnCellHover(first.x(), first.y());
    QCOMPARE(m_table->toolTip().title(), u"번호: G54 (25 files)"_s);
    GetSettings().SIMENS = 1;
    QTest::mouseMove(&m_table->table(), first + QPoint(1, 1));
    QCOMPARE(m_table->toolTip().title(), u"번호: G511 (0 files)"_s);

    QTest::mouseMove(&m_table->table(), QPoint(2, 2));
    QVERIFY(!m_table->toolTip().isVisible());
}

void MyTableViewTest::paintsTheLogoAndTheEntries()
{
    const QRect cellRect = m_table->table().GetCellRect(0, 0);
    const auto pixelAt = [&](const QPoint& point) {
        return QColor(m_table->table().grab().toImage().pixel(point));
    };
    GetSettings().LOGOALPHA = 0;
    QCOMPARE(pixelAt(cellRect.center()), QColor(Qt::white));
    GetSettings().LOGOALPHA = 255 + 256; // only the low byte counts
    QVERIFY(pixelAt(cellRect.center()) != QColor(Qt::white));

    GetSettings().LOGOALPHA = 0;
    drop({u"A.nc"_s}, cellCentre());
    const QImage image = m_table->table().grab().toImage();
    bool blueText = false;
    for (int y = cellRect.top() + 3; y < cellRect.top() + 30; ++y)
        for (int x = cellRect.left() + 3; x < cellRect.left() + 60; ++x) {
            const QColor colour(image.pixel(x, y));
            blueText |= colour.blue() > colour.red() + 100;
        }
    QVERIFY(blueText);
}

QTEST_MAIN(MyTableViewTest)
#include "MyTableViewTest.moc"
