#include "table/MyTableView.h"
#include "GuiTestEnvironment.h"
#include "core/settings/Settings.h"
#include "table/QuorView.h"
#include "table/TableView.h"
#include "table/WorkOffsetCell.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>

#include <optional>

using namespace Qt::StringLiterals;

class MyTableViewTest : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env.emplace();
        build(1, 1, 1);
    }

    void cleanup()
    {
        m_view.reset();
        m_env.reset();
    }

    void dropsTakeFilesOfOneExtensionAndNameWhatIsNoFile()
    {
        GetSettings().FANUCToolList = "Fanuc.tlist";
        QSignalSpy notes(m_table, &CMyTableView::statusNote);
        const QString folder = m_env->path(u"sub"_s);
        QDir().mkdir(folder);
        drop({u"A.nc"_s, u"B.NC"_s, u"C.tap"_s, folder}, cellCentre());

        // The drop rules themselves are the core's; here: they reach the cell and the shared state.
        QCOMPARE(cell()->GetText(), u"1. A.NC\n2. B.NC"_s);
        QCOMPARE(state().m_strToolListName, std::string("Fanuc.tlist"));
        QCOMPARE(m_env->platform.messageTexts(),
                 QStringList{
                     u"Tessaly: [%1] 는 파일이 아닙니다."_s.arg(QDir::toNativeSeparators(folder))});
        QCOMPARE(notes.size(), 1);

        // Outside the cell a drop is ignored.
        drop({u"D.nc"_s}, QPoint(3, 3));
        QCOMPARE(state().m_JobFiles.count(), 2);
    }

    void deleteEmptiesTheCellAndTheJob()
    {
        drop({u"A.nc"_s}, cellCentre());
        QTest::mouseMove(&m_table->table(), cellCentre() + QPoint(9, 9));
        QTRY_VERIFY(m_table->toolTip().isVisible());
        // The tip gives way to the menu, and goes with the entries it named.
        QTest::mousePress(&m_table->table(), Qt::RightButton, {}, cellCentre());
        QTRY_VERIFY(m_table->contextMenu().isVisible());
        QVERIFY(!m_table->toolTip().isVisible());
        m_table->contextMenu().findChild<QAction*>(u"actionDeleteCell"_s)->trigger();
        m_table->contextMenu().hide();
        QTest::mouseRelease(&m_table->table(), Qt::RightButton, {}, cellCentre());

        QVERIFY(state().document().cellEmpty(0));
        QCOMPARE(state().m_JobFiles.count(), 0);
        QCOMPARE(state().m_nMachineFamily, -1);
        m_table->table().grab();
        QCOMPARE(cell()->GetText(), QString());
    }

    void hoverTipNamesTheWorkOffsetAndListsTheFiles()
    {
        QStringList names;
        for (int i = 1; i <= 25; ++i)
            names.append(u"f%1.nc"_s.arg(i));
        drop(names, cellCentre());

        // The last hover point is remembered across views and tests: use points of this test's own.
        const QPoint first = cellCentre() + QPoint(7, 3);
        QTest::mouseMove(&m_table->table(), first);
        QCOMPARE(m_table->toolTip().title(), u"번호: G54 (25 files)"_s);
        QTRY_VERIFY(m_table->toolTip().isVisible());

        QTest::mouseMove(&m_table->table(), QPoint(2, 2));
        QVERIFY(!m_table->toolTip().isVisible());
    }

    void paintsTheLogoAndTheEntries()
    {
        const QRect cellRect = m_table->table().GetCellRect(0, 0);
        // Entries are painted in blue from the cell's own document.
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

    // The table is built from the stored rows, columns and tables; cells count across the
    // tabs, then rows, then columns, and each names its work offset.
    void theTableIsBuiltFromTheStoredSettings()
    {
        QCOMPARE(m_view->tableTabs()->count(), 1);
        QCOMPARE(m_view->tableTabs()->tabText(0), u"FILE LIST"_s);
        QCOMPARE(cell()->index(), 0);
        QCOMPARE(cell()->caption(), QString());
        QVERIFY(cell()->offsetName().isEmpty() && cell()->available());

        build(2, 3, 2);
        CTableView* tabs = m_view->tableTabs();
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->tabText(1), u"FILE LIST 2"_s);
        CMyTableView* second = tabs->tableViews()[1];
        QCOMPARE(second->table().rows(), 2);
        QCOMPARE(second->table().cols(), 3);
        auto* last = dynamic_cast<WorkOffsetCell*>(second->table().cellAt(1, 2));
        QCOMPARE(last->index(), 11);
        QCOMPARE(last->caption(), u"12"_s);
        QCOMPARE(last->offsetName(), u"G54.1P6"_s);
        QCOMPARE(cell()->offsetName(), u"G54"_s);
    }

    // Drops on several cells, in several tabs, make a job that runs cell by cell; Delete empties
    // the chosen cell alone.
    void dropsOnSeveralCellsAndDeleteOfOne()
    {
        build(5, 8, 5);
        drop({u"a.nc"_s}, cellCentre(1, 1));
        drop({u"b.nc"_s}, cellCentre(0, 0));
        drop({u"c.nc"_s}, cellCentre(1, 1));
        CTableView* tabs = m_view->tableTabs();
        tabs->setCurrentIndex(2);
        m_table = tabs->tableView();
        drop({u"d.nc"_s}, cellCentre(0, 0));
        QCOMPARE(order(), (QStringList{u"0:b.nc"_s, u"9:a.nc"_s, u"9:c.nc"_s, u"80:d.nc"_s}));
        QCOMPARE(cell()->GetText(), u"1. d.NC"_s);

        m_table = tabs->tableViews()[0];
        QTest::mouseClick(&m_table->table(), Qt::LeftButton, {}, cellCentre(1, 1));
        QCOMPARE(m_table->chosenCell()->index(), 9);
        m_table->OnDeleteCell();
        QCOMPARE(order(), (QStringList{u"0:b.nc"_s, u"80:d.nc"_s}));
        QCOMPARE(cell(1, 1)->GetText(), QString());
        QCOMPARE(cell(0, 0)->GetText(), u"1. b.NC"_s);
    }

    // The arrow keys move the chosen cell, which NC FILE LIST adds to.
    void theArrowKeysChooseWhereFilesAreAdded()
    {
        build(3, 4, 1);
        QTest::mouseClick(&m_table->table(), Qt::LeftButton, {}, cellCentre(0, 0));
        for (Qt::Key key :
             {Qt::Key_Right, Qt::Key_Right, Qt::Key_Down, Qt::Key_Left, Qt::Key_Down, Qt::Key_Down})
            QTest::keyClick(&m_table->table(), key);
        QCOMPARE(m_table->chosenCell()->index(), 9);
        m_view->tableTabs()->addFiles({file(u"e.nc"_s)});
        QCOMPARE(order(), QStringList{u"9:e.nc"_s});
    }

    // With Siemens names the last cell is G599: a cell past it takes no file, and says so.
    void aCellWithoutWorkOffsetRefusesDrops()
    {
        GetSettings().SIMENS = 1;
        GetSettings().ItemNameType = 0;
        build(10, 10, 1);
        QCOMPARE(cell(8, 8)->offsetName(), u"G599"_s);
        QVERIFY(!cell(8, 9)->available());
        drop({u"f.nc"_s}, cellCentre(8, 9));
        QCOMPARE(state().m_JobFiles.count(), 0);
        QCOMPARE(m_env->platform.messageTexts().size(), 1);
        QVERIFY(m_env->platform.messageTexts()[0].contains(u"90"_s));
        drop({u"f.nc"_s}, cellCentre(8, 8));
        QCOMPARE(order(), QStringList{u"88:f.nc"_s});
    }

private:
    void build(int rows, int cols, int tables)
    {
        m_view.reset();
        CSettings& settings = GetSettings();
        settings.RowNum = rows;
        settings.ColumnNum = cols;
        settings.TableNum = tables;
        settings.Save();
        m_view = std::make_unique<CQuorView>(state());
        m_view->resize(900, 600);
        m_view->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_view.get()));
        m_table = m_view->tableTabs()->tableView();
    }

    QStringList order() const
    {
        QStringList entries;
        for (const JobEntry& entry : m_env->app.m_JobFiles.entries())
            entries.append(u"%1:%2"_s.arg(entry.cell)
                               .arg(QFileInfo(QString::fromStdString(entry.path)).fileName()));
        return entries;
    }

    QString file(const QString& name)
    {
        return QFile::exists(m_env->path(name)) ? m_env->path(name) : m_env->write(name, "N1\n");
    }

    void drop(const QStringList& names, const QPoint& at)
    {
        QMimeData data;
        QList<QUrl> urls;
        for (const QString& name : names)
            urls.append(QUrl::fromLocalFile(QDir::isAbsolutePath(name) ? name : file(name)));
        data.setUrls(urls);
        QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_table, &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(m_table, &dropped);
    }

    QPoint cellCentre(int row = 0, int col = 0) const
    {
        return m_table->table().GetCellRect(row, col).center();
    }
    WorkOffsetCell* cell(int row = 0, int col = 0) const
    {
        return dynamic_cast<WorkOffsetCell*>(m_table->table().cellAt(row, col));
    }

    JobState& state() { return m_env->app; }

    std::optional<GuiTestEnvironment> m_env;
    std::unique_ptr<CQuorView> m_view;
    CMyTableView* m_table = nullptr;
};

QTEST_MAIN(MyTableViewTest)
#include "MyTableViewTest.moc"
